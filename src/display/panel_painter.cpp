// The panel painters: the clocks paint their text centred into their image;
// the text panels hold only their line, on a clear ground, so the background
// (colour or picture) and any neighbour under a panel show around the text.
#include "display/panel_painter.h"

#include "display/clock_panel.h"
#include "display/count_view.h"
#include "display/display_controls.h"
#include "display/display_styler.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "state/menu_state.h"
#include "stores/current_plan.h"
#include "stores/screen_shares.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

namespace orvalen {

PanelPainter::PanelPainter(DisplayControls& controls, ElementLayout& layout, DisplayStyler& styler,
                           const ScreenMetrics& screen, const MarqueeTicker& marquee, AppContext& ctx,
                           const MenuState& menus, const CurrentPlan& currentPlan)
    : m_controls(controls), m_layout(layout), m_styler(styler), m_screen(screen), m_marquee(marquee), m_ctx(ctx),
      m_menus(menus), m_currentPlan(currentPlan)
{
}

void PanelPainter::repaintClock()
{
    paintClockAt(int(std::lround(m_controls.clock->textFont().pointSizeF())));
}

void PanelPainter::repaintOvertimeClock()
{
    paintOvertimeClockAt(int(std::lround(m_controls.overtimeClock->textFont().pointSizeF())));
}

// A clock panel is 100 twips wider and 20 twips higher than its text.
void PanelPainter::paintClockAt(int size)
{
    if (m_controls.clock->text().isEmpty())
        return;
    const QSizeF text = m_controls.clock->textSize();
    m_layout.setWidth(m_controls.clock, text.width() + m_layout.pxX(100));
    m_layout.setHeight(m_controls.clock, text.height() + m_layout.pxY(20));
    m_controls.clock->show();
    m_controls.clock->paintText(size);
}

void PanelPainter::paintOvertimeClockAt(int size)
{
    const QSizeF text = m_controls.overtimeClock->textSize();
    m_layout.setWidth(m_controls.overtimeClock, text.width() + m_layout.pxX(100));
    m_layout.setHeight(m_controls.overtimeClock, text.height() + m_layout.pxY(20));
    m_controls.overtimeClock->setVisible(m_currentPlan.plan().showsOvertimeClock());
    m_controls.overtimeClock->paintText(size);
}

void PanelPainter::sizeScrollPanel()
{
    if (m_marquee.width() < 0)
        return;
    QLabel* line = m_controls.textLabels[kScrollLine];
    Panel* panel = m_controls.textPanels[kScrollLine];
    const double screenW = m_screen.fullWidthPx;
    // The stored width is made for 1920 x 1080, as the text sizes are.
    double width = m_layout.pxX(m_marquee.width()) * m_screen.textScale();
    if (m_marquee.lineMoves()) {
        m_layout.setWidth(panel, screenW > 0 ? std::min(width, screenW) : width);
        return;
    }
    // A line that stands still is shown whole: no line is drawn wider than
    // the screen, so its panel grows to it and keeps its middle where it was,
    // inside the screen. The line stands centred in it.
    width = std::max(width, m_layout.width(line));
    if (screenW > 0)
        width = std::min(width, screenW);
    const double middle = m_layout.left(panel) + m_layout.width(panel) / 2.0;
    double left = middle - width / 2.0;
    if (screenW > 0)
        left = std::clamp(left, 0.0, screenW - width);
    m_layout.setWidth(panel, width);
    m_layout.setLeft(panel, left);
    m_layout.setLeft(line, (width - m_layout.width(line)) / 2.0);
}

void PanelPainter::paintTextPanel(std::size_t i)
{
    if (i < 1 || i > 4)
        return;
    QLabel* label = m_controls.textLabels[i];
    Panel* panel = m_controls.textPanels[i];
    if (label->text().isEmpty())
        return;
    const ClockPlan& plan = m_currentPlan.plan();
    const bool longTerm = plan.longTerm;
    m_layout.setHeight(panel, m_layout.height(label));
    switch (i) {
    case kSubtitleLine:
        m_layout.setWidth(panel, m_layout.width(label));
        break;
    case kDateLine:
        m_layout.setWidth(panel, m_layout.width(label));
        if (!longTerm) {
            panel->hide();
            return;
        }
        break;
    case kPromptLine:
        if (longTerm && isOn(plan.showsWeekday)) {
            m_styler.setCaption(label, weekdayName(m_ctx.clock.now().date()));
            panel->show();
        }
        panel->setVisible(!label->text().isEmpty());
        m_layout.setWidth(panel, m_layout.width(label));
        centrePromptLine();
        break;
    case kScrollLine:
        sizeScrollPanel();
        if (!isOn(plan.showsScrollingText) && !m_menus.adjustMode() && label->text() != QStringLiteral("动态文本")) {
            panel->hide();
            return;
        }
        break;
    }

    // The label inside draws the text; the panel itself paints nothing.
    if (!m_controls.backgroundBox->hasPicture())
        panel->setBackColor(m_controls.backgroundBox->backColor());
    panel->clearImage();
    panel->setVisible(!label->text().isEmpty());
}

void PanelPainter::centrePromptLine()
{
    // Each stage text has its own width: the line is centred on the text it
    // shows now, so it neither hangs to one side nor jumps between stages.
    const double W = m_screen.fullWidthPx;
    if (W <= 0)
        return;
    const SavedPosition saved = positionOnScreen(m_ctx.ini, m_ctx.registry, int(DisplayElement::Prompt),
                                                 m_layout.tppX() * W, m_layout.tppY() * m_screen.fullHeightPx);
    if (saved.left > 0 && m_layout.pxX(saved.left) < W)
        return; // the operator's place keeps its left edge
    m_layout.setLeft(m_controls.textPanels[kPromptLine], (W - m_layout.width(m_controls.textLabels[kPromptLine])) / 2.0);
}

void PanelPainter::centreScrollingText()
{
    QLabel* line = m_controls.textLabels[kScrollLine];
    m_layout.setLeft(line, (m_layout.width(m_controls.textPanels[kScrollLine]) - m_layout.width(line)) / 2.0);
}

} // namespace orvalen
