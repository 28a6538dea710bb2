#pragma once
#include "menus/menu_hooks.h"
#include "timing/global_hotkeys.h"

namespace orvalen {

// Hands the menu host's hotkey calls to the display window's global hotkeys.
class GlobalHotkeyHooks final : public HotkeyHooks {
public:
    explicit GlobalHotkeyHooks(GlobalHotkeys& hotkeys) : m_hotkeys(hotkeys) {}
    void registerHotkeys() override { m_hotkeys.registerHotkeys(); }
    void releaseHotkeys() override { m_hotkeys.releaseHotkeys(); }

private:
    GlobalHotkeys& m_hotkeys;
};

} // namespace orvalen
