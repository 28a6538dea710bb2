#pragma once
#include "stores/enum_array.h"

#include <array>
#include <cstddef>

namespace orvalen {

// The texts of the display that have a font, a colour and a size in a plan,
// in the order of the plan's size list (and of the settings' style rows).
// The clock and the overtime clock share the clock's slot.
enum class StyleSlot : int {
    MainTitle = 0,     // "主标题"
    Subtitle = 1,      // "副标题"
    Clock = 2,         // "时间", and the overtime clock
    DateLine = 3,      // "天数": the date or day line
    Prompt = 4,        // "提示文字"
    ScrollingText = 5, // "动态文本"
};
inline constexpr int kStyleSlotCount = 6;

// The position of a slot in the size list.
constexpr std::size_t slotIndex(StyleSlot slot) { return static_cast<std::size_t>(slot); }

// Every slot, in order.
inline constexpr std::array<StyleSlot, kStyleSlotCount> kStyleSlots{StyleSlot::MainTitle, StyleSlot::Subtitle,
                                                                    StyleSlot::Clock,     StyleSlot::DateLine,
                                                                    StyleSlot::Prompt,    StyleSlot::ScrollingText};

// One value per slot, in the order of the size list.
template <class T>
using PerSlot = EnumArray<StyleSlot, T, kStyleSlotCount>;

} // namespace orvalen
