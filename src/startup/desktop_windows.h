#pragma once
#include "menus/menu_hooks.h"

#include <memory>

namespace orvalen {

struct ProgramParts;

// The settings (with its saved-plan panel), background, statistics and about
// windows of the desktop menu, each opened modal over the display window and
// gone when closed.
std::unique_ptr<WindowHooks> makeDesktopWindows(const ProgramParts& parts);

} // namespace orvalen
