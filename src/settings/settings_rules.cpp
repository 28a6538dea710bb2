#include "settings/settings_rules.h"

#include "services/time_conversions.h"

#include <climits>

namespace orvalen {

std::optional<int> leadingDigits(const QString& text)
{
    qint64 value = 0;
    int count = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min<qint64>(value * 10 + (c.unicode() - '0'), INT_MAX);
        ++count;
    }
    if (count == 0)
        return std::nullopt;
    return int(value);
}

std::optional<int> wholeDigits(const QString& text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return leadingDigits(text);
}

QDate monthLastDay(const QDate& day, MonthOf which)
{
    const QDate first(day.year(), day.month(), 1);
    return which == MonthOf::Now ? first.addMonths(1).addDays(-1) : first.addDays(-1);
}

const QStringList& countFormatList()
{
    static const QStringList list{"秒", "分:秒", "时:分:秒"};
    return list;
}

const QStringList& systemTimeFormatList()
{
    static const QStringList list{"时:分:秒", "时:分", "时:分:秒"};
    return list;
}

const QStringList& dayFormatList()
{
    static const QStringList list{"d天 hh时mm分ss秒", "d天 hh时mm分", "d天", "d hh:mm:ss", "d hh:mm", "d mm:ss"};
    return list;
}

namespace {
struct SizeRange {
    int first, last, step;
};
SizeRange sizeRange(StyleSlot slot)
{
    switch (slot) {
    case StyleSlot::Clock: return {100, 450, 10};
    case StyleSlot::Prompt:
    case StyleSlot::ScrollingText: return {30, 120, 5};
    case StyleSlot::MainTitle:
    case StyleSlot::Subtitle:
    case StyleSlot::DateLine: break;
    }
    return {50, 230, 5};
}
} // namespace

QStringList sizeList(StyleSlot slot)
{
    const SizeRange r = sizeRange(slot);
    QStringList out;
    for (int v = r.first; v <= r.last; v += r.step)
        out << QString::number(v);
    return out;
}

int sizeAt(StyleSlot slot, int index)
{
    const SizeRange r = sizeRange(slot);
    return r.first + r.step * index;
}

QStringList reminderProblems(const ReminderInput& in)
{
    static const QStringList names{"计时时长", "报警1", "报警2", "报警3", "读秒"};
    std::array<int, 5> secs{};
    for (int i = 0; i < 5; ++i)
        secs[i] = timeToSeconds(in.times[i]);
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            if (secs[i] == secs[j])
                return {names[i] + "和" + names[j] + "提醒时间不能相同，请修改"};

    std::vector<int> list{0};
    for (int k = 1; k <= 4; ++k)
        if (in.stageUsed[k - 1])
            list.push_back(k);
    const QString n = QString::number(in.duration);
    QStringList out;
    for (size_t p = 0; p + 1 < list.size(); ++p) {
        const int a = list[p], b = list[p + 1];
        if (secs[a] < secs[b] + in.duration)
            out << names[a] + "比" + names[b] + "间隔\r\r要超【系统→提醒持续】设定值" + n + "秒以上，请修改";
    }
    if (list.size() > 1 && secs[list.back()] < in.duration)
        out << names[list.back()] + "设定值，要大于【系统→提醒持续】设定值" + n + "秒，请修改";
    return out;
}

QString timePreviewText(const ClockPlan& plan, const QTime& now)
{
    const TimeFormat format = plan.timeFormat;
    const QTime t = plan.Time_all.isValid() ? plan.Time_all : QTime(0, 0);
    auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    switch (plan.timingMode) {
    case TimingMode::CountDown:
        switch (format) {
        case TimeFormat::Seconds: return QString::number(timeToSeconds(t));
        case TimeFormat::MinutesSeconds: return two(t.hour() * 60 + t.minute()) + ":" + two(t.second());
        case TimeFormat::HoursMinutesSeconds: return two(t.hour()) + ":" + two(t.minute()) + ":" + two(t.second());
        default: break;
        }
        break;
    case TimingMode::CountUp:
        switch (format) {
        case TimeFormat::Seconds: return QStringLiteral("00");
        case TimeFormat::MinutesSeconds: return QStringLiteral("00:00");
        case TimeFormat::HoursMinutesSeconds: return QStringLiteral("00:00:00");
        default: break;
        }
        break;
    case TimingMode::TimeOfDay:
        switch (format) {
        case TimeFormat::Seconds:
        case TimeFormat::HoursMinutesSeconds: return now.toString(QStringLiteral("hh:mm:ss"));
        case TimeFormat::MinutesSeconds: return now.toString(QStringLiteral("hh:mm"));
        default: break;
        }
        break;
    }
    return QString();
}

QString hotkeyCaptureText(bool shift, bool ctrl, bool alt, const QString& keyName)
{
    QString prefix;
    if (ctrl || alt) {
        if (shift)
            prefix += "Shift+";
        if (ctrl)
            prefix += "Ctrl+";
        if (alt)
            prefix += "Alt+";
    }
    return prefix + keyName;
}

QString numberedFileName(const QString& name, int n)
{
    if (n <= 1)
        return name;
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    return stem + "(" + QString::number(n) + ")" + ext;
}

} // namespace orvalen
