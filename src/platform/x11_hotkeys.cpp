#include "platform/x11_hotkeys.h"

#include <QDebug>
#include <QGuiApplication>
#include <QMetaObject>

#include <X11/keysym.h>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace orvalen {
namespace {

constexpr uint8_t kBadAccess = 10;

// Replies and errors of xcb are malloc'ed and freed with free().
struct FreeXcb {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeXcb>;

// The server's keyboard map and the modifier bit of NumLock, read once for
// all the keys of a registration: both requests go out before either reply is
// awaited, so the reading waits on the server once.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* c)
    {
        const xcb_setup_t* setup = xcb_get_setup(c);
        m_first = setup->min_keycode;
        m_count = setup->max_keycode - setup->min_keycode + 1;
        const xcb_get_keyboard_mapping_cookie_t keys =
            xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(m_count));
        const xcb_get_modifier_mapping_cookie_t modifiers = xcb_get_modifier_mapping(c);
        xcb_generic_error_t* error = nullptr;
        m_keys.reset(xcb_get_keyboard_mapping_reply(c, keys, &error));
        logError("keyboard", XcbPtr<xcb_generic_error_t>(error));
        error = nullptr;
        const XcbPtr<xcb_get_modifier_mapping_reply_t> mods(xcb_get_modifier_mapping_reply(c, modifiers, &error));
        logError("modifier", XcbPtr<xcb_generic_error_t>(error));
        if (mods)
            m_numLock = numLockBit(*mods, keycodeOf(XK_Num_Lock));
    }

    // The key code of an X keysym, searched column by column like
    // XKeysymToKeycode, so the key that carries the keysym unshifted wins. 0
    // when no key carries it (or the map could not be read).
    xcb_keycode_t keycodeOf(xcb_keysym_t keysym) const
    {
        if (!m_keys)
            return 0;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(m_keys.get());
        const int per = m_keys->keysyms_per_keycode;
        const int total = xcb_get_keyboard_mapping_keysyms_length(m_keys.get());
        for (int column = 0; column < per; ++column) {
            for (int k = 0; k < m_count; ++k) {
                const int at = k * per + column;
                if (at < total && syms[at] == keysym)
                    return static_cast<xcb_keycode_t>(m_first + k);
            }
        }
        return 0;
    }

    // The modifier bit that NumLock sets (Mod2 on nearly every keyboard, and
    // Mod2 when the maps say nothing).
    uint16_t numLock() const { return m_numLock; }

private:
    static uint16_t numLockBit(const xcb_get_modifier_mapping_reply_t& mods, xcb_keycode_t numLock)
    {
        if (!numLock)
            return XCB_MOD_MASK_2;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(&mods);
        const int per = mods.keycodes_per_modifier;
        for (int mod = 0; mod < 8; ++mod) {
            for (int j = 0; j < per; ++j) {
                if (codes[mod * per + j] == numLock)
                    return static_cast<uint16_t>(1u << mod);
            }
        }
        return XCB_MOD_MASK_2;
    }
    static void logError(const char* map, const XcbPtr<xcb_generic_error_t>& error)
    {
        if (error)
            qWarning() << "Reading the X" << map << "map failed with X error" << error->error_code
                       << "; hotkeys that need it cannot be grabbed";
    }

    XcbPtr<xcb_get_keyboard_mapping_reply_t> m_keys;
    int m_first = 0;
    int m_count = 0;
    uint16_t m_numLock = XCB_MOD_MASK_2;
};

// The modifier states a hotkey is grabbed under: CapsLock and NumLock each
// off and on.
std::array<uint16_t, 4> lock_variants(unsigned numLock)
{
    return {0, uint16_t(XCB_MOD_MASK_LOCK), uint16_t(numLock), uint16_t(XCB_MOD_MASK_LOCK | numLock)};
}

// Sends the checked grabs of one key; their outcome is read later by
// check_grabs, together with those of the other keys.
QVector<xcb_void_cookie_t> send_grabs(xcb_connection_t* c, xcb_window_t root, unsigned modifiers,
                                      const QVector<unsigned>& keycodes, unsigned numLock)
{
    QVector<xcb_void_cookie_t> cookies;
    for (unsigned kc : keycodes) {
        for (uint16_t extra : lock_variants(numLock)) {
            cookies << xcb_grab_key_checked(c, 1, root, uint16_t(modifiers | extra), xcb_keycode_t(kc),
                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
    }
    return cookies;
}

// The outcome of one key's grabs. The first check of a registration asks the
// server to answer everything sent so far and waits for it; the checks after
// it read the same answer.
HotkeyBackend::Grab check_grabs(xcb_connection_t* c, const QVector<xcb_void_cookie_t>& cookies)
{
    HotkeyBackend::Grab outcome = HotkeyBackend::Grab::Done;
    for (const xcb_void_cookie_t& cookie : cookies) {
        const XcbPtr<xcb_generic_error_t> error{xcb_request_check(c, cookie)};
        if (!error || outcome != HotkeyBackend::Grab::Done)
            continue;
        if (error->error_code == kBadAccess) {
            outcome = HotkeyBackend::Grab::HeldElsewhere;
        } else {
            outcome = HotkeyBackend::Grab::Failed;
            qWarning() << "A hotkey grab failed with X error" << error->error_code;
        }
    }
    return outcome;
}

} // namespace

X11Hotkeys::X11Hotkeys(QObject* parent) : QObject(parent)
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11)
        m_connection = x11->connection();
    if (!m_connection) {
        const QString platform = QGuiApplication::platformName();
        m_unavailable = platform.startsWith(QLatin1String("wayland"))
            ? QStringLiteral("Wayland 桌面不允许程序注册全局热键")
            : QStringLiteral("没有 X11 显示连接（%1），无法注册全局热键").arg(platform.isEmpty() ? QStringLiteral("无图形界面") : platform);
        return;
    }
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    m_root = it.data ? it.data->root : 0;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Hotkeys::~X11Hotkeys()
{
    releaseAll();
    if (m_connection && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

QVector<unsigned> X11Hotkeys::keysymsForKeyCode(int keyCode)
{
    if (keyCode >= 65 && keyCode <= 90)
        return {unsigned(XK_a + (keyCode - 65))};
    if (keyCode >= 48 && keyCode <= 57)
        return {unsigned(XK_0 + (keyCode - 48))};
    if (keyCode >= 96 && keyCode <= 105)
        return {unsigned(XK_KP_0 + (keyCode - 96))};
    if (keyCode >= 112 && keyCode <= 123)
        return {unsigned(XK_F1 + (keyCode - 112))};
    if (keyCode == 13)
        return {unsigned(XK_Return), unsigned(XK_KP_Enter)};
    if (keyCode == 32)
        return {unsigned(XK_space)};
    return {};
}

unsigned X11Hotkeys::xModifiers(int modifiers)
{
    unsigned x = 0;
    if (modifiers & 1)
        x |= XCB_MOD_MASK_1;
    if (modifiers & 2)
        x |= XCB_MOD_MASK_CONTROL;
    if (modifiers & 4)
        x |= XCB_MOD_MASK_SHIFT;
    return x;
}

QVector<HotkeyBackend::Grab> X11Hotkeys::grabKeys(const QVector<Key>& keys)
{
    QVector<Grab> outcomes(keys.size(), Grab::Unavailable);
    if (!m_connection || keys.isEmpty())
        return outcomes;

    const KeyboardMap map(m_connection);
    QVector<Grabbed> wanted(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        forget(keys[i].id); // a number already grabbed is released first
        wanted[i].modifiers = xModifiers(keys[i].modifiers);
        wanted[i].numLock = map.numLock();
        for (unsigned keysym : keysymsForKeyCode(keys[i].keyCode)) {
            if (const xcb_keycode_t kc = map.keycodeOf(keysym); kc && !wanted[i].keycodes.contains(kc))
                wanted[i].keycodes << kc;
        }
    }

    // Every grab goes out before any is checked. One key combination belongs
    // to one hotkey number: a combination held already, or asked for by an
    // earlier key of this call, is HeldElsewhere without asking the server.
    QVector<QVector<xcb_void_cookie_t>> sent(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const Grabbed& g = wanted[i];
        const auto sharesWithThisKey = [&g](const Grabbed& other) { return other.sharesACombinationWith(g); };
        const bool held = std::any_of(m_grabbed.begin(), m_grabbed.end(),
                                      [&](const auto& grabbed) { return sharesWithThisKey(grabbed.second); })
            || std::any_of(wanted.begin(), wanted.begin() + i, sharesWithThisKey);
        if (g.keycodes.isEmpty())
            outcomes[i] = Grab::Failed;
        else if (held)
            outcomes[i] = Grab::HeldElsewhere;
        else
            sent[i] = send_grabs(m_connection, m_root, g.modifiers, g.keycodes, g.numLock);
    }
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (sent[i].isEmpty())
            continue;
        outcomes[i] = check_grabs(m_connection, sent[i]);
        if (outcomes[i] == Grab::Done)
            m_grabbed[keys[i].id] = wanted[i];
        else
            ungrab(wanted[i]); // only ever touches this program's own grabs
    }
    xcb_flush(m_connection);
    return outcomes;
}

void X11Hotkeys::ungrab(const Grabbed& g)
{
    for (unsigned kc : g.keycodes) {
        for (uint16_t extra : lock_variants(g.numLock))
            xcb_ungrab_key(m_connection, xcb_keycode_t(kc), m_root, uint16_t(g.modifiers | extra));
    }
}

void X11Hotkeys::forget(int id)
{
    const auto it = m_grabbed.find(id);
    if (it == m_grabbed.end())
        return;
    ungrab(it->second);
    m_grabbed.erase(it);
}

void X11Hotkeys::release(int id)
{
    if (!m_grabbed.count(id))
        return;
    forget(id);
    xcb_flush(m_connection);
}

void X11Hotkeys::releaseAll()
{
    if (m_grabbed.empty())
        return;
    for (const auto& [id, g] : m_grabbed)
        ungrab(g);
    m_grabbed.clear();
    xcb_flush(m_connection);
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_grabbed.empty() || eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    const unsigned held = key->state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4);
    for (const auto& [id, g] : m_grabbed) {
        if (g.modifiers == held && g.keycodes.contains(key->detail)) {
            // The commands may open dialogs or run pending events; they run
            // from the event loop, not from inside the xcb event dispatch.
            const int hotkey = id;
            QMetaObject::invokeMethod(
                this,
                [this, hotkey] {
                    if (m_grabbed.count(hotkey))
                        pressed(hotkey);
                },
                Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

} // namespace orvalen
