#pragma once
#include "state/run_controller.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace orvalen {

// The items of the desktop menu "全屏时钟", numbered as in the menu. Hotkeys
// and the on-screen buttons run their commands by these names.
enum class DesktopItem : int {
    Start = 0,          // "开始", "清零" once a run has finished
    Stop = 1,           // "停止"
    Pause = 2,          // "暂停", "继续" while paused
    Reset = 3,          // "复位" (hidden)
    StartSeparator = 4,
    Plans = 5,          // "阶段选择", the plan submenu
    Settings = 6,       // "设置"
    AdjustMode = 7,     // "允许调整": elements can be dragged
    Background = 8,     // "背景设置"
    Buttons = 9,        // "按钮": the on-screen buttons are shown
    ExtendedScreen = 10, // "扩展屏显示"
    WindowSeparator = 11,
    Minimise = 12,      // "最小化" / "最大化"
    Statistics = 13,    // "统计"
    Help = 15,          // "帮助"
    About = 16,         // "在线帮助": the about window
    Exit = 17,          // "退出"
};

// Whether a run command (start, stop, pause, settings, exit) can be chosen
// in this run state: the menu items and the on-screen buttons both follow it.
constexpr bool commandEnabled(DesktopItem item, RunState state)
{
    const bool underWay = state == RunState::Running || state == RunState::Paused;
    switch (item) {
    case DesktopItem::Start: return !underWay;
    case DesktopItem::Stop:
    case DesktopItem::Pause:
    case DesktopItem::Reset: return underWay;
    case DesktopItem::Settings: return state == RunState::Ready;
    case DesktopItem::Exit: return !underWay;
    default: return true;
    }
}

// What the menus show beside the run state, each value announced by a
// signal: the check marks (adjust mode, on-screen buttons, extended screen,
// weekday), the key texts of the run hotkeys, the plan item and whether the
// display is minimised. The menu host shows them. Several objects write
// them: the menu host (its items' marks, and the weekday at its load), the
// display (its load settles the marks, it sets the minimised flag), the
// element menu (the weekday, following every change of the plan), the run
// commands (start clears adjust mode, every run-state change shows the plan
// item), the plan menu (the plan item) and the global hotkeys (the key
// texts).
class MenuState : public QObject {
    Q_OBJECT
public:
    // "允许调整": the display outlines its elements and lets them be dragged.
    bool adjustMode() const { return m_adjustMode; }
    void setAdjustMode(bool on)
    {
        if (on == m_adjustMode)
            return;
        m_adjustMode = on;
        emit adjustModeChanged(on);
    }
    // "按钮": the on-screen buttons are shown.
    bool buttonsShown() const { return m_buttonsShown; }
    void setButtonsShown(bool shown) { setFlag(m_buttonsShown, shown); }
    // "扩展屏显示": the display sits on a second screen.
    bool extendedScreen() const { return m_extendedScreen; }
    void setExtendedScreen(bool on) { setFlag(m_extendedScreen, on); }
    // "显示星期": a long-term plan shows the weekday on the prompt line.
    bool weekdayChecked() const { return m_weekdayChecked; }
    void setWeekdayChecked(bool on) { setFlag(m_weekdayChecked, on); }
    // The display is minimised: the minimise item reads "最大化".
    bool displayMinimised() const { return m_displayMinimised; }
    void setDisplayMinimised(bool minimised) { setFlag(m_displayMinimised, minimised); }

    // The plan submenu's item: shown, and enabled while there are plans.
    bool planItemShown() const { return m_planItemShown; }
    bool planItemEnabled() const { return m_planItemEnabled; }
    void setPlanItem(bool shown, bool enabled)
    {
        if (shown == m_planItemShown && enabled == m_planItemEnabled)
            return;
        m_planItemShown = shown;
        m_planItemEnabled = enabled;
        emit changed();
    }
    void showPlanItem() { setPlanItem(true, m_planItemEnabled); }

    // The key text of the start, stop or pause hotkey ("" for none), once
    // the hotkeys have been registered; nothing before.
    std::optional<QString> hotkeyText(DesktopItem command) const
    {
        const int i = int(command);
        return i >= 0 && i < 3 ? m_hotkeyTexts[std::size_t(i)] : std::nullopt;
    }
    void setHotkeyTexts(const std::array<QString, 3>& texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            m_hotkeyTexts[i] = texts[i];
        emit changed();
    }

signals:
    void adjustModeChanged(bool on);
    // Any other of the values above changed.
    void changed();

private:
    void setFlag(bool& flag, bool value)
    {
        if (flag == value)
            return;
        flag = value;
        emit changed();
    }

    // The marks as the menus are built; the display's load settles them.
    bool m_adjustMode = true;
    bool m_buttonsShown = true;
    bool m_extendedScreen = true;
    bool m_weekdayChecked = true;
    bool m_displayMinimised = false;
    bool m_planItemShown = true;
    bool m_planItemEnabled = true;
    std::array<std::optional<QString>, 3> m_hotkeyTexts{};
};

} // namespace orvalen
