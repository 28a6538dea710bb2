#include "display/clock_texts.h"

namespace orvalen {
namespace {

QString two(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString initial_clock_text(const ClockPlan& plan, const QTime& now, FirstClock when)
{
    int f = int(plan.timeFormat);
    const int m = int(plan.timingMode);
    if (f < 0 || f > 2) {
        if (when == FirstClock::StartUp)
            return {};
        f = 1; // minutes:seconds, and the time of day with its seconds
    }
    const QTime& t = plan.Time_all;
    const qint64 seconds = t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
    static const QString zero[3] = {QStringLiteral("00"), QStringLiteral("00:00"), QStringLiteral("00:00:00")};
    switch (m) {
    case 0:
        if (f == 0)
            return QString::number(seconds);
        if (f == 1)
            return two(seconds / 60) + QLatin1Char(':') + two(seconds % 60);
        return two(seconds / 3600) + QLatin1Char(':') + two(seconds % 3600 / 60) + QLatin1Char(':') + two(seconds % 60);
    case 1:
        return zero[f];
    case 2:
        return now.toString(f == 1 && plan.timeFormat == TimeFormat::MinutesSeconds ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
    default:
        return {};
    }
}

QString initialOvertimeText(const ClockPlan& plan, const QTime& now, FirstClock when)
{
    switch (int(plan.timeFormat)) {
    case 0: return QStringLiteral("00");
    case 1: return QStringLiteral("00:00");
    case 2: return QStringLiteral("00:00:00");
    case 3:
        if (when == FirstClock::StartUp)
            return two(now.hour()) + QLatin1Char(':') + two(now.minute());
        break;
    case 4:
        if (when == FirstClock::StartUp)
            return two(now.minute()) + QLatin1Char(':') + two(now.second());
        break;
    default:
        break;
    }
    return initial_clock_text(plan, now, when);
}

} // namespace orvalen
