#pragma once
#include <QString>
#include <QTime>

namespace orvalen {

// The texts a count shows. timing_mode: 0 count-down, 1 count-up, 2 system
// time; time_format: 0 seconds, 1 minutes:seconds, 2 hours:minutes:seconds
// (for system time 1 is "hh:mm", the others "hh:mm:ss"). Counts are
// formatted straight from their milliseconds, so hours run past 24.

// The clock text of a running count. A format that the count modes do not
// know shows as minutes:seconds, and one that system time does not know as
// "hh:mm:ss" (the set-up's choices), so the clock never stands still. Any
// other mode gives the empty text.
QString runningClockText(int timing_mode, int time_format, qint64 count_ms, const QTime& now);

} // namespace orvalen
