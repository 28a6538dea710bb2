#include "timing/count_engine.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "services/sound_player.h"
#include "services/time_conversions.h"
#include "stores/clock_plan.h"
#include "timing/clock_source.h"
#include "timing/clock_text.h"

namespace orvalen {

// The count-mode set-up, queued on countSetup by the commands: turns the current
// plan into the run values, styles the display and, unless the menu host
// only wants the display prepared ("setting"), starts the run.
void CountEngine::setUpCount()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    ModuleState& m = d.module();
    const ClockPlan& p = plan();
    const Clock* clock = d.context().clock;
    const bool prepareOnly = host.ready_marker == QLatin1String("setting");

    d.countSetup->setEnabled(false);
    d.clockSetup->setEnabled(false);
    d.longTermTick->setEnabled(false);
    // A display that is only prepared keeps a delayed restart that is
    // counting down; a run that starts now cancels it.
    if (!prepareOnly)
        d.restartTick->setEnabled(false);
    d.networkTimeTick->setEnabled(false);
    if (prepareOnly)
        finishTicksLeftRunning();

    host.run.setCountedDownMs(0);
    host.run.setShownMs(0);

    if (p.isLongTerm()) {
        // A long-term plan: the clock and date set-up takes over, as soon
        // as this returns to the event loop.
        d.clockSetup->post();
        host.clockset[4].visible = true;
        host.menusChanged();
        return;
    }
    host.clockset[4].visible = false;

    m.plan_length_seconds = time_to_seconds_byte(p.Time_all);
    m.plan_length_ms = qint64(m.plan_length_seconds) * 1000;
    const QTime* stageTimes[6] = {nullptr, &p.Time_one, &p.Time_two, &p.Time_three, &p.Time_four, &p.Time_five};
    for (int k = 1; k <= 5; ++k)
        d.stage_seconds[k] = time_to_seconds_byte(*stageTimes[k]);

    if (p.Time_all.isValid())
        host.run_record[0] = p.Time_all.toString(QStringLiteral("hh:mm:ss"));
    for (int i = 1; i <= 3; ++i)
        host.run_record[i] = QStringLiteral("0");

    host.run.setEndAction(EndAction(p.overtimeAction()));
    host.run.setEndMarked(false);

    // The count starts as its set-up does: the styling below already
    // belongs to its first second, so the first second ends one second
    // after the command.
    const int mode = timingMode();
    const QTime now = clock ? clock->now().time() : QTime(0, 0);
    const int source = host.run.clockSource();
    const bool measured = clock && source >= 0 && source <= 2;
    const qint64 startReference = measured ? clock_source_now_ms(*clock, source) : 0;
    styleDisplay(setup_clock_text(mode, p.timeFormat(), p.Time_all, now));

    m.full_screen_width_px = d.screenMetrics().fullWidthPx;
    m.full_screen_height_px = d.screenMetrics().fullHeightPx;
    if (d.isVisible())
        d.fillScreen();

    if (measured)
        m.start_reference_ms = startReference;
    d.start_time_of_day_text = now.toString(QStringLiteral("hh:mm:ss"));

    if (!prepareOnly) {
        m_stages.reset(m.plan_length_seconds);
        // The first tick comes at once; the next ones follow the count's
        // whole seconds.
        if (mode == 2 && host.run.endAction() == EndAction::Overtime && m.plan_length_seconds == 0) {
            d.countdownTick->setEnabled(false);
            d.countupTick->startOnce(kTickLagMs);
        } else {
            d.countdownTick->startOnce(kTickLagMs);
            d.countupTick->setEnabled(false);
        }
        d.scrollTick->setEnabled(true);
        d.blinkTick->setEnabled(false);
        writeRunningMenus();
        if (p.playsSoundAt(0))
            if (SoundPlayer* sound = d.context().sound)
                sound->playSound(soundPath(p.stageMusic[0]));
        host.run.setStage(0);
        d.prompt_ticks = 3;
        d.promptTick->setEnabled(true);
    }
    d.relayout();
}

// A display that is only prepared has no count running. A tick still
// waiting to record a run that a command ended records it now; then every
// count tick stops. (A plan chosen while a run is under way leaves its
// tick alone.)
void CountEngine::finishTicksLeftRunning()
{
    DisplayWindow& d = m_display;
    if (d.hostState().run.isUnderWay())
        return;
    if (d.hostState().run.endMarked()) {
        if (d.countdownTick->isEnabled())
            advanceCountdown();
        else if (d.countupTick->isEnabled())
            advanceCountup();
    }
    d.countdownTick->setEnabled(false);
    d.countupTick->setEnabled(false);
}

void CountEngine::writeRunningMenus()
{
    DisplayWindow& d = m_display;
    d.setForeColour(d.screenButtons[1], Qt::black);
    d.setForeColour(d.screenButtons[2], Qt::black);
    d.hostState().run.setState(RunState::Running);
}

} // namespace orvalen
