#pragma once
#include "display/display_host.h"
#include "display/display_window.h"
#include "menus/menu_hooks.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace orvalen {

struct AppContext;
struct HostState;
class CurrentPlan;
class RunCommands;

// The menu host, living from start-up to exit. It owns the desktop menu "全屏时钟" (desktop(0)..desktop(17), item 14
// absent, the plan submenu under item 5) and the element menu "运行设置"
// (clockset(0)..clockset(4)), shows HostState's run state in them, and turns
// a menu choice or a command number into its action.
class MenuHost : public QObject, public DisplayHost {
    Q_OBJECT
public:
    MenuHost(AppContext& ctx, HostState& host, const CurrentPlan& currentPlan, QObject* parent = nullptr);
    ~MenuHost() override;

    void setDisplay(DisplayWindow* display) { m_display = display; }
    void setRunCommands(RunCommands* commands) { m_commands = commands; }
    void setHooks(const MenuHooks& hooks) { m_hooks = hooks; }
    // Whether the Ctrl key is down right now (tests replace it).
    void setCtrlQuery(std::function<bool()> query) { m_ctrlDown = std::move(query); }
    // Ends the program after the exit item has closed the windows (tests
    // replace it).
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // The load: builds the plan submenu, reads the clock source from the
    // registry value clockmode and settles the weekday item from the current
    // plan.
    void load();

    // DisplayHost
    void desktopRun(int k) override;
    void showReady() override;
    void popupDesktopMenu(const QPoint& globalPos) override;
    void popupElementMenu(const QPoint& globalPos, DisplayElement element) override;
    void registerHotkeys() override;
    void releaseHotkeys() override;

    // The menu event of desktop(k): the same as desktopRun(k).
    void desktopMenuChosen(int k);

    QMenu* desktopclock() const { return m_desktopMenu.get(); }
    QMenu* clocksetMenu() const { return m_elementMenu.get(); }
    // The submenu of desktop(5) that the plan menu fills.
    QMenu* planSubmenu() const { return m_planMenu; }
    // The action of desktop(k) (nullptr for 14 and out of range).
    QAction* desktopAction(int k) const;
    QAction* clocksetAction(int k) const;

    // Copies HostState's menu item states into the actions; runs on every
    // RunController::menusChanged.
    void syncMenus();

private:
    void buildMenus();
    void toggleAdjustMode();
    void toggleButtons();
    void toggleExtendedScreen();
    void toggleMinimised();
    void exitProgram();
    bool ctrlDown() const;

    AppContext& m_ctx;
    HostState& m_host;
    const CurrentPlan& m_currentPlan;
    QPointer<DisplayWindow> m_display;
    RunCommands* m_commands = nullptr;
    MenuHooks m_hooks;
    std::function<bool()> m_ctrlDown;
    std::function<void()> m_quit;

    std::unique_ptr<QMenu> m_desktopMenu;
    QMenu* m_planMenu = nullptr;         // a child of the desktop menu
    std::unique_ptr<QMenu> m_elementMenu;
    DisplayElement m_elementMenuTarget = DisplayElement::MainTitle; // the element the element menu was opened on
    std::array<QAction*, 18> m_desktop{};
    std::array<QAction*, 5> m_clockset{};
};

} // namespace orvalen
