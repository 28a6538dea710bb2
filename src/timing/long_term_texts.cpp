#include "timing/long_term_texts.h"

#include "timing/long_term_log.h"
#include "stores/clock_plan.h"

#include <QLocale>

namespace orvalen {

Q_LOGGING_CATEGORY(lcLongTerm, "orvalen.longterm")

namespace {

QString two(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The clock text of hours, minutes and seconds in a long-term format (days
// only: none).
QString clockText(qint64 h, qint64 m, qint64 s, TimeFormat format)
{
    switch (format) {
    case TimeFormat::Seconds: return two(h) + "时" + two(m) + "分" + two(s) + "秒";
    case TimeFormat::MinutesSeconds: return two(h) + "时" + two(m) + "分";
    case TimeFormat::DaysClock: return two(h) + ':' + two(m) + ':' + two(s);
    case TimeFormat::DaysHoursMinutes: return two(h) + ':' + two(m);
    case TimeFormat::DaysMinutesSeconds: return two(m) + ':' + two(s);
    case TimeFormat::HoursMinutesSeconds: break;
    }
    return QString();
}

bool knownFormat(TimeFormat format)
{
    const int index = static_cast<int>(format);
    return index >= 0 && index < kTimeFormatCount;
}

// The first three formats write the date in Chinese.
bool writesChineseDate(TimeFormat format)
{
    return format == TimeFormat::Seconds || format == TimeFormat::MinutesSeconds
           || format == TimeFormat::HoursMinutesSeconds;
}

} // namespace

LongTermTarget longTermTarget(const QDate& time_date, const QTime& Time_all, const QDate& today)
{
    LongTermTarget target;
    if (time_date == kNoTargetDate) {
        target.live = true;
        return target;
    }
    if (!time_date.isValid()) {
        target.live = true;
        target.problem = QStringLiteral("the target date is missing or malformed");
        return target;
    }
    if (time_date < kNoTargetDate) {
        target.live = true;
        target.problem = QStringLiteral("the target date %1 lies before 2000")
                             .arg(time_date.toString(Qt::ISODate));
        return target;
    }
    if (today.isValid() && time_date > today.addYears(100)) {
        target.live = true;
        target.problem = QStringLiteral("the target date %1 lies more than 100 years ahead")
                             .arg(time_date.toString(Qt::ISODate));
        return target;
    }
    QTime time = Time_all;
    if (!time.isValid()) {
        time = QTime(0, 0);
        target.problem = QStringLiteral("the target time is malformed; midnight is used");
    }
    target.instant = QDateTime(time_date, QTime(time.hour(), time.minute(), time.second()));
    return target;
}

qint64 remainingSeconds(const QDateTime& now, const QDateTime& target)
{
    if (!now.isValid() || !target.isValid())
        return 0;
    // Whole seconds on both sides, so the count changes exactly when the
    // clock's second changes.
    auto floorSecs = [](qint64 ms) { return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000); };
    return floorSecs(target.toMSecsSinceEpoch()) - floorSecs(now.toMSecsSinceEpoch());
}

LongTermTexts countdownTexts(qint64 remaining, TimeFormat format)
{
    LongTermTexts texts;
    if (!knownFormat(format))
        return texts;
    if (remaining < 0)
        remaining = 0;
    const qint64 days = remaining / 86400;
    const qint64 rest = remaining - days * 86400;
    texts.dateLine = QString::number(days) + "天";
    texts.clock = clockText(rest / 3600, rest % 3600 / 60, rest % 60, format);
    texts.known = true;
    return texts;
}

LongTermTexts liveTexts(const QDateTime& now, TimeFormat format)
{
    LongTermTexts texts;
    if (!knownFormat(format) || !now.isValid())
        return texts;
    const QDate d = now.date();
    texts.dateLine = writesChineseDate(format)
        ? QStringLiteral("%1年%2月%3日").arg(d.year(), 4, 10, QLatin1Char('0')).arg(two(d.month()), two(d.day()))
        : QStringLiteral("%1-%2-%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(two(d.month()), two(d.day()));
    const QTime t = now.time();
    texts.clock = clockText(t.hour(), t.minute(), t.second(), format);
    texts.known = true;
    return texts;
}

QString runRecordInstantText(const QDateTime& instant)
{
    return instant.isValid() ? instant.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
}

LongTermTarget LongTermTargetReader::read(const ClockPlan& plan, const QDate& today)
{
    LongTermTarget target = longTermTarget(plan.time_date, plan.Time_all, today);
    if (target.problem != m_lastProblem) {
        m_lastProblem = target.problem;
        if (!target.problem.isEmpty())
            qCWarning(lcLongTerm).noquote() << "long-term plan:" << target.problem
                                            << (target.live ? "; the live date and clock are shown" : "");
    }
    return target;
}

} // namespace orvalen
