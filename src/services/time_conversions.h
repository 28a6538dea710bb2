#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace orvalen {

// seconds 0..86399 -> time of day; any other count gives an invalid QTime
// (86400 is not midnight), which the caller checks.
QTime secondsToTime(int seconds);
// ms -> "h\m\s\t" (hours unbounded, tenths truncated, no leading zeros);
// a negative count reads as 0.
QString secondsToHms(qint64 ms);
// hour*3600 + minute*60 + second (the date part is ignored; invalid -> 0)
int timeToSeconds(const QTime& time);
int timeToSeconds(const QDateTime& time);
inline int timeToSecondsByte(const QTime& time) { return timeToSeconds(time); }

// The full weekday name of `date` as the display shows it ("星期二"); the
// program's texts are Chinese whatever the desktop's language. Empty for an
// invalid date.
QString weekdayName(const QDate& date);

} // namespace orvalen
