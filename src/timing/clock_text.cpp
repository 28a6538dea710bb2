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

QString runningClockText(TimingMode mode, TimeFormat format, qint64 countMs, const QTime& now)
{
    const qint64 seconds = countMs < 0 ? 0 : countMs / 1000;
    switch (mode) {
    case TimingMode::CountDown:
    case TimingMode::CountUp:
        if (format == TimeFormat::Seconds)
            return QString::number(seconds);
        if (format == TimeFormat::HoursMinutesSeconds)
            return hours_minutes_seconds(seconds);
        return minutes_seconds(seconds);
    case TimingMode::TimeOfDay:
        return time_of_day(now, format != TimeFormat::MinutesSeconds);
    }
    return QString();
}

} // namespace orvalen
