#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <QTime>

namespace orvalen {

// The clock text the idle display starts with, by the plan's time format
// (digit 1 of combolist) and timing mode (digit 2): the plan's length, zero
// or the time of day `now`. Empty for the long-term formats.
QString initial_clock_text(const ClockPlan& plan, const QTime& now);
// The overtime clock text at start-up, by the time format alone.
QString initial_overtime_text(const ClockPlan& plan, const QTime& now);

} // namespace orvalen
