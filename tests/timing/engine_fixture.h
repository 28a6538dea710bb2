#pragma once
#include "display/display_window.h"
#include "display/panel.h"
#include "stores/plan_store.h"
#include "stores/run_state.h"
#include "support/quiet_display_host.h"
#include "support/recording_sound.h"
#include "support/temp_program.h"
#include "timing/count_engine.h"
#include "timing/delayed_restart.h"
#include "timing/run_commands.h"

#include <gtest/gtest.h>
#include <memory>

namespace orvalen::test {

// The run commands, counting how often a run record is asked for.
class CountingRunCommands final : public RunCommands {
public:
    using RunCommands::RunCommands;
    void record_run() override
    {
        ++records;
        RunCommands::record_run();
    }
    int records = 0;
};

// A display window with the count engine, the run commands and the delayed
// restart, driven by the fake clock and timers of a temporary program folder
// on a 1920 x 1080 screen. The clock starts at 09:00:00.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"alarm.wav", "Timeout.wav", "Stop.wav"})
            program.writeFile(QStringLiteral("sounds/") + QLatin1String(file), QByteArray("RIFF"));
        program.context.sound = &sound;
    }

    // Stores the plan, loads the display with it and makes the engine.
    DisplayWindow& open(const ClockPlan& plan, const QString& clockSource = QStringLiteral("0"))
    {
        build(plan, clockSource);
        delay = std::make_unique<DelayedRestart>(*window, *commands);
        window->restartTick->setHandler([this] { delay->advanceRestart(); });
        return load();
    }

    // Stores the plan and makes the window on the test screen with its run
    // commands and count engine, not loaded yet.
    void build(const ClockPlan& plan, const QString& clockSource)
    {
        host.run.setClockSource(clockSource.toInt());
        save_plan(program.registry, plan);
        window = std::make_unique<DisplayWindow>(program.context, host, module, displayHost);
        ScreenMetrics m;
        m.tppX = m.tppY = 15;
        m.fullWidthPx = 1920;
        m.fullHeightPx = 1080;
        m.screenWidthPx = 1920;
        window->setScreenMetrics(m);
        commands = std::make_unique<CountingRunCommands>(*window);
        engine = std::make_unique<CountEngine>(*window, *commands);
    }

    // Loads the display; the sounds of the load are dropped.
    DisplayWindow& load()
    {
        window->load();
        backend.take();
        return *window;
    }
    ClockPlan defaultPlan() const { return ClockPlan::defaults(program.clock.now().date()); }

    // The start command, and its set-up (queued, so it runs with no time
    // passing).
    void start()
    {
        commands->start_timing();
        advance(0);
    }
    void advance(qint64 ms) { program.timers.advance(ms); }
    QString clock() const { return window->clockText->text(); }
    const MenuItemState& item(int i) const { return host.desktop[i]; }

    TempProgram program;
    RecordingSoundBackend backend;
    SoundPlayer sound{backend};
    HostState host;
    ModuleState module;
    QuietDisplayHost displayHost;
    std::unique_ptr<DisplayWindow> window;
    std::unique_ptr<CountingRunCommands> commands;
    std::unique_ptr<CountEngine> engine;
    std::unique_ptr<DelayedRestart> delay;
};

} // namespace orvalen::test
