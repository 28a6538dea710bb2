#pragma once
#include "stores/plan_colour.h"
#include "stores/stage.h"
#include "stores/style_slot.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <optional>

namespace orvalen {

// The time format: an entry of the format list, whose texts depend on the
// plan. A count offers 秒 / 分:秒 / 时:分:秒, the time of day 时:分:秒 /
// 时:分 / 时:分:秒, a long-term plan its six day formats.
enum class TimeFormat : int {
    Seconds = 0,             // long-term: "d天 hh时mm分ss秒"
    MinutesSeconds = 1,      // long-term: "d天 hh时mm分"; the time of day: hh:mm
    HoursMinutesSeconds = 2, // long-term: "d天"
    DaysClock = 3,           // long-term only: "d hh:mm:ss"
    DaysHoursMinutes = 4,    // long-term only: "d hh:mm"
    DaysMinutesSeconds = 5,  // long-term only: "d mm:ss"
};
constexpr int kTimeFormatCount = 6;

// What the clock counts: down from the plan's length, up from zero, or it
// shows the time of day.
enum class TimingMode : int { CountDown = 0, CountUp = 1, TimeOfDay = 2 };
constexpr int kTimingModeCount = 3;

// What happens when the plan's length has run out: the count goes on into
// overtime, stops, starts again, or the next saved plan starts.
enum class OvertimeAction : int { CountOn = 0, Stop = 1, Reset = 2, NextPlan = 3 };
constexpr int kOvertimeActionCount = 4;

// A display switch: off, on, or greyed (a box stored greyed, which runs as
// off and is stored back greyed while it stays off).
enum class Switch { Off, On, Greyed };
constexpr bool isOn(Switch s) { return s == Switch::On; }
constexpr Switch switchOf(bool on) { return on ? Switch::On : Switch::Off; }

// The entry of a choice in the list that offers it (the lists follow the
// order of the enums).
constexpr int listIndex(TimeFormat format) { return static_cast<int>(format); }
constexpr int listIndex(TimingMode mode) { return static_cast<int>(mode); }
constexpr int listIndex(OvertimeAction action) { return static_cast<int>(action); }

// The look of the display in one stage, used when the plan has per-stage
// looks (ClockPlan::stageLooks).
struct StageLook {
    PlanColour timeColour;
    PlanColour backgroundColour;
    QString backgroundPicture; // a file in picture/, or empty

    bool operator==(const StageLook&) const = default;
};

// One stage of a plan and its cue.
struct PlanStage {
    // The timed stages can be switched off; the start and the end are always on.
    bool on = true;
    QString prompt;          // the prompt text
    QString sound;           // a file in sounds/
    bool showsPrompt = true; // the prompt text is shown
    bool playsSound = true;  // the sound is played
    bool blinks = true;      // the clock blinks
    StageLook look;

    bool operator==(const PlanStage&) const = default;
};

// The stored texts of the fields that hold several values, as they were
// read. Writing a plan back keeps every digit or part of these texts that
// still reads as the plan's value (an unknown digit, a damaged part, a
// short flag text), so a plan read and written unchanged is stored as it
// was. A plan made here has none and is written in full.
struct PlanStoredTexts {
    std::optional<QString> checkone, checktwo, checkthree, checkfour, combolist, sizethree, background;
    PerStage<std::optional<QString>> highset;

    // Not part of a plan's value: two plans with the same values are equal
    // however their texts were stored.
    bool operator==(const PlanStoredTexts&) const { return true; }
};

// The largest point size a text is drawn at.
inline constexpr double kLargestFontSize = 2048;

// An entry of a plan's size list as a font size in points: a plain decimal
// number ("90", "10.5", blanks around it allowed) above 0 and at most 2048.
// Any other entry ("abc", "1e999", "99999999999", "", "-5", "0") is no size
// the plan can read: it is kept as stored and the display draws its text at
// the display's own size. The one rule for the display and the editor alike.
std::optional<double> fontSizeOfText(const QString& entry);

// One timing plan, as the program uses it. plan_codec reads it from and
// writes it to its stored forms (a deskclock row, the registry values).
struct ClockPlan {
    // Length, alarms 1-3, seconds count-down, overtime limit.
    QTime Time_all{0, 1, 0};
    QTime Time_one{0, 0, 50};
    QTime Time_two{0, 0, 40};
    QTime Time_three{0, 0, 30};
    QTime Time_four{0, 0, 20};
    QTime Time_five{0, 0, 10};
    QDate time_date; // target date of a long-term plan

    PerStage<PlanStage> stages = defaultStages();
    bool continuousReminder = true; // the seconds count-down keeps reminding
    bool longTerm = false;          // counts to time_date + Time_all

    // The display elements: main title, subtitle, clock (and overtime
    // clock), date line, prompt line, scrolling text.
    QString firstfont = "新宋体";
    PlanColour firstcolour{"-2147483640"};
    QString firsttext = "中层干部年终述职考评会";
    QString secondfont = "新宋体";
    PlanColour secondcolour{"-2147483640"};
    QString secondtext;
    QString clockFont = "新宋体";
    PlanColour clockcolour{"-2147483640"};
    QString stagefont = "新宋体";
    PlanColour stagecolour{"-2147483640"};
    QString textfont = "新宋体";
    PlanColour textcolour{"-2147483640"};
    QString rollfont = "新宋体";
    PlanColour rollcolour{"-2147483640"};
    // The entries of the size list, one per style slot (the clocks share
    // one), as stored: an entry is read by fontSize(), and one the plan
    // cannot read stays as it was stored until a size replaces it. A missing
    // entry of an incomplete list is "".
    PerSlot<QString> fontSizeTexts{{"90", "80", "150", "100", "30", "30"}};
    // The stored size list held exactly six entries, each closed by "/".
    bool fontSizesComplete = true;

    // The background when the plan has no per-stage looks.
    PlanColour backgroundColour{"-2147483643"};
    QString backgroundPicture = "1.jpg";

    // Display switches.
    Switch stageLooks = Switch::Off;         // per-stage colours and backgrounds
    Switch showsWeekday = Switch::On;        // the weekday in the date line
    Switch showsScrollingText = Switch::On;
    Switch centresTitle = Switch::On;        // either centring also centres the clock
    Switch centresSubtitle = Switch::On;
    Switch centresThird = Switch::On;        // the third centring option: kept, used by nothing
    Switch wantsOvertimeClock = Switch::Off; // the overtime clock, when the count goes on
    Switch endTextOnClock = Switch::Off;     // the end shows the end prompt on the clock
    Switch restartsAfterDelay = Switch::Off; // a reset or next-plan end waits before it starts
    Switch customLogoSize = Switch::Off;

    TimeFormat timeFormat = TimeFormat::MinutesSeconds;
    TimingMode timingMode = TimingMode::CountDown;
    OvertimeAction overtimeAction = OvertimeAction::CountOn;

    QString logopicture;
    qint16 tixingtime = 5; // reminder (blink) length in seconds

    PlanStoredTexts stored;

    // The default plan, with today's date as target date.
    static ClockPlan defaults(const QDate& today);
    static PerStage<PlanStage> defaultStages();

    // An incomplete size list is replaced as a whole by the sizes the editor
    // and the element menu fall back to (80/50/100/50/30/30).
    void completeFontSizes();
    // Sets a slot's font size as its shortest decimal text ("36", "10.5"),
    // completing the list first.
    void setFontSize(StyleSlot slot, double size);

    // Holds a stored 32-bit value at 0..32767 instead of overflowing.
    void setTixingtime(qint64 seconds);

    // A timed stage switched on; false for the start and the end.
    bool stageOn(Stage stage) const;
    // The cue of a stage.
    bool showsPromptAt(Stage stage) const;
    bool playsSoundAt(Stage stage) const;
    bool blinksAt(Stage stage) const;
    // The time of a timed stage: Time_one .. Time_four before zero for the
    // alarms, Time_five (the overtime limit) past zero for overtime. The
    // start and the end have no time of their own: Time_all.
    const QTime& timeOf(Stage stage) const;
    QTime& timeOf(Stage stage);
    // The overtime clock is on screen: the count goes on into overtime and
    // the overtime clock is wanted.
    bool showsOvertimeClock() const;
    // A slot's font size when the plan can read it (fontSizeOfText).
    std::optional<double> fontSize(StyleSlot slot) const;

    bool operator==(const ClockPlan&) const = default;
};

} // namespace orvalen
