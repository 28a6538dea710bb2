#pragma once
#include "stores/clock_plan.h"

#include <QObject>

namespace orvalen {

// The plan the display shows and the engine counts. One object holds it:
// readers take a const reference, every writer hands over a whole plan, and
// each change is announced.
class CurrentPlan : public QObject {
    Q_OBJECT
public:
    const ClockPlan& plan() const { return m_plan; }
    void replace(const ClockPlan& plan);
    // A copy of the plan changed by `change`, put in with replace().
    template <class Change>
    void edit(Change&& change)
    {
        ClockPlan edited = m_plan;
        change(edited);
        replace(edited);
    }

signals:
    void changed();

private:
    ClockPlan m_plan;
};

} // namespace orvalen
