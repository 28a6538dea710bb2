// The panel painters: the clocks paint their text centred into their image;
// the text panels hold only their line, on a clear ground, so the background
// (colour or picture) and any neighbour under a panel show around the text.
#include "display/clock_panel.h"
#include "display/display_window.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "services/time_conversions.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

namespace orvalen {

void DisplayWindow::repaintClock()
{
    paintClockAt(int(std::lround(m_clock->textFont().pointSizeF())));
}

void DisplayWindow::repaintOvertimeClock()
{
    paintOvertimeClockAt(int(std::lround(m_overtimeClock->textFont().pointSizeF())));
}

void DisplayWindow::paintClock(const QString& text, int size)
{
    if (text.isEmpty())
        return;
    if (text != m_clock->text())
        setClockText(m_clock, text);
    paintClockAt(size);
}

// A clock panel is 100 twips wider and 20 twips higher than its text.
void DisplayWindow::paintClockAt(int size)
{
    if (m_clock->text().isEmpty())
        return;
    const QSizeF text = m_clock->textSize();
    m_layout.setWidth(m_clock, text.width() + m_layout.pxX(100));
    m_layout.setHeight(m_clock, text.height() + m_layout.pxY(20));
    m_clock->show();
    m_clock->paintText(size);
}

void DisplayWindow::paintOvertimeClockAt(int size)
{
    const QSizeF text = m_overtimeClock->textSize();
    m_layout.setWidth(m_overtimeClock, text.width() + m_layout.pxX(100));
    m_layout.setHeight(m_overtimeClock, text.height() + m_layout.pxY(20));
    m_overtimeClock->setVisible(m_currentPlan.plan().showsOvertimeClock());
    m_overtimeClock->paintText(size);
}

void DisplayWindow::paintTextPanel(std::size_t i)
{
    if (i < 1 || i > 4)
        return;
    QLabel* label = m_textLabels[i];
    Panel* panel = m_textPanels[i];
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
        if (longTerm && plan.showsWeekday) {
            setCaption(label, weekdayName(now().date()));
            panel->show();
        }
        panel->setVisible(!label->text().isEmpty());
        m_layout.setWidth(panel, m_layout.width(label));
        centrePromptLine();
        break;
    case kScrollLine:
        if (m_marquee->width() >= 0) {
            // A line that stands still is shown whole; none is wider than
            // the screen, so the whole line stays in sight.
            double width = m_layout.pxX(m_marquee->width());
            if (m_marquee->mode() == 2)
                width = std::max(width, m_layout.width(label));
            const double screenW = m_screen.fullWidthPx;
            m_layout.setWidth(panel, screenW > 0 ? std::min(width, screenW) : width);
            if (m_marquee->mode() == 2)
                m_layout.setLeft(label, (m_layout.width(panel) - m_layout.width(label)) / 2.0);
        }
        if (!plan.showsScrollingText && !m_host.menus.adjustMode() && label->text() != QStringLiteral("动态文本")) {
            panel->hide();
            return;
        }
        break;
    }

    // The label inside draws the text; the panel itself paints nothing.
    if (!backgroundIsPicture())
        panel->setBackColor(m_backgroundBox->backColor());
    panel->clearImage();
    panel->setVisible(!label->text().isEmpty());
}

} // namespace orvalen
