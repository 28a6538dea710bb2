#pragma once
#include "platform/clock.h"
#include "platform/engine_timer.h"

#include <QDateTime>
#include <vector>

namespace orvalen::test {

// A clock that moves only when a test says so.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)))
        : m_now(std::move(start)) {}
    qint64 monotonicMs() const override { return m_mono; }
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime& now) { m_now = now; }
    // Moves both clocks on; does not fire timers (FakeTimers::advance does).
    void step(qint64 ms) { m_mono += ms; m_now = m_now.addMSecs(ms); }

private:
    qint64 m_mono = 1'000'000;
    QDateTime m_now;
};

class FakeTimer;

// Timers that fire from FakeTimers::advance, in due order, with the fake
// clock moved to each due instant before the handler runs.
class FakeTimers final : public TimerFactory {
public:
    explicit FakeTimers(FakeClock& clock) : m_clock(clock) {}
    ~FakeTimers() override;
    std::unique_ptr<EngineTimer> create(const QString& name) override;

    // Runs time forward by ms, firing every timer that falls due.
    void advance(qint64 ms);
    // The timer made with this name (nullptr when none).
    FakeTimer* find(const QString& name) const;
    FakeClock& clock() { return m_clock; }

private:
    friend class FakeTimer;
    FakeClock& m_clock;
    std::vector<FakeTimer*> m_timers;
};

class FakeTimer final : public EngineTimer {
public:
    FakeTimer(FakeTimers& owner, QString name) : m_owner(&owner), m_name(std::move(name)) {}
    ~FakeTimer() override;
    void setInterval(int ms) override { m_interval = ms < 0 ? 0 : ms; }
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override;
    bool isEnabled() const override { return m_enabled; }
    void startOnce(int delayMs) override;
    const QString& name() const { return m_name; }
    qint64 dueAt() const { return m_due; }

private:
    friend class FakeTimers;
    void detach() { m_owner = nullptr; }
    void trigger();
    FakeTimers* m_owner;
    QString m_name;
    int m_interval = 0;
    bool m_enabled = false;
    bool m_once = false;
    qint64 m_due = 0;
};

} // namespace orvalen::test
