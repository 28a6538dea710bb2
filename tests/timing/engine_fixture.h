#pragma once
#include "display/display_window.h"
#include "display/clock_panel.h"
#include "display/panel.h"
#include "menus/menu_host.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "support/quiet_display_host.h"
#include "support/recording_sound.h"
#include "support/temp_program.h"
#include "support/test_screen.h"
#include "support/date_server.h"
#include "timing/count_engine.h"
#include "timing/display_engine.h"
#include "timing/fake_count_view.h"
#include "timing/run_commands.h"

#include "platform/system_clock_setter.h"
#include "deferred/qt_network_probes.h"
#include "state/run_controller.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>
#include <array>
#include <functional>
#include <memory>

namespace orvalen::test {

// The display host as the running program wires it for the engine: the
// display's load makes the run ready through the run commands.
class ReadyingDisplayHost final : public DisplayHost {
public:
    template <class Commands>
    explicit ReadyingDisplayHost(Commands*& commands)
        : m_showReady([&commands] { if (commands) commands->showReady(); }),
          m_stopRun([&commands] { if (commands) commands->stopTiming(); })
    {
    }
    void runDesktopItem(DesktopItem) override {}
    void showReady() override { m_showReady(); }
    void popupDesktopMenu(const QPoint&) override {}
    void popupElementMenu(const QPoint&, DisplayElement, const ElementMenuItems&) override {}
    void stopRunOnClose() override { m_stopRun(); }
    void registerHotkeys() override {}
    void releaseHotkeys() override {}

private:
    std::function<void()> m_showReady;
    std::function<void()> m_stopRun;
};

// The run commands, counting how often a run record is asked for.
class CountingRunCommands final : public RunCommands {
public:
    using RunCommands::RunCommands;
    void recordRun() override
    {
        ++records;
        RunCommands::recordRun();
    }
    int records = 0;
};

// Records the instants; never touches the real clock.
class FakeClockSetter final : public SystemClockSetter {
public:
    bool maySetClock(QString* why) override
    {
        if (!allowed && why)
            *why = QStringLiteral("not allowed here");
        return allowed;
    }
    bool setClock(const QDateTime& utc) override
    {
        instants.push_back(utc);
        return !refuse;
    }
    bool allowed = false;
    bool refuse = false;
    std::vector<QDateTime> instants;
};

// A display window (or a view without widgets) with its engine, as the program wires them (the run
// commands, the count engine, the long-term display and the delayed
// restart), driven by the fake clock and timers of a temporary program
// folder on a 1920 x 1080 screen. The network time asks two web servers on
// 127.0.0.1. The clock starts at 09:00:00.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"alarm.wav", "Timeout.wav", "Stop.wav"})
            program.writeFile(QStringLiteral("sounds/") + QLatin1String(file), QByteArray("RIFF"));
        program.context.setSound(sound);
    }

    void TearDown() override
    {
        engine.reset();
        window.reset();
    }

    // Stores the plan, loads the display with it and makes the engine.
    DisplayWindow& open(const ClockPlan& plan, const QString& clockSource = QStringLiteral("0"))
    {
        build(plan, clockSource);
        return load();
    }

    // Stores the plan and makes the window on the test screen with its
    // engine, not loaded yet.
    void build(const ClockPlan& plan, const QString& clockSource)
    {
        host.run.runStateWriter().useClockSource(clockSource.toInt());
        savePlan(program.registry, plan);
        window = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
        putOnTestScreen(*window);
        makeEngine(window->countView());
    }

    // The engine alone, on a view without widgets, with `plan` as the
    // current plan.
    void openWithoutWidgets(const ClockPlan& plan)
    {
        currentPlan.replace(plan);
        makeEngine(view);
    }

    void makeEngine(CountView& shown)
    {
        EngineLinks links;
        links.probes = &probes;
        links.setter = &setter;
        links.portals = {portals[0].url(), portals[1].url()};
        links.makeCommands = [](const EngineContext& e) { return std::make_unique<CountingRunCommands>(e); };
        engine = std::make_unique<DisplayEngine>(program.context, host, currentPlan, shown, links);
        commands = static_cast<CountingRunCommands*>(&engine->commands());
        counts = &engine->counts();
        menuHost = std::make_unique<MenuHost>(program.context, host, currentPlan, *commands);
    }

    // Loads the display; the sounds of the load are dropped.
    DisplayWindow& load()
    {
        loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
        window->load();
        engine->displayLoaded();
        backend.take();
        return *window;
    }
    ClockPlan defaultPlan() const { return ClockPlan::defaults(program.clock.now().date()); }

    // The start command, and its set-up (queued, so it runs with no time
    // passing).
    void start()
    {
        commands->startTiming();
        advance(0);
    }
    void advance(qint64 ms) { program.timers.advance(ms); }
    QString clock() const { return elementText(DisplayElement::Clock); }
    QString elementText(DisplayElement e) const { return window->elementView().elementText(e); }
    // The window's widgets by their object names.
    QLabel* windowLabel(const QString& name) const { return window->findChild<QLabel*>(name); }
    QPushButton* windowButton(const QString& name) const { return window->findChild<QPushButton*>(name); }
    Panel* windowPanel(const QString& name) const { return window->findChild<Panel*>(name); }
    // A desktop menu item as the menu host shows it.
    QAction* item(DesktopItem i) const { return menuHost->action(i); }
    EngineTimers& ticks() { return engine->timers(); }
    CountSession& session() { return engine->session(); }

    TempProgram program;
    RecordingSoundBackend backend;
    SoundPlayer sound{backend};
    HostState host;
    CurrentPlan currentPlan;
    ReadyingDisplayHost displayHost{commands};
    std::array<DateServer, 2> portals;
    QtNetworkProbes probes{program.timers};
    FakeClockSetter setter;
    FakeCountView view;
    std::unique_ptr<DisplayWindow> window;
    std::unique_ptr<DisplayEngine> engine;
    CountingRunCommands* commands = nullptr;
    CountEngine* counts = nullptr;
    std::unique_ptr<MenuHost> menuHost;
};

} // namespace orvalen::test
