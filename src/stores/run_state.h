#pragma once
#include "stores/run_controller.h"

#include <QString>
#include <array>

namespace orvalen {

// The items of the desktop menu "全屏时钟", numbered as in the menu (the
// numbers hotkeys and the display's buttons use). Number 14 has no item.
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

// One item of a popup menu as the run commands and the display see it. The
// menu host mirrors these into its real menu actions whenever
// HostState::menusChanged() is called.
struct MenuItemState {
    QString caption;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};

// The menu host's shared run state: the run controller, the menu items shown
// from it, and the run values.
struct HostState {
    // desktop(0)..desktop(17) of the desktop menu ("全屏时钟"); index 14 unused.
    std::array<MenuItemState, 18> desktop{{
        {"开始"}, {"停止"}, {"暂停"}, {"复位", true, false}, {"-"}, {"阶段选择"}, {"设置"},
        {"允许调整"}, {"背景设置"}, {"按钮"}, {"扩展屏显示"}, {"-"}, {"最小化"}, {"统计"},
        {QString(), false, false}, {"帮助"}, {"在线帮助"}, {"退出"}}};
    // clockset(0)..clockset(4) of the element menu ("运行设置").
    std::array<MenuItemState, 5> clockset{{{"设置字体"}, {"设置颜色"}, {"居中"}, {"隐藏"}, {"显示星期"}}};

    MenuItemState& item(DesktopItem i) { return desktop[std::size_t(i)]; }
    const MenuItemState& item(DesktopItem i) const { return desktop[std::size_t(i)]; }
    bool adjust_mode() const { return item(DesktopItem::AdjustMode).checked; }

    // The run state; its changes redraw the menus and the buttons.
    RunController run;

    // Called after menu items change; the menu host mirrors them.
    void menusChanged() { emit run.menusChanged(); }
};

} // namespace orvalen
