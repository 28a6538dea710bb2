#include "display/display_pointer.h"
#include "display/display_window.h"

#include "display/clock_panel.h"
#include "stores/plan_colour.h"
#include "display/display_background.h"
#include "display/display_count_view.h"
#include "display/display_element_view.h"
#include "display/display_host.h"
#include "display/fonts.h"
#include "display/logo_video.h"
#include "display/made_text_sizes.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/prompt_ticker.h"
#include "display/screen_button_row.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace orvalen {
namespace {

// The window icon: a small clock face, 32 x 32.
QIcon makeIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 128));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(2, 2, 28, 28);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(16, 16, 16, 7);
    p.drawLine(16, 16, 23, 16);
    return QIcon(pm);
}

} // namespace

ScreenMetrics ScreenMetrics::fromPrimaryScreen()
{
    ScreenMetrics m;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return m;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    m.tppX = dpiX > 0 ? 1440.0 / dpiX : 15.0;
    m.tppY = dpiY > 0 ? 1440.0 / dpiY : 15.0;
    m.fullWidthPx = screen->availableGeometry().width();
    m.fullHeightPx = screen->availableGeometry().height();
    m.screenWidthPx = screen->geometry().width();
    return m;
}

DisplayWindow::DisplayWindow(AppContext& ctx, HostState& host, CurrentPlan& currentPlan,
                             DisplayHost& displayHost, QWidget* parent)
    : QWidget(parent), m_endFont(designerFont("宋体", 9)), m_qtVideos(std::make_unique<QtLogoVideoFactory>()),
      m_videoFactory(m_qtVideos.get()),
      m_drag(m_layout, [this](DisplayElement e) { saveElementPosition(e); }), m_ctx(ctx), m_host(host), m_currentPlan(currentPlan), m_displayHost(displayHost)
{
    installCjkSubstitutions();
    m_screen = ScreenMetrics::fromPrimaryScreen();
    m_layout.setTwipsPerPixel(m_screen.tppX, m_screen.tppY);
    setObjectName("displayWindow");
    setWindowTitle(QStringLiteral("Orvalen(全屏版)"));
    setWindowIcon(makeIcon());
    m_pointer = std::make_unique<DisplayPointer>(*this);
    createControls();
    m_marquee = std::make_unique<MarqueeTicker>(m_ctx.timers, [this] { m_countView->scrollOneStep(); });
    m_prompt = std::make_unique<PromptTicker>(m_ctx.timers, [this] { m_countView->showStagePrompt(); });
    m_countView = std::make_unique<DisplayCountView>(*this);
    m_elementView = std::make_unique<DisplayElementView>(*this);
    m_background = std::make_unique<DisplayBackground>(*this);
    m_followedPlan = m_currentPlan.plan();
    connect(&m_currentPlan, &CurrentPlan::changed, this, &DisplayWindow::followPlanStyles);
}

DisplayWindow::~DisplayWindow()
{
    // The ticks stop before the controls they paint go away.
    m_marquee.reset();
    m_prompt.reset();
    // The close-down normally ran already; without it, the video still goes
    // (the host may be gone by now, so it is not called).
    if (m_logoVideo) {
        m_logoVideo->stop();
        m_logoVideo.reset();
    }
}

CountView& DisplayWindow::countView() { return *m_countView; }

LayoutView& DisplayWindow::elementView() { return *m_elementView; }

BackgroundView& DisplayWindow::backgroundView() { return *m_background; }

void DisplayWindow::setLogoVideoFactory(LogoVideoFactory* factory)
{
    m_videoFactory = factory ? factory : m_qtVideos.get();
}

void DisplayWindow::createControls()
{
    m_controls.create(this, m_layout, m_host.run, m_host.menus);
    m_logoMadeSize = m_layout.rect(m_controls.logoBox).size();
    connect(m_controls.buttonRow.get(), &ScreenButtonRow::commandChosen, this, [this](DesktopItem command) {
        QPointer<DisplayWindow> self(this);
        // Runs once the click is done: the command may close the window.
        QMetaObject::invokeMethod(
            this, [self, command] {
                if (self)
                    self->m_displayHost.desktopRun(command);
            },
            Qt::QueuedConnection);
    });

    // The texts are measured once they hold the plan's captions and fonts
    // (the start-up's layout), not in these design fonts first.
    m_pointer->listen();
}

// --- screen ------------------------------------------------------------------

void DisplayWindow::fillScreen(QScreen* target)
{
    // Under a window manager the full-screen state takes the decorations
    // away and covers the screen; without one nothing sizes the window, so
    // the geometry of a new screen is set by hand as well.
    if (target)
        setGeometry(target->geometry());
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowFullScreen);
}

void DisplayWindow::restoreFullScreen()
{
    fillScreen();
    show();
}

bool DisplayWindow::fillsScreen() const
{
    // A minimised display keeps its full-screen flag beside the minimised one.
    return !isMinimized() && (isFullScreen() || isMaximized());
}

void DisplayWindow::minimise() { showMinimized(); }

void DisplayWindow::moveToScreen(QScreen* target)
{
    showNormal();
    if (target) {
        if (QWindow* w = windowHandle())
            w->setScreen(target);
    }
    fillScreen(target);
    show();
}

void DisplayWindow::closeDisplay() { close(); }

void DisplayWindow::setScreenMetrics(const ScreenMetrics& metrics)
{
    m_screen = metrics;
    m_fixedScreen = true;
    m_layout.setTwipsPerPixel(m_screen.tppX, m_screen.tppY);
}

// --- captions and fonts -------------------------------------------------------

void DisplayWindow::autoSize(QLabel* label)
{
    if (!m_controls.isTextLine(label))
        return;
    const bool scrolling = label == m_controls.textLabels[kScrollLine] && scrollLineMoves();
    label->setFont(fitToScreen(label, label->font(), label->text(), scrolling));
    const QFontMetricsF fm(label->font());
    m_layout.setWidth(label, fm.horizontalAdvance(label->text()));
    m_layout.setHeight(label, fm.height());
}

void DisplayWindow::fitClock(ClockPanel* clock)
{
    clock->setTextFont(fitToScreen(clock, clock->textFont(), clock->text(), false));
}

void DisplayWindow::setCaption(QLabel* label, const QString& text)
{
    if (!label)
        return;
    label->setText(text);
    autoSize(label);
    // A text panel is read by assistive tools as the text it shows.
    if (auto* panel = qobject_cast<Panel*>(label->parentWidget()))
        panel->setAccessibleName(text);
}

void DisplayWindow::setClockText(ClockPanel* clock, const QString& text)
{
    clock->setText(text);
    fitClock(clock);
    clock->setAccessibleName(text);
}

// The texts the audience reads are drawn smaller on a small screen and
// larger on a large one, and smaller still when wider than the screen; the size the plan gives stays
// the element's size (elementFont) and is where every new fit starts from.
// A scrolling text (`scrolling` on) runs through its panel, however long.
QFont DisplayWindow::fitToScreen(const QObject* key, QFont font, const QString& text, bool scrolling)
{
    auto it = m_plannedPoints.find(key);
    if (it == m_plannedPoints.end())
        it = m_plannedPoints.insert(key, font.pointSizeF());
    const double planned = *it;
    double drawn = planned * screenTextScale(m_screen.fullWidthPx, m_screen.fullHeightPx);
    if (!scrolling && m_screen.fullWidthPx > 0) {
        const double margin = std::max(8.0, m_screen.fullWidthPx * 0.02);
        drawn = pointSizeToFit(font, text, drawn, m_screen.fullWidthPx - 2 * margin);
    }
    if (drawn > 0 && drawn != font.pointSizeF())
        font.setPointSizeF(drawn);
    return font;
}

bool DisplayWindow::setFontSize(QWidget* w, double points)
{
    if (!w || !std::isfinite(points) || points <= 0 || points > 2048)
        return false;
    if (m_plannedPoints.contains(w))
        m_plannedPoints[w] = points;
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w))
        autoSize(l);
    return true;
}

bool DisplayWindow::setClockFontSize(ClockPanel* clock, double points)
{
    if (!std::isfinite(points) || points <= 0 || points > 2048)
        return false;
    m_plannedPoints[clock] = points;
    QFont f = clock->textFont();
    f.setPointSizeF(points);
    clock->setTextFont(f);
    fitClock(clock);
    return true;
}

void DisplayWindow::setFontName(QWidget* w, const QString& family)
{
    if (!w)
        return;
    QFont f = w->font();
    f.setFamily(displayFamily(family));
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w))
        autoSize(l);
}

// --- element styles -------------------------------------------------------------

void DisplayWindow::styleElement(QLabel* label, const QString& font, const QColor& colour, std::optional<double> size,
                                 QWidget* fontPanel, QWidget* colourPanel)
{
    setFontName(label, font);
    if (fontPanel)
        setFontName(fontPanel, font);
    setForeColour(label, colour);
    if (colourPanel)
        setForeColour(colourPanel, colour);
    if (size)
        setFontSize(label, *size);
}

// A clock takes the font for its text and its painting, and the colour.
void DisplayWindow::styleClock(ClockPanel* clock, const QString& font, const QColor& colour, std::optional<double> size)
{
    const QString family = displayFamily(font);
    QFont textFont = clock->textFont();
    textFont.setFamily(family);
    clock->setTextFont(textFont);
    fitClock(clock);
    QFont paintFont = clock->font();
    paintFont.setFamily(family);
    clock->setFont(paintFont);
    setForeColour(clock, colour);
    if (size)
        setClockFontSize(clock, *size);
}

void DisplayWindow::followPlanStyles()
{
    const ClockPlan& before = m_followedPlan;
    const ClockPlan& plan = m_currentPlan.plan();
    if (plan.clockFont != before.clockFont || plan.clockcolour != before.clockcolour
        || plan.fontSize(StyleSlot::Clock) != before.fontSize(StyleSlot::Clock)) {
        // The overtime clock takes the clock's look at the next set-up.
        styleClock(m_controls.clock, plan.clockFont, plan.clockcolour.colour(), drawnFontSize(plan, StyleSlot::Clock));
    }
    if (plan.stagefont != before.stagefont || plan.stagecolour != before.stagecolour
        || plan.fontSize(StyleSlot::DateLine) != before.fontSize(StyleSlot::DateLine))
        styleElement(m_controls.textLabels[kDateLine], plan.stagefont, plan.stagecolour.colour(),
                     drawnFontSize(plan, StyleSlot::DateLine));
    m_followedPlan = plan;
}

} // namespace orvalen
