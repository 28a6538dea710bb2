#pragma once
#include <QDateTime>
#include <QString>
#include <QTime>

namespace orvalen {

// seconds 0..86399 -> time of day
QTime seconds_to_time(int seconds);
// ms -> "h\m\s\t" (hours unbounded, tenths truncated, no leading zeros)
QString seconds_to_hms(qint64 ms);
// hour*3600 + minute*60 + second
int time_to_seconds(const QTime& time);
int time_to_seconds(const QDateTime& time);
inline int time_to_seconds_byte(const QTime& time) { return time_to_seconds(time); }

} // namespace orvalen
