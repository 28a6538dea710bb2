#include "display/clock_texts.h"

namespace orvalen {
namespace {

QString two(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QString seconds_of(const QTime& t)
{
    return QString::number(qint64(t.hour()) * 3600 + t.minute() * 60 + t.second());
}

} // namespace

QString initial_clock_text(const ClockPlan& plan, const QTime& now)
{
    const int f = plan.timeFormat();
    const int m = plan.timingMode();
    const QTime& t = plan.Time_all;
    const int h = t.isValid() ? t.hour() : 0, mi = t.isValid() ? t.minute() : 0, s = t.isValid() ? t.second() : 0;
    switch (f) {
    case 0:
        if (m == 0)
            return t.isValid() ? seconds_of(t) : QStringLiteral("0");
        if (m == 1)
            return QStringLiteral("00");
        if (m == 2)
            return now.toString(QStringLiteral("HH:mm:ss"));
        return {};
    case 1:
        if (m == 0)
            return two(qint64(h) * 60 + mi) + QLatin1Char(':') + two(s);
        if (m == 1)
            return QStringLiteral("00:00");
        if (m == 2)
            return now.toString(QStringLiteral("HH:mm"));
        return {};
    case 2:
        if (m == 0)
            return two(h) + QLatin1Char(':') + two(mi) + QLatin1Char(':') + two(s);
        if (m == 1)
            return QStringLiteral("00:00:00");
        if (m == 2)
            return now.toString(QStringLiteral("HH:mm:ss"));
        return {};
    default:
        return {};
    }
}

QString initial_overtime_text(const ClockPlan& plan, const QTime& now)
{
    switch (plan.timeFormat()) {
    case 0: return QStringLiteral("00");
    case 1: return QStringLiteral("00:00");
    case 2: return QStringLiteral("00:00:00");
    case 3: return two(now.hour()) + QLatin1Char(':') + two(now.minute());
    case 4: return two(now.minute()) + QLatin1Char(':') + two(now.second());
    default: return initial_clock_text(plan, now);
    }
}

} // namespace orvalen
