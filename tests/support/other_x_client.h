#pragma once
#include <cstdlib>
#include <xcb/xcb.h>

namespace orvalen::test {

// A second X client on the tests' X server, holding keys as another program
// would. Its grabs end with it.
class OtherXClient {
public:
    OtherXClient() : m_c(xcb_connect(nullptr, nullptr))
    {
        if (!xcb_connection_has_error(m_c))
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }
    ~OtherXClient() { xcb_disconnect(m_c); }
    OtherXClient(const OtherXClient&) = delete;
    OtherXClient& operator=(const OtherXClient&) = delete;

    // Grabs the key that carries `keysym` unshifted, with exactly `mods`.
    bool grab(xcb_keysym_t keysym, uint16_t mods)
    {
        if (!m_root)
            return false;
        const xcb_setup_t* setup = xcb_get_setup(m_c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* map = xcb_get_keyboard_mapping_reply(m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, count), nullptr);
        if (!map)
            return false;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        xcb_keycode_t code = 0;
        for (int k = 0; k < count && !code; ++k) {
            if (syms[k * map->keysyms_per_keycode] == keysym)
                code = xcb_keycode_t(setup->min_keycode + k);
        }
        std::free(map);
        if (!code)
            return false;
        xcb_generic_error_t* e = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, m_root, mods, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool ok = !e;
        std::free(e);
        return ok;
    }

private:
    xcb_connection_t* m_c;
    xcb_window_t m_root = 0;
};

} // namespace orvalen::test
