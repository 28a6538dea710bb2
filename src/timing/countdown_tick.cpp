#include "timing/count_engine.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "services/sound_player.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "timing/clock_source.h"
#include "timing/clock_text.h"
#include "timing/run_commands.h"

#include <cmath>
#include <limits>

namespace orvalen {
namespace {

qint64 floor_div(qint64 a, qint64 b)
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
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    ModuleState& m = d.module();
    const Clock* clock = d.context().clock;

    host.run.setTick(CountTick::Down);

    qint64 elapsed = 0;
    qint64 remaining = 0;
    const bool fresh = !host.run.endMarked();
    if (fresh) {
        elapsed = countedMs(QStringLiteral("countdownTick"));
        remaining = qint64(m.plan_length_seconds) * 1000 + 500 - elapsed;
        armTick(*d.countdownTick, elapsed);
    } else {
        // The run was ended by a command: the last tick's values stand.
        elapsed = host.run.countedDownMs();
        remaining = host.run.shownMs();
        d.countdownTick->startOnce(1000);
    }
    host.run.setCountedDownMs(elapsed);
    host.run.setShownMs(remaining);

    if (remaining > 0) {
        const qint64 shown = timingMode() == 0 ? remaining : elapsed;
        d.countText = count_hms_text(shown);
        if (clock)
            d.lastTickTime = clock->now().time().toString(QStringLiteral("hh:mm:ss"));
        showCount(shown);
    }

    const bool forcedEnd = host.run.endMarked();
    if (forcedEnd) {
        remaining = 0;
        host.run.setEndAction(EndAction::Ended);
    }

    const qint64 stageTest = floor_div(remaining + 100, 1000);
    if (floor_div(remaining, 1000) <= 0) {
        // Alarms a late tick passed over still fire before the end.
        if (!forcedEnd)
            for (int k : m_stages.reach(1, m.plan_length_seconds, d.stage_seconds))
                stageChange(k);
        endOfCountdown();
        return;
    }

    const int reached = int(std::min<qint64>(stageTest, std::numeric_limits<int>::max()));
    for (int k : m_stages.reach(reached, m.plan_length_seconds, d.stage_seconds))
        stageChange(k);

    if (!d.blinkTick->isEnabled())
        d.clockPanel->setVisible(true);
}

void CountEngine::stageChange(int k)
{
    DisplayWindow& d = m_display;
    const ClockPlan& p = plan();
    const bool on = p.stageOn(k);

    if (on && p.blinksAt(k)) {
        d.hostState().run.setStage(k);
        d.blink_count = p.tixingtime * 2;
        if (k == 4 && p.continuousReminder())
            d.blink_count = d.stage_seconds[4] * 2; // blink through the whole final count-down
        d.blinkTick->setEnabled(true);
    }
    d.prompt_ticks = 3;
    d.hostState().run.setStage(k);
    d.promptTick->setEnabled(true);
    if (on && p.hasStageLooks())
        d.applyStageBackground(k);
    SoundPlayer* sound = d.context().sound;
    if (on && p.playsSoundAt(k) && sound) {
        sound->stopSound(soundPath(p.stageMusic[k - 1]));
        if (k == 4 && p.continuousReminder())
            sound->playWaveLoop(soundPath(p.stageMusic[4]));
        else
            sound->playSound(soundPath(p.stageMusic[k]));
    }
}

// --- end of a count-down ------------------------------------------------------------

void CountEngine::endOfCountdown()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();

    d.countdownTick->setEnabled(false);
    d.blinkTick->setEnabled(false);
    d.blink_count = 0;
    host.run_record[1] = QString::number(host.run.countedDownMs());

    switch (host.run.endAction()) {
    case EndAction::Overtime:
        startOvertime();
        break;
    case EndAction::Stop:
    case EndAction::Reset:
    case EndAction::NextPlan:
        endStage(int(host.run.endAction()));
        break;
    default:
        recordRunAndStopTicks();
        break;
    }
}

// Overtime: the count goes on past zero on the count-up tick; nothing is
// recorded until it ends.
void CountEngine::startOvertime()
{
    DisplayWindow& d = m_display;
    ModuleState& m = d.module();
    const ClockPlan& p = plan();
    const Clock* clock = d.context().clock;

    d.hostState().run.setStage(5);
    d.prompt_ticks = 3;
    d.promptTick->setEnabled(true);
    const bool overtimeStage = p.stageOn(5);
    if (overtimeStage && p.blinksAt(5)) {
        d.blink_count = p.tixingtime * 2;
        d.blinkTick->setEnabled(true);
    }
    if (p.hasStageLooks())
        d.applyStageBackground(5);
    if (SoundPlayer* sound = d.context().sound) {
        sound->stopSound(soundPath(p.stageMusic[4]));
        if (overtimeStage && p.playsSoundAt(5))
            sound->playSound(soundPath(p.stageMusic[5]));
    }
    const qint64 shown = timingMode() == 0 ? 0 : m.plan_length_ms;
    d.countText = count_hms_text(shown);
    showCount(shown);

    const int source = d.hostState().run.clockSource();
    if (clock && source >= 0 && source <= 2)
        m.start_reference_ms = clock_source_now_ms(*clock, source);
    if (clock)
        d.start_time_of_day_text = clock->now().time().toString(QStringLiteral("hh:mm:ss"));
    // The first overtime tick comes at once and shows zero; the next ones
    // follow the count's seconds.
    d.countupTick->startOnce(kTickLagMs);
}

// The end stage of a run whose overtime action is stop (1), reset (2) or
// next plan (3).
void CountEngine::endStage(int action)
{
    DisplayWindow& d = m_display;
    const ClockPlan& p = plan();

    endStageCue();
    if (p.endTextOnClock() && p.showsPromptAt(6)) {
        d.promptTick->setEnabled(false);
        d.textPanels[3]->hide();
        if (!p.stageText[6].isEmpty())
            showEndText(p.stageText[6]);
    } else {
        d.promptTick->setEnabled(true);
        const qint64 shown = timingMode() == 0 ? 0 : d.module().plan_length_ms;
        d.countText = count_hms_text(shown);
        showCount(shown);
    }
    m_commands.record_run();
    d.countdownTick->setEnabled(false);
    d.scrollTick->setEnabled(false);
    d.countupTick->setEnabled(false);
    d.clockPanel->setVisible(true);

    if (action == 3)
        m_commands.finish_timing();
    else
        m_commands.stop_timing();
    if (action == 1)
        return;

    // Reset and next plan: back to ready at once (with the next plan
    // chosen); with the delay switched on, restartTick starts the next run when
    // the delay has run out.
    int delay = 0;
    if (IniStore* ini = d.context().ini) {
        const double v = std::floor(leading_number(ini->read(QStringLiteral("pictureset"), QStringLiteral("Delaytime"), QStringLiteral("0")).trimmed()));
        if (v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max())
            delay = int(v);
    }
    d.restartSecondsText = QString::number(delay);
    const bool delayed = p.restartsAfterDelay();
    d.blinkTick->setEnabled(delayed);
    d.restartTick->setEnabled(delayed);
    m_commands.start_timing_after_run_end();
}

// Records the run and stops the count ticks and the network time tick: the
// whole end of a run ended by a command, the last step of the end stage of an
// overtime that reached its limit.
void CountEngine::recordRunAndStopTicks()
{
    DisplayWindow& d = m_display;
    m_commands.record_run();
    d.countdownTick->setEnabled(false);
    d.scrollTick->setEnabled(false);
    d.countupTick->setEnabled(false);
    d.networkTimeTick->setEnabled(false);
    d.clockPanel->setVisible(true);
}

} // namespace orvalen
