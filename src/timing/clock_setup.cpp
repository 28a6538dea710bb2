#include "timing/clock_setup.h"

#include "display/count_view.h"
#include "platform/clock.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "stores/clock_plan.h"
#include "stores/run_state.h"
#include "timing/clock_source.h"
#include "timing/long_term_log.h"
#include "timing/long_term_texts.h"

namespace orvalen {
ClockSetup::ClockSetup(const EngineContext& engine, const Clock& clock, LongTermTargetReader& targets)
    : m_engine(engine), m_clock(clock), m_targets(targets)
{
}

void ClockSetup::setUpClock()
{
    HostState& host = m_engine.host;
    ClockPlan& plan = m_engine.module.clock_plan;
    CountView& view = m_engine.view;
    EngineTimers& timers = m_engine.timers;

    timers.clockSetup->setEnabled(false);
    host.run.setLongTerm(plan.longTerm);
    if (!plan.longTerm)
        return;

    const QDateTime now = m_clock.now();
    const LongTermTarget target = m_targets.read(plan, now.date());
    const qint64 remaining = target.live ? -1 : remaining_seconds(now, target.instant);

    RunRecord& record = host.run_record;
    record.setUpInstant = QDateTime(now.date(), whole_seconds(now.time()));
    record.setTime = record.setUpInstant.time();
    record.countedDownMs = record.countedUpMs = record.pausedMs = 0;
    record.label = run_record_instant_text(QDateTime(plan.time_date, plan.Time_all));
    host.run.setEndAction(EndAction(int(plan.overtimeAction)));
    host.run.setEndMarked(false);

    // Where the target stands: ahead (a count-down), none (the live date
    // and clock) or passed (the tick ends the run at once).
    QString clockText;
    const int format = int(plan.timeFormat);
    if (!target.live && remaining >= 0) {
        const LongTermTexts texts = countdown_texts(remaining, format);
        if (texts.known) {
            view.setDateLineCaption(texts.dateLine);
            clockText = texts.clock;
        }
        host.run.setTick(CountTick::Down);
    } else if (target.live) {
        view.setDateLineShown(true);
        const LongTermTexts texts = live_texts(now, format);
        if (texts.known) {
            view.setDateLineCaption(texts.dateLine);
            clockText = texts.clock;
        }
    } else {
        timers.longTermTick->setEnabled(true);
        host.run.setEndMarked(true);
        host.run.setTick(CountTick::Up);
    }

    view.styleForLongTerm(clockText, promptText());
    const ScreenMetrics& screen = view.screenMetrics();
    m_engine.module.full_screen_width_px = screen.fullWidthPx;
    m_engine.module.full_screen_height_px = screen.fullHeightPx;
    view.fillScreen();
    m_engine.module.start_time_of_day = whole_seconds(now.time());
    if (!host.prepare_only)
        writeRunningState();
    view.relayout();
    if (m_onDone)
        m_onDone();
}

// Before the run starts the prompt line stays empty; the prompt tick fills
// it.
QString ClockSetup::promptText() const
{
    const ClockPlan& plan = m_engine.module.clock_plan;
    if (!m_engine.host.run.isUnderWay())
        return {};
    if (plan.showsWeekday)
        return weekday_name(m_clock.now().date());
    if (plan.showsPromptAt(0) && !plan.stages[0].prompt.isEmpty())
        return plan.stages[0].prompt;
    return {};
}

void ClockSetup::writeRunningState()
{
    EngineTimers& timers = m_engine.timers;
    timers.longTermTick->setEnabled(true);
    m_engine.view.setScrolling(true);
    timers.blinkTick->setEnabled(false);
    timers.countupTick->setEnabled(false);
    m_engine.host.run.setState(RunState::Running);
    m_engine.stageCue(0);
}

} // namespace orvalen
