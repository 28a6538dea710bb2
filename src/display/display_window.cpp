#include "display/display_window.h"

#include "display/clock_panel.h"
#include "display/display_background.h"
#include "display/display_count_view.h"
#include "display/display_element_view.h"
#include "display/display_host.h"
#include "display/display_logo.h"
#include "display/display_pointer.h"
#include "display/display_styler.h"
#include "display/fonts.h"
#include "display/made_text_sizes.h"
#include "display/marquee_ticker.h"
#include "display/panel_painter.h"
#include "display/prompt_ticker.h"
#include "display/screen_button_row.h"
#include "stores/plan_colour.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

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

double ScreenMetrics::textScale() const { return screenTextScale(fullWidthPx, fullHeightPx); }

DisplayWindow::DisplayWindow(AppContext& ctx, HostState& host, CurrentPlan& currentPlan,
                             DisplayHost& displayHost, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_host(host), m_currentPlan(currentPlan), m_displayHost(displayHost)
{
    installCjkSubstitutions();
    m_screen = ScreenMetrics::fromPrimaryScreen();
    m_layout.setTwipsPerPixel(m_screen.tppX, m_screen.tppY);
    setObjectName("displayWindow");
    setWindowTitle(QStringLiteral("Orvalen(全屏版)"));
    setWindowIcon(makeIcon());
    m_marquee = std::make_unique<MarqueeTicker>(m_ctx.timers, [this] { m_countView->scrollOneStep(); });
    m_prompt = std::make_unique<PromptTicker>(m_ctx.timers, [this] { m_countView->showStagePrompt(); });
    createControls();
    m_logo = std::make_unique<DisplayLogo>(m_controls, m_layout, m_screen, m_ctx, m_currentPlan);
    m_styler = std::make_unique<DisplayStyler>(m_controls, m_layout, m_screen, *m_marquee);
    m_painter = std::make_unique<PanelPainter>(m_controls, m_layout, *m_styler, m_screen, *m_marquee, m_ctx,
                                               m_host.menus, m_currentPlan);
    m_background = std::make_unique<DisplayBackground>(*this, m_controls, *m_painter, m_ctx, m_currentPlan);
    m_countView = std::make_unique<DisplayCountView>(*this, m_controls, *m_styler, *m_painter, *m_background, *m_logo,
                                                     m_ctx, m_host.run, m_currentPlan);
    m_elementView = std::make_unique<DisplayElementView>(*this, m_controls, *m_styler, *m_painter, *m_logo, m_ctx.clock);
    m_pointer = std::make_unique<DisplayPointer>(*this, m_controls, *m_painter, *m_countView, m_currentPlan, m_host.menus,
                                                 m_displayHost);
    m_pointer->listen();
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
    m_logo->releaseVideo();
}

CountView& DisplayWindow::countView() { return *m_countView; }

LayoutView& DisplayWindow::elementView() { return *m_elementView; }

BackgroundView& DisplayWindow::backgroundView() { return *m_background; }

void DisplayWindow::setLogoVideoFactory(LogoVideoFactory* factory) { m_logo->setVideoFactory(factory); }

bool DisplayWindow::hasLogoVideo() const { return m_logo->hasVideo(); }

void DisplayWindow::createControls()
{
    // The texts are measured once they hold the plan's captions and fonts
    // (the start-up's layout), not in the fonts the controls are made with.
    m_controls.create(this, m_layout, m_host.run, m_host.menus);
    connect(m_controls.buttonRow.get(), &ScreenButtonRow::commandChosen, this, [this](DesktopItem command) {
        QPointer<DisplayWindow> self(this);
        // Runs once the click is done: the command may close the window.
        QMetaObject::invokeMethod(
            this, [self, command] {
                if (self)
                    self->m_displayHost.runDesktopItem(command);
            },
            Qt::QueuedConnection);
    });
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

void DisplayWindow::followPlanStyles()
{
    const ClockPlan& before = m_followedPlan;
    const ClockPlan& plan = m_currentPlan.plan();
    if (plan.clockFont != before.clockFont || plan.clockcolour != before.clockcolour
        || plan.fontSize(StyleSlot::Clock) != before.fontSize(StyleSlot::Clock)) {
        // The overtime clock takes the clock's look at the next set-up.
        m_styler->styleClock(m_controls.clock, plan.clockFont, plan.clockcolour.colour(),
                             drawnFontSize(plan, StyleSlot::Clock));
    }
    if (plan.stagefont != before.stagefont || plan.stagecolour != before.stagecolour
        || plan.fontSize(StyleSlot::DateLine) != before.fontSize(StyleSlot::DateLine))
        m_styler->styleElement(m_controls.textLabels[kDateLine], plan.stagefont, plan.stagecolour.colour(),
                               drawnFontSize(plan, StyleSlot::DateLine));
    m_followedPlan = plan;
}

} // namespace orvalen
