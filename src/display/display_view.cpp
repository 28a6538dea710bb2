// The display's controls found by element: an element's text line, clock and
// box, its saved place; and the on-screen buttons shown and enabled.
#include "display/clock_panel.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/panel.h"
#include "display/screen_button_row.h"
#include "stores/position_store.h"

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
        const ScreenButtonSpec* button = screenButtonAt(e);
        return button ? m_buttonRow->button(button->button) : nullptr;
    }
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
        orvalen::saveElementPosition(m_ctx.ini, m_ctx.registry, int(e), *left, *top);
}

void DisplayWindow::centreScrollingText()
{
    m_layout.setLeft(m_textLabels[kScrollLine],
                     (m_layout.width(m_textPanels[kScrollLine]) - m_layout.width(m_textLabels[kScrollLine])) / 2.0);
}

bool DisplayWindow::buttonsShown() const
{
    return m_buttonRow->isShown();
}

void DisplayWindow::setButtonsShown(bool shown)
{
    m_buttonRow->setShown(shown);
}


} // namespace orvalen
