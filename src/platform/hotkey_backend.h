#pragma once
#include <QString>
#include <QVector>
#include <functional>

namespace orvalen {

// System-wide hotkeys as the program sees them: a numbered hotkey is a
// modifier mask (Alt 1, Ctrl 2, Shift 4) and a key code (see hotkey_keys.h); a
// press anywhere on the desktop calls onPressed with its number. The program
// uses X11Hotkeys; tests use a fake.
class HotkeyBackend {
public:
    enum class Grab {
        Done,
        HeldElsewhere,  // another program holds the key (or this one, under another number)
        Unavailable,    // no global hotkeys at all here (no X11 connection); see reason()
        Failed,         // the key cannot be grabbed on this keyboard
    };
    struct Key {
        int id = 0;
        int modifiers = 0;
        int keyCode = 0;
    };

    virtual ~HotkeyBackend() = default;
    // Grabs the keys of one registration together (their numbers distinct)
    // and answers one outcome per key, in their order. A number that is
    // already grabbed is released first, and a combination an earlier key
    // asked for is HeldElsewhere for a later one.
    virtual QVector<Grab> grabKeys(const QVector<Key>& keys) = 0;
    virtual void release(int id) = 0;
    virtual void releaseAll() = 0;
    // Why grabbing answers Unavailable (empty while hotkeys work).
    virtual QString unavailableReason() const = 0;

    // Grabs a single key.
    Grab grab(int id, int modifiers, int keyCode) { return grabKeys({{id, modifiers, keyCode}}).first(); }

    std::function<void(int id)> onPressed;

protected:
    void pressed(int id) const
    {
        if (onPressed)
            onPressed(id);
    }
};

} // namespace orvalen
