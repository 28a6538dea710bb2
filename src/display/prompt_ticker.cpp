#include "display/prompt_ticker.h"

#include "platform/engine_timer.h"

namespace orvalen {

PromptTicker::PromptTicker(TimerFactory& timers, std::function<void()> show)
    : m_timer(timers.create(QStringLiteral("promptTick"))), m_show(std::move(show))
{
    m_timer->setInterval(1000);
    m_timer->setEnabled(false);
    m_timer->setHandler([this] { tick(); });
}

PromptTicker::~PromptTicker()
{
    m_timer->setEnabled(false);
    m_timer->setHandler({});
}

void PromptTicker::setRunning(bool on)
{
    m_timer->setEnabled(on);
}

bool PromptTicker::isRunning() const
{
    return m_timer->isEnabled();
}

void PromptTicker::setInterval(int ms)
{
    m_timer->setInterval(ms);
}

void PromptTicker::tick()
{
    m_show();
    if (m_ticksLeft <= 0)
        m_timer->setEnabled(false);
    m_ticksLeft -= 1;
}

} // namespace orvalen
