#include "timing/clock_setup.h"

#include "services/time_conversions.h"
#include "display/colour.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "services/sound_player.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "timing/long_term_log.h"
#include "timing/long_term_texts.h"

#include <QFileInfo>
#include <QImageReader>

namespace orvalen {
namespace {

const QString kSetting = QStringLiteral("setting");

// A colour text of the registry: its leading number as a colour value, so
// an absent or empty value gives 0, black.
QColor registryColour(const QString& text)
{
    return colour_from_value(qint64(leading_number(text)), QColor(Qt::black));
}

} // namespace

ClockSetup::ClockSetup(DisplayWindow& display, const Clock& clock, LongTermTargetReader& targets,
                       LogoVideoFactory* videos)
    : m_display(display), m_clock(clock), m_targets(targets), m_videos(videos)
{
}

void ClockSetup::setUpClock()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    ClockPlan& plan = d.module().clock_plan;

    d.clockSetup->setEnabled(false);
    if (!plan.isLongTerm()) {
        host.clockset[4].visible = false;
        host.menusChanged();
        return;
    }
    host.clockset[4].visible = true;
    host.menusChanged();

    const QDateTime now = m_clock.now();
    const LongTermTarget target = m_targets.read(plan, now.date());
    const qint64 remaining = target.live ? -1 : remaining_seconds(now, target.instant);

    host.run_record[0] = run_record_instant_text(now);
    for (int i = 1; i <= 3; ++i)
        host.run_record[i] = QStringLiteral("0");
    host.run_record[4] = run_record_instant_text(QDateTime(plan.time_date, plan.Time_all));
    host.run.setEndAction(EndAction(plan.overtimeAction()));
    host.run.setEndMarked(false);

    // Where the target stands: ahead (a count-down), none (the live date
    // and clock) or passed (the tick ends the run at once).
    QString clockText;
    const int format = plan.timeFormat();
    if (!target.live && remaining >= 0) {
        const LongTermTexts texts = countdown_texts(remaining, format);
        if (texts.known) {
            d.setCaption(d.textLabels[2], texts.dateLine);
            clockText = texts.clock;
        }
        host.run.setTick(CountTick::Down);
    } else if (target.live) {
        d.textPanels[2]->show();
        const LongTermTexts texts = live_texts(now, format);
        if (texts.known) {
            d.setCaption(d.textLabels[2], texts.dateLine);
            clockText = texts.clock;
        }
    } else {
        d.longTermTick->setEnabled(true);
        host.run.setEndMarked(true);
        host.run.setTick(CountTick::Up);
    }

    styleElements(clockText);
    styleDateLine();
    stylePromptAndScroll();
    readMarquee();
    d.applyStageBackground(0);
    loadLogo();
    const ScreenMetrics& screen = d.screenMetrics();
    d.module().full_screen_width_px = screen.fullWidthPx;
    d.module().full_screen_height_px = screen.fullHeightPx;
    d.fillScreen();
    d.start_time_of_day_text = now.time().toString(QStringLiteral("hh:mm:ss"));
    if (host.ready_marker != kSetting)
        writeRunningState();
    d.relayout();
    if (m_onDone)
        m_onDone();
}

void ClockSetup::styleElements(const QString& clockText)
{
    DisplayWindow& d = m_display;
    const ClockPlan& plan = d.module().clock_plan;

    auto styleTitle = [&](QLabel* label, const QString& text, const QString& font, const QString& colour, int sizeEntry) {
        d.setCaption(label, text);
        d.setFontName(label, font);
        d.setForeColour(label, colour_from_text(colour));
        if (const auto size = size_entry(plan.sizethree, sizeEntry))
            d.setFontSize(label, *size);
    };
    styleTitle(d.textLabels[0], plan.firsttext, plan.firstfont, plan.firstcolour, 0);
    d.textLabels[0]->setVisible(!d.textLabels[0]->text().isEmpty());
    styleTitle(d.textLabels[1], plan.secondtext, plan.secondfont, plan.secondcolour, 1);
    d.textPanels[1]->setVisible(!d.textLabels[1]->text().isEmpty());

    const QColor clockColour = colour_from_text(plan.clockcolour);
    const auto clockSize = size_entry(plan.sizethree, 2);
    // The clock and the overtime clock share the clock's style.
    const auto styleClock = [&](QLabel* label, QWidget* panel) {
        d.setCaption(label, clockText);
        d.setFontName(label, plan.clockFont);
        d.setFontName(panel, plan.clockFont);
        d.setForeColour(label, clockColour);
        d.setForeColour(panel, clockColour);
        if (clockSize)
            d.setFontSize(label, *clockSize);
    };
    styleClock(d.clockText, d.clockPanel);
    d.clockPanel->setVisible(!d.clockText->text().isEmpty());
    styleClock(d.overtimeText, d.overtimePanel);
    d.overtimePanel->hide();
}

void ClockSetup::styleDateLine()
{
    DisplayWindow& d = m_display;
    ClockPlan& plan = d.module().clock_plan;
    // The date line takes its look from the stored values, which the
    // element menu writes, not from the plan in memory.
    QString sizes;
    if (RegistryStore* registry = d.context().registry) {
        plan.stagefont = registry->readText(QStringLiteral("stagefont")).value_or(QString());
        plan.stagecolour = registry->readText(QStringLiteral("stagecolour")).value_or(QString());
        sizes = registry->readText(QStringLiteral("sizethree")).value_or(QString());
    }
    QLabel* line = d.textLabels[2];
    d.setFontName(line, plan.stagefont);
    d.setFontName(d.textPanels[2], plan.stagefont);
    d.setForeColour(line, registryColour(plan.stagecolour));
    if (const auto size = size_entry(sizes, 3))
        d.setFontSize(line, *size);
    d.textPanels[2]->setVisible(!line->text().isEmpty());
}

void ClockSetup::stylePromptAndScroll()
{
    DisplayWindow& d = m_display;
    const ClockPlan& plan = d.module().clock_plan;
    const HostState& host = d.hostState();

    // Before the run starts the prompt line stays empty; the prompt
    // tick fills it.
    QString prompt;
    if (host.run.isUnderWay()) {
        if (plan.showsWeekday())
            prompt = weekday_name(m_clock.now().date());
        else if (plan.showsPromptAt(0) && !plan.stageText[0].isEmpty())
            prompt = plan.stageText[0];
    }
    QLabel* label = d.textLabels[3];
    d.setCaption(label, prompt);
    d.setFontName(label, plan.textfont);
    d.setForeColour(label, colour_from_text(plan.textcolour));
    if (const auto size = size_entry(plan.sizethree, 4))
        d.setFontSize(label, *size);
    d.textPanels[3]->setVisible(!label->text().isEmpty());
    QLabel* scroll = d.textLabels[4];
    d.setFontName(scroll, plan.rollfont);
    d.setForeColour(scroll, colour_from_text(plan.rollcolour));
    if (const auto size = size_entry(plan.sizethree, 5))
        d.setFontSize(scroll, *size);
    // The scrolling tick shows the panel at its first step.
    if (!scroll->text().isEmpty())
        d.scrollTick->setEnabled(true);
}

void ClockSetup::readMarquee()
{
    DisplayWindow& d = m_display;
    d.readMarqueeSettings();
    // A width of zero or below cannot be given to the panel.
    if (d.marquee_width > 0)
        d.setTwipsWidth(d.textPanels[4], d.marquee_width);
    QLabel* label = d.textLabels[4];
    const double panelWidth = d.twipsWidth(d.textPanels[4]);
    switch (d.marquee_mode) {
    case 0: d.setTwipsLeft(label, -d.twipsWidth(label)); break;
    case 1: d.setTwipsLeft(label, panelWidth); break;
    case 2: d.setTwipsLeft(label, (panelWidth - d.twipsWidth(label)) / 2); break;
    default: break;
    }
}

void ClockSetup::loadLogo()
{
    DisplayWindow& d = m_display;
    const AppContext& ctx = d.context();
    Panel* box = d.logoBox;
    box->hide();
    box->setPicture(QPixmap());

    const QString name = d.module().clock_plan.logopicture.trimmed();
    QString path;
    if (name.size() > 3 && is_bare_file_name(name))
        path = ctx.folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // No logo: a video of an earlier plan must not play on hidden.
        if (d.logo_media_control) {
            d.logo_media_control->stop();
            d.logo_media_control.reset();
            d.logo_video_window = nullptr;
        }
        return;
    }

    QImage image;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    image = reader.read();
    box->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    d.sizeLogoBox(image);
    if (d.logo_media_control) {
        d.logo_media_control->stop();
        d.logo_media_control.reset();
        d.logo_video_window = nullptr;
    }
    if (!image.isNull())
        return;
    // A file that is no picture plays as a video in the logo box.
    d.playLogoVideo(path, m_videos);
}

void ClockSetup::writeRunningState()
{
    DisplayWindow& d = m_display;
    HostState& host = d.hostState();
    const ClockPlan& plan = d.module().clock_plan;

    d.longTermTick->setEnabled(true);
    d.scrollTick->setEnabled(true);
    d.blinkTick->setEnabled(false);
    d.countupTick->setEnabled(false);
    host.run.setState(RunState::Running);
    AppContext& ctx = d.context();
    if (plan.playsSoundAt(0) && ctx.sound) {
        const QString name = QStringLiteral("sounds/") + plan.stageMusic[0];
        const QString found = ctx.folder.resolve(name);
        ctx.sound->playSound(found.isEmpty() ? ctx.folder.file(name) : found);
    }
    host.run.setStage(0);
    d.prompt_ticks = 3;
    d.promptTick->setEnabled(true);
}

} // namespace orvalen
