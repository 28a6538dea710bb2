#pragma once
#include "display/display_window.h"
#include "services/file_dialog.h"
#include "settings/settings_window.h"
#include "stores/plan_store.h"
#include "stores/run_state.h"
#include "support/quiet_display_host.h"
#include "support/temp_program.h"
#include "timing/run_commands.h"

#include <gtest/gtest.h>
#include <memory>

namespace orvalen::test {

// Answers the file dialog with a fixed path (empty = cancelled) and keeps
// the last request.
class FixedFileChooser final : public FileChooser {
public:
    QString choose(const FileDialogRequest& request) override
    {
        last = request;
        return answer;
    }
    QString answer;
    FileDialogRequest last;
};

// A display window (not shown) and a settings window over it, opened on a
// stored plan.
class SettingsTest : public ::testing::Test {
protected:
    ClockPlan defaultPlan() const { return ClockPlan::defaults(program.clock.now().date()); }

    SettingsWindow& open(const ClockPlan& plan)
    {
        save_plan(program.registry, plan);
        return open();
    }
    SettingsWindow& open()
    {
        if (!display) {
            display = std::make_unique<DisplayWindow>(program.context, host, module, displayHost);
            ScreenMetrics m;
            m.fullWidthPx = m.screenWidthPx = 1280;
            m.fullHeightPx = 720;
            display->setScreenMetrics(m);
            commands = std::make_unique<RunCommands>(EngineContext{program.context, host, module, *display, timers});
        }
        settings.reset();
        SettingsLinks links;
        links.files = &files;
        links.chooseColour = [this] { return colour; };
        links.showReady = [this] { ++readyShown; };
        links.commands = commands.get();
        settings = std::make_unique<SettingsWindow>(*display, links);
        settings->fillFontLists();
        return *settings;
    }
    ClockPlan storedPlan()
    {
        ClockPlan p;
        load_plan(program.registry, p, program.clock.now().date());
        return p;
    }

    TempProgram program;
    HostState host;
    ModuleState module;
    QuietDisplayHost displayHost;
    FixedFileChooser files;
    QColor colour;
    int readyShown = 0;
    EngineTimers timers{program.timers};
    std::unique_ptr<DisplayWindow> display;
    ElementView& view() { return *display; }
    std::unique_ptr<RunCommands> commands;
    std::unique_ptr<SettingsWindow> settings;
};

} // namespace orvalen::test
