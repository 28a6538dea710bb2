#include "display/prompt_ticker.h"

#include "platform/engine_timer.h"

namespace orvalen {

PromptTicker::PromptTicker(TimerFactory& timers, std::function<void()> show)
    : Ticker(timers, QStringLiteral("promptTick")), m_show(std::move(show))
{
}

void PromptTicker::setInterval(int ms)
{
    timer().setInterval(ms);
}

void PromptTicker::tick()
{
    m_show();
    if (m_ticksLeft <= 0)
        setRunning(false);
    m_ticksLeft -= 1;
}

} // namespace orvalen
