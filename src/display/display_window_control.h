#pragma once
#include <array>

class QScreen;

namespace orvalen {

// The display window as the menus steer it: full screen or minimised, on
// which screen, its on-screen buttons and the layout placeholders, closed.
class DisplayWindowControl {
public:
    virtual ~DisplayWindowControl() = default;

    // Shows the window in its full-screen state, without decorations, also
    // coming back from minimised.
    virtual void restoreFullScreen() = 0;
    // True while the window fills the screen and is not minimised.
    virtual bool fillsScreen() const = 0;
    virtual void minimise() = 0;
    // Shows the window full screen over `screen` (nullptr: where it is).
    virtual void moveToScreen(QScreen* screen) = 0;
    virtual void closeDisplay() = 0;

    // The on-screen buttons, left to right as kScreenButtons.
    virtual bool buttonsShown() const = 0;
    virtual void setButtonsShown(bool shown) = 0;
    // Gives empty text elements a placeholder caption and shows them (layout
    // editing on), or removes the placeholders again.
    virtual void showElementPlaceholders(bool shown) = 0;
};

} // namespace orvalen
