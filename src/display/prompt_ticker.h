#pragma once
#include <functional>
#include <memory>

namespace orvalen {

class EngineTimer;
class TimerFactory;

// The stage prompt's tick ("promptTick"): from the start of a stage it
// shows the stage's text at each tick, and stops after the fourth.
class PromptTicker {
public:
    PromptTicker(TimerFactory& timers, std::function<void()> show);
    ~PromptTicker();
    PromptTicker(const PromptTicker&) = delete;
    PromptTicker& operator=(const PromptTicker&) = delete;

    // Starts the count of ticks again (a new stage).
    void rewind() { m_ticksLeft = 3; }
    int ticksLeft() const { return m_ticksLeft; }
    void setRunning(bool on);
    bool isRunning() const;
    void setInterval(int ms);
    // One tick now: the prompt shows, and the tick stops after the last.
    void tick();

private:
    std::unique_ptr<EngineTimer> m_timer;
    std::function<void()> m_show;
    int m_ticksLeft = 0;
};

} // namespace orvalen
