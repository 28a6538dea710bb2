// The display layout: the background box, the full-screen extents and every
// element at its saved place or its default place.
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"
#include "display/screen_shares.h"

#include <QEvent>
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

void DisplayWindow::fitBackgroundBox()
{
    const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
    const QPixmap& picture = backgroundPicture();
    const double pictureW = picture.isNull() ? 0 : picture.width() * tx;
    const double pictureH = picture.isNull() ? 0 : picture.height() * ty;
    const double windowW = width() * tx, windowH = height() * ty;
    setTwipsGeometry(m_backgroundBox, 0, 0, windowW > pictureW ? windowW : pictureW,
                     windowH > pictureH ? windowH : pictureH);
}

void DisplayWindow::placeElement(DisplayElement e, double leftLimit, double leftDefault, bool forceCentre,
                                 double topLimit, double topDefault)
{
    QWidget* w = elementBox(e);
    const SavedPosition saved = position_on_screen(m_ctx, int(e), twipsPerPixelX() * m_module.full_screen_width_px,
                                                   twipsPerPixelY() * m_module.full_screen_height_px);
    double left = saved.left, top = saved.top;
    if (forceCentre || !(left > 0 && left < leftLimit))
        left = leftDefault;
    if (!(top > 0 && top < topLimit))
        top = topDefault;
    setTwipsLeft(w, left);
    setTwipsTop(w, top);
}

void DisplayWindow::relayout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    const ClockPlan& plan = m_module.clock_plan;

    fitBackgroundBox();
    if (!m_fixedScreen)
        m_screen = ScreenMetrics::fromPrimaryScreen();
    m_module.full_screen_width_px = m_screen.fullWidthPx;
    m_module.full_screen_height_px = m_screen.fullHeightPx;
    const double W = twipsPerPixelX() * m_module.full_screen_width_px;
    const double H = twipsPerPixelY() * m_module.full_screen_height_px;
    auto centred = [&](const QWidget* w) { return (W - twipsWidth(w)) / 2.0; };
    // The texts are measured again for this screen.
    for (QLabel* label : textLabels)
        autoSize(label);
    autoSize(clockText);
    autoSize(overtimeText);
    // The panels take their sizes before they are placed, so that centring
    // uses the size they show.
    if (!clockPanel->isHidden())
        paintClock(clockText->text(), to_int16(clockText->font().pointSizeF()).value_or(0));
    if (!overtimePanel->isHidden())
        paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
    for (int i = 1; i <= 3; ++i) {
        setTwipsWidth(textPanels[i], twipsWidth(textLabels[i]));
        setTwipsHeight(textPanels[i], twipsHeight(textLabels[i]));
        if (!textLabels[i]->text().isEmpty() && !textPanels[i]->isHidden())
            paintTextPanels(i);
    }
    if (!textLabels[kScrollLine]->text().isEmpty() && !textPanels[kScrollLine]->isHidden())
        paintTextPanels(4);

    QLabel* title = textLabels[kTitleLine];
    using E = DisplayElement;
    placeElement(E::MainTitle, W + twipsWidth(title), centred(title), plan.centresTitle, H + twipsHeight(title), 100);
    placeElement(E::Subtitle, W, centred(textPanels[kSubtitleLine]), plan.centresSubtitle, H, 400);
    for (int i = 2; i <= 4; ++i)
        placeElement(E(i), W, centred(textPanels[i]), false, H, 300.0 * i + 100);
    placeElement(E::Clock, W, centred(clockPanel), false, H, 1600);
    const double right = W - twipsWidth(logoBox);
    placeElement(E::Logo, right, right, false, H, 0);
    if (!logoBox->picture().isNull())
        logoBox->show();
    placeElement(E::OvertimeClock, W, centred(overtimePanel), false, H, 2200);

    const bool overtimeShown = plan.showsOvertimeClock();
    if (!overtimeShown && (plan.centresTitle || plan.centresSubtitle)) {
        const double screenW = twipsPerPixelX() * m_screen.screenWidthPx;
        setTwipsLeft(clockPanel, (screenW - twipsWidth(clockPanel)) / 2.0);
    }
    placeScreenButtons(W, H);
    showOutlines(m_host.adjust_mode());
    if (isMinimized() || isMaximized() || isFullScreen()) {
        // full screen is this display's maximised state
        m_host.desktop[12].caption = isMinimized() ? QStringLiteral("最大化") : QStringLiteral("最小化");
        m_host.menusChanged();
    }
    m_inLayout = false;
}

void DisplayWindow::showOutlines(bool shown)
{
    for (Panel* p : {textPanels[kSubtitleLine], textPanels[kDateLine], textPanels[kPromptLine],
                     textPanels[kScrollLine], clockPanel, overtimePanel, logoBox})
        p->setOutlined(shown);
    // The title has no panel: its own frame is its outline.
    textLabels[kTitleLine]->setFrameStyle(shown ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

} // namespace orvalen
