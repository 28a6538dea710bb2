#include "timing/date_tick.h"

#include "services/time_conversions.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "services/sound_player.h"
#include "stores/clock_plan.h"
#include "timing/count_engine.h"
#include "timing/long_term_log.h"
#include "timing/long_term_texts.h"
#include "timing/run_commands.h"

#include <cmath>

namespace orvalen {

DateTick::DateTick(DisplayWindow& display, RunCommands& commands, const Clock& clock,
                   LongTermTargetReader& targets)
    : m_display(display), m_commands(commands), m_clock(clock), m_targets(targets)
{
}

void DateTick::advanceLongTerm()
{
    m_ended = false;
    DisplayWindow& d = m_display;
    const ClockPlan& plan = d.module().clock_plan;
    const QDateTime now = m_clock.now();
    const int format = plan.timeFormat();

    // The network time runs alongside for as long as this tick does;
    // enabling keeps a running networkTimeTick on its minute.
    d.networkTimeTick->setEnabled(true);

    const LongTermTarget target = m_targets.read(plan, now.date());
    qint64 diff = 0;
    if (target.live) {
        const LongTermTexts texts = live_texts(now, format);
        if (texts.known)
            setDateLine(texts.dateLine);
        showClock(texts.clock);
        d.hostState().run.setEndMarked(false);
        diff = 1000; // the live clock never runs out
    } else {
        diff = remaining_seconds(now, target.instant);
        if (diff > 0) {
            const LongTermTexts texts = countdown_texts(diff, format);
            if (texts.known)
                setDateLine(texts.dateLine);
            showClock(texts.clock);
        } else {
            d.hostState().run.setEndMarked(true);
            d.hostState().run.setTick(CountTick::Up);
        }
    }

    // A stop command marks the end: the count-down ends at this tick; the
    // live clock has just cleared the mark and goes on.
    if (d.hostState().run.endMarked() && !target.live)
        d.hostState().run.setEndAction(EndAction::Ended);
    if (d.hostState().run.endAction() == EndAction::Ended || diff <= 0)
        endActions();

    showWeekday();
    if (!m_ended)
        armNextSecond();
}

void DateTick::clockStepped()
{
    if (m_display.longTermTick->isEnabled())
        advanceLongTerm();
}

// The next shot falls just after the next whole second of the clock, worked
// out afresh at every tick: a step of the clock or a pause of the machine
// moves at most one change, and a shot that comes a little early shows the
// same second (not painted again) and re-arms a few milliseconds later.
void DateTick::armNextSecond()
{
    const int intoSecond = m_clock.now().time().msec();
    m_display.longTermTick->startOnce(1000 - intoSecond + CountEngine::kTickLagMs);
}

void DateTick::showClock(const QString& text)
{
    DisplayWindow& d = m_display;
    d.setCaption(d.clockText, text);
    // The clock panel is hidden during a blink half-period: it is painted
    // again once it shows. A text already on the panel is not painted
    // again.
    if (d.clockPanel->isHidden()) {
        m_painted.clear();
        return;
    }
    if (text == m_painted)
        return;
    d.paintClock(text, int(std::lround(d.clockText->font().pointSizeF())));
    // On the screen now, not after the rest of the tick.
    d.clockPanel->repaint();
    m_painted = text;
}

void DateTick::setDateLine(const QString& text)
{
    DisplayWindow& d = m_display;
    if (d.textLabels[2]->text() == text)
        return;
    d.setCaption(d.textLabels[2], text);
    if (!d.textPanels[2]->isHidden())
        d.paintTextPanels(2);
}

void DateTick::endActions()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    const ClockPlan& plan = d.module().clock_plan;
    // A display still ready was only prepared, for a target that had
    // already passed: nothing ran, so nothing is recorded. (A stop command
    // leaves it finished.)
    const bool runUnderWay = host.run.state() != RunState::Ready;

    host.run.setEndAction(EndAction::Ended);
    const QDateTime setUp = run_record_instant(host.run_record[0]);
    if (setUp.isValid())
        host.run_record[1] = QString::number(1000 * remaining_seconds(setUp, m_clock.now()));
    if (plan.blinksAt(6))
        host.run.setStage(6);

    if (AppContext& ctx = d.context(); ctx.sound) {
        const QString name = QStringLiteral("sounds/") + plan.stageMusic[4];
        const QString found = ctx.folder.resolve(name);
        ctx.sound->stopSound(found.isEmpty() ? ctx.folder.file(name) : found);
    }

    // The end text stands centred across the screen on the clock panel.
    d.textPanels[3]->hide();
    const QString& endText = plan.stageText[6];
    d.setCaption(d.clockText, endText);
    const ScreenMetrics& screen = d.screenMetrics();
    const int screenPx = screen.screenWidthPx > 0 ? screen.screenWidthPx : screen.fullWidthPx;
    if (screenPx > 0)
        d.setTwipsLeft(d.clockPanel, (screenPx * d.twipsPerPixelX() - d.twipsWidth(d.clockText)) / 2);
    d.paintClock(endText, int(std::lround(d.clockText->font().pointSizeF())));
    m_painted.clear();

    if (runUnderWay)
        m_commands.record_run();

    for (EngineTimer* t : {d.countdownTick.get(), d.scrollTick.get(), d.blinkTick.get(), d.countupTick.get(),
                           d.networkTimeTick.get(), d.clockSetup.get(), d.longTermTick.get()})
        t->setEnabled(false);
    d.clockPanel->show();
    m_ended = true;
    m_commands.stop_timing();
}

void DateTick::showWeekday()
{
    DisplayWindow& d = m_display;
    if (d.promptTick->isEnabled() || !d.hostState().clockset[4].checked)
        return;
    const QString name = weekday_name(m_clock.now().date());
    if (d.textLabels[3]->text() == name)
        return;
    d.setCaption(d.textLabels[3], name);
    if (!d.textPanels[3]->isHidden())
        d.paintTextPanels(3);
}

} // namespace orvalen
