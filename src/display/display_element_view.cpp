// The display's elements by name, for the windows and menus that restyle,
// move, show and hide them.
#include "display/display_element_view.h"

#include "display/clock_panel.h"
#include "display/display_controls.h"
#include "display/display_logo.h"
#include "display/display_styler.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "platform/clock.h"
#include "stores/position_store.h"

#include <QLabel>
#include <QPalette>
#include <cmath>

namespace orvalen {

DisplayElementView::DisplayElementView(DisplayWindow& window, DisplayControls& controls, DisplayStyler& styler,
                                       PanelPainter& painter, const DisplayLogo& logo, const Clock& clock)
    : m_window(window), m_controls(controls), m_styler(styler), m_painter(painter), m_logo(logo), m_clock(clock),
      m_layout(window.layout())
{
}

QString DisplayElementView::elementText(DisplayElement e) const
{
    if (const ClockPanel* clock = m_controls.elementClock(e))
        return clock->text();
    const QLabel* label = m_controls.elementLabel(e);
    return label ? label->text() : QString();
}

void DisplayElementView::setElementText(DisplayElement e, const QString& text)
{
    if (ClockPanel* clock = m_controls.elementClock(e))
        m_styler.setClockText(clock, text);
    else
        m_styler.setCaption(m_controls.elementLabel(e), text);
}

QFont DisplayElementView::elementFont(DisplayElement e) const
{
    const QObject* key = m_controls.elementClock(e);
    QFont f;
    if (const ClockPanel* clock = m_controls.elementClock(e)) {
        f = clock->textFont();
    } else if (const QLabel* label = m_controls.elementLabel(e)) {
        key = label;
        f = label->font();
    } else {
        return m_window.font();
    }
    // The plan's size, not the size a small screen draws it at.
    if (const auto points = m_styler.plannedPoints(key))
        f.setPointSizeF(*points);
    return f;
}

QColor DisplayElementView::elementColour(DisplayElement e) const
{
    if (const ClockPanel* clock = m_controls.elementClock(e))
        return clock->textColour();
    const QLabel* label = m_controls.elementLabel(e);
    return label ? label->palette().color(QPalette::Active, QPalette::WindowText) : QColor();
}

void DisplayElementView::setElementStyle(DisplayElement e, const QFont& chosen, const QColor& colour)
{
    auto restyle = [&](QFont f) {
        f.setFamily(displayFamily(chosen.family()));
        f.setItalic(chosen.italic());
        f.setWeight(chosen.weight());
        return f;
    };
    if (ClockPanel* clock = m_controls.elementClock(e)) {
        clock->setFont(restyle(clock->font()));
        clock->setTextFont(restyle(clock->textFont()));
        // The point size as it is: no pixel round trip that would grow the
        // size at every use on a screen that is not 96 dpi.
        if (m_styler.setClockFontSize(clock, chosen.pointSizeF())) {
            QFont f = clock->font();
            f.setPointSizeF(chosen.pointSizeF());
            clock->setFont(f);
        }
        m_styler.fitClock(clock);
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = m_controls.elementLabel(e);
    QWidget* box = m_controls.elementBox(e);
    for (QWidget* w : {static_cast<QWidget*>(label), box == label ? nullptr : box}) {
        if (!w)
            continue;
        w->setFont(restyle(w->font()));
        m_styler.setFontSize(w, chosen.pointSizeF());
        setForeColour(w, colour);
        if (auto* l = qobject_cast<QLabel*>(w))
            m_styler.autoSize(l);
    }
}

void DisplayElementView::setElementColour(DisplayElement e, const QColor& colour)
{
    if (ClockPanel* clock = m_controls.elementClock(e)) {
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = m_controls.elementLabel(e);
    QWidget* box = m_controls.elementBox(e);
    setForeColour(label, colour);
    if (box != label)
        setForeColour(box, colour);
}

bool DisplayElementView::setElementFontSize(DisplayElement e, double points)
{
    if (ClockPanel* clock = m_controls.elementClock(e))
        return m_styler.setClockFontSize(clock, points);
    return m_styler.setFontSize(m_controls.elementLabel(e), points);
}

QRectF DisplayElementView::elementRect(DisplayElement e) const
{
    const QWidget* box = m_controls.elementBox(e);
    return box ? m_layout.twipsRect(box) : QRectF();
}

void DisplayElementView::setElementLeft(DisplayElement e, double left)
{
    m_layout.setTwipsLeft(m_controls.elementBox(e), left);
}

void DisplayElementView::setElementTop(DisplayElement e, double top)
{
    m_layout.setTwipsTop(m_controls.elementBox(e), top);
}

bool DisplayElementView::isElementShown(DisplayElement e) const
{
    const QWidget* box = m_controls.elementBox(e);
    return box && !box->isHidden();
}

void DisplayElementView::setElementShown(DisplayElement e, bool shown)
{
    if (QWidget* box = m_controls.elementBox(e))
        box->setVisible(shown);
}

void DisplayElementView::repaintElement(DisplayElement e)
{
    switch (e) {
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        m_painter.paintTextPanel(std::size_t(e));
        break;
    case DisplayElement::Clock:
        m_painter.paintClockAt(int(std::nearbyint(m_controls.clock->textFont().pointSizeF())));
        break;
    case DisplayElement::OvertimeClock:
        m_painter.paintOvertimeClockAt(int(std::nearbyint(m_controls.overtimeClock->textFont().pointSizeF())));
        break;
    default:
        break;
    }
}

void DisplayElementView::saveElementPosition(DisplayElement e) { m_window.saveElementPosition(e); }

bool DisplayElementView::logoIsEmpty() const
{
    return m_logo.isEmpty();
}

void DisplayElementView::centreScrollingText() { m_painter.centreScrollingText(); }

void DisplayElementView::showElementPlaceholders(bool shown) { m_window.showElementPlaceholders(shown); }

const ScreenMetrics& DisplayElementView::screenMetrics() const { return m_window.screenMetrics(); }

double DisplayElementView::twipsPerPixelX() const { return m_layout.tppX(); }

QDateTime DisplayElementView::now() const { return m_clock.now(); }

void DisplayElementView::paintClock(const QString& text, int size)
{
    if (text.isEmpty())
        return;
    if (text != m_controls.clock->text())
        m_styler.setClockText(m_controls.clock, text);
    m_painter.paintClockAt(size);
}

} // namespace orvalen
