#include "timing/clock_source.h"

#include "platform/clock.h"

namespace orvalen {

qint64 clockSourceNowMs(const Clock& clock, int source)
{
    switch (source) {
    case 0:
        return clock.monotonicMs();
    case 1:
        return clock.now().time().msecsSinceStartOfDay();
    case 2:
        return qint64(clock.now().time().msecsSinceStartOfDay() / 1000) * 1000;
    default:
        return 0;
    }
}

} // namespace orvalen
