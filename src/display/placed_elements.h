#pragma once
#include "display/screen_buttons.h"

#include <array>

namespace orvalen {

// The elements whose place is kept, by the number they are kept under: the
// texts, the clocks and the logo, then every on-screen button (ButtonsFlag
// keeps a flag, no place).
inline constexpr auto kPlacedElements = [] {
    constexpr DisplayElement kFixed[] = {DisplayElement::MainTitle, DisplayElement::Subtitle,
                                         DisplayElement::DateLine,  DisplayElement::Prompt,
                                         DisplayElement::ScrollingText, DisplayElement::Clock,
                                         DisplayElement::Logo,      DisplayElement::OvertimeClock};
    std::array<int, std::size(kFixed) + kScreenButtons.size()> all{};
    std::size_t n = 0;
    for (DisplayElement e : kFixed)
        all[n++] = int(e);
    for (const ScreenButtonEntry& button : kScreenButtons)
        all[n++] = int(button.element);
    return all;
}();

} // namespace orvalen
