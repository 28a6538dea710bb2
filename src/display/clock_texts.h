#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <QTime>

namespace orvalen {

// Where a first clock text is shown: the idle display after its start-up,
// or the display a count set-up prepares.
enum class FirstClock { StartUp, SetUp };

// The first clock text, by the plan's time format
// and timing mode: the plan's length, zero or the time of day
// `now`. A format the counts do not know (the long-term ones) leaves the
// idle display empty; a set-up shows it as minutes:seconds ("hh:mm:ss" for
// the time of day), so the clock never stands still.
QString initialClockText(const ClockPlan& plan, const QTime& now, FirstClock when = FirstClock::StartUp);
// The first overtime clock text: "00", "00:00", "00:00:00" for the formats
// 0, 1, 2. At start-up the formats 3 and 4 show the time of day (hh:mm,
// mm:ss); any other format shows the first clock text.
QString initialOvertimeText(const ClockPlan& plan, const QTime& now, FirstClock when = FirstClock::StartUp);

} // namespace orvalen
