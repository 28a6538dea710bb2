#include "timing/count_engine.h"

#include "display/count_view.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "stores/clock_plan.h"
#include "stores/current_plan.h"
#include "stores/registry_values.h"
#include "state/run_state.h"
#include "timing/clock_source.h"
#include "timing/clock_text.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"

#include <QDebug>
#include <cmath>
#include <utility>

namespace orvalen {
namespace {

constexpr qint64 kDayMs = 86'400'000;

} // namespace

CountEngine::CountEngine(const EngineContext& engine, RunCommands& commands)
    : m_engine(engine), m_timers(engine.timers), m_commands(commands)
{
    m_timers.countdownTick->setHandler([this] { advanceCountdown(); });
    m_timers.blinkTick->setHandler([this] { toggleBlink(); });
    m_timers.countupTick->setHandler([this] { advanceCountup(); });
    m_timers.countSetup->setHandler([this] { setUpCount(); });
}

CountEngine::~CountEngine()
{
    for (auto* timer : {&m_timers.countdownTick, &m_timers.blinkTick, &m_timers.countupTick, &m_timers.countSetup})
        (*timer)->setHandler({});
}

const ClockPlan& CountEngine::plan() const
{
    return m_engine.plan.plan();
}

TimingMode CountEngine::timingMode() const
{
    return plan().timingMode;
}

// --- elapsed time -------------------------------------------------------------

qint64 CountEngine::countedMs(const QString& timerName)
{
    const int entry = timerName == QLatin1String("countdownTick") ? 1 : timerName == QLatin1String("countupTick") ? 2 : 0;
    const Clock& clock = m_engine.app.clock;
    if (entry == 0)
        return 0;
    HostState& host = m_engine.host;
    const int source = host.run.clockSource();
    const qint64 banked = entry == 1 ? m_engine.session.record().countedDownMs : m_engine.session.record().countedUpMs;
    const qint64 wrap = entry == 2 ? kDayMs + 200 : kDayMs;
    const qint64 reference = m_engine.session.startReferenceMs();

    if (source == 0)
        return clockSourceNowMs(clock, 0) - reference + (entry == 2 ? 200 : 0) + banked;
    if (source == 1) {
        qint64 v = clockSourceNowMs(clock, 1) - reference + banked;
        if (v < 0)
            v += wrap; // the count passed midnight
        return v;
    }
    if (source == 2) {
        const QTime start = m_engine.session.startTimeOfDay();
        if (!start.isValid()) {
            // The count cannot be measured on this source: the next program
            // start measures on the monotonic clock.
            if (!registry_values::setClockmode(m_engine.app.registry, 0))
                qWarning() << "Count: the clock source clockmode could not be stored";
            return 0;
        }
        qint64 v = qint64(timeToSeconds(clock.now().time()) - timeToSeconds(start)) * 1000 + banked;
        if (v < 0)
            v += wrap;
        return v;
    }
    return 0;
}

// --- clock text ---------------------------------------------------------------

void CountEngine::showCount(qint64 countMs)
{
    const ClockPlan& p = plan();
    const QTime now = m_engine.app.clock.now().time();
    const QString text = runningClockText(timingMode(), p.timeFormat, countMs, now);
    const bool onOvertimeClock = p.showsOvertimeClock() && m_engine.host.run.tick() == CountTick::Up;
    if (onOvertimeClock)
        m_engine.view.showOvertimeText(text);
    else
        m_engine.view.showClockText(text);
}

// --- blink ----------------------------------------------------------------------

void CountEngine::toggleBlink()
{
    EngineTimer& blink = *m_timers.blinkTick;
    if (blink.interval() != 490)
        blink.setInterval(490);
    const ClockPlan& p = plan();
    const bool overtimeClock = m_engine.host.run.stage() == Stage::Overtime && p.showsOvertimeClock();
    CountView& view = m_engine.view;
    view.setClockShown(overtimeClock, !view.isClockShown(overtimeClock));
    if (m_timers.blinksLeft < 1) {
        blink.setEnabled(false);
        view.setClockShown(overtimeClock, true);
    }
    m_timers.blinksLeft -= 1;
}

// --- shared -------------------------------------------------------------------------

void CountEngine::armTick(EngineTimer& timer, qint64 countMs)
{
    qint64 phase = ((countMs % 1000) + 1000) % 1000;
    const Clock& clock = m_engine.app.clock;
    // The time of day shown in system-time mode, and a count measured in
    // whole seconds of the time of day (clock source 2), change with the
    // wall clock's seconds.
    if (timingMode() == TimingMode::TimeOfDay || m_engine.host.run.clockSource() == 2)
        phase = clock.now().time().msec();
    timer.startOnce(int(1000 - phase + kTickLagMs));
}

void CountEngine::startSoundOnFirstTick(bool runGoesOn)
{
    if (std::exchange(m_startSoundDue, false) && runGoesOn)
        m_engine.stageSound(Stage::Start);
}

} // namespace orvalen
