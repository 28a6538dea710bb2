#pragma once
#include "stores/clock_plan.h"
#include "stores/database.h"
#include "stores/plan_names.h"
#include "stores/plan_repository.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace orvalen {

// One message box: a timed notice when timeoutMs > 0, else an ordinary box.
// An empty title means "Orvalen".
struct PlanMessage {
    PlanMessage(QString text_, int timeoutMs_ = 0, QString title_ = QString())
        : text(std::move(text_)), timeoutMs(timeoutMs_), title(std::move(title_))
    {
    }
    QString text;
    int timeoutMs = 0;
    QString title;
    bool operator==(const PlanMessage&) const = default;
};

enum class SaveVerdict {
    Save,             // every check passed (advice may have been shown)
    Refused,          // a check refused the plan; nothing is written
    RefusedFocusName, // refused for its name; the name field takes the focus
    Failed            // a field or the database could not be read
};

struct SaveCheckResult {
    SaveVerdict verdict = SaveVerdict::Save;
    QList<PlanMessage> messages; // in the order they are shown
    QString error;               // the real cause of Failed, for the log
};

// What the operator is told when DeskData.db is not in the program folder.
extern const QString kMissingDeskDataText;
// The notice of every failure that is not the operator's to mend.
extern const QString kSaveFailedText;
PlanMessage saveFailedMessage();
// The same notice for a save DeskData.db refused, followed by the reason
// when the file is read-only, locked by another program or on a full disk.
PlanMessage saveFailedMessage(WriteRefusal refusal);
// `message`, followed by the library that is missing when the plans could
// not be used for want of it.
PlanMessage namingMissingLibrary(PlanMessage message, const PlanResult& result);
// The notice for a name that is taken.
PlanMessage nameTakenMessage(const QString& name);

// The checks before the editor's plan is saved under `name`, in the order the
// operator sees them: an empty or blank name, a name with a control character
// (TAB, a line break), the width advice (a name wider than 14
// full-width cells; the save goes on), a taken name, a field that is no
// number (`plan` nullopt, `planError` saying which), two points with equal
// times, enabled points closer than the reminder duration, and the last
// enabled point not above it.
SaveCheckResult checkPlanSave(const QString& name, const std::function<NameLookup(QString* error)>& lookupName,
                                const std::optional<ClockPlan>& plan, const QString& planError);

} // namespace orvalen
