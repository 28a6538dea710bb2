// The display layout: the background box, the full-screen extents and every
// element at its saved place or its default place, in pixels.
#include "display/clock_panel.h"
#include "display/display_host.h"
#include "display/display_logo.h"
#include "display/display_values.h"
#include "display/display_styler.h"
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "stores/screen_shares.h"

#include <QEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>

namespace orvalen {

void DisplayWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void DisplayWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimising sends no resize, yet the layout (and the menu caption) follow.
    if (event->type() == QEvent::WindowStateChange)
        relayout();
}

double DisplayWindow::screenWidthPx() const
{
    return m_screen.fullWidthPx;
}

double DisplayWindow::screenHeightPx() const
{
    return m_screen.fullHeightPx;
}

void DisplayWindow::fitBackgroundBox()
{
    const QPixmap& picture = m_controls.backgroundBox->picture();
    const double pictureW = picture.isNull() ? 0 : picture.width();
    const double pictureH = picture.isNull() ? 0 : picture.height();
    m_layout.setGeometry(m_controls.backgroundBox, 0, 0, width() > pictureW ? width() : pictureW,
                         height() > pictureH ? height() : pictureH);
}

void DisplayWindow::followPrimaryScreen()
{
    if (m_fixedScreen)
        return;
    m_screen = ScreenMetrics::fromPrimaryScreen();
    m_layout.setTwipsPerPixel(m_screen.tppX, m_screen.tppY);
}

void DisplayWindow::placeElement(DisplayElement e, double leftLimit, double leftDefault, bool forceCentre,
                                 double topLimit, double topDefault)
{
    QWidget* w = m_controls.elementBox(e);
    const SavedPosition saved = positionOnScreen(m_ctx.ini, m_ctx.registry, int(e), m_layout.tppX() * screenWidthPx(),
                                                 m_layout.tppY() * screenHeightPx());
    double left = m_layout.pxX(saved.left), top = m_layout.pxY(saved.top);
    if (forceCentre || !(left > 0 && left < leftLimit))
        left = leftDefault;
    if (!(top > 0 && top < topLimit))
        top = topDefault;
    m_layout.setLeft(w, left);
    m_layout.setTop(w, top);
}

void DisplayWindow::relayout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    const ClockPlan& plan = m_currentPlan.plan();

    fitBackgroundBox();
    followPrimaryScreen();
    const double W = screenWidthPx(), H = screenHeightPx();
    auto centred = [&](const QWidget* w) { return (W - m_layout.width(w)) / 2.0; };
    // The texts are measured again for this screen.
    for (QLabel* label : m_controls.textLabels)
        m_styler->autoSize(label);
    m_styler->fitClock(m_controls.clock);
    m_styler->fitClock(m_controls.overtimeClock);
    // The panels take their sizes before they are placed, so that centring
    // uses the size they show.
    if (!m_controls.clock->isHidden())
        m_painter->paintClockAt(toInt16(m_controls.clock->textFont().pointSizeF()).value_or(0));
    if (!m_controls.overtimeClock->isHidden())
        m_painter->paintOvertimeClockAt(toInt16(m_controls.overtimeClock->textFont().pointSizeF()).value_or(0));
    for (std::size_t i = 1; i <= 3; ++i) {
        m_layout.setWidth(m_controls.textPanels[i], m_layout.width(m_controls.textLabels[i]));
        m_layout.setHeight(m_controls.textPanels[i], m_layout.height(m_controls.textLabels[i]));
        if (!m_controls.textLabels[i]->text().isEmpty() && !m_controls.textPanels[i]->isHidden())
            m_painter->paintTextPanel(i);
    }
    m_logo->sizeToScreen();
    // Painting the scrolling line sizes its panel; the line that stands still
    // is placed by the width it shows, hidden or not, and a running line's
    // panel follows the screen's scale.
    if (!m_controls.textLabels[kScrollLine]->text().isEmpty() && !m_controls.textPanels[kScrollLine]->isHidden())
        m_painter->paintTextPanel(kScrollLine);
    else if (!m_marquee->lineMoves() || m_marquee->width() > 0)
        m_painter->sizeScrollPanel();
    sizeScreenButtons();
    carryPlacesToThisScreen();

    QLabel* title = m_controls.textLabels[kTitleLine];
    using E = DisplayElement;
    placeElement(E::MainTitle, W + m_layout.width(title), centred(title), isOn(plan.centresTitle),
                 H + m_layout.height(title), m_layout.pxY(100));
    placeElement(E::Subtitle, W, centred(m_controls.textPanels[kSubtitleLine]), isOn(plan.centresSubtitle), H,
                 m_layout.pxY(400));
    for (std::size_t i = 2; i <= 4; ++i)
        placeElement(E(i), W, centred(m_controls.textPanels[i]), false, H, m_layout.pxY(300.0 * double(i) + 100));
    placeElement(E::Clock, W, centred(m_controls.clock), false, H, m_layout.pxY(1600));
    const double right = W - m_layout.width(m_controls.logoBox);
    placeElement(E::Logo, right, right, false, H, 0);
    if (!m_controls.logoBox->picture().isNull())
        m_controls.logoBox->show();
    placeElement(E::OvertimeClock, W, centred(m_controls.overtimeClock), false, H, m_layout.pxY(2200));

    const bool overtimeShown = plan.showsOvertimeClock();
    if (!overtimeShown && (isOn(plan.centresTitle) || isOn(plan.centresSubtitle)))
        m_layout.setLeft(m_controls.clock, (m_screen.screenWidthPx - m_layout.width(m_controls.clock)) / 2.0);
    placeScreenButtons(W, H);
    showOutlines(m_host.menus.adjustMode());
    if (isMinimized() || isMaximized() || isFullScreen()) {
        // full screen is this display's maximised state
        m_host.menus.setDisplayMinimised(isMinimized());
    }
    m_inLayout = false;
}

void DisplayWindow::showOutlines(bool shown)
{
    for (Panel* p : {m_controls.textPanels[kSubtitleLine], m_controls.textPanels[kDateLine],
                     m_controls.textPanels[kPromptLine], m_controls.textPanels[kScrollLine],
                     static_cast<Panel*>(m_controls.clock), static_cast<Panel*>(m_controls.overtimeClock),
                     m_controls.logoBox})
        p->setOutlined(shown);
    // The title has no panel: its own frame is its outline.
    m_controls.textLabels[kTitleLine]->setFrameStyle(shown ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

} // namespace orvalen
