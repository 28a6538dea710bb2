#include "stores/clock_plan.h"

#include "platform/text_path.h"

#include <QStringList>
#include <limits>

namespace orvalen {

namespace {

enum class Kind { Time, Date, Text, Int16 };

Kind kind_of(int index)
{
    if (index >= 0 && index <= 5)
        return Kind::Time;
    if (index == 6)
        return Kind::Date;
    if (index == 43)
        return Kind::Int16;
    return Kind::Text;
}

// Reads a stored time of day: "hh:mm:ss" as written, also "h:mm:ss", "h:mm"
// and a date-time text whose date part is ignored.
QTime parse_time(const QString& stored)
{
    QString text = stored.trimmed();
    const qsizetype space = text.lastIndexOf(u' ');
    if (space >= 0 && text.indexOf(u':') > space)
        text = text.mid(space + 1);
    for (const char* format : {"HH:mm:ss", "H:mm:ss", "H:m:s", "HH:mm", "H:mm"}) {
        const QTime t = QTime::fromString(text, QLatin1String(format));
        if (t.isValid())
            return t;
    }
    return QTime();
}

// Reads a stored date: "yyyy-MM-dd" as written, also with "/" and without
// leading zeros, and a date-time text whose time part is ignored.
QDate parse_date(const QString& stored)
{
    QString text = stored.trimmed();
    const qsizetype space = text.indexOf(u' ');
    if (space > 0)
        text = text.left(space);
    text.replace(u'/', u'-');
    for (const char* format : {"yyyy-MM-dd", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(text, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return QDate();
}

template <class Plan>
auto* time_field(Plan& p, int index)
{
    decltype(&p.Time_all) fields[] = {&p.Time_all, &p.Time_one, &p.Time_two, &p.Time_three, &p.Time_four, &p.Time_five};
    return fields[index];
}

template <class Plan>
auto* text_field(Plan& p, int index)
{
    using Ptr = decltype(&p.checkone);
    if (index >= 9 && index <= 15)
        return &p.stageText[size_t(index - 9)];
    if (index >= 16 && index <= 22)
        return &p.stageMusic[size_t(index - 16)];
    if (index >= 44 && index <= 50)
        return &p.highset[size_t(index - 44)];
    switch (index) {
    case 7: return &p.checkone;
    case 8: return &p.checktwo;
    case 23: return &p.firstfont;
    case 24: return &p.firstcolour;
    case 25: return &p.firsttext;
    case 26: return &p.secondfont;
    case 27: return &p.secondcolour;
    case 28: return &p.secondtext;
    case 29: return &p.clockFont;
    case 30: return &p.clockcolour;
    case 31: return &p.background;
    case 32: return &p.stagefont;
    case 33: return &p.stagecolour;
    case 34: return &p.textfont;
    case 35: return &p.textcolour;
    case 36: return &p.rollfont;
    case 37: return &p.rollcolour;
    case 38: return &p.sizethree;
    case 39: return &p.checkthree;
    case 40: return &p.checkfour;
    case 41: return &p.combolist;
    case 42: return &p.logopicture;
    default: return Ptr(nullptr);
    }
}

// The list choices of a plan: time format (0..5, the long-term formats
// included), timing mode (0..2) and overtime action (0..3). A digit outside
// its list reads as 0, as an unreadable digit does; a stored "999" would
// otherwise freeze the clock.
QString within_list_ranges(const QString& stored)
{
    QString out = stored;
    const int highest[] = {5, 2, 3};
    for (int i = 0; i < 3 && i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isDigit() && c.digitValue() > highest[i])
            out[i] = u'0';
    }
    return out;
}

// A font size of 0 or below takes the default size of its entry.
QString with_default_sizes(const QString& stored)
{
    const QStringList defaults = ClockPlan().sizethree.split(u'/');
    QStringList parts = stored.split(u'/');
    for (qsizetype i = 0; i < parts.size() && i < defaults.size(); ++i) {
        bool ok = false;
        const double v = parts.at(i).trimmed().toDouble(&ok);
        if (ok && v <= 0)
            parts[i] = defaults.at(i);
    }
    return parts.join(u'/');
}

} // namespace

ClockPlan ClockPlan::defaults(const QDate& today)
{
    ClockPlan plan;
    plan.time_date = today;
    return plan;
}

const QStringList& ClockPlan::fieldNames()
{
    static const QStringList names{
        "Time_all", "Time_one", "Time_two", "Time_three", "Time_four", "Time_five", "time_date",
        "checkone", "checktwo",
        "textstart", "textone", "texttwo", "textthree", "textfour", "textfive", "textend",
        "musicstart", "musicone", "musictwo", "musicthree", "musicfour", "musicfive", "musicend",
        "firstfont", "firstcolour", "firsttext", "secondfont", "secondcolour", "secondtext",
        "clockFont", "clockcolour", "background", "stagefont", "stagecolour", "textfont",
        "textcolour", "rollfont", "rollcolour", "sizethree", "checkthree", "checkfour",
        "combolist", "logopicture", "tixingtime",
        "highsetstart", "highsetone", "highsettwo", "highsetthree", "highsetfour", "highsetfive",
        "highsetend"};
    return names;
}

int ClockPlan::fieldIndex(const QString& name)
{
    return int(fieldNames().indexOf(name));
}

bool ClockPlan::isTextField(int index)
{
    return kind_of(index) == Kind::Text && index >= 0 && index < kFieldCount;
}

QString ClockPlan::fieldText(int index) const
{
    if (index < 0 || index >= kFieldCount)
        return QString();
    switch (kind_of(index)) {
    case Kind::Time: return time_field(*this, index)->toString(QStringLiteral("HH:mm:ss"));
    case Kind::Date: return time_date.toString(QStringLiteral("yyyy-MM-dd"));
    case Kind::Int16: return QString::number(tixingtime);
    case Kind::Text: return *text_field(*this, index);
    }
    return QString();
}

bool ClockPlan::setFieldText(int index, const QString& text)
{
    if (index < 0 || index >= kFieldCount)
        return false;
    switch (kind_of(index)) {
    case Kind::Time: {
        const QTime t = parse_time(text);
        if (!t.isValid())
            return false;
        *time_field(*this, index) = t;
        return true;
    }
    case Kind::Date: {
        const QDate d = parse_date(text);
        if (!d.isValid())
            return false;
        time_date = d;
        return true;
    }
    case Kind::Int16: {
        bool ok = false;
        const qint64 v = text.trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        setTixingtime(v);
        return true;
    }
    case Kind::Text:
        if (index == 41)
            combolist = within_list_ranges(text);
        else if (index == 38)
            sizethree = with_default_sizes(text);
        else
            *text_field(*this, index) = text;
        return true;
    }
    return false;
}

void ClockPlan::setTixingtime(qint64 seconds)
{
    // A stored 32-bit value beyond the 16-bit field is held at its limits
    // instead of overflowing.
    if (seconds < 0)
        seconds = 0;
    if (seconds > std::numeric_limits<qint16>::max())
        seconds = std::numeric_limits<qint16>::max();
    tixingtime = qint16(seconds);
}

bool flag_on(const QString& flags, int digit)
{
    return digit >= 1 && flags.mid(digit - 1, 1) == QLatin1String("1");
}

int flag_value(const QString& flags, int digit)
{
    if (digit < 1)
        return 0;
    return leading_int(flags.mid(digit - 1, 1));
}

bool ClockPlan::continuousReminder() const { return flag_on(checkone, 1); }
bool ClockPlan::stageOn(int stage) const { return stage >= 1 && flag_on(checkone, stage + 1); }
bool ClockPlan::isLongTerm() const { return flag_on(checkone, 7); }
bool ClockPlan::showsPromptAt(int stage) const { return stage >= 0 && stage <= 6 && flag_on(checktwo, stage + 1); }
bool ClockPlan::playsSoundAt(int stage) const { return stage >= 0 && stage <= 6 && flag_on(checktwo, stage + 8); }
bool ClockPlan::blinksAt(int stage) const { return stage >= 0 && stage <= 6 && flag_on(checktwo, stage + 15); }
bool ClockPlan::hasStageLooks() const { return flag_on(checkthree, 1); }
bool ClockPlan::showsWeekday() const { return flag_on(checkthree, 2); }
bool ClockPlan::showsScrollingText() const { return flag_on(checkthree, 3); }
bool ClockPlan::centresTitle() const { return flag_on(checkthree, 4); }
bool ClockPlan::centresSubtitle() const { return flag_on(checkthree, 5); }
bool ClockPlan::wantsOvertimeClock() const { return flag_on(checkfour, 1); }
bool ClockPlan::endTextOnClock() const { return flag_on(checkfour, 2); }
bool ClockPlan::restartsAfterDelay() const { return flag_on(checkfour, 3); }
int ClockPlan::timeFormat() const { return flag_value(combolist, 1); }
int ClockPlan::timingMode() const { return flag_value(combolist, 2); }
int ClockPlan::overtimeAction() const { return flag_value(combolist, 3); }
bool ClockPlan::showsOvertimeClock() const
{
    return combolist.mid(2, 1) == QLatin1String("0") && wantsOvertimeClock();
}

} // namespace orvalen
