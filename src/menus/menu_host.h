#pragma once
#include "display/display_host.h"
#include "display/display_window_control.h"
#include "menus/menu_hooks.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace orvalen {

struct AppContext;
struct HostState;
class CurrentPlan;
class RunCommands;

// The menu host, living from start-up to exit. It owns the desktop menu
// "全屏时钟" (with the plan submenu) and the element menu "运行设置", shows the
// run state and the menu state in their items, and turns a menu choice or a
// command into its action.
class MenuHost : public QObject, public DisplayHost {
    Q_OBJECT
public:
    MenuHost(AppContext& ctx, HostState& host, const CurrentPlan& currentPlan, RunCommands& commands,
             QObject* parent = nullptr);
    ~MenuHost() override;

    // The display window; `lifetime` is the object whose end takes it away.
    void setDisplay(DisplayWindowControl* display, QObject* lifetime);
    void setHooks(const MenuHooks& hooks) { m_hooks = hooks; }
    // Whether the Ctrl key is down right now (tests replace it).
    void setCtrlQuery(std::function<bool()> query) { m_ctrlDown = std::move(query); }
    // Ends the program after the exit item has closed the windows (tests
    // replace it).
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // The exit item: closes the display and the windows above the menus,
    // then ends the program.
    void exitProgram();

    // The load: builds the plan submenu, reads the clock source from the
    // registry value clockmode and settles the weekday item from the current
    // plan.
    void load();

    // DisplayHost
    void runDesktopItem(DesktopItem command) override;
    void showReady() override;
    void popupDesktopMenu(const QPoint& globalPos) override;
    void popupElementMenu(const QPoint& globalPos, DisplayElement element, const ElementMenuItems& items) override;
    void stopRunOnClose() override;
    void registerHotkeys() override;
    void releaseHotkeys() override;

    QMenu* desktopMenu() const { return m_desktopMenu.get(); }
    QMenu* elementMenu() const { return m_elementMenu.get(); }
    // The submenu of the plan item that the plan menu fills.
    QMenu* planSubmenu() const { return m_planMenu; }
    // The action of a desktop menu item or an element menu item (nullptr for
    // the separators and anything else).
    QAction* action(DesktopItem item) const;
    QAction* action(ElementAction item) const;

private:
    void buildMenus();
    QAction* addCommand(DesktopItem item, const QString& caption, bool checkable = false);
    QAction* addElementCommand(ElementAction item, const QString& caption);
    // The one place where the items follow the run state and the menu state.
    void showState();
    QString runCaption(DesktopItem command, const QString& word) const;
    void toggleAdjustMode();
    void toggleButtons();
    void toggleExtendedScreen();
    void toggleMinimised();
    bool ctrlDown() const;

    AppContext& m_ctx;
    HostState& m_host;
    const CurrentPlan& m_currentPlan;
    // The display while it lives: null once its object is gone.
    DisplayWindowControl* display() const { return m_displayLifetime ? m_display : nullptr; }
    DisplayWindowControl* m_display = nullptr;
    QPointer<QObject> m_displayLifetime;
    RunCommands& m_commands;
    MenuHooks m_hooks;
    std::function<bool()> m_ctrlDown;
    std::function<void()> m_quit;
    DisplayElement m_menuElement = DisplayElement::MainTitle; // the element the element menu was opened on

    std::unique_ptr<QMenu> m_desktopMenu;
    QMenu* m_planMenu = nullptr; // a child of the desktop menu
    std::unique_ptr<QMenu> m_elementMenu;

    QAction* m_start = nullptr;
    QAction* m_stop = nullptr;
    QAction* m_pause = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_plans = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_adjustMode = nullptr;
    QAction* m_background = nullptr;
    QAction* m_buttons = nullptr;
    QAction* m_extendedScreen = nullptr;
    QAction* m_minimise = nullptr;
    QAction* m_statistics = nullptr;
    QAction* m_help = nullptr;
    QAction* m_about = nullptr;
    QAction* m_exit = nullptr;

    QAction* m_font = nullptr;
    QAction* m_colour = nullptr;
    QAction* m_centre = nullptr;
    QAction* m_hide = nullptr;
    QAction* m_weekday = nullptr;
};

} // namespace orvalen
