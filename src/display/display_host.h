#pragma once
#include "display/display_element.h"

#include <QPoint>

namespace orvalen {

// What the display window asks of the rest of the program (the menu host,
// the run commands, the hotkey layer, the engine's set-ups). The program
// wires a real implementation; tests record the calls.
class DisplayHost {
public:
    virtual ~DisplayHost() = default;
    // Runs desktop menu command k (0..17) as if its item had been chosen.
    virtual void desktopRun(int k) = 0;
    // Shows the ready run state: the run items of the desktop menu and the
    // on-screen buttons follow from the run state in one place.
    virtual void showReady() = 0;
    // Pops up the desktop menu ("全屏时钟") at a global position.
    virtual void popupDesktopMenu(const QPoint& globalPos) = 0;
    // Pops up the element menu ("运行设置") for `element` at a global
    // position; the display has set the items' visibility before.
    virtual void popupElementMenu(const QPoint& globalPos, DisplayElement element) = 0;
    // Registers the global hotkeys (start-up) / releases them (close-down).
    virtual void registerHotkeys() = 0;
    virtual void releaseHotkeys() = 0;
};

} // namespace orvalen
