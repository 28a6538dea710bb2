// The display's start-up: the current plan, the clock texts, the element
// styles, the background, the logo, the idle menu state and the timers.
#include "display/clock_texts.h"
#include "display/colour.h"
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "display/screen_shares.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "stores/run_state.h"
#include "services/time_conversions.h"
#include "services/tray_icon.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

namespace orvalen {
namespace {

int seconds_of(const QTime& t)
{
    return t.isValid() ? t.hour() * 3600 + t.minute() * 60 + t.second() : 0;
}

} // namespace

QString DisplayWindow::iniRead(const QString& section, const QString& key, const QString& fallback) const
{
    return m_ctx.ini.read(section, key, fallback);
}

void DisplayWindow::readMarqueeSettings()
{
    using namespace time_data;
    if (const auto v = to_int16(leading_number(iniRead(kMarquee, kMode, kModeDefault))))
        marquee_mode = *v;
    if (const auto v = to_int32(leading_number(iniRead(kMarquee, kWidth, kWidthDisplayDefault).trimmed())))
        marquee_width = *v;
    if (const auto v = to_int16(leading_number(iniRead(kMarquee, kMarqueeSpeed, kSpeedDisplayDefault).trimmed())))
        marquee_speed = *v;
}

QDateTime DisplayWindow::now() const
{
    return m_ctx.clock.now();
}

bool DisplayWindow::isRunning() const
{
    // A long-term plan runs on its own tick, which counts nothing.
    return m_host.run.state() == RunState::Running && !m_module.clock_plan.isLongTerm();
}

void DisplayWindow::load()
{
    loadPlanAndStyles();
    loadLookAndState();
}

void DisplayWindow::loadPlanAndStyles()
{
    ClockPlan& plan = m_module.clock_plan;

    for (Panel* p : {clockPanel, overtimePanel})
        p->setBorderStyle(0);
    setTwipsLeft(m_backgroundBox, 0);
    setTwipsTop(m_backgroundBox, 0);
    m_displayHost.registerHotkeys();
    m_trayIcon = std::make_unique<TrayIcon>();
    connect(m_trayIcon.get(), &TrayIcon::MouseClick, this, &DisplayWindow::trayIconClicked);
    m_trayIcon->AddTrayIcon(m_trayImage);
    m_trayIcon->SetTrayIcon(m_trayImage);
    m_trayIcon->SetTrayTip(windowTitle());
    load_plan(m_ctx.registry, plan, now().date());
    m_module.plan_length_seconds = seconds_of(plan.Time_all);
    m_module.plan_length_ms = qint64(m_module.plan_length_seconds) * 1000;
    const QTime* stages[5] = {&plan.Time_one, &plan.Time_two, &plan.Time_three, &plan.Time_four,
                              &plan.Time_five};
    for (int i = 0; i < 5; ++i)
        stage_seconds[i + 1] = seconds_of(*stages[i]);

    const QTime timeOfDay = now().time();
    const QColor clockColour = colour_from_text(plan.clockcolour);
    const std::optional<double> clockSize = size_entry(plan.sizethree, 2);
    setCaption(clockText, initial_clock_text(plan, timeOfDay));
    styleElement(clockText, plan.clockFont, clockColour, clockSize, clockPanel, clockPanel);
    setCaption(overtimeText, initial_overtime_text(plan, timeOfDay));
    styleElement(overtimeText, plan.clockFont, clockColour, clockSize, overtimePanel, overtimePanel);
    overtimeText->hide();
    overtimePanel->hide();

    // The five text elements: caption, font (fallback "宋体"), colour, size, visibility.
    struct TextStyle {
        int index;
        QString caption;
        QString font;
        QString colour;
        int sizeEntry;
    };
    const TextStyle styles[] = {{0, plan.firsttext, plan.firstfont, plan.firstcolour, 0},
                                {1, plan.secondtext, plan.secondfont, plan.secondcolour, 1},
                                {2, QString(), plan.stagefont, plan.stagecolour, 3},
                                {3, QString(), plan.textfont, plan.textcolour, 4},
                                {4, QString(), plan.rollfont, plan.rollcolour, 5}};
    for (const TextStyle& s : styles) {
        QLabel* label = textLabels[s.index];
        setCaption(label, s.caption);
        styleElement(label, s.font, colour_from_text(s.colour), size_entry(plan.sizethree, s.sizeEntry),
                     s.index == 2 ? textPanels[kDateLine] : nullptr);
        if (s.index == 0) {
            if (label->text().isEmpty())
                label->hide();
        } else if (s.index == 1) {
            textPanels[kSubtitleLine]->setVisible(!label->text().isEmpty());
        } else if (label->text().isEmpty()) {
            textPanels[s.index]->hide();
        }
    }

    readMarqueeSettings();
    if (const auto v = to_int16(leading_number(
            iniRead(time_data::kMarquee, time_data::kColckBigText, time_data::kColckBigTextDefault).trimmed())))
        m_module.bigClockText = *v;
    // A width of zero or below cannot be given to the panel; it keeps its own.
    if (marquee_width > 0)
        setTwipsWidth(textPanels[kScrollLine], marquee_width);
}

void DisplayWindow::loadLookAndState()
{
    const ClockPlan& plan = m_module.clock_plan;

    if (plan.checkthree.left(1) == QLatin1String("0"))
        applyBackground(plan.clockcolour, value_part(plan.background, 0), value_part(plan.background, 1));
    else
        applyBackground(value_part(plan.highset[0], 0), value_part(plan.highset[0], 1),
                        value_part(plan.highset[0], 2));
    if (!m_fixedScreen)
        m_screen = ScreenMetrics::fromPrimaryScreen();
    // Places shipped as shares of the screen become twips of this screen.
    if (m_screen.fullWidthPx > 0 && m_screen.fullHeightPx > 0)
        store_shares_as_twips(m_ctx, twipsPerPixelX() * m_screen.fullWidthPx, twipsPerPixelY() * m_screen.fullHeightPx);
    fillScreen(QGuiApplication::primaryScreen());
    show();
    fitBackgroundBox();
    paintClock(clockText->text(), to_int16(clockText->font().pointSizeF()).value_or(0));
    paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
    loadLogo(LogoLoad::StartUp);
    textPanels[kScrollLine]->hide();
    applyIdleMenuState();
    relayout();
    promptTick->setInterval(100);
    // A long-term plan's set-up is the engine's, once the display is loaded.
    if (plan.isLongTerm())
        scrollTick->setEnabled(false);
}

void DisplayWindow::applyIdleMenuState()
{
    m_host.run.setEndMarked(false);
    m_host.run.setState(RunState::Ready);
    m_displayHost.showReady();
    // The marks and the items the run state does not decide.
    HostState& h = m_host;
    using enum DesktopItem;
    h.item(AdjustMode).checked = false;
    h.item(Background).enabled = true;
    const int buttons = to_int16(leading_number(iniRead(time_data::kClockSite,
                                                        time_data::pictureLeftKey(int(DisplayElement::ButtonsFlag)),
                                                        time_data::kButtonsShownDefault)))
                            .value_or(0);
    // The buttons command turns the mark over, shows the buttons to match
    // and keeps the flag.
    h.item(Buttons).checked = buttons != 1;
    m_displayHost.desktopRun(int(Buttons));
    h.item(ExtendedScreen).checked = false;
    h.item(WindowSeparator).enabled = false;
    m_host.menusChanged();
}

// --- background ------------------------------------------------------------------

void DisplayWindow::setBackgroundColour(const QColor& colour)
{
    if (!colour.isValid())
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    m_backgroundBox->setBackColor(colour);
    clockPanel->setBackColor(colour);
    overtimePanel->setBackColor(colour);
    for (int i = 1; i <= 4; ++i)
        textPanels[i]->setBackColor(colour);
}

void DisplayWindow::setClockColour(const QColor& colour)
{
    setForeColour(clockText, colour);
    setForeColour(clockPanel, colour);
    setForeColour(overtimeText, colour);
    setForeColour(overtimePanel, colour);
}

void DisplayWindow::setBackgroundPicture(const QPixmap& picture)
{
    m_backgroundBox->setPicture(picture);
    m_backgroundPictureName.clear();
}

void DisplayWindow::applyBackground(const QString& clockColour, const QString& backColour, const QString& pictureName)
{
    setClockColour(colour_from_text(clockColour));
    setBackgroundPicture(QPixmap());

    // Only a bare name inside picture/ is looked at; a file that does not
    // decode counts as no picture, and the colour applies.
    QPixmap picture;
    if (is_bare_file_name(pictureName)) {
        const QString path = m_ctx.folder.resolve(QStringLiteral("picture/") + pictureName);
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            const QImage image = reader.read();
            if (!image.isNull())
                picture = QPixmap::fromImage(image);
        }
    }
    if (!picture.isNull()) {
        setBackgroundPicture(picture);
        m_backgroundPictureName = pictureName;
    } else {
        setBackgroundColour(colour_from_text(backColour));
    }
}

void DisplayWindow::showBackgroundColour(const QColor& colour)
{
    setBackgroundPicture(QPixmap());
    setBackgroundColour(colour);
    paintClock();
    // The text panels keep what was painted on them until they are laid out again.
    relayout();
}

void DisplayWindow::showBackgroundPicture(const QPixmap& picture, const QColor& clockColour, const QString& name)
{
    setClockColour(clockColour);
    setBackgroundPicture(picture);
    m_backgroundPictureName = picture.isNull() ? QString() : name;
    relayout();
}

void DisplayWindow::applyStageBackground(int stage)
{
    if (stage < 0 || stage > 6)
        return;
    const ClockPlan& plan = m_module.clock_plan;
    if (plan.checkthree.left(1) == QLatin1String("0"))
        applyBackground(plan.clockcolour, value_part(plan.background, 0), value_part(plan.background, 1));
    else
        applyBackground(value_part(plan.highset[stage], 0), value_part(plan.highset[stage], 1),
                        value_part(plan.highset[stage], 2));
    relayout();
}

// --- logo --------------------------------------------------------------------------

void DisplayWindow::releaseLogoVideo()
{
    if (logo_media_control) {
        logo_media_control->stop();
        logo_media_control.reset();
    }
    logo_video_window = nullptr;
}

void DisplayWindow::sizeLogoBox(const QImage& image)
{
    using namespace time_data;
    const int option = to_int16(leading_number(iniRead(kPictureSet, kOption, kOptionDefault))).value_or(0);
    if (option == 0) {
        if (!image.isNull())
            setTwipsGeometry(logoBox, qQNaN(), qQNaN(), image.width() * twipsPerPixelX(),
                             image.height() * twipsPerPixelY());
        return;
    }
    // A size that does not convert counts as 0; a tenfold beyond 16 bits
    // leaves that side as it was.
    auto boxSize = [&](const QString& key, const QString& fallback) -> std::optional<int> {
        const int v = to_int16(leading_number(iniRead(kPictureSet, key, fallback).trimmed())).value_or(0);
        return to_int16(double(v) * 10);
    };
    if (const auto w = boxSize(kWidth, kLogoWidthDefault); w && *w >= 0)
        setTwipsWidth(logoBox, *w);
    if (const auto h = boxSize(kHeight, kLogoHeightDefault); h && *h >= 0)
        setTwipsHeight(logoBox, *h);
}

void DisplayWindow::loadLogo(LogoLoad when)
{
    // A set-up starts from an empty, hidden box; the start-up hides it only
    // when there is no logo.
    if (when == LogoLoad::SetUp) {
        logoBox->hide();
        logoBox->setPicture(QPixmap());
    }
    const QString name = m_module.clock_plan.logopicture.trimmed();
    QString path;
    if (name.size() > 3 && is_bare_file_name(name))
        path = m_ctx.folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        logoBox->hide();
        // No logo: a video of an earlier plan must not play on hidden.
        releaseLogoVideo();
        return;
    }

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    logoBox->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));

    sizeLogoBox(image);

    // A file that is no picture plays as a video in the logo box.
    releaseLogoVideo();
    if (image.isNull())
        playLogoVideo(path);
}

void DisplayWindow::playLogoVideo(const QString& path, LogoVideoFactory* factory)
{
    if (!factory)
        factory = m_videoFactory;
    logo_media_control = factory->create(path, logoBox);
    if (!logo_media_control)
        return;
    logo_video_window = logo_media_control->videoWidget();
    const int b = logoBox->borderWidth();
    logo_media_control->setSize(logoBox->width() - 2 * b, logoBox->height() - 2 * b);
    logo_media_control->play();
}

} // namespace orvalen
