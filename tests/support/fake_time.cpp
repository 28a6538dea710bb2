#include "support/fake_time.h"

#include <algorithm>
#include <limits>

namespace orvalen::test {

FakeTimers::~FakeTimers()
{
    for (FakeTimer* t : m_timers)
        t->detach();
}

std::unique_ptr<EngineTimer> FakeTimers::create(const QString& name)
{
    auto timer = std::make_unique<FakeTimer>(*this, name);
    m_timers.push_back(timer.get());
    return timer;
}

FakeTimer* FakeTimers::find(const QString& name) const
{
    for (FakeTimer* t : m_timers)
        if (t->name() == name)
            return t;
    return nullptr;
}

void FakeTimers::advance(qint64 ms)
{
    const qint64 end = m_clock.monotonicMs() + ms;
    for (;;) {
        FakeTimer* next = nullptr;
        qint64 due = std::numeric_limits<qint64>::max();
        for (FakeTimer* t : m_timers) {
            if (t->m_enabled && t->m_due < due) {
                due = t->m_due;
                next = t;
            }
        }
        if (!next || due > end)
            break;
        if (due > m_clock.monotonicMs())
            m_clock.step(due - m_clock.monotonicMs());
        next->trigger();
    }
    if (end > m_clock.monotonicMs())
        m_clock.step(end - m_clock.monotonicMs());
}

FakeTimer::~FakeTimer()
{
    if (m_owner) {
        auto& list = m_owner->m_timers;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void FakeTimer::setEnabled(bool on)
{
    if (!on) {
        m_enabled = false;
        m_once = false;
        return;
    }
    if (m_enabled)
        return; // a running timer keeps its phase
    m_enabled = true;
    m_once = false;
    // A zero interval still fires, one at a time, like a 0 ms Qt timer.
    m_due = (m_owner ? m_owner->m_clock.monotonicMs() : 0) + std::max(m_interval, 1);
}

void FakeTimer::startOnce(int delayMs)
{
    m_enabled = true;
    m_once = true;
    m_due = (m_owner ? m_owner->m_clock.monotonicMs() : 0) + std::max(delayMs, 0);
}

void FakeTimer::trigger()
{
    if (m_once) {
        m_once = false;
        m_enabled = false;
    } else {
        m_due += std::max(m_interval, 1);
    }
    fire();
}

} // namespace orvalen::test
