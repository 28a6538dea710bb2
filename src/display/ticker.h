#pragma once
#include <QString>
#include <memory>

namespace orvalen {

class EngineTimer;
class TimerFactory;

// A tick of the display: it owns its timer (named for the fake timers of
// the tests), which is off until set running, and does its step at each
// timeout.
class Ticker {
public:
    Ticker(TimerFactory& timers, const QString& name);
    virtual ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

    void setRunning(bool on);
    bool isRunning() const;
    // One step now, as at a timeout.
    virtual void tick() = 0;

protected:
    EngineTimer& timer() { return *m_timer; }

private:
    std::unique_ptr<EngineTimer> m_timer;
};

} // namespace orvalen
