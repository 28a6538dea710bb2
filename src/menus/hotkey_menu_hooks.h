#pragma once
#include "menus/menu_hooks.h"
#include "timing/global_hotkeys.h"

namespace orvalen {

// Hands the menu host's hotkey calls to the display window's global hotkeys.
class GlobalHotkeyHooks final : public HotkeyHooks {
public:
    explicit GlobalHotkeyHooks(GlobalHotkeys& hotkeys) : m_hotkeys(hotkeys) {}
    void Hotkey_set() override { m_hotkeys.Hotkey_set(); }
    void hotkey_del() override { m_hotkeys.hotkey_del(); }

private:
    GlobalHotkeys& m_hotkeys;
};

} // namespace orvalen
