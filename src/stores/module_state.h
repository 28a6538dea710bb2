#pragma once
#include "stores/clock_plan.h"

#include <QDateTime>
#include <QString>
#include <QTime>

namespace orvalen {

// What the statistics row of a run is made of. A count banks its counted
// times here when it pauses or ends.
struct RunRecord {
    QTime setTime{0, 0};         // the plan's length; a long-term run: the time of day of its set-up
    QDateTime setUpInstant;      // a long-term run's set-up, to the second (none for a count)
    qint64 countedDownMs = 0;    // count-down time
    qint64 countedUpMs = 0;      // count-up or overtime time
    qint64 pausedMs = 0;         // time spent paused
    QString label = QStringLiteral("0"); // the run label; empty: the time the row is written
    bool operator==(const RunRecord&) const = default;
};

// Program-wide values kept in module storage: the current plan and the run
// values the set-ups write and the ticks read.
struct ModuleState {
    ClockPlan clock_plan;               // the current plan
    qint32 plan_length_seconds = 0;
    qint64 plan_length_ms = 0;
    qint64 start_reference_ms = 0;      // in milliseconds of the clock source
    QTime start_time_of_day;            // time of day, in whole seconds, at the count's start (or its last pause)
    int restart_seconds_left = 0;       // seconds left before a delayed restart
    int full_screen_width_px = 0;
    int full_screen_height_px = 0;
    int selected_element = 0;           // element-menu numbering (6 overtime clock, 7 logo)
    int bigClockText = 0;
};

} // namespace orvalen
