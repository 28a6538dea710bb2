#pragma once
#include "stores/clock_plan.h"
#include "timing/engine_context.h"
#include "timing/stage_tracker.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace orvalen {

class EngineTimer;
class RunCommands;
struct ClockPlan;

// The count engine: the count-mode set-up (countSetup), the count-down tick
// with its stage changes and the end of a count-down (countdownTick), the
// count-up and overtime tick (countupTick) and the clock blink (blinkTick).
// It installs those handlers on the engine's timers when it is made and
// removes them when it goes. It shows what it counts through the view.
//
// The count ticks are single shots re-armed from the monotonic clock so that
// each fires just after the count crosses a whole second: the digits change
// on time and no second is shown twice or skipped.
class CountEngine {
public:
    CountEngine(const EngineContext& engine, RunCommands& commands);
    ~CountEngine();
    CountEngine(const CountEngine&) = delete;
    CountEngine& operator=(const CountEngine&) = delete;

    // Milliseconds the current count has run, by the clock source of the
    // menu host, plus what was banked before the last pause. "countdownTick" for
    // the count-down tick, "countupTick" for the count-up tick (200 ms ahead on
    // clock source 0); any other name gives 0. When the start time of a
    // clock-source-2 count cannot be read, it gives 0 and the stored
    // clockmode moves on to the next source for the next program start.
    qint64 countedMs(const QString& timerName);

    // Shows a count (milliseconds) on the clock, or on the overtime clock
    // while the count-up tick runs an overtime that has its own clock, in
    // the plan's time format, and repaints that panel.
    void showCount(qint64 countMs);

    // The timer handlers.
    void advanceCountdown(); // count-down tick
    void toggleBlink(); // blink
    void advanceCountup(); // count-up / overtime tick
    void setUpCount(); // count-mode set-up

    // How long after a whole second of the count the tick fires.
    static constexpr int kTickLagMs = 2;

private:
    // set-up
    void stopTicksLeftRunning();
    void startCount(TimingMode mode);

    // count-down
    void stageChange(Stage stage);
    void endOfCountdown();
    void startOvertime();
    void endStage(OvertimeAction action);
    void recordRunAndStopTicks();

    // shared
    void armTick(EngineTimer& timer, qint64 countMs);
    // The start sound of a run, from its first tick (after the next tick
    // is armed); a run ended before its first tick has none.
    void startSoundOnFirstTick(bool runGoesOn);
    TimingMode timingMode() const;
    const ClockPlan& plan() const;

    EngineContext m_engine;
    EngineTimers& m_timers;
    RunCommands& m_commands;
    StageTracker m_stages;
    PerStage<int> m_stageSeconds{};      // whole seconds of the timed stages' times
    bool m_startSoundDue = false;        // set up, its first tick still to come
};

} // namespace orvalen
