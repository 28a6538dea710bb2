#pragma once
#include "stores/clock_plan.h"

#include <array>

namespace orvalen {

// The point sizes the display's texts are made with, per style slot: title,
// subtitle, clocks, date line, prompt, scrolling text. A text whose size the
// plan cannot read is drawn at this size.
inline constexpr PerSlot<double> kMadeTextSizes{{72, 42, 80.25, 72, 42, 42}};

// The size the display draws a slot's text at: the plan's size when the plan
// can read it, else the display's own.
inline double drawnFontSize(const ClockPlan& plan, StyleSlot slot)
{
    return plan.fontSize(slot).value_or(kMadeTextSizes[slot]);
}

} // namespace orvalen
