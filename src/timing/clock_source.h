#pragma once
#include <QTime>
#include <QtGlobal>

namespace orvalen {

class Clock;

// Milliseconds of the given clock source: 0 the monotonic clock (64-bit,
// never wraps), 1 milliseconds since midnight, 2 whole seconds since midnight
// times 1000. Any other value counts as 0.
qint64 clockSourceNowMs(const Clock& clock, int source);

// The time of day to the whole second (the milliseconds dropped).
inline QTime wholeSeconds(const QTime& t)
{
    return t.isValid() ? QTime(t.hour(), t.minute(), t.second()) : t;
}

} // namespace orvalen
