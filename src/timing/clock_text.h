#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <QTime>

namespace orvalen {

// The texts a count shows: seconds, minutes:seconds or
// hours:minutes:seconds (the time of day "hh:mm" for minutes:seconds, else
// "hh:mm:ss"). Counts are
// formatted straight from their milliseconds, so hours run past 24.

// The clock text of a running count. A format that the count modes do not
// know shows as minutes:seconds, and one that system time does not know as
// "hh:mm:ss" (the set-up's choices), so the clock never stands still.
QString runningClockText(TimingMode mode, TimeFormat format, qint64 countMs, const QTime& now);

} // namespace orvalen
