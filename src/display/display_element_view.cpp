// The display's elements by name, for the windows and menus that restyle,
// move, show and hide them.
#include "display/display_element_view.h"
#include "display/display_logo.h"
#include "display/display_styler.h"

#include "display/clock_panel.h"
#include "display/display_values.h"
#include "display/fonts.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "stores/position_store.h"

#include <QLabel>
#include <QPalette>
#include <cmath>

namespace orvalen {

DisplayElementView::DisplayElementView(DisplayWindow& window) : m_w(window) {}

QString DisplayElementView::elementText(DisplayElement e) const
{
    if (const ClockPanel* clock = m_w.m_controls.elementClock(e))
        return clock->text();
    const QLabel* label = m_w.m_controls.elementLabel(e);
    return label ? label->text() : QString();
}

void DisplayElementView::setElementText(DisplayElement e, const QString& text)
{
    if (ClockPanel* clock = m_w.m_controls.elementClock(e))
        m_w.m_styler->setClockText(clock, text);
    else
        m_w.m_styler->setCaption(m_w.m_controls.elementLabel(e), text);
}

QFont DisplayElementView::elementFont(DisplayElement e) const
{
    const QObject* key = m_w.m_controls.elementClock(e);
    QFont f;
    if (const ClockPanel* clock = m_w.m_controls.elementClock(e)) {
        f = clock->textFont();
    } else if (const QLabel* label = m_w.m_controls.elementLabel(e)) {
        key = label;
        f = label->font();
    } else {
        return m_w.font();
    }
    // The plan's size, not the size a small screen draws it at.
    if (const auto points = m_w.m_styler->plannedPoints(key))
        f.setPointSizeF(*points);
    return f;
}

QColor DisplayElementView::elementColour(DisplayElement e) const
{
    if (const ClockPanel* clock = m_w.m_controls.elementClock(e))
        return clock->textColour();
    const QLabel* label = m_w.m_controls.elementLabel(e);
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
    if (ClockPanel* clock = m_w.m_controls.elementClock(e)) {
        clock->setFont(restyle(clock->font()));
        clock->setTextFont(restyle(clock->textFont()));
        // The point size as it is: no pixel round trip that would grow the
        // size at every use on a screen that is not 96 dpi.
        if (m_w.m_styler->setClockFontSize(clock, chosen.pointSizeF())) {
            QFont f = clock->font();
            f.setPointSizeF(chosen.pointSizeF());
            clock->setFont(f);
        }
        m_w.m_styler->fitClock(clock);
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = m_w.m_controls.elementLabel(e);
    QWidget* box = m_w.m_controls.elementBox(e);
    for (QWidget* w : {static_cast<QWidget*>(label), box == label ? nullptr : box}) {
        if (!w)
            continue;
        w->setFont(restyle(w->font()));
        m_w.m_styler->setFontSize(w, chosen.pointSizeF());
        setForeColour(w, colour);
        if (auto* l = qobject_cast<QLabel*>(w))
            m_w.m_styler->autoSize(l);
    }
}

void DisplayElementView::setElementColour(DisplayElement e, const QColor& colour)
{
    if (ClockPanel* clock = m_w.m_controls.elementClock(e)) {
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = m_w.m_controls.elementLabel(e);
    QWidget* box = m_w.m_controls.elementBox(e);
    setForeColour(label, colour);
    if (box != label)
        setForeColour(box, colour);
}

bool DisplayElementView::setElementFontSize(DisplayElement e, double points)
{
    if (ClockPanel* clock = m_w.m_controls.elementClock(e))
        return m_w.m_styler->setClockFontSize(clock, points);
    return m_w.m_styler->setFontSize(m_w.m_controls.elementLabel(e), points);
}

QRectF DisplayElementView::elementRect(DisplayElement e) const
{
    const QWidget* box = m_w.m_controls.elementBox(e);
    return box ? m_w.m_layout.twipsRect(box) : QRectF();
}

void DisplayElementView::setElementLeft(DisplayElement e, double left)
{
    m_w.m_layout.setTwipsLeft(m_w.m_controls.elementBox(e), left);
}

void DisplayElementView::setElementTop(DisplayElement e, double top)
{
    m_w.m_layout.setTwipsTop(m_w.m_controls.elementBox(e), top);
}

bool DisplayElementView::isElementShown(DisplayElement e) const
{
    const QWidget* box = m_w.m_controls.elementBox(e);
    return box && !box->isHidden();
}

void DisplayElementView::setElementShown(DisplayElement e, bool shown)
{
    if (QWidget* box = m_w.m_controls.elementBox(e))
        box->setVisible(shown);
}

void DisplayElementView::repaintElement(DisplayElement e)
{
    switch (e) {
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        m_w.m_painter->paintTextPanel(std::size_t(e));
        break;
    case DisplayElement::Clock:
        m_w.m_painter->paintClockAt(int(std::nearbyint(m_w.m_controls.clock->textFont().pointSizeF())));
        break;
    case DisplayElement::OvertimeClock:
        m_w.m_painter->paintOvertimeClockAt(int(std::nearbyint(m_w.m_controls.overtimeClock->textFont().pointSizeF())));
        break;
    default:
        break;
    }
}

void DisplayElementView::saveElementPosition(DisplayElement e) { m_w.saveElementPosition(e); }

bool DisplayElementView::logoIsEmpty() const
{
    return m_w.m_logo->isEmpty();
}

void DisplayElementView::centreScrollingText() { m_w.m_painter->centreScrollingText(); }

void DisplayElementView::showElementPlaceholders(bool shown) { m_w.showElementPlaceholders(shown); }

const ScreenMetrics& DisplayElementView::screenMetrics() const { return m_w.screenMetrics(); }

double DisplayElementView::twipsPerPixelX() const { return m_w.m_layout.tppX(); }

QDateTime DisplayElementView::now() const { return m_w.now(); }

void DisplayElementView::paintClock(const QString& text, int size)
{
    if (text.isEmpty())
        return;
    if (text != m_w.m_controls.clock->text())
        m_w.m_styler->setClockText(m_w.m_controls.clock, text);
    m_w.m_painter->paintClockAt(size);
}

} // namespace orvalen
