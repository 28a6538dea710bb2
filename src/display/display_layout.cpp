// The display layout: the background box, the full-screen extents and every
// element at its saved place or its default place.
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScreen>

namespace orvalen {

void DisplayWindow::Frm_Resize()
{
    Form_Resize();
}

void DisplayWindow::fromRefresh()
{
    Form_Resize();
}

void DisplayWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void DisplayWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimising sends no resize, yet the layout (and the menu caption) follow.
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void DisplayWindow::fitBackgroundBox()
{
    const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
    const double pictureW = Picture3.isNull() ? 0 : Picture3.width() * tx;
    const double pictureH = Picture3.isNull() ? 0 : Picture3.height() * ty;
    const double windowW = width() * tx, windowH = height() * ty;
    setTwipsGeometry(Picture2, 0, 0, windowW > pictureW ? windowW : pictureW,
                     windowH > pictureH ? windowH : pictureH);
}

void DisplayWindow::placeElement(int n, QWidget* w, double leftLimit, double leftDefault, bool forceCentre,
                                 double topLimit, double topDefault)
{
    SavedPosition saved;
    saved = read_element_position(m_ctx, n);
    double left = saved.left, top = saved.top;
    if (forceCentre || !(left > 0 && left < leftLimit))
        left = leftDefault;
    if (!(top > 0 && top < topLimit))
        top = topDefault;
    setTwipsLeft(w, left);
    setTwipsTop(w, top);
}

void DisplayWindow::Form_Resize()
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

    QLabel* title = Label2[0];
    placeElement(0, title, W + twipsWidth(title), centred(title), flag_on(plan.checkthree, 4),
                 H + twipsHeight(title), 100);
    placeElement(1, Picture6[1], W, centred(Picture6[1]), flag_on(plan.checkthree, 5), H, 400);
    for (int i = 2; i <= 4; ++i)
        placeElement(i, Picture6[i], W, centred(Picture6[i]), false, H, 300.0 * i + 100);
    placeElement(5, Picture1, W, centred(Picture1), false, H, 1600);
    const double right = W - twipsWidth(Picture5);
    placeElement(6, Picture5, right, right, false, H, 0);
    if (!Picture5->picture().isNull())
        Picture5->show();
    placeElement(7, Picture4, W, centred(Picture4), false, H, 2200);

    const bool overtimeShown = plan.combolist.mid(2, 1) == QLatin1String("0") && flag_on(plan.checkfour, 1);
    if (!overtimeShown && (flag_on(plan.checkthree, 4) || flag_on(plan.checkthree, 5))) {
        const double screenW = twipsPerPixelX() * m_screen.screenWidthPx;
        setTwipsLeft(Picture1, (screenW - twipsWidth(Picture1)) / 2.0);
    }
    if (!Picture1->isHidden())
        ShowStatue(Label3->text(), to_int16(Label3->font().pointSizeF()).value_or(0));
    if (!Picture4->isHidden())
        ShowStatuechao(Label4->text(), to_int16(Label4->font().pointSizeF()).value_or(0));
    for (int i = 1; i <= 3; ++i) {
        setTwipsWidth(Picture6[i], twipsWidth(Label2[i]));
        setTwipsHeight(Picture6[i], twipsHeight(Label2[i]));
        if (!Label2[i]->text().isEmpty() && !Picture6[i]->isHidden())
            dongtaiRefresh(i);
    }
    if (!Label2[4]->text().isEmpty() && !Picture6[4]->isHidden())
        dongtaiRefresh(4);
    for (int i = 0; i < 5; ++i)
        placeElement(10 + i, Label9[i], W, 2000.0 + 1000.0 * i, false, H, H - 3000);
    if (isMinimized() || isMaximized() || isFullScreen()) {
        // full screen is this display's maximised state
        m_host.desktop[12].caption = isMinimized() ? QStringLiteral("最大化") : QStringLiteral("最小化");
        m_host.menusChanged();
    }
    m_inLayout = false;
}

} // namespace orvalen
