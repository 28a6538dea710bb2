#pragma once
#include <QDateTime>
#include <QElapsedTimer>

namespace orvalen {

// Where the program reads time from. Tests hand in a fake that they advance
// by hand; the program uses SystemClock.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a 64-bit monotonic clock (never jumps, never wraps).
    virtual qint64 monotonicMs() const = 0;
    // The local wall-clock date and time.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock() { m_timer.start(); }
    // The instant the timer started, in ms of the system's monotonic clock,
    // plus the time since: now on that clock.
    qint64 monotonicMs() const override { return m_timer.msecsSinceReference() + m_timer.elapsed(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }

private:
    QElapsedTimer m_timer;
};

} // namespace orvalen
