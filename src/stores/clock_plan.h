#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>

namespace orvalen {

// One timing plan: 51 fields in a fixed order. The same order is the order
// of the registry values of the current plan and of columns 3..53 of a
// deskclock row.
struct ClockPlan {
    // 0-5: length, alarms 1-3, seconds count-down, overtime limit
    QTime Time_all{0, 1, 0};
    QTime Time_one{0, 0, 50};
    QTime Time_two{0, 0, 40};
    QTime Time_three{0, 0, 30};
    QTime Time_four{0, 0, 20};
    QTime Time_five{0, 0, 10};
    QDate time_date;                 // 6: target date of a long-term plan
    QString checkone = "1111110";    // 7
    QString checktwo = "111111111111111111111"; // 8
    std::array<QString, 7> stageText{"开始计时", "阶段一", "阶段二", "阶段三", "读秒", "已超时", "时间到"}; // 9-15
    std::array<QString, 7> stageMusic{"alarm.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav",
                                      "Timeout.wav", "Timeout.wav", "Stop.wav"}; // 16-22
    QString firstfont = "新宋体";      // 23
    QString firstcolour = "-2147483640"; // 24
    QString firsttext = "中层干部年终述职考评会"; // 25
    QString secondfont = "新宋体";     // 26
    QString secondcolour = "-2147483640"; // 27
    QString secondtext;               // 28
    QString clockFont = "新宋体";      // 29
    QString clockcolour = "-2147483640"; // 30
    QString background = "-2147483643\\1.jpg"; // 31
    QString stagefont = "新宋体";      // 32
    QString stagecolour = "-2147483640"; // 33
    QString textfont = "新宋体";       // 34
    QString textcolour = "-2147483640"; // 35
    QString rollfont = "新宋体";       // 36
    QString rollcolour = "-2147483640"; // 37
    QString sizethree = "90/80/150/100/30/30/"; // 38
    QString checkthree = "011111";    // 39
    QString checkfour = "0000";       // 40
    QString combolist = "100";        // 41
    QString logopicture;              // 42
    qint16 tixingtime = 5;            // 43
    // 44-50: per stage "time colour\background colour\background picture"
    std::array<QString, 7> highset{"0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg",
                                   "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg",
                                   "0\\65535\\", "0\\65535\\", "0\\255\\"};

    // The default plan, with today's date as target date.
    static ClockPlan defaults(const QDate& today);

    // The 51 value names in field order.
    static const QStringList& fieldNames();
    static constexpr int kFieldCount = 51;
    // Index of a field name (exact spelling), or -1.
    static int fieldIndex(const QString& name);
    // True for the fields kept as plain text (not a time, the date or
    // tixingtime).
    static bool isTextField(int index);

    // Field i (0..50) as its stored text: times "hh:mm:ss", the date
    // "yyyy-MM-dd", tixingtime as decimal text.
    QString fieldText(int index) const;
    // Sets field i from its stored text. A time or date or number that does
    // not convert leaves the field unchanged and returns false.
    // tixingtime is read as a whole number; one beyond 16 bits is held at
    // 0..32767 instead of overflowing.
    bool setFieldText(int index, const QString& text);
    void setTixingtime(qint64 seconds);

    // --- the flag digits, read by name --------------------------------------
    // The flag strings stay as stored; these read their digits. Stage
    // numbers: 0 start, 1..3 alarms, 4 seconds count-down, 5 overtime, 6 end.
    //
    // checkone: digit 1 continuous reminder, 2..6 stages 1..5 switched on,
    // 7 long-term plan (counts to time_date + Time_all).
    bool continuousReminder() const;
    bool stageOn(int stage) const;              // stages 1..5
    bool isLongTerm() const;
    // checktwo: digits 1..7 show the prompt text of stage 0..6, 8..14 play
    // the sound of stage 0..6, 15..21 blink the clock at stage 0..6.
    bool showsPromptAt(int stage) const;
    bool playsSoundAt(int stage) const;
    bool blinksAt(int stage) const;
    // checkthree: digit 1 per-stage colours and backgrounds (highset),
    // 2 weekday in the date line, 3 scrolling text shown, 4 title centred,
    // 5 subtitle centred (either also centres the clock), 6 unused here.
    bool hasStageLooks() const;
    bool showsWeekday() const;
    bool showsScrollingText() const;
    bool centresTitle() const;
    bool centresSubtitle() const;
    // checkfour: digit 1 overtime clock wanted, 2 the end shows the end text
    // on the clock, 3 restart after a delay (reset or next-plan end),
    // 4 custom logo size.
    bool wantsOvertimeClock() const;
    bool endTextOnClock() const;
    bool restartsAfterDelay() const;
    // combolist: digit 1 time format, 2 timing mode (0 count-down, 1 count-up,
    // 2 time of day), 3 overtime action (0 count on, 1 stop, 2 reset,
    // 3 next plan). A digit that is missing or not a digit reads as 0.
    int timeFormat() const;
    int timingMode() const;
    int overtimeAction() const;
    // The overtime clock is on screen: overtime action "0" stored as such,
    // and the overtime clock wanted.
    bool showsOvertimeClock() const;

    bool operator==(const ClockPlan&) const = default;
};

// Digit d (1-based) of a flag string: "1" = on. A digit past the end is off.
bool flag_on(const QString& flags, int digit);
// Numeric value of digit d (1-based); empty or not a digit counts as 0.
int flag_value(const QString& flags, int digit);

} // namespace orvalen
