#include "timing/count_engine.h"

#include "display/count_view.h"
#include "stores/clock_plan.h"
#include "state/run_state.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "state/run_controller.h"

#include <cmath>

namespace orvalen {
// The count-up tick: the overtime after a count-down whose overtime action
// is to count on, and the open count of system-time mode. It ends at the
// overtime limit or when a command has ended the run.
void CountEngine::advanceCountup()
{
    HostState& host = m_engine.host;
    const ClockPlan& p = plan();
    CountView& view = m_engine.view;

    host.run.runStateWriter().tickRan(CountTick::Up);

    qint64 count = 0;
    qint64 shown = 0;
    if (!host.run.endMarked()) {
        count = countedMs(QStringLiteral("countupTick"));
        shown = count;
        armTick(*m_timers.countupTick, count);
    } else {
        count = host.run.countedUpMs();
        shown = host.run.shownMs();
        m_timers.countupTick->startOnce(1000);
    }
    startSoundOnFirstTick(!host.run.endMarked());
    host.run.runStateWriter().countedUp(count, shown);
    showCount(shown);

    if (host.run.endMarked()) {
        // Ended by a command: record once and stop; no end stage.
        m_engine.session.record().countedUpMs = host.run.countedUpMs();
        m_timers.countdownTick->setEnabled(false);
        view.setScrolling(false);
        m_timers.blinkTick->setEnabled(false);
        m_timers.countupTick->setEnabled(false);
        m_timers.networkTimeTick->setEnabled(false);
        m_commands.recordRun();
        return;
    }

    // The overtime limit. A tick that comes late still ends the run.
    //
    // This end differs from the end stage of the other overtime actions
    // (CountEngine::endStage, run by the count-down tick at zero) because
    // the plan's overtime action has already been taken: it chose to count
    // on (at zero, or at once for the open count of a time-of-day plan of
    // no length), and this limit is where that count stops. Nothing is left to
    // follow, so the run always stops, with no reset, next plan or delayed
    // restart. The clock (or the overtime clock) stands on the overtime
    // count, so without the end text it keeps the overtime reached rather
    // than the zero or length of the count-down. That the end text
    // here follows only whether the end stage shows its prompt, not the
    // end-text-on-clock switch, does not follow from this flow: it is how
    // plans have always ended their overtime, and is kept.
    const int limit = m_stageSeconds[Stage::Overtime];
    const bool limitReached = p.stageOn(Stage::Overtime) && limit > 0
        && std::floor(double(shown) / 1000.0) >= limit && host.run.endAction() == OvertimeAction::CountOn;
    if (!limitReached)
        return;

    host.run.runStateWriter().markEnd();
    m_engine.session.record().countedUpMs = host.run.countedUpMs();
    m_engine.stageCue(Stage::End);
    if (p.showsPromptAt(Stage::End)) {
        view.setPromptLineShown(false);
        view.showEndText(p.stages[Stage::End].prompt, true);
    } else {
        view.setPromptTicking(true);
        showCount(shown);
    }
    recordRunAndStopTicks();
    m_commands.stopTiming();
}

} // namespace orvalen
