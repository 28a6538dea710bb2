// Pointer input on the display: the right-click menus, the on-screen buttons'
// highlight and, while the layout is being arranged, dragging elements and
// keeping their places. Outside it the buttons take their left clicks
// themselves.
#include "display/display_pointer.h"

#include "display/clock_panel.h"
#include "display/display_controls.h"
#include "display/display_count_view.h"
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/element_layout.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "display/pointer_event.h"
#include "display/screen_button_row.h"
#include "state/menu_state.h"
#include "stores/current_plan.h"
#include "stores/position_store.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>

namespace orvalen {

DisplayPointer::DisplayPointer(DisplayWindow& window, DisplayControls& controls, PanelPainter& painter,
                               const DisplayCountView& countView, const CurrentPlan& currentPlan,
                               const MenuState& menus, DisplayHost& displayHost)
    : m_window(window), m_controls(controls), m_painter(painter), m_countView(countView), m_currentPlan(currentPlan),
      m_menus(menus), m_displayHost(displayHost), m_layout(window.layout()),
      m_drag(m_layout, [&window](DisplayElement e) { window.saveElementPosition(e); })
{
}

ElementMenuItems DisplayPointer::prepareElementMenu()
{
    ElementMenuItems items;
    if (!m_currentPlan.plan().longTerm)
        items.weekday = false;
    return items;
}

void DisplayPointer::listen()
{
    // Every element hears the pointer, also when no button is held, so a
    // hover over an element does not count as a hover over the background.
    for (QWidget* w : m_controls.backgroundBox->findChildren<QWidget*>()) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
    m_controls.backgroundBox->installEventFilter(this);
}

bool DisplayPointer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    // A disabled control raises nothing; Qt hands the event to its container.
    // A disabled button keeps the event to itself, so the background behind
    // it answers here (it reads only the press and its place on the screen).
    if (!w->isEnabled())
        return m_controls.buttonRow->buttonOf(w) && handleMouse(m_controls.backgroundBox, event);
    return handleMouse(w, event);
}

bool DisplayPointer::handleMouse(QWidget* w, QEvent* event)
{
    const PointerEvent p = readPointerEvent(*static_cast<QMouseEvent*>(event), m_menus.adjustMode());
    if (p.move)
        m_controls.buttonRow->pointerMovedOver(w);
    const bool dragEnded = p.up && m_drag.end();
    if (w == m_controls.backgroundBox) {
        pointerOnBackground(p);
        return true;
    }
    if (const auto button = m_controls.buttonRow->buttonOf(w))
        return pointerOnScreenButton(*button, p);
    if (w == m_controls.textLabels[kTitleLine]) {
        pointerOnTitle(p);
        return true;
    }
    for (std::size_t i = 1; i <= 4; ++i) {
        if (w == m_controls.textLabels[i]) {
            pointerOnTextLine(i, p);
            return true;
        }
        if (w == m_controls.textPanels[i]) {
            pointerOnTextPanel(i, p);
            return true;
        }
    }
    if (w == m_controls.clock) {
        pointerOnClock(p);
        return true;
    }
    if (w == m_controls.overtimeClock) {
        pointerOnOvertimeClock(p);
        return true;
    }
    if (w == m_controls.logoBox) {
        pointerOnLogo(p, dragEnded);
        return true;
    }
    // Anything else inside the panels (a logo video): let the panel have it.
    return false;
}

void DisplayPointer::pointerOnBackground(const PointerEvent& p)
{
    if (p.down && p.button == 2)
        m_displayHost.popupDesktopMenu(p.global);
    if (p.move)
        m_controls.buttonRow->clearHighlights();
}

bool DisplayPointer::pointerOnScreenButton(ScreenButton button, const PointerEvent& p)
{
    if (p.down) {
        m_drag.grab(p.pos);
        if (p.button == 2)
            m_displayHost.popupDesktopMenu(p.global);
    } else if (p.drag) {
        m_drag.step(m_controls.buttonRow->button(button), p.pos, screenButtonEntry(button).element);
    }
    // Outside 允许调整 the button takes its left clicks itself.
    return m_menus.adjustMode() || p.button != 1;
}

void DisplayPointer::pointerOnTitle(const PointerEvent& p)
{
    if (p.down) {
        m_drag.grab(p.pos);
        const ElementMenuItems items = prepareElementMenu();
        if (p.button == 2)
            m_displayHost.popupElementMenu(p.global, DisplayElement::MainTitle, items);
    } else if (p.drag) {
        m_drag.step(m_controls.textLabels[kTitleLine], p.pos, DisplayElement::MainTitle);
    }
}

// A text line inside its panel: the panel moves.
void DisplayPointer::pointerOnTextLine(std::size_t i, const PointerEvent& p)
{
    Panel* panel = m_controls.textPanels[i];
    const auto element = DisplayElement(i);
    if (p.down) {
        m_drag.grab(p.pos);
        ElementMenuItems items = prepareElementMenu();
        if (i <= 3) {
            m_layout.setWidth(panel, m_layout.width(m_controls.textLabels[i]));
            m_painter.paintTextPanel(i);
        } else {
            panel->setBorderStyle(1);
        }
        if (p.button == 2) {
            if (i == 4)
                items.centre = false;
            m_displayHost.popupElementMenu(p.global, element, items);
        }
    } else if (p.drag) {
        m_drag.step(panel, p.pos, element);
        m_painter.paintTextPanel(i);
    } else if (p.up) {
        panel->setBorderStyle(0);
        m_painter.paintTextPanel(i);
    }
}

void DisplayPointer::pointerOnTextPanel(std::size_t i, const PointerEvent& p)
{
    Panel* panel = m_controls.textPanels[i];
    const auto element = DisplayElement(i);
    if (p.down) {
        m_drag.grab(p.pos);
        ElementMenuItems items = prepareElementMenu();
        if (p.button == 1) {
            if (i <= 3) {
                m_layout.setWidth(panel, m_layout.width(m_controls.textLabels[i]));
                m_layout.setHeight(panel, m_layout.height(m_controls.textLabels[i]));
            } else {
                m_controls.textPanels[kScrollLine]->setBorderStyle(1);
            }
        } else if (p.button == 2) {
            if (i >= 3)
                items.centre = false;
            m_displayHost.popupElementMenu(p.global, element, items);
        }
    } else if (p.drag) {
        m_drag.step(panel, p.pos, element);
    } else if (p.up) {
        panel->setBorderStyle(0);
        m_painter.paintTextPanel(i);
    }
}

void DisplayPointer::pointerOnClock(const PointerEvent& p)
{
    if (p.down) {
        m_drag.grab(p.pos);
        const ElementMenuItems items = prepareElementMenu();
        if (p.button == 2)
            m_displayHost.popupElementMenu(p.global, DisplayElement::Clock, items);
    } else if (p.drag) {
        m_drag.step(m_controls.clock, p.pos, DisplayElement::Clock);
    } else if (p.up) {
        m_controls.clock->setBorderStyle(0);
        const QString& endText = m_currentPlan.plan().stages[Stage::End].prompt;
        const bool showsEnd = !endText.isEmpty() && m_controls.clock->text() == endText;
        const double size = showsEnd ? m_countView.endFont().pointSizeF() : m_controls.clock->textFont().pointSizeF();
        m_painter.paintClockAt(toInt16(size).value_or(0));
    }
}

void DisplayPointer::pointerOnOvertimeClock(const PointerEvent& p)
{
    if (p.down) {
        m_drag.grab(p.pos);
        if (p.button == 2)
            m_displayHost.popupElementMenu(p.global, DisplayElement::OvertimeClock, ElementMenuItems{});
    } else if (p.drag) {
        m_drag.step(m_controls.overtimeClock, p.pos, DisplayElement::OvertimeClock);
        m_painter.paintOvertimeClockAt(toInt16(m_controls.overtimeClock->textFont().pointSizeF()).value_or(0));
    } else if (p.up) {
        m_controls.overtimeClock->setBorderStyle(0);
        m_painter.paintOvertimeClockAt(toInt16(m_controls.overtimeClock->textFont().pointSizeF()).value_or(0));
    }
}

void DisplayPointer::pointerOnLogo(const PointerEvent& p, bool dragEnded)
{
    if (p.down) {
        m_drag.grab(p.pos);
        ElementMenuItems items = prepareElementMenu();
        if (p.button == 2) {
            items.font = items.colour = items.centre = false;
            m_displayHost.popupElementMenu(p.global, DisplayElement::Logo, items);
        }
    } else if (p.drag) {
        m_drag.step(m_controls.logoBox, p.pos, DisplayElement::Logo);
    } else if (p.up && !dragEnded) {
        m_window.saveElementPosition(DisplayElement::Logo);
    }
}

} // namespace orvalen
