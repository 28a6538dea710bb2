#pragma once
#include "stores/clock_plan.h"

namespace orvalen {

// The display switches that the editor shows as boxes which can be greyed.
enum class DisplaySwitch {
    StageLooks, Weekday, ScrollingText, CentredTitle, CentredSubtitle, CentredThird,
    OvertimeClock, EndTextOnClock, RestartAfterDelay
};

// A switch as the editor shows it: off, on, or greyed (stored as a greyed
// box; the plan runs it as off).
enum class SwitchState { Off, On, Greyed };

SwitchState switchState(const ClockPlan& plan, DisplaySwitch which);

} // namespace orvalen
