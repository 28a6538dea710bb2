#include "display/ticker.h"

#include "platform/engine_timer.h"

namespace orvalen {

Ticker::Ticker(TimerFactory& timers, const QString& name) : m_timer(timers.create(name))
{
    m_timer->setInterval(1000);
    m_timer->setEnabled(false);
    m_timer->setHandler([this] { tick(); });
}

Ticker::~Ticker()
{
    m_timer->setEnabled(false);
    m_timer->setHandler({});
}

void Ticker::setRunning(bool on)
{
    m_timer->setEnabled(on);
}

bool Ticker::isRunning() const
{
    return m_timer->isEnabled();
}

} // namespace orvalen
