#pragma once
#include "stores/clock_plan.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

namespace orvalen {

// One item of a popup menu as the run commands and the display see it. The
// menu host mirrors these into its real menu actions whenever
// HostState::menusChanged() is called.
struct MenuItemState {
    QString caption;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};

// The menu host's shared run state, kept beside the menu captions of the
// menu host window. Every field keeps its text form, since readers take the
// leading number of the text.
struct HostState {
    QString ready_marker = "0";           // "setting" = the next set-up only prepares
    QString clock_source = "0";           // "0", "1" or "2"
    std::array<QString, 5> run_record{"0", "0", "0", "0", "0"};
    std::array<QString, 5> run_counters{"0", "0", "0", "0", "0"};
    QString tick_state;                   // "0" count-down tick, "1" count-up tick
    QString count_up_carry = "0";

    // desktop(0)..desktop(17) of the desktop menu ("全屏时钟"); index 14 unused.
    std::array<MenuItemState, 18> desktop{{
        {"开始"}, {"停止"}, {"暂停"}, {"复位", true, false}, {"-"}, {"阶段选择"}, {"设置"},
        {"允许调整"}, {"背景设置"}, {"按钮"}, {"扩展屏显示"}, {"-"}, {"最小化"}, {"统计"},
        {QString(), false, false}, {"帮助"}, {"在线帮助"}, {"退出"}}};
    // clockset(0)..clockset(4) of the element menu ("运行设置").
    std::array<MenuItemState, 5> clockset{{{"设置字体"}, {"设置颜色"}, {"居中"}, {"隐藏"}, {"显示星期"}}};

    bool adjust_mode() const { return desktop[7].checked; }

    // Called after menu items change; the menu host installs the handler.
    std::function<void()> onMenusChanged;
    void menusChanged() const { if (onMenusChanged) onMenusChanged(); }
};

// Program-wide values kept in module storage: the current plan and the run
// values the set-ups write and the ticks read.
struct ModuleState {
    ClockPlan clock_plan;               // the current plan
    qint32 plan_length_seconds = 0;
    qint64 plan_length_ms = 0;
    qint64 start_reference_ms = 0;      // in milliseconds of the clock source
    int full_screen_width_px = 0;
    int full_screen_height_px = 0;
    int selected_element = 0;           // element-menu numbering (6 overtime clock, 7 logo)
    int colckbigtext = 0;
};

} // namespace orvalen
