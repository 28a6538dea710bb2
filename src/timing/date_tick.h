#pragma once
#include "timing/engine_context.h"

#include <QString>

namespace orvalen {

class Clock;
class LongTermTargetReader;
class RunCommands;

// The tick of the long-term display (longTermTick). Its first shot comes as soon
// as it is enabled; then it re-arms itself as a single shot just after each
// whole second of its clock, so the digits change with the second. It works
// the whole picture out again from the clock at every tick: the days and the
// time left to the plan's target, or the live date and clock when the plan
// has no target date. When the target has passed, or when a stop command
// runs it, it ends the run: the end text on the clock, the
// statistics row, the timers off and the finished menus. It also wakes the
// network time calibration (networkTimeTick) and, while "显示星期" is checked,
// keeps the weekday on the prompt line.
class DateTick {
public:
    DateTick(const EngineContext& engine, RunCommands& commands, const Clock& clock,
             LongTermTargetReader& targets);

    void advanceLongTerm();
    // The clock was stepped (a calibration moved it): shows the new time at
    // once and re-arms on the new second.
    void clockStepped();
    // Forgets what the clock panel shows, so the next tick paints it (the
    // set-up calls this after it styled the clock).
    void repaintNextTick() { m_painted.clear(); }

private:
    void showClock(const QString& text);
    void endActions();
    void showWeekday();
    void armNextSecond();

    EngineContext m_engine;
    RunCommands& m_commands;
    const Clock& m_clock;
    LongTermTargetReader& m_targets;
    QString m_painted; // the clock text last painted by this tick
    bool m_ended = false; // the last tick ended the run (the timer stays off)
};

} // namespace orvalen
