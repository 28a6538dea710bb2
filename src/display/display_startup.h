#pragma once
#include "display/display_window.h"

namespace orvalen {

// The display window's start-up in its two halves: the current plan and the
// element styles, then the background, the logo, the menu state and the
// first layout.
class DisplayStartUp {
public:
    explicit DisplayStartUp(DisplayWindow& window);
    void loadPlanAndStyles();
    void loadLookAndState();

private:
    void applyIdleMenuState();

    DisplayWindow& m_w;
};

} // namespace orvalen
