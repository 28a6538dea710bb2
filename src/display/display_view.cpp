// The display's elements by name, for the windows and menus that restyle,
// move, show and hide them.
#include "display/clock_panel.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/panel.h"
#include "display/position_store.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <cmath>

namespace orvalen {

QLabel* DisplayWindow::elementLabel(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle:
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return m_textLabels[std::size_t(e)];
    default: return nullptr;
    }
}

ClockPanel* DisplayWindow::elementClock(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::Clock: return m_clock;
    case DisplayElement::OvertimeClock: return m_overtimeClock;
    default: return nullptr;
    }
}

QWidget* DisplayWindow::elementBox(DisplayElement e) const
{
    switch (e) {
    case DisplayElement::MainTitle: return m_textLabels[kTitleLine];
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        return m_textPanels[std::size_t(e)];
    case DisplayElement::Clock: return m_clock;
    case DisplayElement::OvertimeClock: return m_overtimeClock;
    case DisplayElement::Logo: return m_logoBox;
    default: {
        const int button = int(e) - int(DisplayElement::StartButton);
        return button >= 0 && button < 5 ? m_screenButtons[std::size_t(button)] : nullptr;
    }
    }
}

QString DisplayWindow::elementText(DisplayElement e) const
{
    if (const ClockPanel* clock = elementClock(e))
        return clock->text();
    const QLabel* label = elementLabel(e);
    return label ? label->text() : QString();
}

void DisplayWindow::setElementText(DisplayElement e, const QString& text)
{
    if (ClockPanel* clock = elementClock(e))
        setClockText(clock, text);
    else
        setCaption(elementLabel(e), text);
}

QFont DisplayWindow::elementFont(DisplayElement e) const
{
    const QObject* key = elementClock(e);
    QFont f;
    if (const ClockPanel* clock = elementClock(e)) {
        f = clock->textFont();
    } else if (const QLabel* label = elementLabel(e)) {
        key = label;
        f = label->font();
    } else {
        return font();
    }
    // The plan's size, not the size a small screen draws it at.
    if (const auto it = m_plannedPoints.find(key); it != m_plannedPoints.end())
        f.setPointSizeF(*it);
    return f;
}

QColor DisplayWindow::elementColour(DisplayElement e) const
{
    if (const ClockPanel* clock = elementClock(e))
        return clock->textColour();
    const QLabel* label = elementLabel(e);
    return label ? label->palette().color(QPalette::Active, QPalette::WindowText) : QColor();
}

void DisplayWindow::setElementStyle(DisplayElement e, const QFont& chosen, const QColor& colour)
{
    auto restyle = [&](QFont f) {
        f.setFamily(displayFamily(chosen.family()));
        f.setItalic(chosen.italic());
        f.setWeight(chosen.weight());
        return f;
    };
    if (ClockPanel* clock = elementClock(e)) {
        clock->setFont(restyle(clock->font()));
        clock->setTextFont(restyle(clock->textFont()));
        // The point size as it is: no pixel round trip that would grow the
        // size at every use on a screen that is not 96 dpi.
        if (setClockFontSize(clock, chosen.pointSizeF())) {
            QFont f = clock->font();
            f.setPointSizeF(chosen.pointSizeF());
            clock->setFont(f);
        }
        fitClock(clock);
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = elementLabel(e);
    QWidget* box = elementBox(e);
    for (QWidget* w : {static_cast<QWidget*>(label), box == label ? nullptr : box}) {
        if (!w)
            continue;
        w->setFont(restyle(w->font()));
        setFontSize(w, chosen.pointSizeF());
        setForeColour(w, colour);
        if (auto* l = qobject_cast<QLabel*>(w))
            autoSize(l);
    }
}

void DisplayWindow::setElementColour(DisplayElement e, const QColor& colour)
{
    if (ClockPanel* clock = elementClock(e)) {
        setForeColour(clock, colour);
        return;
    }
    QLabel* label = elementLabel(e);
    QWidget* box = elementBox(e);
    setForeColour(label, colour);
    if (box != label)
        setForeColour(box, colour);
}

bool DisplayWindow::setElementFontSize(DisplayElement e, double points)
{
    if (ClockPanel* clock = elementClock(e))
        return setClockFontSize(clock, points);
    return setFontSize(elementLabel(e), points);
}

QRectF DisplayWindow::elementRect(DisplayElement e) const
{
    const QWidget* box = elementBox(e);
    return box ? m_layout.twipsRect(box) : QRectF();
}

void DisplayWindow::setElementLeft(DisplayElement e, double left)
{
    m_layout.setTwipsLeft(elementBox(e), left);
}

void DisplayWindow::setElementTop(DisplayElement e, double top)
{
    m_layout.setTwipsTop(elementBox(e), top);
}

bool DisplayWindow::isElementShown(DisplayElement e) const
{
    const QWidget* box = elementBox(e);
    return box && !box->isHidden();
}

void DisplayWindow::setElementShown(DisplayElement e, bool shown)
{
    if (QWidget* box = elementBox(e))
        box->setVisible(shown);
}

void DisplayWindow::repaintElement(DisplayElement e)
{
    switch (e) {
    case DisplayElement::Subtitle:
    case DisplayElement::DateLine:
    case DisplayElement::Prompt:
    case DisplayElement::ScrollingText:
        paintTextPanel(std::size_t(e));
        break;
    case DisplayElement::Clock:
        paintClockAt(int(std::nearbyint(m_clock->textFont().pointSizeF())));
        break;
    case DisplayElement::OvertimeClock:
        paintOvertimeClockAt(int(std::nearbyint(m_overtimeClock->textFont().pointSizeF())));
        break;
    default:
        break;
    }
}

void DisplayWindow::saveElementPosition(DisplayElement e)
{
    const QWidget* box = elementBox(e);
    if (!box)
        return;
    const QRectF place = m_layout.twipsRect(box);
    const auto left = toInt32(place.left());
    const auto top = toInt32(place.top());
    if (left && top)
        save_element_position(m_ctx, int(e), *left, *top);
}

void DisplayWindow::centreScrollingText()
{
    m_layout.setLeft(m_textLabels[kScrollLine],
                     (m_layout.width(m_textPanels[kScrollLine]) - m_layout.width(m_textLabels[kScrollLine])) / 2.0);
}

bool DisplayWindow::logoIsEmpty() const
{
    return m_logoBox->picture().isNull() && !m_logoVideoWidget;
}

const QPixmap& DisplayWindow::backgroundPicture() const
{
    return m_backgroundBox->picture();
}

bool DisplayWindow::backgroundIsPicture() const
{
    return m_backgroundBox->hasPicture();
}

QColor DisplayWindow::backgroundColour() const
{
    return m_backgroundBox->backColor();
}

bool DisplayWindow::buttonsShown() const
{
    return !m_screenButtons[0]->isHidden();
}

void DisplayWindow::setButtonsShown(bool shown)
{
    for (QPushButton* b : m_screenButtons)
        b->setVisible(shown);
}


} // namespace orvalen
