#include "display/clock_texts.h"

namespace orvalen {
namespace {

QString two(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// The formats a count shows: seconds, minutes:seconds, hours:minutes:seconds.
bool isCountFormat(TimeFormat f)
{
    return f == TimeFormat::Seconds || f == TimeFormat::MinutesSeconds || f == TimeFormat::HoursMinutesSeconds;
}

// A count of zero in a count format.
QString zeroCount(TimeFormat f)
{
    switch (f) {
    case TimeFormat::Seconds: return QStringLiteral("00");
    case TimeFormat::MinutesSeconds: return QStringLiteral("00:00");
    default: return QStringLiteral("00:00:00");
    }
}

} // namespace

QString initialClockText(const ClockPlan& plan, const QTime& now, FirstClock when)
{
    TimeFormat f = plan.timeFormat;
    if (!isCountFormat(f)) {
        if (when == FirstClock::StartUp)
            return {};
        f = TimeFormat::MinutesSeconds; // minutes:seconds, and the time of day with its seconds
    }
    const QTime& t = plan.Time_all;
    const qint64 seconds = t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
    switch (plan.timingMode) {
    case TimingMode::CountDown:
        if (f == TimeFormat::Seconds)
            return QString::number(seconds);
        if (f == TimeFormat::MinutesSeconds)
            return two(seconds / 60) + QLatin1Char(':') + two(seconds % 60);
        return two(seconds / 3600) + QLatin1Char(':') + two(seconds % 3600 / 60) + QLatin1Char(':') + two(seconds % 60);
    case TimingMode::CountUp:
        return zeroCount(f);
    case TimingMode::TimeOfDay:
        return now.toString(plan.timeFormat == TimeFormat::MinutesSeconds ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
    }
    return {};
}

QString initialOvertimeText(const ClockPlan& plan, const QTime& now, FirstClock when)
{
    const TimeFormat f = plan.timeFormat;
    if (isCountFormat(f))
        return zeroCount(f);
    if (f == TimeFormat::DaysClock && when == FirstClock::StartUp)
        return two(now.hour()) + QLatin1Char(':') + two(now.minute());
    if (f == TimeFormat::DaysHoursMinutes && when == FirstClock::StartUp)
        return two(now.minute()) + QLatin1Char(':') + two(now.second());
    return initialClockText(plan, now, when);
}

} // namespace orvalen
