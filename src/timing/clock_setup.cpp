#include "timing/clock_setup.h"

#include "display/count_view.h"
#include "platform/clock.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "stores/current_plan.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "timing/clock_source.h"
#include "timing/count_session.h"
#include "timing/long_term_log.h"
#include "timing/long_term_texts.h"
#include "state/run_controller.h"

namespace orvalen {
ClockSetup::ClockSetup(const EngineContext& engine, const Clock& clock, LongTermTargetReader& targets)
    : m_engine(engine), m_clock(clock), m_targets(targets)
{
}

void ClockSetup::setUpClock()
{
    HostState& host = m_engine.host;
    const ClockPlan& plan = m_engine.plan.plan();
    CountView& view = m_engine.view;
    EngineTimers& timers = m_engine.timers;

    timers.clockSetup->setEnabled(false);
    if (!plan.longTerm)
        return;

    const QDateTime now = m_clock.now();
    const LongTermTarget target = m_targets.read(plan, now.date());
    const qint64 remaining = target.live ? -1 : remainingSeconds(now, target.instant);

    RunRecord& record = m_engine.session.record();
    record.setUpInstant = QDateTime(now.date(), wholeSeconds(now.time()));
    record.setTime = record.setUpInstant.time();
    record.countedDownMs = record.countedUpMs = record.pausedMs = 0;
    record.label = runRecordInstantText(QDateTime(plan.time_date, plan.Time_all));
    host.run.runStateWriter().prepare(plan.overtimeAction);

    // Where the target stands: ahead (a count-down), none (the live date
    // and clock) or passed (the tick ends the run at once).
    QString clockText;
    const TimeFormat format = plan.timeFormat;
    if (!target.live && remaining >= 0) {
        const LongTermTexts texts = countdownTexts(remaining, format);
        if (texts.known) {
            view.setDateLineCaption(texts.dateLine);
            clockText = texts.clock;
        }
        host.run.runStateWriter().tickRan(CountTick::Down);
    } else if (target.live) {
        view.setDateLineShown(true);
        const LongTermTexts texts = liveTexts(now, format);
        if (texts.known) {
            view.setDateLineCaption(texts.dateLine);
            clockText = texts.clock;
        }
    } else {
        timers.longTermTick->setEnabled(true);
        host.run.runStateWriter().markEnd();
        host.run.runStateWriter().tickRan(CountTick::Up);
    }

    // The date line keeps the look the element menu stored, whichever plan
    // was taken in.
    m_engine.plan.edit([this](ClockPlan& p) { takeStoredDateLineStyle(m_engine.app.registry, p); });
    view.styleForLongTerm(clockText, promptText());
    view.fillScreen();
    m_engine.session.setStartTimeOfDay(wholeSeconds(now.time()));
    if (!m_engine.session.prepareOnly())
        writeRunningState();
    view.relayout();
    if (m_onDone)
        m_onDone();
}

// Before the run starts the prompt line stays empty; the prompt tick fills
// it.
QString ClockSetup::promptText() const
{
    const ClockPlan& plan = m_engine.plan.plan();
    if (!m_engine.host.run.isUnderWay())
        return {};
    if (isOn(plan.showsWeekday))
        return weekdayName(m_clock.now().date());
    if (plan.showsPromptAt(Stage::Start) && !plan.stages[Stage::Start].prompt.isEmpty())
        return plan.stages[Stage::Start].prompt;
    return {};
}

void ClockSetup::writeRunningState()
{
    EngineTimers& timers = m_engine.timers;
    timers.longTermTick->setEnabled(true);
    m_engine.view.setScrolling(true);
    timers.blinkTick->setEnabled(false);
    timers.countupTick->setEnabled(false);
    m_engine.host.run.runStateWriter().start();
    m_engine.stageCue(Stage::Start);
}

} // namespace orvalen
