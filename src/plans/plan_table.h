#pragma once
#include "plans/plan_editor.h"
#include "platform/program_folder.h"
#include "stores/database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

namespace orvalen {

// One saved plan as the plan list shows it. `id` and `name` are the plan's
// stored ID and full clockname: every command finds its plan by them, never
// by the text shown. An ID stored as NULL by an older file is nullopt.
struct PlanListEntry {
    std::optional<qint64> id;
    QString name;
    QString movingText;
    bool operator==(const PlanListEntry&) const = default;
};

// What the operator is told when DeskData.db is not in the program folder.
extern const QString kMissingDeskDataText;

// How an operation on the saved plans ended.
enum class PlanTableStatus {
    Done,
    MissingFile, // no DeskData.db in the program folder
    NameTaken,   // save: a plan of that name exists (letter case ignored)
    NotFound,    // the plan is no longer in the table as the list showed it
    Incomplete,  // the table lacks some of its columns
    Failed       // the database could not be opened, read or written
};

struct PlanTableResult {
    PlanTableStatus status = PlanTableStatus::Done;
    QString error; // the real cause, for the log
    bool ok() const { return status == PlanTableStatus::Done; }
};

// The table deskclock of DeskData.db: every value bound, every change in one
// transaction that is rolled back whole on any failure. Plans are in the
// order ID, rowid; after every change the IDs are 1..n in that order. One
// connection serves the operations while it works; a failed one, or one to a
// file that has been replaced, is opened afresh.
class PlanTable {
public:
    explicit PlanTable(ProgramFolder folder);
    ~PlanTable();

    bool fileExists() const;

    // Every plan in order.
    PlanTableResult list(QList<PlanListEntry>* entries) const;

    // Appends a new plan with ID = MAX(ID) + 1, after checking in the same
    // transaction that its name is free. Without long-term counting the
    // target date is stored as 2000-01-01.
    PlanTableResult save(const QString& name, const QString& movingText, const ClockPlan& plan,
                         qint64* newId = nullptr);

    // Moves the plan one place up (step -1) or down (step +1) and renumbers.
    // A plan already at that edge is left where it is (Done).
    PlanTableResult move(const PlanListEntry& entry, int step);

    // Deletes the plans and renumbers the rest.
    PlanTableResult remove(const QList<PlanListEntry>& entries);

    // The whole row of the plan named `name`.
    PlanTableResult read(const QString& name, SavedPlan* saved) const;

    // For the export: per plan its ID, name, moving text, length and target
    // date as texts ("" for no target date), in order.
    PlanTableResult exportRows(QList<QStringList>* rows) const;

private:
    PlanTableResult use(const std::function<PlanTableResult(Database&)>& work, bool inTransaction) const;

    ProgramFolder m_folder;
    mutable Database m_db;
    mutable std::pair<quint64, quint64> m_fileIdentity{0, 0};
};

} // namespace orvalen
