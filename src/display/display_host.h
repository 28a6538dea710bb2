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
    // Runs a desktop menu command as if its item had been chosen.
    virtual void runDesktopItem(DesktopItem command) = 0;
    // The display has loaded: the run goes back to ready, the end mark taken
    // off, and the run items of the desktop menu and the on-screen buttons
    // show it (they follow from the run state in one place).
    virtual void showReady() = 0;
    // Pops up the desktop menu ("全屏时钟") at a global position.
    virtual void popupDesktopMenu(const QPoint& globalPos) = 0;
    // Pops up the element menu ("运行设置") at a global position for
    // `element`, showing the items `items` names.
    virtual void popupElementMenu(const QPoint& globalPos, DisplayElement element, const ElementMenuItems& items) = 0;
    // The display closes (the exit item, the window manager's close, a stop
    // signal): a run under way ends as the stop command ends it, keeping its
    // statistics row.
    virtual void stopRunOnClose() = 0;
    // Registers the global hotkeys (start-up) / releases them (close-down).
    virtual void registerHotkeys() = 0;
    virtual void releaseHotkeys() = 0;
};

} // namespace orvalen
