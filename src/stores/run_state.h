#pragma once
#include "stores/clock_plan.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTime>
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

// Where a run stands. Ready: nothing runs, start begins a run. Running and
// Paused: a count is under way. Finished: the run has ended and start
// clears the display back to ready.
enum class RunState { Ready, Running, Paused, Finished };

// What a count-down does when it reaches zero: the plan's overtime action
// digit, read at the set-up, or Ended once the run has been closed (by a
// command, by a passed target, or by the end itself). A digit without a name
// here records the run and stops the ticks.
enum class EndAction : int { Overtime = 0, Stop = 1, Reset = 2, NextPlan = 3, Ended = 5 };

// The count tick that ran last: none yet in this run, the count-down tick
// (a count against the plan length) or the count-up tick (the overtime).
enum class CountTick { None, Down, Up };

// Owns the run state and announces its changes. The run commands derive the
// desktop menu's captions and enabled items and the on-screen buttons from
// it; nobody reads the state back from a caption or a label.
class RunController : public QObject {
    Q_OBJECT
public:
    RunState state() const { return m_state; }
    // A run is under way: running or paused.
    bool isUnderWay() const { return m_state == RunState::Running || m_state == RunState::Paused; }
    void setState(RunState state)
    {
        if (state == m_state)
            return;
        m_state = state;
        emit stateChanged(state);
    }

    // A command (or a passed target, or the overtime limit) has ended the
    // run: the next count tick closes it with the values of the last one.
    // A new set-up clears the mark.
    bool endMarked() const { return m_endMarked; }
    void setEndMarked(bool marked) { m_endMarked = marked; }

    // The stage the run has reached: 0 start, 1..3 the alarms, 4 the seconds
    // count-down, 5 overtime, 6 the end; -1 before the first run. The
    // prompt line shows the stage's text.
    int stage() const { return m_stage; }
    void setStage(int stage)
    {
        m_stage = stage;
        emit stageChanged(stage);
    }

    // The current plan counts to a date or shows the live clock (a
    // long-term plan) rather than counting its length. Each set-up says
    // which, and the menus follow (the weekday item belongs to long-term
    // plans).
    bool isLongTerm() const { return m_longTerm; }
    void setLongTerm(bool longTerm)
    {
        m_longTerm = longTerm;
        emit kindChanged(longTerm);
    }

    EndAction endAction() const { return m_endAction; }
    void setEndAction(EndAction action) { m_endAction = action; }

    CountTick tick() const { return m_tick; }
    void setTick(CountTick tick) { m_tick = tick; }

    // The clock that measures a count (the registry value clockmode): 0 the
    // monotonic clock, 1 the time of day in milliseconds, 2 the time of day
    // in whole seconds. Any other number measures nothing.
    int clockSource() const { return m_clockSource; }
    void setClockSource(int source) { m_clockSource = source; }

    // The counts of the last tick, in milliseconds: what the count-down tick
    // has counted, what the count-up tick has counted, and the count shown
    // (for a count-down, the time left).
    qint64 countedDownMs() const { return m_countedDownMs; }
    qint64 countedUpMs() const { return m_countedUpMs; }
    qint64 shownMs() const { return m_shownMs; }
    void setCountedDownMs(qint64 ms) { setCount(m_countedDownMs, ms); }
    void setCountedUpMs(qint64 ms) { setCount(m_countedUpMs, ms); }
    void setShownMs(qint64 ms) { setCount(m_shownMs, ms); }
    void clearCounts()
    {
        setCountedDownMs(0);
        setCountedUpMs(0);
        setShownMs(0);
    }

signals:
    void stateChanged(RunState state);
    void countChanged();
    void stageChanged(int stage);
    void kindChanged(bool longTerm);
    // A menu item's caption, check mark, enabled or visible flag changed.
    void menusChanged();

private:
    void setCount(qint64& count, qint64 ms)
    {
        if (count == ms)
            return;
        count = ms;
        emit countChanged();
    }

    RunState m_state = RunState::Ready;
    bool m_endMarked = false;
    int m_stage = -1;
    bool m_longTerm = false;
    EndAction m_endAction = EndAction::Overtime;
    CountTick m_tick = CountTick::None;
    int m_clockSource = 0;
    qint64 m_countedDownMs = 0;
    qint64 m_countedUpMs = 0;
    qint64 m_shownMs = 0;
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

// What the statistics row of a run is made of. A count banks its counted
// times here when it pauses or ends.
struct RunRecord {
    QTime setTime{0, 0};         // the plan's length; a long-term run: the time of day of its set-up
    QDateTime setUpInstant;      // a long-term run's set-up, to the second (none for a count)
    qint64 countedDownMs = 0;    // count-down time
    qint64 countedUpMs = 0;      // count-up or overtime time
    qint64 pausedMs = 0;         // time spent paused
    QString label = QStringLiteral("0"); // the run label; empty: the time the row is written
    bool operator==(const RunRecord&) const = default;
};

// The menu host's shared run state: the run controller, the menu items shown
// from it, and the run values.
struct HostState {
    bool prepare_only = false;            // the next set-up only prepares the display, starts no run
    RunRecord run_record;

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

// Program-wide values kept in module storage: the current plan and the run
// values the set-ups write and the ticks read.
struct ModuleState {
    ClockPlan clock_plan;               // the current plan
    qint32 plan_length_seconds = 0;
    qint64 plan_length_ms = 0;
    qint64 start_reference_ms = 0;      // in milliseconds of the clock source
    QTime start_time_of_day;            // time of day, in whole seconds, at the count's start (or its last pause)
    int restart_seconds_left = 0;       // seconds left before a delayed restart
    int full_screen_width_px = 0;
    int full_screen_height_px = 0;
    int selected_element = 0;           // element-menu numbering (6 overtime clock, 7 logo)
    int bigClockText = 0;
};

} // namespace orvalen
