#pragma once
#include "platform/engine_timer.h"
#include "stores/stage.h"

#include <QString>
#include <memory>

namespace orvalen {

struct AppContext;
class CountSession;
class CountView;
class CurrentPlan;
struct HostState;

// The engine's timers, made by the context's timer factory. Only the ticks
// and set-ups of the count run on them; the display keeps its scrolling-text
// and prompt ticks.
struct EngineTimers {
    explicit EngineTimers(TimerFactory& factory);
    ~EngineTimers();
    EngineTimers(const EngineTimers&) = delete;
    EngineTimers& operator=(const EngineTimers&) = delete;

    // True while a count tick (countdownTick or countupTick) runs.
    bool isCounting() const { return countdownTick->isEnabled() || countupTick->isEnabled(); }
    // Both count ticks off.
    void stopCounting();

    std::unique_ptr<EngineTimer> countdownTick;   // count-down tick, on each second of the count
    std::unique_ptr<EngineTimer> countupTick;     // count-up / overtime tick, on each second of the count
    std::unique_ptr<EngineTimer> blinkTick;       // clock blink (1000, then 490)
    std::unique_ptr<EngineTimer> countSetup;      // count set-up (a queued call)
    std::unique_ptr<EngineTimer> clockSetup;      // long-term set-up (a queued call)
    std::unique_ptr<EngineTimer> longTermTick;    // long-term tick (at once, then on each second)
    std::unique_ptr<EngineTimer> restartTick;     // delayed restart (1000)
    std::unique_ptr<EngineTimer> networkTimeTick; // network time (60000)

    // Half-periods the blink tick still hides or shows the clock.
    int blinksLeft = 0;
};

// What the parts of the engine share: the program's context, the run state,
// the current plan, the count session, the view of the display and the
// engine's timers.
struct EngineContext {
    AppContext& app;
    HostState& host;
    CurrentPlan& plan;
    CountSession& session;
    CountView& view;
    EngineTimers& timers;

    // A sound of the program folder's sounds/ (its path there when absent).
    QString soundPath(const QString& name) const;
    // The cue of a stage: the run's stage, its prompt, blink, look and sound. An alarm or overtime
    // that the plan switches off changes only the stage code and the
    // prompt; the overtime and the end stop the final count-down's sound
    // whatever the plan says. The final count-down of a continuous
    // reminder blinks for `finalSeconds` and loops its sound.
    void stageCue(Stage stage, int finalSeconds = 0) const;
    // The cue without its sound, and the sound alone: the start of a count
    // plays its sound from the first tick, once the count's next tick is
    // armed.
    void stageLooks(Stage stage, int finalSeconds = 0) const;
    void stageSound(Stage stage) const;
};

} // namespace orvalen
