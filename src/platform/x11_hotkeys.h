#pragma once
#include "platform/hotkey_backend.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QVector>
#include <map>

struct xcb_connection_t;

namespace orvalen {

// Global hotkeys on X11: each hotkey is a passive key grab on the root window,
// made through Qt's own xcb connection once for each state of CapsLock and
// NumLock, so that the locks never hide a press. A grab refused with
// BadAccess means another program holds the key. The keys of one call are
// looked up in one reading of the keyboard and modifier maps, and their grabs
// are all sent before any is checked, so a registration waits on the server
// twice whatever its size. Presses arrive through a native event filter and
// are handed on from the event loop, never from inside the filter. Without an
// X11 connection (Wayland, offscreen) every grab answers Unavailable with the
// reason.
class X11Hotkeys final : public QObject, public HotkeyBackend, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11Hotkeys(QObject* parent = nullptr);
    ~X11Hotkeys() override;

    QVector<Grab> grabKeys(const QVector<Key>& keys) override;
    void release(int id) override;
    void releaseAll() override;
    QString unavailableReason() const override { return m_unavailable; }

    // The X keysyms a key code of the hotkey table stands for (keypad digits
    // are the KP_ digit keysyms, whose keys also carry KP_Insert..KP_Prior;
    // Enter is both Return keys). Empty for a code outside the table.
    static QVector<unsigned> keysymsForKeyCode(int keyCode);
    // X modifier bits of a mask: Alt Mod1, Ctrl Control, Shift Shift.
    static unsigned xModifiers(int modifiers);

private:
    struct Grabbed {
        unsigned modifiers = 0;     // X modifier bits
        QVector<unsigned> keycodes; // X key codes
        unsigned numLock = 0;       // the NumLock bit the grabs were made with
        bool sharesACombinationWith(const Grabbed& other) const
        {
            if (other.modifiers != modifiers)
                return false;
            for (unsigned kc : keycodes) {
                if (other.keycodes.contains(kc))
                    return true;
            }
            return false;
        }
    };
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void ungrab(const Grabbed& g);
    void forget(int id);

    xcb_connection_t* m_connection = nullptr;
    unsigned m_root = 0;
    QString m_unavailable;
    std::map<int, Grabbed> m_grabbed;
};

} // namespace orvalen
