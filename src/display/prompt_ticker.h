#pragma once
#include "display/ticker.h"

#include <functional>

namespace orvalen {

// The stage prompt's tick ("promptTick"): from the start of a stage it
// shows the stage's text at each tick, and stops after the fourth.
class PromptTicker final : public Ticker {
public:
    PromptTicker(TimerFactory& timers, std::function<void()> show);

    // Starts the count of ticks again (a new stage).
    void rewind() { m_ticksLeft = 3; }
    int ticksLeft() const { return m_ticksLeft; }
    void setInterval(int ms);
    // The prompt shows; the tick stops after the last.
    void tick() override;

private:
    std::function<void()> m_show;
    int m_ticksLeft = 0;
};

} // namespace orvalen
