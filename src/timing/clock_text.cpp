#include "timing/clock_text.h"

namespace orvalen {
namespace {

QString two(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString time_of_day(const QTime& now, bool withSeconds)
{
    return now.toString(withSeconds ? QStringLiteral("hh:mm:ss") : QStringLiteral("hh:mm"));
}

QString minutes_seconds(qint64 totalSeconds)
{
    return two(totalSeconds / 60) + u':' + two(totalSeconds % 60);
}

QString hours_minutes_seconds(qint64 totalSeconds)
{
    return two(totalSeconds / 3600) + u':' + two((totalSeconds % 3600) / 60) + u':' + two(totalSeconds % 60);
}

} // namespace

QString runningClockText(int timing_mode, int time_format, qint64 count_ms, const QTime& now)
{
    const qint64 seconds = count_ms < 0 ? 0 : count_ms / 1000;
    switch (timing_mode) {
    case 0:
    case 1:
        if (time_format == 0)
            return QString::number(seconds);
        if (time_format == 2)
            return hours_minutes_seconds(seconds);
        return minutes_seconds(seconds);
    case 2:
        return time_of_day(now, time_format != 1);
    default:
        return QString();
    }
}

} // namespace orvalen
