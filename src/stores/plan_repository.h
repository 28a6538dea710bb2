#pragma once
#include "platform/program_folder.h"
#include "stores/clock_plan.h"
#include "stores/desk_data_connection.h"
#include "stores/plan_names.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

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

// One saved plan as its deskclock row holds it.
struct PlanRow {
    int id = 0;
    QString name;       // clockname
    QString movingText; // movetext
    ClockPlan plan;
};

// How an operation on the saved plans ended.
enum class PlanStatus {
    Done,
    MissingFile, // no DeskData.db in the program folder
    NameTaken,   // save: a plan of that name exists (letter case ignored)
    NotFound,    // the plan is no longer in the table as the list showed it
    Incomplete,  // the table lacks some of its columns
    NoLibrary,   // SQLCipher cannot be loaded: error names the library (for the operator)
    Failed       // the database could not be opened, read or written
};

struct PlanResult {
    PlanStatus status = PlanStatus::Done;
    QString error; // the real cause, for the log
    // For a write that Failed: whether the file is read-only, locked or on a
    // full disk.
    WriteRefusal refusal = WriteRefusal::None;
    bool ok() const { return status == PlanStatus::Done; }
};

// The saved plans: table deskclock of DeskData.db, through one connection.
// Every value is bound, every change runs in one transaction that is rolled
// back whole on any failure, and is then copied from the write-ahead log into
// DeskData.db itself, so the file alone holds it. Plans are in the order ID,
// rowid; after every change the IDs are 1..n in that order. Each save, move and delete is
// announced by changed(), also when it found the plans other than the caller
// saw them.
class PlanRepository final : public QObject {
    Q_OBJECT
public:
    explicit PlanRepository(ProgramFolder folder, QObject* parent = nullptr);
    ~PlanRepository() override;

    bool fileExists() const;

    // Every plan in order. On failure *entries keeps the plans read before it.
    PlanResult list(QList<PlanListEntry>* entries) const;

    // Whether no plan has this name (letter case ignored).
    NameLookup nameLookup(const QString& name, QString* error) const;

    // Appends a new plan with ID = MAX(ID) + 1, after checking in the same
    // transaction that its name is free. Without long-term counting the
    // target date is stored as 2000-01-01.
    PlanResult save(const QString& name, const QString& movingText, const ClockPlan& plan, qint64* newId = nullptr);

    // Moves the plan one place up (step -1) or down (step +1) and renumbers.
    // A plan already at that edge is left where it is (Done).
    PlanResult move(const PlanListEntry& entry, int step);

    // Deletes the plans and renumbers the rest.
    PlanResult remove(const QList<PlanListEntry>& entries);

    // The whole row of the first plan named exactly `name`, its plan fields
    // laid over `base`. NotFound when there is none; Failed when a column is
    // NULL or holds no valid value, so a damaged row is never taken half.
    PlanResult read(const QString& name, const ClockPlan& base, PlanRow* row) const;

    // For the export: per plan its ID, name, moving text, length and target
    // date as texts ("" for no target date), in order.
    PlanResult exportRows(QList<QStringList>* rows) const;

signals:
    void changed();

private:
    PlanResult use(const std::function<PlanResult(Database&)>& work, bool inTransaction) const;
    PlanResult announced(const PlanResult& result);

    mutable DeskDataConnection m_connection;
};

} // namespace orvalen
