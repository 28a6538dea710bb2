#pragma once
#include <array>

namespace orvalen {

// The point sizes the display's texts are made with, in the order of a
// plan's size list: title, subtitle, clocks, date line, prompt, scrolling
// text. A text whose size the plan cannot read stays at this size.
inline constexpr std::array<double, 6> kMadeTextSizes{72, 42, 80.25, 72, 42, 42};

} // namespace orvalen
