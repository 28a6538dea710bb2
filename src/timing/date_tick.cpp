#include "timing/date_tick.h"

#include "services/time_conversions.h"
#include "display/count_view.h"
#include "platform/clock.h"
#include "services/app_context.h"
#include "services/sound_player.h"
#include "stores/clock_plan.h"
#include "stores/current_plan.h"
#include "state/run_state.h"
#include "timing/count_engine.h"
#include "timing/count_session.h"
#include "timing/long_term_log.h"
#include "timing/long_term_texts.h"
#include "timing/run_commands.h"
#include "state/run_controller.h"

#include <cmath>

namespace orvalen {

DateTick::DateTick(const EngineContext& engine, RunCommands& commands, const Clock& clock,
                   LongTermTargetReader& targets)
    : m_engine(engine), m_commands(commands), m_clock(clock), m_targets(targets)
{
}

void DateTick::advanceLongTerm()
{
    m_ended = false;
    HostState& host = m_engine.host;
    const ClockPlan& plan = m_engine.plan.plan();
    const QDateTime now = m_clock.now();
    const TimeFormat format = plan.timeFormat;

    // The network time runs alongside for as long as this tick does;
    // enabling keeps a running networkTimeTick on its minute.
    m_engine.timers.networkTimeTick->setEnabled(true);

    const LongTermTarget target = m_targets.read(plan, now.date());
    qint64 diff = 0;
    if (target.live) {
        const LongTermTexts texts = liveTexts(now, format);
        if (texts.known)
            m_engine.view.showDateLineText(texts.dateLine);
        showClock(texts.clock);
        host.run.runStateWriter().clearEndMark();
        diff = 1000; // the live clock never runs out
    } else {
        diff = remainingSeconds(now, target.instant);
        if (diff > 0) {
            const LongTermTexts texts = countdownTexts(diff, format);
            if (texts.known)
                m_engine.view.showDateLineText(texts.dateLine);
            showClock(texts.clock);
        } else {
            host.run.runStateWriter().markEnd();
            host.run.runStateWriter().tickRan(CountTick::Up);
        }
    }

    // A stop command marks the end and runs this tick: the count-down ends
    // here; the live clock has just cleared the mark and goes on.
    if (host.run.endMarked() && !target.live)
        host.run.runStateWriter().closeCount();
    if (!host.run.endAction() || diff <= 0)
        endActions();

    showWeekday();
    if (!m_ended)
        armNextSecond();
}

void DateTick::clockStepped()
{
    if (m_engine.timers.longTermTick->isEnabled())
        advanceLongTerm();
}

// The next shot falls just after the next whole second of the clock, worked
// out afresh at every tick: a step of the clock or a pause of the machine
// moves at most one change, and a shot that comes a little early shows the
// same second (not painted again) and re-arms a few milliseconds later.
void DateTick::armNextSecond()
{
    const int intoSecond = m_clock.now().time().msec();
    m_engine.timers.longTermTick->startOnce(1000 - intoSecond + CountEngine::kTickLagMs);
}

void DateTick::showClock(const QString& text)
{
    CountView& view = m_engine.view;
    view.setClockCaption(text);
    // The clock panel is hidden during a blink half-period: it is painted
    // again once it shows. A text already on the panel is not painted
    // again.
    if (!view.isClockShown(false)) {
        m_painted.clear();
        return;
    }
    if (text == m_painted)
        return;
    view.showClockText(text);
    m_painted = text;
}

void DateTick::endActions()
{
    HostState& host = m_engine.host;
    CountView& view = m_engine.view;
    EngineTimers& timers = m_engine.timers;
    const ClockPlan& plan = m_engine.plan.plan();
    // A display still ready was only prepared, for a target that had
    // already passed: nothing ran, so nothing is recorded. (A stop command
    // leaves it finished.)
    const bool runUnderWay = host.run.state() != RunState::Ready;

    host.run.runStateWriter().closeCount();
    RunRecord& record = m_engine.session.record();
    const QDateTime& setUp = record.setUpInstant;
    if (setUp.isValid())
        record.countedDownMs = 1000 * remainingSeconds(setUp, m_clock.now());
    if (plan.blinksAt(Stage::End))
        host.run.runStateWriter().enterStage(Stage::End);

    m_engine.app.sound().stopSound(m_engine.soundPath(plan.stages[Stage::SecondsCountDown].sound));

    // The end text stands centred across the screen on the clock panel.
    view.setPromptLineShown(false);
    view.showEndText(plan.stages[Stage::End].prompt, false);
    m_painted.clear();

    if (runUnderWay)
        m_commands.recordRun();

    for (EngineTimer* t : {timers.countdownTick.get(), timers.blinkTick.get(), timers.countupTick.get(),
                           timers.networkTimeTick.get(), timers.clockSetup.get(), timers.longTermTick.get()})
        t->setEnabled(false);
    view.setScrolling(false);
    view.setClockShown(false, true);
    m_ended = true;
    m_commands.stopTiming();
}

void DateTick::showWeekday()
{
    CountView& view = m_engine.view;
    if (view.isPromptTicking() || !m_engine.host.menus.weekdayChecked())
        return;
    view.showPromptText(weekdayName(m_clock.now().date()));
}

} // namespace orvalen
