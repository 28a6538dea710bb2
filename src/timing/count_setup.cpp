#include "timing/count_engine.h"

#include "display/clock_texts.h"
#include "display/count_view.h"
#include "platform/clock.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "stores/clock_plan.h"
#include "state/run_state.h"
#include "timing/clock_source.h"
#include "timing/count_session.h"
#include "state/run_controller.h"

namespace orvalen {

// The count-mode set-up, queued on countSetup by the commands: turns the current
// plan into the run values, styles the display and, unless the menu host
// only wants the display prepared ("setting"), starts the run.
void CountEngine::setUpCount()
{
    HostState& host = m_engine.host;
    CountSession& session = m_engine.session;
    CountView& view = m_engine.view;
    const ClockPlan& p = plan();
    const Clock& clock = m_engine.app.clock;
    const bool prepareOnly = session.prepareOnly();

    m_startSoundDue = false;
    m_timers.countSetup->setEnabled(false);
    m_timers.clockSetup->setEnabled(false);
    m_timers.longTermTick->setEnabled(false);
    // A display that is only prepared keeps a delayed restart that is
    // counting down; a run that starts now cancels it.
    if (!prepareOnly)
        m_timers.restartTick->setEnabled(false);
    m_timers.networkTimeTick->setEnabled(false);
    if (prepareOnly)
        stopTicksLeftRunning();

    host.run.runStateWriter().countedDown(0, 0);

    if (p.longTerm) {
        // A long-term plan: the clock and date set-up takes over, as soon
        // as this returns to the event loop.
        m_timers.clockSetup->post();
        return;
    }

    session.setPlanLengthSeconds(timeToSecondsByte(p.Time_all));
    for (Stage stage : kTimedStages)
        m_stageSeconds[stage] = timeToSecondsByte(p.timeOf(stage));

    RunRecord& record = session.record();
    if (p.Time_all.isValid()) {
        record.setTime = wholeSeconds(p.Time_all);
        record.setUpInstant = QDateTime();
    }
    record.countedDownMs = record.countedUpMs = record.pausedMs = 0;
    record.label = RunRecord{}.label; // not the target of a long-term run before it

    host.run.runStateWriter().prepare(p.overtimeAction);

    // The count starts as its set-up does: the styling below already
    // belongs to its first second, so the first second ends one second
    // after the command.
    const TimingMode mode = timingMode();
    const QTime now = clock.now().time();
    const int source = host.run.clockSource();
    const bool measured = source >= 0 && source <= 2;
    const qint64 startReference = measured ? clockSourceNowMs(clock, source) : 0;
    view.styleForCount(initialClockText(p, now, FirstClock::SetUp), initialOvertimeText(p, now, FirstClock::SetUp));

    if (view.isShown())
        view.fillScreen();

    if (measured)
        session.setStartReferenceMs(startReference);
    session.setStartTimeOfDay(wholeSeconds(now));

    if (!prepareOnly)
        startCount(mode);
    view.relayout();
}

// Starts the count just set up: its first tick, the scrolling text, the
// running buttons and the first stage's look.
void CountEngine::startCount(TimingMode mode)
{
    HostState& host = m_engine.host;
    CountSession& session = m_engine.session;
    CountView& view = m_engine.view;

    m_stages.reset(session.planLengthSeconds());
    // The first tick comes at once; the next ones follow the count's
    // whole seconds.
    if (mode == TimingMode::TimeOfDay && host.run.endAction() == OvertimeAction::CountOn && session.planLengthSeconds() == 0) {
        m_timers.countdownTick->setEnabled(false);
        m_timers.countupTick->startOnce(kTickLagMs);
    } else {
        m_timers.countdownTick->startOnce(kTickLagMs);
        m_timers.countupTick->setEnabled(false);
    }
    view.setScrolling(true);
    m_timers.blinkTick->setEnabled(false);
    view.showRunningButtons();
    host.run.runStateWriter().start();
    // Its sound comes with the first tick: nothing runs between the
    // count's reference and that tick that could hold the loop.
    m_engine.stageLooks(Stage::Start);
    m_startSoundDue = true;
}

// A display that is only prepared has no count running: every count tick
// stops. (A plan chosen while a run is under way leaves its tick alone.)
void CountEngine::stopTicksLeftRunning()
{
    if (!m_engine.host.run.isUnderWay())
        m_timers.stopCounting();
}

} // namespace orvalen
