#include "stores/plan_codec.h"

#include "platform/text_path.h"

#include <functional>

namespace orvalen::plan_codec {

namespace {

// Field numbers of the stored order.
enum Field : int {
    kTimeAll = 0, kTimeFive = 5, kTimeDate = 6, kCheckone = 7, kChecktwo = 8, kTextStart = 9, kTextEnd = 15,
    kMusicStart = 16, kMusicEnd = 22, kFirstfont = 23, kFirstcolour, kFirsttext, kSecondfont, kSecondcolour,
    kSecondtext, kClockFont, kClockcolour, kBackground, kStagefont, kStagecolour, kTextfont, kTextcolour,
    kRollfont, kRollcolour, kSizethree, kCheckthree, kCheckfour, kCombolist, kLogopicture, kTixingtime,
    kHighsetStart, kHighsetEnd = 50
};
static_assert(kTixingtime == kTixingtimeField && kHighsetEnd + 1 == kFieldCount);

enum class Kind { Time, Date, Text, Int16 };

Kind kindOf(int index)
{
    if (index >= kTimeAll && index <= kTimeFive)
        return Kind::Time;
    if (index == kTimeDate)
        return Kind::Date;
    if (index == kTixingtime)
        return Kind::Int16;
    return Kind::Text;
}

// Reads a stored time of day: "hh:mm:ss" as written, also "h:mm:ss", "h:mm"
// and a date-time text whose date part is ignored.
QTime parseTime(const QString& stored)
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
QDate parseDate(const QString& stored)
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
auto* timeField(Plan& p, int index)
{
    decltype(&p.Time_all) fields[] = {&p.Time_all, &p.Time_one, &p.Time_two, &p.Time_three, &p.Time_four, &p.Time_five};
    return fields[index];
}

// The plain text fields.
template <class Plan>
auto* textField(Plan& p, int index)
{
    using Ptr = decltype(&p.firstfont);
    if (index >= kTextStart && index <= kTextEnd)
        return &p.stages[size_t(index - kTextStart)].prompt;
    if (index >= kMusicStart && index <= kMusicEnd)
        return &p.stages[size_t(index - kMusicStart)].sound;
    switch (index) {
    case kFirstfont: return &p.firstfont;
    case kFirsttext: return &p.firsttext;
    case kSecondfont: return &p.secondfont;
    case kSecondtext: return &p.secondtext;
    case kClockFont: return &p.clockFont;
    case kStagefont: return &p.stagefont;
    case kTextfont: return &p.textfont;
    case kRollfont: return &p.rollfont;
    case kLogopicture: return &p.logopicture;
    default: return Ptr(nullptr);
    }
}

template <class Plan>
auto* colourField(Plan& p, int index)
{
    using Ptr = decltype(&p.firstcolour);
    switch (index) {
    case kFirstcolour: return &p.firstcolour;
    case kSecondcolour: return &p.secondcolour;
    case kClockcolour: return &p.clockcolour;
    case kStagecolour: return &p.stagecolour;
    case kTextcolour: return &p.textcolour;
    case kRollcolour: return &p.rollcolour;
    default: return Ptr(nullptr);
    }
}

// --- texts of several values ---------------------------------------------
//
// A flag text is a row of digits, the size list and the looks are parts
// joined by "/" or "\". Each is read into the plan's values and kept as it
// was stored. Writing puts the values over the kept parts: a part that
// still reads as its value stays as stored; any other is written anew, and
// a missing part is added only when its value differs from what a missing
// part reads as.

using Parts = QStringList;

Parts digitsOf(const QString& text)
{
    Parts parts;
    for (const QChar c : text)
        parts << QString(c);
    return parts;
}

// `wanted`: the written form of each value; `written(part)`: the written
// form of the value a stored part (or a missing one, nullptr) reads as.
Parts overlay(const std::optional<QString>& kept, Parts keptParts, const Parts& wanted,
              const std::function<QString(int, const QString*)>& written)
{
    if (!kept)
        return wanted;
    Parts out = std::move(keptParts);
    for (int i = 0; i < int(wanted.size()); ++i) {
        const QString* part = i < out.size() ? &out[i] : nullptr;
        if (written(i, part) == wanted[i])
            continue;
        while (out.size() <= i)
            out << wanted[out.size()];
        out[i] = wanted[i];
    }
    return out;
}

// The parts of a kept text split at `separator`, with the wanted texts over
// them: a part stays while it is the wanted text.
Parts overParts(const std::optional<QString>& kept, const Parts& wanted, QChar separator)
{
    return overlay(kept, kept.value_or(QString()).split(separator), wanted,
                   [](int, const QString* part) { return part ? *part : QString(); });
}

// A flag digit is on when it is "1".
bool flagOn(const QString* part)
{
    return part && *part == QLatin1String("1");
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The on/off flags of checkone and checktwo, digit by digit.
template <class Plan>
auto flagsOf(Plan& p, int field)
{
    std::vector<decltype(&p.longTerm)> flags;
    if (field == kCheckone) {
        flags.push_back(&p.continuousReminder);
        for (Stage stage : kTimedStages)
            flags.push_back(&p.stages[stage].on);
        flags.push_back(&p.longTerm);
    } else if (field == kChecktwo) {
        for (auto member : {&PlanStage::showsPrompt, &PlanStage::playsSound, &PlanStage::blinks})
            for (auto& stage : p.stages)
                flags.push_back(&(stage.*member));
    }
    return flags;
}

// The display switches of checkthree and checkfour, digit by digit.
template <class Plan>
auto switchesOf(Plan& p, int field)
{
    std::vector<decltype(&p.stageLooks)> switches;
    if (field == kCheckthree)
        switches = {&p.stageLooks, &p.showsWeekday, &p.showsScrollingText, &p.centresTitle, &p.centresSubtitle,
                    &p.centresThird};
    else if (field == kCheckfour)
        switches = {&p.wantsOvertimeClock, &p.endTextOnClock, &p.restartsAfterDelay, &p.customLogoSize};
    return switches;
}

// A switch digit: "1" on, "2" a greyed box, anything else off.
Switch switchOfDigit(const QString* part)
{
    if (flagOn(part))
        return Switch::On;
    return part && *part == QLatin1String("2") ? Switch::Greyed : Switch::Off;
}

template <class Plan>
auto* storedFlagText(Plan& p, int field)
{
    switch (field) {
    case kCheckone: return &p.stored.checkone;
    case kChecktwo: return &p.stored.checktwo;
    case kCheckthree: return &p.stored.checkthree;
    default: return &p.stored.checkfour;
    }
}

bool isFlagField(int field)
{
    return field == kCheckone || field == kChecktwo || field == kCheckthree || field == kCheckfour;
}

void readFlags(ClockPlan& plan, int field, const QString& text)
{
    const Parts parts = digitsOf(text);
    auto part = [&](size_t i) { return int(i) < parts.size() ? &parts[qsizetype(i)] : nullptr; };
    const auto flags = flagsOf(plan, field);
    for (size_t i = 0; i < flags.size(); ++i)
        *flags[i] = flagOn(part(i));
    const auto switches = switchesOf(plan, field);
    for (size_t i = 0; i < switches.size(); ++i)
        *switches[i] = switchOfDigit(part(i));
    *storedFlagText(plan, field) = text;
}

// Every flag and switch is written by whether it is on: a greyed switch is
// written as off, so a stored greyed digit stays while its switch is not on.
QString writeFlags(const ClockPlan& plan, int field)
{
    Parts wanted;
    for (const bool* on : flagsOf(plan, field))
        wanted << flagText(*on);
    for (const Switch* s : switchesOf(plan, field))
        wanted << flagText(isOn(*s));
    const std::optional<QString>& kept = *storedFlagText(plan, field);
    return overlay(kept, digitsOf(kept.value_or(QString())), wanted,
                   [](int, const QString* part) { return flagText(flagOn(part)); })
        .join(QString());
}

// The list choices: time format, timing mode, overtime action. A digit
// outside its list reads as 0, as an unreadable or missing digit does; a
// stored "999" would otherwise freeze the clock. The digits beyond a list
// are written back as "0" (the text is read with them so).
constexpr int kChoiceCounts[3] = {kTimeFormatCount, kTimingModeCount, kOvertimeActionCount};

QString withinListRanges(const QString& stored)
{
    QString out = stored;
    for (int i = 0; i < 3 && i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isDigit() && c.digitValue() >= kChoiceCounts[i])
            out[i] = u'0';
    }
    return out;
}

int choiceOf(const QString* part, int list)
{
    const int v = part ? leadingInt(*part) : 0;
    return v >= 0 && v < kChoiceCounts[list] ? v : 0;
}

std::array<int, 3> choicesOf(const ClockPlan& plan)
{
    return {listIndex(plan.timeFormat), listIndex(plan.timingMode), listIndex(plan.overtimeAction)};
}

// --- font sizes ------------------------------------------------------------

constexpr int kSizeCount = 6;

void readSizes(ClockPlan& plan, const QString& text)
{
    const Parts parts = text.split(u'/');
    for (int i = 0; i < kSizeCount; ++i)
        plan.fontSizeTexts[size_t(i)] = i < parts.size() ? parts.at(i) : QString();
    plan.fontSizesComplete = parts.size() == kSizeCount + 1 && parts.last().isEmpty();
    plan.stored.sizethree = text;
}

QString writeSizes(const ClockPlan& plan)
{
    // Six sizes, each closed by "/" when the list is complete; an incomplete
    // list keeps the shape it was stored with.
    Parts wanted(plan.fontSizeTexts.begin(), plan.fontSizeTexts.end());
    if (plan.fontSizesComplete)
        wanted << QString();
    const auto& kept = plan.stored.sizethree;
    Parts out = overParts(kept, wanted, u'/');
    if (plan.fontSizesComplete) {
        while (out.size() < wanted.size())
            out << wanted[out.size()];
        out = out.mid(0, kSizeCount + 1);
        out.last() = QString();
    }
    return out.join(u'/');
}

// --- the "\"-joined looks --------------------------------------------------

QString partAt(const Parts& parts, int k)
{
    return k < parts.size() ? parts.at(k) : QString();
}

QString writeParts(const std::optional<QString>& kept, const Parts& wanted)
{
    return overParts(kept, wanted, u'\\').join(u'\\');
}

void readLook(StageLook& look, const QString& text)
{
    const Parts parts = text.split(u'\\');
    look.timeColour = PlanColour::fromText(partAt(parts, 0));
    look.backgroundColour = PlanColour::fromText(partAt(parts, 1));
    look.backgroundPicture = partAt(parts, 2);
}

QString writeLook(const StageLook& look, const std::optional<QString>& kept)
{
    return writeParts(kept, {look.timeColour.text, look.backgroundColour.text, look.backgroundPicture});
}

// --- reading and writing the several-value fields ---------------------------

void readCombolist(ClockPlan& p, const QString& stored)
{
    const QString text = withinListRanges(stored);
    const Parts parts = digitsOf(text);
    auto choice = [&](int i) { return choiceOf(i < parts.size() ? &parts[i] : nullptr, i); };
    p.timeFormat = TimeFormat(choice(0));
    p.timingMode = TimingMode(choice(1));
    p.overtimeAction = OvertimeAction(choice(2));
    p.stored.combolist = text;
}

QString writeCombolist(const ClockPlan& p)
{
    Parts wanted;
    for (const int v : choicesOf(p))
        wanted << QString::number(v);
    const auto& kept = p.stored.combolist;
    return overlay(kept, digitsOf(kept.value_or(QString())), wanted,
                   [](int i, const QString* part) { return QString::number(choiceOf(part, i)); })
        .join(QString());
}

void readBackground(ClockPlan& p, const QString& text)
{
    const Parts parts = text.split(u'\\');
    p.backgroundColour = PlanColour::fromText(partAt(parts, 0));
    p.backgroundPicture = partAt(parts, 1);
    p.stored.background = text;
}

} // namespace

void takeSwitchTexts(ClockPlan& into, const ClockPlan& from)
{
    into.stored.checkone = from.stored.checkone;
    into.stored.checkthree = from.stored.checkthree;
    into.stored.checkfour = from.stored.checkfour;
    into.stored.combolist = from.stored.combolist;
}

const QStringList& fieldNames()
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

int fieldIndex(const QString& name)
{
    return int(fieldNames().indexOf(name));
}

bool isTextField(int index)
{
    return index >= 0 && index < kFieldCount && kindOf(index) == Kind::Text;
}

QString fieldText(const ClockPlan& plan, int index)
{
    if (index < 0 || index >= kFieldCount)
        return QString();
    switch (kindOf(index)) {
    case Kind::Time: return timeField(plan, index)->toString(QStringLiteral("HH:mm:ss"));
    case Kind::Date: return plan.time_date.toString(QStringLiteral("yyyy-MM-dd"));
    case Kind::Int16: return QString::number(plan.tixingtime);
    case Kind::Text: break;
    }
    if (const QString* text = textField(plan, index))
        return *text;
    if (const PlanColour* colour = colourField(plan, index))
        return colour->text;
    if (isFlagField(index))
        return writeFlags(plan, index);
    if (index >= kHighsetStart && index <= kHighsetEnd) {
        const size_t k = size_t(index - kHighsetStart);
        return writeLook(plan.stages[k].look, plan.stored.highset[k]);
    }
    switch (index) {
    case kCombolist: return writeCombolist(plan);
    case kSizethree: return writeSizes(plan);
    case kBackground: return writeParts(plan.stored.background, {plan.backgroundColour.text, plan.backgroundPicture});
    default: return QString();
    }
}

QString fieldText(const ClockPlan& plan, const QString& name)
{
    return fieldText(plan, fieldIndex(name));
}

bool setFieldText(ClockPlan& plan, int index, const QString& text)
{
    if (index < 0 || index >= kFieldCount)
        return false;
    switch (kindOf(index)) {
    case Kind::Time: {
        const QTime t = parseTime(text);
        if (!t.isValid())
            return false;
        *timeField(plan, index) = t;
        return true;
    }
    case Kind::Date: {
        const QDate d = parseDate(text);
        if (!d.isValid())
            return false;
        plan.time_date = d;
        return true;
    }
    case Kind::Int16: {
        bool ok = false;
        const qint64 v = text.trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        plan.setTixingtime(v);
        return true;
    }
    case Kind::Text: break;
    }
    if (QString* field = textField(plan, index)) {
        *field = text;
        return true;
    }
    if (PlanColour* colour = colourField(plan, index)) {
        *colour = PlanColour::fromText(text);
        return true;
    }
    if (isFlagField(index)) {
        readFlags(plan, index, text);
        return true;
    }
    if (index >= kHighsetStart && index <= kHighsetEnd) {
        const size_t k = size_t(index - kHighsetStart);
        readLook(plan.stages[k].look, text);
        plan.stored.highset[k] = text;
        return true;
    }
    switch (index) {
    case kCombolist: readCombolist(plan, text); return true;
    case kSizethree: readSizes(plan, text); return true;
    case kBackground: readBackground(plan, text); return true;
    default: return false;
    }
}

bool setFieldText(ClockPlan& plan, const QString& name, const QString& text)
{
    return setFieldText(plan, fieldIndex(name), text);
}

} // namespace orvalen::plan_codec
