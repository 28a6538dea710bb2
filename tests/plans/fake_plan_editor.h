#pragma once
#include "plans/plan_editor.h"

namespace orvalen::test {

// An editor whose contents a test sets directly, and which keeps what the
// plan panel did to it.
class FakePlanEditor final : public PlanEditor {
public:
    std::optional<ClockPlan> editedPlan(QString* error) const override
    {
        if (!conversionError.isEmpty()) {
            *error = conversionError;
            return std::nullopt;
        }
        return plan;
    }
    QString planName() const override { return name; }
    QString movingText() const override { return moving; }
    void clearNameFields() override
    {
        name.clear();
        moving.clear();
        ++focused;
    }
    void focusNameField() override { ++focused; }
    void loadSavedPlan(const SavedPlan& saved, const StoredDateLineStyle& dateLine) override
    {
        loaded = saved;
        loadedDateLine = dateLine;
    }

    ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    QString name;
    QString moving;
    QString conversionError;
    int focused = 0;
    std::optional<SavedPlan> loaded;
    StoredDateLineStyle loadedDateLine;
};

} // namespace orvalen::test
