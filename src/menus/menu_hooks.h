#pragma once
#include "display/display_element.h"
#include "timing/run_commands.h"

#include <QString>

class QMenu;

namespace orvalen {

// What the menu host calls in the parts of the program that own the plan
// submenu, the element menu, the hotkeys and the auxiliary windows. Each part
// implements its interface and is handed to MenuHost::setHooks(); an
// interface that is not handed in leaves its items doing nothing.

// The plan submenu "阶段选择": one item per saved plan. The menu host owns the
// QMenu (MenuHost::planSubmenu()); the plan menu fills it (again at each
// change of the saved plans), says through MenuState whether its item is
// enabled, and selects plans. Its PlanSequence side serves the plan sequence
// of the run commands.
class PlanMenuHooks : public PlanSequence {
public:
    // Reads the saved plans now if their reading was put off (the menu host
    // calls it before the desktop menu shows).
    virtual void ensureLoaded() {}
};

// The element menu "运行设置": the handler of its items, acting on the element
// the menu was opened on. The menu host does not toggle the weekday check
// mark itself; the handler sets it in MenuState.
class ElementMenuHooks {
public:
    virtual ~ElementMenuHooks() = default;
    virtual void elementMenuChosen(ElementAction action, DisplayElement element) = 0;
};

// Global hotkeys of the display window.
class HotkeyHooks {
public:
    virtual ~HotkeyHooks() = default;
    virtual void registerHotkeys() = 0;
    virtual void releaseHotkeys() = 0;
};

// The windows opened from the desktop menu and the help. Every method does
// nothing until the window it stands for is built.
class WindowHooks {
public:
    virtual ~WindowHooks() = default;
    virtual void showSettings() {}   // "设置": the settings window, modal
    virtual void showBackground() {} // "背景设置": the background window, modal
    virtual void showStatistics() {} // "统计": the statistics window, modal
    virtual void showAbout() {}      // "在线帮助": the about window, modal
    virtual void openHelp() {}       // "帮助": the help file
    // "设置" / "在线帮助" with Ctrl held: an article link (item = 6 or 16, as
    // DesktopItem numbers them).
    virtual void openArticleLink(int item) {}
    // "退出": unloads the statistics and the settings windows, before the
    // menu host ends the program.
    virtual void unloadWindows() {}
};

struct MenuHooks {
    PlanMenuHooks* plans = nullptr;
    ElementMenuHooks* element = nullptr;
    HotkeyHooks* hotkeys = nullptr;
    WindowHooks* windows = nullptr;
};

} // namespace orvalen
