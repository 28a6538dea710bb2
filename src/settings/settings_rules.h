#pragma once
#include "stores/clock_plan.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>
#include <vector>

namespace orvalen {

// The number a field's text starts with, read digit by digit. A run of digits
// too long for 32 bits saturates at INT_MAX instead of wrapping, so a pasted
// "99999999999" is out of every range. nullopt when the text does not start
// with a digit (an empty text included).
std::optional<int> leadingDigits(const QString& text);
// The whole text as a number when it is only digits; nullopt otherwise.
std::optional<int> wholeDigits(const QString& text);

// The last day of the month of `day` ("now"), or the last day of the month
// before it ("before").
enum class MonthOf { Now, Before };
QDate monthLastDay(const QDate& day, MonthOf which);

// The three lists of the time-format box.
const QStringList& countFormatList();
const QStringList& systemTimeFormatList();
const QStringList& dayFormatList();
// The entries of a font-size list: the titles and the date line 50..230 by
// 5, the clock 100..450 by 10, the prompt and the scrolling text 30..120 by 5.
QStringList sizeList(StyleSlot slot);
// Font size of entry `index` of a slot's size list.
int sizeAt(StyleSlot slot, int index);

// One check of the reminder times before a plan is applied.
struct ReminderInput {
    std::array<QTime, 5> times;          // Time_all, Time_one .. Time_four
    std::array<bool, 4> stageUsed{};     // stages 1..4 ticked
    int duration = 0;                    // reminder duration n in seconds
};
// The messages apply shows, in order: one duplicate message (and nothing
// else), or the gap and last-reminder messages. Empty when the times pass.
QStringList reminderProblems(const ReminderInput& in);

// The time preview of the layout editor from a plan's length and its format
// and mode digits; `now` is the time of day for the system-time mode.
QString timePreviewText(const ClockPlan& plan, const QTime& now);

// Hotkey capture: the field text for a key press (modifier flags as held, the
// key's name or "" when it has none).
QString hotkeyCaptureText(bool shift, bool ctrl, bool alt, const QString& keyName);

// The n-th name tried when a file is copied into a folder: `name` itself for
// n <= 1, then "stem(2).ext", "stem(3).ext", ...
QString numberedFileName(const QString& name, int n);

} // namespace orvalen
