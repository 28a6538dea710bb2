#include "platform/x11_hotkeys.h"

#include <QGuiApplication>
#include <QMetaObject>

#include <X11/keysym.h>
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

// X keysym -> key code through the server's keyboard map, searched column by
// column like XKeysymToKeycode, so the key that carries the keysym
// unshifted wins. 0 when no key carries it.
xcb_keycode_t keycode_of(xcb_connection_t* c, xcb_keysym_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const XcbPtr<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr));
    if (!reply)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int per = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    xcb_keycode_t found = 0;
    for (int column = 0; column < per && !found; ++column) {
        for (int k = 0; k < count; ++k) {
            const int at = k * per + column;
            if (at < total && syms[at] == keysym) {
                found = static_cast<xcb_keycode_t>(first + k);
                break;
            }
        }
    }
    return found;
}

// The modifier bit that NumLock sets (Mod2 on nearly every keyboard).
uint16_t numlock_mask(xcb_connection_t* c)
{
    const xcb_keycode_t numlock = keycode_of(c, XK_Num_Lock);
    uint16_t mask = 0;
    if (numlock) {
        if (const XcbPtr<xcb_get_modifier_mapping_reply_t> reply{
                xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr)}) {
            const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
            const int per = reply->keycodes_per_modifier;
            for (int mod = 0; mod < 8 && !mask; ++mod) {
                for (int j = 0; j < per; ++j) {
                    if (codes[mod * per + j] == numlock) {
                        mask = static_cast<uint16_t>(1u << mod);
                        break;
                    }
                }
            }
        }
    }
    return mask ? mask : uint16_t(XCB_MOD_MASK_2);
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

QVector<unsigned> X11Hotkeys::lockVariants() const
{
    const unsigned num = numlock_mask(m_connection);
    return {0u, unsigned(XCB_MOD_MASK_LOCK), num, unsigned(XCB_MOD_MASK_LOCK) | num};
}

HotkeyBackend::Grab X11Hotkeys::grab(int id, int modifiers, int keyCode)
{
    if (!m_connection)
        return Grab::Unavailable;
    release(id);

    Grabbed wanted;
    wanted.modifiers = xModifiers(modifiers);
    for (unsigned keysym : keysymsForKeyCode(keyCode)) {
        if (const xcb_keycode_t kc = keycode_of(m_connection, keysym); kc && !wanted.keycodes.contains(kc))
            wanted.keycodes << kc;
    }
    if (wanted.keycodes.isEmpty())
        return Grab::Failed;

    // One key combination belongs to one hotkey number.
    for (const auto& [otherId, other] : m_grabbed) {
        if (other.modifiers != wanted.modifiers)
            continue;
        for (unsigned kc : wanted.keycodes) {
            if (other.keycodes.contains(kc))
                return Grab::HeldElsewhere;
        }
    }

    const QVector<unsigned> variants = lockVariants();
    Grab outcome = Grab::Done;
    QVector<xcb_void_cookie_t> cookies;
    for (unsigned kc : wanted.keycodes) {
        for (unsigned extra : variants) {
            cookies << xcb_grab_key_checked(m_connection, 1, m_root, uint16_t(wanted.modifiers | extra),
                                            xcb_keycode_t(kc), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
    }
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (const XcbPtr<xcb_generic_error_t> error{xcb_request_check(m_connection, cookie)}) {
            if (outcome == Grab::Done)
                outcome = error->error_code == kBadAccess ? Grab::HeldElsewhere : Grab::Failed;
        }
    }
    if (outcome != Grab::Done) {
        // Ungrabbing only ever touches this program's own grabs.
        ungrab(wanted);
        return outcome;
    }
    m_grabbed[id] = wanted;
    return Grab::Done;
}

void X11Hotkeys::ungrab(const Grabbed& g)
{
    if (!m_connection)
        return;
    const QVector<unsigned> variants = lockVariants();
    for (unsigned kc : g.keycodes) {
        for (unsigned extra : variants)
            xcb_ungrab_key(m_connection, xcb_keycode_t(kc), m_root, uint16_t(g.modifiers | extra));
    }
    xcb_flush(m_connection);
}

void X11Hotkeys::release(int id)
{
    const auto it = m_grabbed.find(id);
    if (it == m_grabbed.end())
        return;
    ungrab(it->second);
    m_grabbed.erase(it);
}

void X11Hotkeys::releaseAll()
{
    while (!m_grabbed.empty())
        release(m_grabbed.begin()->first);
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
