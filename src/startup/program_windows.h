#pragma once
#include "startup/open_windows.h"

#include <functional>
#include <memory>

namespace orvalen {

struct AppContext;
class CurrentPlan;
class DisplayWindow;
class GlobalHotkeys;
class HotkeyHooks;
class PlanMenuHooks;
class PlanRepository;
class RunCommands;
class WindowHooks;

// The parts of the running program that the windows above the menus work with.
struct ProgramParts {
    AppContext& context;
    CurrentPlan& currentPlan;
    DisplayWindow& display;
    RunCommands& commands;
    GlobalHotkeys& hotkeys;
    HotkeyHooks& hotkeyHooks;
    PlanMenuHooks& plans;
    PlanRepository& savedPlans;
};

// Makes the windows that sit above the menus.
using DesktopWindowsFactory = std::function<std::unique_ptr<WindowHooks>(const ProgramParts&)>;

// Builds the whole running program on top of the start-up's context: the
// shared run state, the sound player (the deferred module), the menu
// host (loaded, hidden), the display window (loaded and
// shown), the run commands, the count engine, the long-term tick, the
// delayed restart, the network time calibration and the global hotkeys, with
// every timer handler wired. The returned object owns all of it; main keeps
// it until the program ends.
// The desktop menu's settings, background, statistics and about windows come from
// `windows`; without it those items do nothing.
std::unique_ptr<ProgramWindows> buildProgramWindows(AppContext& context, const DesktopWindowsFactory& windows = {});

} // namespace orvalen
