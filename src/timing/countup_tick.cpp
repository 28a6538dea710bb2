#include "timing/count_engine.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "stores/clock_plan.h"
#include "timing/clock_text.h"
#include "timing/run_commands.h"

#include <cmath>

namespace orvalen {
// The count-up tick: the overtime after a count-down whose overtime action
// is to count on, and the open count of system-time mode. It ends at the
// overtime limit or when a command has ended the run.
void CountEngine::advanceCountup()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    const ClockPlan& p = plan();
    const Clock* clock = d.context().clock;

    host.run.setTick(CountTick::Up);

    qint64 count = 0;
    qint64 shown = 0;
    if (!host.run.endMarked()) {
        count = countedMs(QStringLiteral("countupTick"));
        shown = count;
        armTick(*d.countupTick, count);
    } else {
        count = host.run.countedUpMs();
        shown = host.run.shownMs();
        d.countupTick->startOnce(1000);
    }
    host.run.setCountedUpMs(count);
    host.run.setShownMs(shown);
    d.countText = count_hms_text(shown);
    if (clock)
        d.lastTickTime = clock->now().time().toString(QStringLiteral("hh:mm:ss"));
    showCount(shown);

    if (host.run.endMarked()) {
        // Ended by a command: record once and stop; no end stage.
        host.run_record[2] = QString::number(host.run.countedUpMs());
        d.countdownTick->setEnabled(false);
        d.scrollTick->setEnabled(false);
        d.blinkTick->setEnabled(false);
        d.countupTick->setEnabled(false);
        d.networkTimeTick->setEnabled(false);
        m_commands.record_run();
        return;
    }

    // The overtime limit. A tick that comes late still ends the run.
    const int limit = d.stage_seconds[5];
    const bool limitReached = p.stageOn(5) && limit > 0
        && std::floor(double(shown) / 1000.0) >= limit && host.run.endAction() == EndAction::Overtime;
    if (!limitReached)
        return;

    host.run.setEndMarked(true);
    host.run_record[2] = QString::number(host.run.countedUpMs());
    endStageCue();
    if (p.showsPromptAt(6)) {
        d.textPanels[3]->hide();
        showEndText(p.stageText[6]);
    } else {
        d.promptTick->setEnabled(true);
        showCount(shown);
    }
    recordRunAndStopTicks();
    m_commands.stop_timing();
}

} // namespace orvalen
