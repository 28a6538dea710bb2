#pragma once
#include <QString>
#include <QTime>

namespace orvalen {

// The texts a count shows. timing_mode: 0 count-down, 1 count-up, 2 system
// time; time_format: 0 seconds, 1 minutes:seconds, 2 hours:minutes:seconds
// (for system time 1 is "hh:mm", the others "hh:mm:ss"). Counts are
// formatted straight from their milliseconds, so hours run past 24.

// The hidden count holder: hours, minutes and seconds, each at least two
// digits ("01:02:03", "100:00:00"); tenths are dropped, a negative count
// reads as 0.
QString count_hms_text(qint64 ms);

// The clock text of a running count. A format that the count modes do not
// know shows as minutes:seconds, and one that system time does not know as
// "hh:mm:ss" (the set-up's choices), so the clock never stands still. Any
// other mode gives the empty text.
QString running_clock_text(int timing_mode, int time_format, qint64 count_ms, const QTime& now);

// The first clock text of a set-up, from the plan length.
QString setup_clock_text(int timing_mode, int time_format, const QTime& length, const QTime& now);

// The first text of the overtime clock: "00", "00:00", "00:00:00" for the
// formats 0, 1, 2, else the set-up's first clock text.
QString setup_overtime_text(int time_format, const QString& initial_clock);

} // namespace orvalen
