#pragma once
#include "startup/open_windows.h"

#include <memory>

namespace orvalen {

struct AppContext;

// Builds the whole running program on top of the start-up's context: the
// shared run state, the sound player (Qt Multimedia) when the context has
// none, the menu host (loaded, hidden), the display window (loaded and
// shown), the run commands, the count engine, the long-term tick, the
// delayed restart, the network time calibration and the global hotkeys, with
// every timer handler wired. The returned object owns all of it; main keeps
// it until the program ends.
std::unique_ptr<ProgramWindows> build_program_windows(AppContext& context);

} // namespace orvalen
