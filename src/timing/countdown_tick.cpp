#include "timing/count_engine.h"

#include "display/count_view.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"
#include "state/run_state.h"
#include "timing/clock_source.h"
#include "timing/clock_text.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "state/run_controller.h"

#include <cmath>
#include <limits>

namespace orvalen {
namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

// The count-down tick: every count against a plan length, counting down or
// up. It fires just after each whole second of the count.
void CountEngine::advanceCountdown()
{
    HostState& host = m_engine.host;
    const CountSession& session = m_engine.session;

    host.run.runStateWriter().tickRan(CountTick::Down);

    qint64 elapsed = 0;
    qint64 remaining = 0;
    const bool fresh = !host.run.endMarked();
    if (fresh) {
        elapsed = countedMs(QStringLiteral("countdownTick"));
        remaining = session.planLengthMs() + 500 - elapsed;
        armTick(*m_timers.countdownTick, elapsed);
    } else {
        // The run was ended by a command: the last tick's values stand.
        elapsed = host.run.countedDownMs();
        remaining = host.run.shownMs();
        m_timers.countdownTick->startOnce(1000);
    }
    startSoundOnFirstTick(fresh);
    host.run.runStateWriter().countedDown(elapsed, remaining);

    if (remaining > 0)
        showCount(timingMode() == TimingMode::CountDown ? remaining : elapsed);

    const bool forcedEnd = host.run.endMarked();
    if (forcedEnd) {
        remaining = 0;
        host.run.runStateWriter().closeCount();
    }

    const qint64 stageTest = floorDiv(remaining + 100, 1000);
    if (floorDiv(remaining, 1000) <= 0) {
        // Alarms a late tick passed over still fire before the end.
        if (!forcedEnd)
            for (Stage stage : m_stages.reach(1, session.planLengthSeconds(), m_stageSeconds))
                stageChange(stage);
        endOfCountdown();
        return;
    }

    const int reached = int(std::min<qint64>(stageTest, std::numeric_limits<int>::max()));
    for (Stage stage : m_stages.reach(reached, session.planLengthSeconds(), m_stageSeconds))
        stageChange(stage);

    if (!m_timers.blinkTick->isEnabled())
        m_engine.view.setClockShown(false, true);
}

void CountEngine::stageChange(Stage stage)
{
    m_engine.stageCue(stage, m_stageSeconds[Stage::SecondsCountDown]);
}

// --- end of a count-down ------------------------------------------------------------

void CountEngine::endOfCountdown()
{
    HostState& host = m_engine.host;

    m_timers.countdownTick->setEnabled(false);
    m_timers.blinkTick->setEnabled(false);
    m_timers.blinksLeft = 0;
    m_engine.session.record().countedDownMs = host.run.countedDownMs();

    const std::optional<OvertimeAction> action = host.run.endAction();
    if (!action)
        recordRunAndStopTicks();
    else if (*action == OvertimeAction::CountOn)
        startOvertime();
    else
        endStage(*action);
}

// Overtime: the count goes on past zero on the count-up tick; nothing is
// recorded until it ends.
void CountEngine::startOvertime()
{
    CountSession& session = m_engine.session;
    const Clock& clock = m_engine.app.clock;

    m_engine.stageCue(Stage::Overtime);
    showCount(timingMode() == TimingMode::CountDown ? 0 : session.planLengthMs());

    const int source = m_engine.host.run.clockSource();
    if (source >= 0 && source <= 2)
        session.setStartReferenceMs(clockSourceNowMs(clock, source));
    session.setStartTimeOfDay(wholeSeconds(clock.now().time()));
    // The first overtime tick comes at once and shows zero; the next ones
    // follow the count's seconds.
    m_timers.countupTick->startOnce(kTickLagMs);
}

// The end stage of a run whose overtime action is stop, reset or next plan,
// at zero. (Counting on ends later, at the overtime limit on the count-up
// tick, which says how that end differs.)
void CountEngine::endStage(OvertimeAction action)
{
    const ClockPlan& p = plan();
    CountView& view = m_engine.view;

    m_engine.stageCue(Stage::End);
    if (isOn(p.endTextOnClock) && p.showsPromptAt(Stage::End)) {
        view.setPromptTicking(false);
        view.setPromptLineShown(false);
        if (!p.stages[Stage::End].prompt.isEmpty())
            view.showEndText(p.stages[Stage::End].prompt, true);
    } else {
        view.setPromptTicking(true);
        showCount(timingMode() == TimingMode::CountDown ? 0 : m_engine.session.planLengthMs());
    }
    m_commands.recordRun();
    m_timers.countdownTick->setEnabled(false);
    view.setScrolling(false);
    m_timers.countupTick->setEnabled(false);
    view.setClockShown(false, true);

    if (action == OvertimeAction::NextPlan)
        m_commands.finishTiming();
    else
        m_commands.stopTiming();
    if (action == OvertimeAction::Stop)
        return;

    // Reset and next plan: back to ready at once (with the next plan
    // chosen); with the delay switched on, restartTick starts the next run when
    // the delay has run out.
    int delay = 0;
    const double v = std::floor(leadingNumber(m_engine.app.ini.read(time_data::kPictureSet, time_data::kDelayTime, time_data::kDelayTickDefault).trimmed()));
    if (v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max())
        delay = int(v);
    m_engine.session.setRestartSecondsLeft(delay);
    const bool delayed = isOn(p.restartsAfterDelay);
    m_timers.blinkTick->setEnabled(delayed);
    m_timers.restartTick->setEnabled(delayed);
    m_commands.startTimingAfterRunEnd();
}

// Records the run and stops the count ticks and the network time tick: the
// whole end of a run ended by a command, the last step of the end stage of an
// overtime that reached its limit.
void CountEngine::recordRunAndStopTicks()
{
    m_commands.recordRun();
    m_timers.countdownTick->setEnabled(false);
    m_engine.view.setScrolling(false);
    m_timers.countupTick->setEnabled(false);
    m_timers.networkTimeTick->setEnabled(false);
    m_engine.view.setClockShown(false, true);
}

} // namespace orvalen
