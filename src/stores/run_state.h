#pragma once
#include "stores/menu_state.h"
#include "stores/module_state.h"
#include "stores/run_controller.h"

namespace orvalen {

// The shared run state: the run controller, what the menus show beside it,
// and the run values.
struct HostState {
    bool prepare_only = false;            // the next set-up only prepares the display, starts no run
    RunRecord run_record;

    // The run state; its changes redraw the menus and the buttons.
    RunController run;
    // The menus' marks, hotkey texts and plan item.
    MenuState menus;
};

} // namespace orvalen
