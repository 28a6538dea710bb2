#pragma once
#include "platform/logged_call.h"

#include <QString>
#include <functional>
#include <memory>

namespace orvalen {

// A window timer as the display and the engine use it. "Enabling" a timer
// that already runs keeps its phase (it is not restarted); only a timer that
// was off starts a new interval. startOnce() arms a single shot of the given
// delay, replacing any pending one (used by the ticks that are aligned to
// whole seconds). post() queues one call of the handler for when control
// returns to the event loop; the timer counts as enabled until it runs, and
// disabling it cancels the call.
class EngineTimer {
public:
    virtual ~EngineTimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual void startOnce(int delayMs) = 0;
    virtual void post() { startOnce(0); }
    // Runs the handler at once, as a shot of the timer would; whatever the
    // handler does to the timer (re-arm it, stop it) stands.
    void runNow() { fire(); }
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void fire()
    {
        if (m_handler)
            runLogged("timer handler", m_handler);
    }

private:
    std::function<void()> m_handler;
};

// Makes timers. The program uses QtTimerFactory (precise QTimer); tests use a
// fake factory driven by a fake clock.
class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<EngineTimer> create(const QString& name) = 0;
};

class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<EngineTimer> create(const QString& name) override;
};

} // namespace orvalen
