#pragma once
#include "state/run_state.h"

#include <cstddef>
#include <optional>

namespace orvalen {

// The display elements, valued by the number their place is kept under
// ([clocksite] pictureleftN / picturetopN and the per-user store).
enum class DisplayElement : int {
    MainTitle = 0,
    Subtitle = 1,
    DateLine = 2,
    Prompt = 3,
    ScrollingText = 4,
    Clock = 5,
    Logo = 6,
    OvertimeClock = 7,
    ButtonsFlag = 9,      // no element: its left (1 or 0) says whether the on-screen buttons show
    // The on-screen buttons (kScreenButtons).
    StartButton = 10,
    StopButton = 11,
    PauseButton = 12,
    SettingsButton = 13,
    ExitButton = 14,
};

// The five text elements carry their text in a label: the title straight on
// the background, the others inside a panel.
constexpr bool isTextElement(DisplayElement e)
{
    return int(e) >= 0 && int(e) <= 4;
}

// The items of the element menu "运行设置", in menu order.
enum class ElementAction : int {
    Font = 0,      // "设置字体"
    Colour = 1,    // "设置颜色"
    Centre = 2,    // "居中"
    Hide = 3,      // "隐藏"
    Weekday = 4,   // "显示星期"
};
// Which items of the element menu show for the element it is opened on.
struct ElementMenuItems {
    bool font = true;
    bool colour = true;
    bool centre = true;
    bool hide = true;
    bool weekday = true;
};

} // namespace orvalen
