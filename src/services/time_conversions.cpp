#include "services/time_conversions.h"

#include <QLocale>

namespace orvalen {

QTime secondsToTime(int seconds)
{
    if (seconds < 0 || seconds >= 86400)
        return QTime(); // not a time of day: invalid, the caller decides
    return QTime(seconds / 3600, (seconds % 3600) / 60, seconds % 60);
}

QString secondsToHms(qint64 ms)
{
    if (ms < 0)
        ms = 0; // a count just past zero must not show "-1\-1\..."
    const qint64 h = ms / 3'600'000;
    const qint64 r = ms % 3'600'000;
    const qint64 m = r / 60'000;
    const qint64 r2 = r % 60'000;
    const qint64 s = r2 / 1000;
    const qint64 t = ((r2 % 1000) - (r2 % 100)) / 100;
    return QString::number(h) + u'\\' + QString::number(m) + u'\\' + QString::number(s) + u'\\'
        + QString::number(t);
}

int timeToSeconds(const QTime& time)
{
    if (!time.isValid())
        return 0;
    return time.hour() * 3600 + time.minute() * 60 + time.second();
}

int timeToSeconds(const QDateTime& time)
{
    return timeToSeconds(time.time());
}

QString weekdayName(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QLocale(QLocale::Chinese, QLocale::China).dayName(date.dayOfWeek(), QLocale::LongFormat);
}

} // namespace orvalen
