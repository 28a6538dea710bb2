#pragma once
#include "state/menu_state.h"
#include "state/run_controller.h"

namespace orvalen {

// The shared run state: the run controller and what the menus show beside it.
struct HostState {
    // The run state; its changes redraw the menus and the buttons.
    RunController run;
    // The menus' marks, hotkey texts and plan item.
    MenuState menus;
};

} // namespace orvalen
