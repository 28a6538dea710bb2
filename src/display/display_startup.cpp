// The display's start-up: the current plan, the clock texts, the element
// styles, the background, the logo, the idle menu state and the ticks.
#include "display/clock_panel.h"
#include "display/clock_texts.h"
#include "display/colour.h"
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/prompt_ticker.h"
#include "display/screen_shares.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "state/run_state.h"
#include "services/time_conversions.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>

namespace orvalen {
namespace {

int secondsOf(const QTime& t)
{
    return t.isValid() ? t.hour() * 3600 + t.minute() * 60 + t.second() : 0;
}

} // namespace

QString DisplayWindow::iniRead(const QString& section, const QString& key, const QString& fallback) const
{
    return m_ctx.ini.read(section, key, fallback);
}

QDateTime DisplayWindow::now() const
{
    return m_ctx.clock.now();
}

bool DisplayWindow::isRunning() const
{
    // A long-term plan runs on its own tick, which counts nothing.
    return m_host.run.state() == RunState::Running && !m_currentPlan.plan().longTerm;
}

void DisplayWindow::load()
{
    loadPlanAndStyles();
    loadLookAndState();
}

void DisplayWindow::loadPlanAndStyles()
{
    ClockPlan loaded = m_currentPlan.plan();

    for (Panel* p : {m_clock, m_overtimeClock})
        p->setBorderStyle(0);
    m_layout.setLeft(m_backgroundBox, 0);
    m_layout.setTop(m_backgroundBox, 0);
    m_displayHost.registerHotkeys();
    loadPlan(m_ctx.registry, loaded, now().date());
    m_currentPlan.replace(loaded);
    const ClockPlan& plan = m_currentPlan.plan();

    const QTime timeOfDay = now().time();
    const QColor clockColour = plan.clockcolour.colour();
    const std::optional<double> clockSize = plan.fontSize(2);
    setClockText(m_clock, initial_clock_text(plan, timeOfDay));
    styleClock(m_clock, plan.clockFont, clockColour, clockSize);
    setClockText(m_overtimeClock, initialOvertimeText(plan, timeOfDay));
    styleClock(m_overtimeClock, plan.clockFont, clockColour, clockSize);
    m_overtimeClock->hide();

    // The five text elements: caption, font (fallback "宋体"), colour, size, visibility.
    struct TextStyle {
        std::size_t index;
        QString caption;
        QString font;
        PlanColour colour;
        int sizeEntry;
    };
    const TextStyle styles[] = {{kTitleLine, plan.firsttext, plan.firstfont, plan.firstcolour, 0},
                                {kSubtitleLine, plan.secondtext, plan.secondfont, plan.secondcolour, 1},
                                {kDateLine, QString(), plan.stagefont, plan.stagecolour, 3},
                                {kPromptLine, QString(), plan.textfont, plan.textcolour, 4},
                                {kScrollLine, QString(), plan.rollfont, plan.rollcolour, 5}};
    for (const TextStyle& s : styles) {
        QLabel* label = m_textLabels[s.index];
        setCaption(label, s.caption);
        styleElement(label, s.font, s.colour.colour(), plan.fontSize(s.sizeEntry),
                     s.index == kDateLine ? m_textPanels[kDateLine] : nullptr);
        if (s.index == kTitleLine) {
            if (label->text().isEmpty())
                label->hide();
        } else if (s.index == kSubtitleLine) {
            m_textPanels[kSubtitleLine]->setVisible(!label->text().isEmpty());
        } else if (label->text().isEmpty()) {
            m_textPanels[s.index]->hide();
        }
    }

    m_marquee->readSettings(m_ctx.ini);
    autoSize(m_textLabels[kScrollLine]);
    // A width of zero or below cannot be given to the panel; it keeps its own.
    if (m_marquee->width() > 0)
        sizeScrollPanel();
}

void DisplayWindow::loadLookAndState()
{
    const ClockPlan& plan = m_currentPlan.plan();

    if (!plan.stageLooks) {
        applyBackground(plan.clockcolour.text, plan.backgroundColour.text, plan.backgroundPicture);
    } else {
        const StageLook& look = plan.stages[size_t(0)].look;
        applyBackground(look.timeColour.text, look.backgroundColour.text, look.backgroundPicture);
    }
    if (!m_fixedScreen) {
        m_screen = ScreenMetrics::fromPrimaryScreen();
        m_layout.setTwipsPerPixel(m_screen.tppX, m_screen.tppY);
    }
    // Places shipped as shares of the screen become twips of this screen.
    if (m_screen.fullWidthPx > 0 && m_screen.fullHeightPx > 0)
        storeSharesAsTwips(m_ctx, m_layout.tppX() * m_screen.fullWidthPx, m_layout.tppY() * m_screen.fullHeightPx);
    fillScreen(QGuiApplication::primaryScreen());
    show();
    fitBackgroundBox();
    paintClockAt(toInt16(m_clock->textFont().pointSizeF()).value_or(0));
    paintOvertimeClockAt(toInt16(m_overtimeClock->textFont().pointSizeF()).value_or(0));
    loadLogo(LogoLoad::StartUp);
    m_textPanels[kScrollLine]->hide();
    applyIdleMenuState();
    relayout();
    m_prompt->setInterval(100);
    // A long-term plan's set-up is the engine's, once the display is loaded.
    if (plan.longTerm)
        m_marquee->setRunning(false);
}

void DisplayWindow::applyIdleMenuState()
{
    m_displayHost.showReady();
    // The marks the run state does not decide.
    MenuState& menus = m_host.menus;
    menus.setAdjustMode(false);
    const int buttons = toInt16(leadingNumber(iniRead(time_data::kClockSite,
                                                        time_data::pictureLeftKey(int(DisplayElement::ButtonsFlag)),
                                                        time_data::kButtonsShownDefault)))
                            .value_or(0);
    // The buttons command turns the mark over, shows the buttons to match
    // and keeps the flag.
    menus.setButtonsShown(buttons != 1);
    m_displayHost.desktopRun(DesktopItem::Buttons);
    menus.setExtendedScreen(false);
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
    m_clock->setBackColor(colour);
    m_overtimeClock->setBackColor(colour);
    for (std::size_t i = 1; i <= 4; ++i)
        m_textPanels[i]->setBackColor(colour);
}

void DisplayWindow::setClockColour(const QColor& colour)
{
    setForeColour(m_clock, colour);
    setForeColour(m_overtimeClock, colour);
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
    if (isBareFileName(pictureName)) {
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

void DisplayWindow::applyStageBackground(int stage)
{
    if (stage < 0 || stage > 6)
        return;
    const ClockPlan& plan = m_currentPlan.plan();
    if (!plan.stageLooks) {
        applyBackground(plan.clockcolour.text, plan.backgroundColour.text, plan.backgroundPicture);
    } else {
        const StageLook& look = plan.stages[size_t(stage)].look;
        applyBackground(look.timeColour.text, look.backgroundColour.text, look.backgroundPicture);
    }
    relayout();
}

// --- logo --------------------------------------------------------------------------

void DisplayWindow::releaseLogoVideo()
{
    if (m_logoVideo) {
        m_logoVideo->stop();
        m_logoVideo.reset();
    }
    m_logoVideoWidget = nullptr;
}

void DisplayWindow::sizeLogoBox(const QImage& image)
{
    using namespace time_data;
    const int option = toInt16(leadingNumber(iniRead(kPictureSet, kOption, kOptionDefault))).value_or(0);
    if (option == 0) {
        if (!image.isNull())
            m_layout.setGeometry(m_logoBox, qQNaN(), qQNaN(), image.width(), image.height());
        return;
    }
    // A size that does not convert counts as 0; a tenfold beyond 16 bits
    // leaves that side as it was.
    auto boxSize = [&](const QString& key, const QString& fallback) -> std::optional<int> {
        const int v = toInt16(leadingNumber(iniRead(kPictureSet, key, fallback).trimmed())).value_or(0);
        return toInt16(double(v) * 10);
    };
    if (const auto w = boxSize(kWidth, kLogoWidthDefault); w && *w >= 0)
        m_layout.setWidth(m_logoBox, m_layout.pxX(*w));
    if (const auto h = boxSize(kHeight, kLogoHeightDefault); h && *h >= 0)
        m_layout.setHeight(m_logoBox, m_layout.pxY(*h));
}

void DisplayWindow::loadLogo(LogoLoad when)
{
    // A set-up starts from an empty, hidden box; the start-up hides it only
    // when there is no logo.
    if (when == LogoLoad::SetUp) {
        m_logoBox->hide();
        m_logoBox->setPicture(QPixmap());
    }
    const QString name = m_currentPlan.plan().logopicture.trimmed();
    QString path;
    if (name.size() > 3 && isBareFileName(name))
        path = m_ctx.folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_logoBox->hide();
        // No logo: a video of an earlier plan must not play on hidden.
        releaseLogoVideo();
        return;
    }

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    m_logoBox->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));

    sizeLogoBox(image);

    // A file that is no picture plays as a video in the logo box.
    releaseLogoVideo();
    if (image.isNull())
        playLogoVideo(path);
}

void DisplayWindow::playLogoVideo(const QString& path)
{
    m_logoVideo = m_videoFactory->create(path, m_logoBox);
    if (!m_logoVideo)
        return;
    m_logoVideoWidget = m_logoVideo->videoWidget();
    const int b = m_logoBox->borderWidth();
    m_logoVideo->setSize(m_logoBox->width() - 2 * b, m_logoBox->height() - 2 * b);
    m_logoVideo->play();
}

} // namespace orvalen
