#include "startup/program_windows.h"

#include "startup/program_tray.h"

#include "display/display_window.h"
#include "menus/element_menu.h"
#include "menus/hotkey_menu_hooks.h"
#include "menus/menu_host.h"
#include "menus/plan_menu.h"
#include "menus/style_dialogs.h"
#include "platform/x11_hotkeys.h"
#include "services/app_context.h"
#include "services/help_links.h"
#include "services/deferred_module.h"
#include "services/sound_player.h"
#include "platform/clock.h"
#include "stores/plan_repository.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "stores/time_data_keys.h"
#include "timing/display_engine.h"
#include "timing/global_hotkeys.h"
#include "timing/run_commands.h"


namespace orvalen {
namespace {

// The windows of the desktop menu: the help file here; the settings,
// background, statistics and about windows from the windows above the menus.
class BuiltWindows final : public WindowHooks {
public:
    explicit BuiltWindows(AppContext& ctx) : m_ctx(ctx) {}
    void setDesktopWindows(std::unique_ptr<WindowHooks> windows) { m_desktop = std::move(windows); }
    void openHelp() override
    {
        openHelpFile(m_ctx.folder, m_launcher, m_ctx.notifier);
    }
    void showSettings() override { if (m_desktop) m_desktop->showSettings(); }
    void showBackground() override { if (m_desktop) m_desktop->showBackground(); }
    void showStatistics() override { if (m_desktop) m_desktop->showStatistics(); }
    void showAbout() override { if (m_desktop) m_desktop->showAbout(); }
    void unloadWindows() override { if (m_desktop) m_desktop->unloadWindows(); }
    // With no address stored the item does what it does without Ctrl.
    void openArticleLink(int item) override
    {
        const QString address = aboutAddress(m_ctx.ini, time_data::linkKey(item));
        if (!address.isEmpty())
            openAboutAddress(address, m_ctx.folder, m_launcher, m_ctx.notifier);
        else if (item == 6)
            showSettings();
        else
            showAbout();
    }

private:
    AppContext& m_ctx;
    SystemLauncher m_launcher;
    std::unique_ptr<WindowHooks> m_desktop;
};

// The program as the display window's host: what the display asks goes to
// the menu host. The display asks nothing while it is being made, so the
// menu host, made after the display and its engine, is there when it does.
class RunningProgram final : public ProgramWindows, private DisplayHost {
public:
    RunningProgram(AppContext& ctx, const DesktopWindowsFactory& windows)
        : m_ctx(ctx), m_savedPlans(ctx.folder), m_windows(ctx)
    {
        m_soundBackend = std::make_unique<DeferredSoundBackend>();
        m_sound = std::make_unique<SoundPlayer>(*m_soundBackend);
        m_ctx.setSound(*m_sound);
        // The run commands come with the engine, before everything that
        // uses them.
        m_display = std::make_unique<DisplayWindow>(m_ctx, m_host, m_currentPlan, static_cast<DisplayHost&>(*this));
        m_engine = std::make_unique<DisplayEngine>(m_ctx, m_host, m_currentPlan, m_display->countView());
        RunCommands& commands = m_engine->commands();
        m_menuHost = std::make_unique<MenuHost>(m_ctx, m_host, m_currentPlan, commands);
        m_hotkeys = std::make_unique<GlobalHotkeys>(m_ctx, m_host, commands, m_hotkeyBackend);
        m_hotkeyHooks = std::make_unique<GlobalHotkeyHooks>(*m_hotkeys);
        m_planMenu = std::make_unique<PlanMenu>(m_ctx, m_savedPlans, m_host, m_currentPlan, commands,
                                                m_display->elementView(), m_menuHost->planSubmenu());
        m_styleDialogs = std::make_unique<QtStyleDialogs>(m_display.get());
        m_elementMenu = std::make_unique<ElementMenu>(m_ctx, m_host, m_currentPlan, commands, m_display->elementView(),
                                                      *m_styleDialogs);
        commands.setPlanSequence(m_planMenu.get());
        m_hotkeys->setPlanSequence(m_planMenu.get());
        if (windows)
            m_windows.setDesktopWindows(windows(
                ProgramParts{m_ctx, m_currentPlan, *m_display, commands, *m_hotkeys, *m_hotkeyHooks, *m_planMenu, m_savedPlans}));

        MenuHooks hooks;
        hooks.plans = m_planMenu.get();
        hooks.element = m_elementMenu.get();
        hooks.hotkeys = m_hotkeyHooks.get();
        hooks.windows = &m_windows;
        m_menuHost->setHooks(hooks);
        m_menuHost->setDisplay(m_display.get(), m_display.get());

        // The menu host loads first, then the display loads and shows itself.
        // The tray icon comes after the first frame; the saved plans are read
        // once the key of DeskData.db is derived, or when first needed, and
        // the plan hotkeys are registered once the key is there.
        m_planMenu->deferLoad();
        m_menuHost->load();
        loadCurrentPlan(m_ctx.registry, m_currentPlan, m_ctx.clock.now().date());
        m_display->load();
        m_engine->displayLoaded();
    }

    QWindow* shownWindow() const override { return m_display->windowHandle(); }
    void closeDown() override { m_menuHost->exitProgram(); }
    void firstFrameShown() override
    {
        if (!m_tray && m_display->isVisible())
            m_tray = std::make_unique<ProgramTray>(*m_display, *m_menuHost);
        m_display->recordPlacesForThisScreen();
    }
    void deskDataReady() override
    {
        m_planMenu->ensureLoaded();
        m_hotkeys->planListRead();
    }

    ~RunningProgram() override
    {
        // Each engine part takes its timer handlers off when it goes.
        m_windows.setDesktopWindows(nullptr);
        m_engine->commands().setPlanSequence(nullptr);
        m_hotkeys.reset();
        m_elementMenu.reset();
        m_planMenu.reset();
        m_engine.reset();
        m_tray.reset();
        m_display.reset();
        m_menuHost.reset();
        m_ctx.silenceSound();
    }

private:
    // DisplayHost
    void runDesktopItem(DesktopItem command) override { m_menuHost->runDesktopItem(command); }
    void showReady() override { m_menuHost->showReady(); }
    void popupDesktopMenu(const QPoint& globalPos) override { m_menuHost->popupDesktopMenu(globalPos); }
    void popupElementMenu(const QPoint& globalPos, DisplayElement element, const ElementMenuItems& items) override
    {
        m_menuHost->popupElementMenu(globalPos, element, items);
    }
    void stopRunOnClose() override { m_menuHost->stopRunOnClose(); }
    void registerHotkeys() override { m_menuHost->registerHotkeys(); }
    void releaseHotkeys() override { m_menuHost->releaseHotkeys(); }

    AppContext& m_ctx;
    PlanRepository m_savedPlans;
    HostState m_host;
    CurrentPlan m_currentPlan;
    X11Hotkeys m_hotkeyBackend;
    BuiltWindows m_windows;
    std::unique_ptr<DeferredSoundBackend> m_soundBackend;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<MenuHost> m_menuHost;
    std::unique_ptr<DisplayWindow> m_display;
    std::unique_ptr<ProgramTray> m_tray;
    std::unique_ptr<DisplayEngine> m_engine;
    std::unique_ptr<GlobalHotkeys> m_hotkeys;
    std::unique_ptr<GlobalHotkeyHooks> m_hotkeyHooks;
    std::unique_ptr<PlanMenu> m_planMenu;
    std::unique_ptr<QtStyleDialogs> m_styleDialogs;
    std::unique_ptr<ElementMenu> m_elementMenu;
};

} // namespace

std::unique_ptr<ProgramWindows> buildProgramWindows(AppContext& context, const DesktopWindowsFactory& windows)
{
    return std::make_unique<RunningProgram>(context, windows);
}

} // namespace orvalen
