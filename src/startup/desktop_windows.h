#pragma once
#include "menus/menu_hooks.h"

#include <memory>

namespace orvalen {

struct AppContext;
class DisplayWindow;

// The background, statistics and about windows of the desktop menu, each
// opened modal over the display window and gone when closed.
std::unique_ptr<WindowHooks> make_desktop_windows(AppContext& context, DisplayWindow& display);

} // namespace orvalen
