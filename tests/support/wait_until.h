#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

namespace orvalen::test {

// Runs the event loop until `done` holds or the generous limit passes (for
// events that come from another process, such as an X server). Returns done().
inline bool wait_until(const std::function<bool()>& done, int limitMs = 5000)
{
    QDeadlineTimer deadline(limitMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Runs the event loop until a marker call queued now has run: every call and
// event queued before it has then run too. Shows that nothing happened
// without waiting a fixed time.
inline void runQueuedCalls()
{
    bool reached = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&reached] { reached = true; }, Qt::QueuedConnection);
    while (!reached)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Runs the event loop for a few rounds so that late events can arrive.
inline void drain_events(int rounds = 20)
{
    for (int i = 0; i < rounds; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace orvalen::test
