#pragma once
#include "display/display_element.h"
#include "display/element_drag.h"
#include "display/screen_buttons.h"
#include "state/menu_state.h"

#include <QObject>

class QEvent;
class QWidget;

namespace orvalen {

class CurrentPlan;
class DisplayCountView;
class DisplayHost;
class DisplayWindow;
class ElementLayout;
class PanelPainter;
struct DisplayControls;
struct PointerEvent;

// Pointer input on the display: it hears every element and the background
// (as their event filter) and answers with the right-click menus, the
// on-screen buttons' highlight and, while the layout is being arranged,
// dragging elements and keeping their places. Outside it an on-screen button
// takes its left clicks itself (it runs its command on clicked()). It keeps
// the drag under way.
class DisplayPointer : public QObject {
public:
    DisplayPointer(DisplayWindow& window, DisplayControls& controls, PanelPainter& painter,
                   const DisplayCountView& countView, const CurrentPlan& currentPlan, const MenuState& menus,
                   DisplayHost& displayHost);

    // Every element and the background report the pointer here (after the
    // controls are made).
    void listen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The element menu's items for an element under the pointer (the
    // weekday item belongs to long-term plans, whose weekday mark it
    // settles); the popup request carries them.
    ElementMenuItems prepareElementMenu();
    bool handleMouse(QWidget* w, QEvent* event);
    void pointerOnBackground(const PointerEvent& p);
    // False where the button takes the event itself.
    bool pointerOnScreenButton(ScreenButton button, const PointerEvent& p);
    void pointerOnTitle(const PointerEvent& p);
    void pointerOnTextLine(std::size_t i, const PointerEvent& p);
    void pointerOnTextPanel(std::size_t i, const PointerEvent& p);
    void pointerOnClock(const PointerEvent& p);
    void pointerOnOvertimeClock(const PointerEvent& p);
    void pointerOnLogo(const PointerEvent& p, bool dragEnded);

    DisplayWindow& m_window;
    DisplayControls& m_controls;
    PanelPainter& m_painter;
    const DisplayCountView& m_countView;
    const CurrentPlan& m_currentPlan;
    const MenuState& m_menus;
    DisplayHost& m_displayHost;
    ElementLayout& m_layout;
    ElementDrag m_drag; // the element being moved in 允许调整
};

} // namespace orvalen
