#pragma once
#include "stores/clock_plan.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace orvalen {

// A long-term plan whose target date is this one has no target: the
// display is a live date and clock.
inline const QDate kNoTargetDate{2000, 1, 1};

// Where a long-term plan counts to.
struct LongTermTarget {
    QDateTime instant;  // local date and time of the target; invalid for the live clock
    bool live = false;  // no target date: live date and clock
    QString problem;    // why the plan's date or time could not be used as it stands
};

// The target of a plan: the date of `time_date` at the time of day of
// `Time_all`, in local time. A date that is missing or malformed, before
// 2000 or more than 100 years after `today` counts as no target date (the
// live clock), with the reason in `problem`; so does 2000-01-01 itself,
// without a problem. A malformed time of day counts as midnight.
LongTermTarget longTermTarget(const QDate& time_date, const QTime& Time_all, const QDate& today);

// Whole seconds from `now` to `target`: the number of second boundaries
// crossed, positive while the target lies ahead.
qint64 remainingSeconds(const QDateTime& now, const QDateTime& target);

// The texts of the date line and of the clock in one of the six long-term
// formats (see TimeFormat). `known` is false for a value outside the six,
// whose texts are empty.
struct LongTermTexts {
    QString dateLine;
    QString clock;
    bool known = false;
};

// A count-down with `remaining` seconds to go (negative counts as 0): the
// date line is the whole days and "天", the clock the rest.
LongTermTexts countdownTexts(qint64 remaining, TimeFormat format);
// The live date and clock at `now`: "YYYY年MM月DD日" for the first three
// formats, "YYYY-MM-DD" for the day formats, and the time of day.
LongTermTexts liveTexts(const QDateTime& now, TimeFormat format);

// The text form of a target instant as the run label (empty when invalid).
QString runRecordInstantText(const QDateTime& instant);

} // namespace orvalen

namespace orvalen {

struct ClockPlan;

// The target of the current plan (see longTermTarget), writing one log
// line when the plan's date or time is unusable: once per plan value, not
// at every tick.
class LongTermTargetReader {
public:
    LongTermTarget read(const ClockPlan& plan, const QDate& today);

private:
    QString m_lastProblem;
};

} // namespace orvalen
