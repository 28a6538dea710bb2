#pragma once
#include "display/display_element.h"
#include "state/run_controller.h"

#include <QFont>
#include <QString>
#include <array>
#include <cstddef>
#include <optional>

namespace orvalen {

// The on-screen buttons.
enum class ScreenButton { Start, Stop, Pause, Settings, Exit };

// A caption a button reads in one run state instead of its own.
struct StateCaption {
    RunState state = RunState::Ready;
    const char* caption = nullptr; // none: the button always reads its own
};

// One on-screen button: everything the row, its layout, its looks and the
// pointer know of it.
struct ScreenButtonEntry {
    ScreenButton button;
    DesktopItem command;          // what a click runs; the button can be clicked when the command can run
    const char* caption;          // as drawn, between blanks; trimmed it is the button's object and accessible name
    StateCaption otherCaption{};  // " 清零 " after a run, " 继续 " while paused
    bool keepsCaptionUnderWay = false; // while a count is under way it waits, greyed, with the caption it had
    DisplayElement element;       // the number its place is kept under
    std::optional<Qt::GlobalColor> runningColour{}; // its text colour once a count is set up
};

// The row, left to right. A new button is one more line here and its
// element in DisplayElement: the row, its sizes and places, the stored
// places, the captions, the colours and the pointer follow.
inline constexpr std::array kScreenButtons{
    ScreenButtonEntry{.button = ScreenButton::Start, .command = DesktopItem::Start, .caption = " 开始 ",
                     .otherCaption = {RunState::Finished, " 清零 "}, .keepsCaptionUnderWay = true,
                     .element = DisplayElement::StartButton},
    ScreenButtonEntry{.button = ScreenButton::Stop, .command = DesktopItem::Stop, .caption = " 停止 ",
                     .element = DisplayElement::StopButton, .runningColour = Qt::black},
    ScreenButtonEntry{.button = ScreenButton::Pause, .command = DesktopItem::Pause, .caption = " 暂停 ",
                     .otherCaption = {RunState::Paused, " 继续 "}, .element = DisplayElement::PauseButton,
                     .runningColour = Qt::black},
    ScreenButtonEntry{.button = ScreenButton::Settings, .command = DesktopItem::Settings, .caption = " 设置 ",
                     .element = DisplayElement::SettingsButton},
    ScreenButtonEntry{.button = ScreenButton::Exit, .command = DesktopItem::Exit, .caption = " 退出 ",
                     .element = DisplayElement::ExitButton},
};
inline constexpr std::size_t kScreenButtonCount = kScreenButtons.size();

// The button's place in the row (left to right).
constexpr std::size_t rowPlace(ScreenButton b)
{
    for (std::size_t i = 0; i < kScreenButtons.size(); ++i) {
        if (kScreenButtons[i].button == b)
            return i;
    }
    return kScreenButtons.size();
}
constexpr const ScreenButtonEntry& screenButtonEntry(ScreenButton b) { return kScreenButtons[rowPlace(b)]; }
// The button whose place is kept as element `e`, if any.
constexpr const ScreenButtonEntry* screenButtonAt(DisplayElement e)
{
    for (const ScreenButtonEntry& entry : kScreenButtons) {
        if (entry.element == e)
            return &entry;
    }
    return nullptr;
}

// The caption the button reads in `state` (as drawn, between blanks).
QString screenButtonCaption(const ScreenButtonEntry& entry, RunState state);
// The button's object and accessible name: its own caption, trimmed.
QString screenButtonName(ScreenButton b);

// The row of on-screen buttons at `font`, in whole pixels: each button is as
// wide as the longest caption plus padding, and neighbours keep a gap, so no
// two buttons touch and a click lands on the caption under the pointer.
struct ButtonRow {
    int width = 0;
    int height = 0;
    int gap = 0;
};
ButtonRow screenButtonRow(const QFont& font);

} // namespace orvalen
