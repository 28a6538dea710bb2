#include "menus/program_windows.h"

#include "display/display_window.h"
#include "menus/menu_host.h"
#include "platform/system_clock_setter.h"
#include "platform/x11_hotkeys.h"
#include "services/app_context.h"
#include "services/help_links.h"
#include "services/network_probes.h"
#include "services/qt_sound_backend.h"
#include "services/sound_player.h"
#include "stores/run_state.h"
#include "timing/calibrated_clock.h"
#include "timing/clock_calibration.h"
#include "timing/count_engine.h"
#include "timing/date_tick.h"
#include "timing/delayed_restart.h"
#include "timing/global_hotkeys.h"
#include "timing/long_term_texts.h"
#include "timing/run_commands.h"

#include <QDebug>
#include <exception>

namespace orvalen {
namespace {

// Runs a timer handler so that nothing it throws leaves the event loop.
void guarded(const char* name, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        qWarning("%s: %s", name, e.what());
    } catch (...) {
        qWarning("%s: unexpected error", name);
    }
}

class HotkeysAdapter final : public HotkeyHooks {
public:
    explicit HotkeysAdapter(GlobalHotkeys& hotkeys) : m_hotkeys(hotkeys) {}
    void Hotkey_set() override { m_hotkeys.Hotkey_set(); }
    void hotkey_del() override { m_hotkeys.hotkey_del(); }

private:
    GlobalHotkeys& m_hotkeys;
};

// The windows of the desktop menu that exist so far: the help file. The
// settings, background, statistics and about windows come later.
class BuiltWindows final : public WindowHooks {
public:
    explicit BuiltWindows(AppContext& ctx) : m_ctx(ctx) {}
    void openHelp() override
    {
        if (m_ctx.notifier)
            open_help_file(m_ctx.folder, m_launcher, *m_ctx.notifier);
    }

private:
    AppContext& m_ctx;
    SystemLauncher m_launcher;
};

class RunningProgram final : public ProgramWindows {
public:
    explicit RunningProgram(AppContext& ctx)
        : m_ctx(ctx),
          m_calibratedClock(*ctx.clock),
          m_probes(*ctx.timers),
          m_windows(ctx)
    {
        if (!m_ctx.sound) {
            m_soundBackend = std::make_unique<QtSoundBackend>();
            m_sound = std::make_unique<SoundPlayer>(*m_soundBackend);
            m_ctx.sound = m_sound.get();
        }
        m_menuHost = std::make_unique<MenuHost>(m_ctx, m_host, m_module);
        m_display = std::make_unique<DisplayWindow>(m_ctx, m_host, m_module, *m_menuHost);
        m_commands = std::make_unique<RunCommands>(*m_display);
        m_engine = std::make_unique<CountEngine>(*m_display, *m_commands);
        m_dateTick = std::make_unique<DateTick>(*m_display, *m_commands, m_calibratedClock, m_targets);
        m_delay = std::make_unique<DelayedRestart>(*m_display, *m_commands);
        m_calibration = std::make_unique<ClockCalibration>(m_host, *m_display->Timer12, m_probes, m_clockSetter,
                                                           m_calibratedClock, default_time_portals());
        m_hotkeys = std::make_unique<GlobalHotkeys>(m_ctx, m_host, *m_commands, m_hotkeyBackend);
        m_hotkeyHooks = std::make_unique<HotkeysAdapter>(*m_hotkeys);

        DisplayWindow& d = *m_display;
        d.Timer10->setHandler([this] { guarded("Timer10", [this] { m_dateTick->Timer10_Timer(); }); });
        d.Timer11->setHandler([this] { guarded("Timer11", [this] { m_delay->Timer11_Timer(); }); });
        d.Timer12->setHandler([this] { guarded("Timer12", [this] { m_calibration->tick(); }); });

        MenuHooks hooks;
        hooks.hotkeys = m_hotkeyHooks.get();
        hooks.windows = &m_windows;
        m_menuHost->setHooks(hooks);
        m_menuHost->setDisplay(m_display.get());
        m_menuHost->setRunCommands(m_commands.get());

        // The menu host loads first, then the display loads and shows itself.
        m_menuHost->load();
        m_display->load();
    }

    ~RunningProgram() override
    {
        // The handlers point into the objects below: take them off first.
        if (m_display) {
            for (auto* t : {&m_display->Timer10, &m_display->Timer11, &m_display->Timer12})
                if (*t) {
                    (*t)->setEnabled(false);
                    (*t)->setHandler({});
                }
        }
        m_hotkeys.reset();
        m_calibration.reset();
        m_delay.reset();
        m_dateTick.reset();
        m_engine.reset();
        m_commands.reset();
        m_display.reset();
        m_menuHost.reset();
        if (m_sound && m_ctx.sound == m_sound.get())
            m_ctx.sound = nullptr;
    }

private:
    AppContext& m_ctx;
    HostState m_host;
    ModuleState m_module;
    CalibratedClock m_calibratedClock;
    QtNetworkProbes m_probes;
    LinuxSystemClockSetter m_clockSetter;
    LongTermTargetReader m_targets;
    X11Hotkeys m_hotkeyBackend;
    BuiltWindows m_windows;
    std::unique_ptr<QtSoundBackend> m_soundBackend;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<MenuHost> m_menuHost;
    std::unique_ptr<DisplayWindow> m_display;
    std::unique_ptr<RunCommands> m_commands;
    std::unique_ptr<CountEngine> m_engine;
    std::unique_ptr<DateTick> m_dateTick;
    std::unique_ptr<DelayedRestart> m_delay;
    std::unique_ptr<ClockCalibration> m_calibration;
    std::unique_ptr<GlobalHotkeys> m_hotkeys;
    std::unique_ptr<HotkeysAdapter> m_hotkeyHooks;
};

} // namespace

std::unique_ptr<ProgramWindows> build_program_windows(AppContext& context)
{
    return std::make_unique<RunningProgram>(context);
}

} // namespace orvalen
