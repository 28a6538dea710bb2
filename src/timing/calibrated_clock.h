#pragma once
#include "platform/clock.h"

namespace orvalen {

// The clock the long-term display reads: the program's clock moved by the
// offset that the network time calibration measured, for machines whose
// system clock the program may not set. The monotonic clock is not moved.
class CalibratedClock final : public Clock {
public:
    explicit CalibratedClock(const Clock& base) : m_base(base) {}
    qint64 monotonicMs() const override { return m_base.monotonicMs(); }
    QDateTime now() const override
    {
        return m_offsetMs == 0 ? m_base.now() : m_base.now().addMSecs(m_offsetMs);
    }
    const Clock& base() const { return m_base; }
    // Milliseconds to add to the base clock (portal time minus our time).
    qint64 offsetMs() const { return m_offsetMs; }
    void setOffsetMs(qint64 ms) { m_offsetMs = ms; }

private:
    const Clock& m_base;
    qint64 m_offsetMs = 0;
};

} // namespace orvalen
