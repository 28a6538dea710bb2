#pragma once
#include "stores/clock_plan.h"
#include "stores/plan_store.h"

#include <QString>
#include <optional>

namespace orvalen {

// One saved plan as a deskclock row holds it: ID, clockname, movetext and the
// 51 plan fields.
struct SavedPlan {
    int id = 0;
    QString name;       // clockname
    QString movingText; // movetext
    ClockPlan plan;
};

// What the plan panel of the settings window needs of the plan editor. The
// settings window implements it; the plan panel saves the editor's contents
// as a new row and loads a saved row back into the editor.
class PlanEditor {
public:
    virtual ~PlanEditor() = default;

    // The editor's contents as a plan, converted as a save stores them.
    // nullopt when a field does not hold a number; *error then says which.
    virtual std::optional<ClockPlan> editedPlan(QString* error) const = 0;

    // The plan name field (阶段名称) and the moving text field (动态文本).
    virtual QString planName() const = 0;
    virtual QString movingText() const = 0;
    // Empties both fields and puts the focus on the name field.
    virtual void clearNameFields() = 0;
    virtual void focusNameField() = 0;

    // Fills the editor's controls from a saved row, as loading a saved plan
    // does. `dateLine` is the date line's look read from the per-user store
    // just before (the date line's font and size boxes show it instead of
    // the row's); an absent part was not read.
    virtual void loadSavedPlan(const SavedPlan& saved, const StoredDateLineStyle& dateLine) = 0;
};

} // namespace orvalen
