#include "timing/count_engine.h"

#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "services/sound_player.h"
#include "services/time_conversions.h"
#include "stores/clock_plan.h"
#include "timing/clock_source.h"
#include "timing/clock_text.h"
#include "timing/run_commands.h"

#include <cmath>

namespace orvalen {
namespace {

constexpr qint64 kDayMs = 86'400'000;

QTime read_time_of_day(const QString& text)
{
    QTime t = QTime::fromString(text.trimmed(), QStringLiteral("hh:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(text.trimmed(), QStringLiteral("h:mm:ss"));
    return t;
}

} // namespace

CountEngine::CountEngine(DisplayWindow& display, RunCommands& commands)
    : m_display(display), m_commands(commands)
{
    m_display.countdownTick->setHandler([this] { advanceCountdown(); });
    m_display.blinkTick->setHandler([this] { toggleBlink(); });
    m_display.countupTick->setHandler([this] { advanceCountup(); });
    m_display.countSetup->setHandler([this] { setUpCount(); });
}

CountEngine::~CountEngine()
{
    for (auto* timer : {&m_display.countdownTick, &m_display.blinkTick, &m_display.countupTick, &m_display.countSetup}) {
        if (*timer)
            (*timer)->setHandler({});
    }
}

const ClockPlan& CountEngine::plan() const
{
    return m_display.module().clock_plan;
}

int CountEngine::timingMode() const
{
    return plan().timingMode();
}

// --- elapsed time -------------------------------------------------------------

qint64 CountEngine::countedMs(const QString& timer_name)
{
    const int entry = timer_name == QLatin1String("countdownTick") ? 1 : timer_name == QLatin1String("countupTick") ? 2 : 0;
    const Clock* clock = m_display.context().clock;
    if (entry == 0 || !clock)
        return 0;
    HostState& host = m_display.hostState();
    const int source = host.run.clockSource();
    const qint64 banked = qint64(std::nearbyint(leading_number(host.run_record[entry])));
    const qint64 wrap = entry == 2 ? kDayMs + 200 : kDayMs;
    const qint64 reference = m_display.module().start_reference_ms;

    if (source == 0)
        return clock_source_now_ms(*clock, 0) - reference + (entry == 2 ? 200 : 0) + banked;
    if (source == 1) {
        qint64 v = clock_source_now_ms(*clock, 1) - reference + banked;
        if (v < 0)
            v += wrap; // the count passed midnight
        return v;
    }
    if (source == 2) {
        const QTime start = read_time_of_day(m_display.start_time_of_day_text);
        if (!start.isValid()) {
            // The count cannot be measured on this source: the next program
            // start uses the next one.
            if (RegistryStore* registry = m_display.context().registry)
                registry->writeDword(QStringLiteral("clockmode"), 0);
            return 0;
        }
        qint64 v = qint64(time_to_seconds(clock->now().time()) - time_to_seconds(start)) * 1000 + banked;
        if (v < 0)
            v += wrap;
        return v;
    }
    return 0;
}

// --- clock text ---------------------------------------------------------------

void CountEngine::showCount(qint64 count_ms)
{
    const ClockPlan& p = plan();
    const Clock* clock = m_display.context().clock;
    const QTime now = clock ? clock->now().time() : QTime(0, 0);
    const QString text = running_clock_text(timingMode(), p.timeFormat(), count_ms, now);
    const bool onOvertimeClock = p.overtimeAction() == 0 && p.wantsOvertimeClock()
        && m_display.hostState().run.tick() == CountTick::Up;
    Panel* panel = nullptr;
    if (onOvertimeClock) {
        m_display.setCaption(m_display.overtimeText, text);
        m_display.paintOvertimeClock(text, int(std::lround(m_display.overtimeText->font().pointSizeF())));
        panel = m_display.overtimePanel;
    } else {
        m_display.setCaption(m_display.clockText, text);
        m_display.paintClock(text, int(std::lround(m_display.clockText->font().pointSizeF())));
        panel = m_display.clockPanel;
    }
    // The new digits go to the screen now, before the rest of the tick
    // (a stage's sound can take longer than a frame to start).
    if (panel->isVisible())
        panel->repaint();
}

// Shows the end text on the clock, centred on the screen, at the size at
// which it fits where the clock text stood.
void CountEngine::showEndText(const QString& text)
{
    DisplayWindow& d = m_display;
    d.setCaption(d.clockText, text);
    const double size = d.endTextMeasure->font().pointSizeF();
    d.setFontSize(d.clockText, size);
    const double screenWidth = d.screenMetrics().screenWidthPx * d.twipsPerPixelX();
    d.setTwipsLeft(d.clockPanel, (screenWidth - d.twipsWidth(d.clockText)) / 2);
    d.paintClock(text, int(std::lround(size)));
}

// --- blink ----------------------------------------------------------------------

void CountEngine::toggleBlink()
{
    DisplayWindow& d = m_display;
    if (d.blinkTick->interval() != 490)
        d.blinkTick->setInterval(490);
    const ClockPlan& p = plan();
    const bool overtimeClock = d.hostState().run.stage() == 5 && p.overtimeAction() == 0
        && p.wantsOvertimeClock();
    Panel* panel = overtimeClock ? d.overtimePanel : d.clockPanel;
    panel->setVisible(panel->isHidden());
    if (d.blink_count < 1) {
        d.blinkTick->setEnabled(false);
        panel->setVisible(true);
    }
    d.blink_count -= 1;
}

// --- shared -------------------------------------------------------------------------

// The cue of the end stage: its prompt, blink, background and sound.
void CountEngine::endStageCue()
{
    DisplayWindow& d = m_display;
    const ClockPlan& p = plan();
    d.hostState().run.setStage(6);
    d.prompt_ticks = 3;
    if (p.blinksAt(6)) {
        d.blink_count = p.tixingtime * 2;
        d.blinkTick->setEnabled(true);
    }
    if (p.hasStageLooks())
        d.applyStageBackground(6);
    if (SoundPlayer* sound = d.context().sound) {
        sound->stopSound(soundPath(p.stageMusic[4]));
        if (p.playsSoundAt(6))
            sound->playSound(soundPath(p.stageMusic[6]));
    }
}

void CountEngine::armTick(EngineTimer& timer, qint64 countMs)
{
    qint64 phase = ((countMs % 1000) + 1000) % 1000;
    const Clock* clock = m_display.context().clock;
    // The time of day shown in system-time mode, and a count measured in
    // whole seconds of the time of day (clock source 2), change with the
    // wall clock's seconds.
    if (clock && (timingMode() == 2 || m_display.hostState().run.clockSource() == 2))
        phase = clock->now().time().msec();
    timer.startOnce(int(1000 - phase + kTickLagMs));
}

QString CountEngine::soundPath(const QString& name) const
{
    const ProgramFolder& folder = m_display.context().folder;
    const QString relative = QStringLiteral("sounds/") + name;
    const QString found = name.trimmed().isEmpty() ? QString() : folder.resolve(relative);
    return found.isEmpty() ? folder.file(relative) : found;
}

} // namespace orvalen
