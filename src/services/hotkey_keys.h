#pragma once
#include <QString>

namespace orvalen {

class IniStore;

// Hotkeys are stored and shown as text: modifier names and a key name joined
// by "+", e.g. "Ctrl+Alt+F5" or "Shift+Num 3"; "无" means no hotkey. The
// program's own numbers for them: modifier mask Alt 1, Ctrl 2, Shift 4, and
// the key codes A-Z 65-90, 0-9 48-57, Num 0-9 96-105, F1-F12 112-123,
// Enter 13, Space 32. Names match exactly, letter case included.

constexpr int kModAlt = 1;
constexpr int kModCtrl = 2;
constexpr int kModShift = 4;

// The mask of the modifier part (every "+"-part but the last, joined again):
// one of "", "Alt", "Ctrl", "Ctrl+Alt", "Shift", "Shift+Alt", "Shift+Ctrl",
// "Shift+Ctrl+Alt"; any other text gives 0.
int hotkeyModifiers(const QString& text);
// The key code of the last "+"-part; 0 for a name outside the table (the
// empty text and "无" included).
int hotkeyKeyCode(const QString& text);
// The name of a key code; the empty text for a code outside the table.
QString hotkeyKeyName(int code);

// A hotkey text taken apart for registration.
struct HotkeyText {
    enum class Kind {
        None,     // "无" or nothing: no hotkey wanted
        Valid,    // a known modifier part (or none) and a known key
        Invalid,  // anything else: never registered (an unknown modifier part
                  // would otherwise grab the bare key of the whole desktop)
    };
    Kind kind = Kind::None;
    int modifiers = 0;
    int keyCode = 0;
};
// Trims the text first. The empty text and "无" are None.
HotkeyText parseHotkeyText(const QString& text);

// Readers of section Hotkey of TimeData.db; each reads only when the file
// exists and answers 0 / false / "" otherwise.
// 1 when key opentogetherstop (default "0") has a non-zero numeric value:
// the start hotkey and the stop hotkey then both toggle start/stop.
short startKeyAlsoStops(const IniStore& ini);
// Key often (default "00"): true when the numeric values of its first two
// characters add up to more than 0.
bool planHotkeysEnabled(const IniStore& ini);
// Key often: "Ctrl+", "Alt+" or "Ctrl+Alt+" from a first / second digit of
// exactly 1; otherwise "".
QString planHotkeyPrefix(const IniStore& ini);

} // namespace orvalen
