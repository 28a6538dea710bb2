#include "platform/x11_hotkeys.h"
#include "support/wait_until.h"
#include "support/xdotool.h"

#include <QVector>
#include <X11/keysym.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

constexpr int kAlt = 1, kCtrl = 2, kShift = 4;

struct X11HotkeysTest : ::testing::Test {
    X11Hotkeys hotkeys;
    QVector<int> presses;
    void SetUp() override
    {
        ASSERT_TRUE(hotkeys.unavailableReason().isEmpty()) << "needs an X server";
        hotkeys.onPressed = [this](int id) { presses << id; };
    }
};

// A second X client, holding keys as another program would.
class OtherProgram {
public:
    OtherProgram() : m_c(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }
    ~OtherProgram() { xcb_disconnect(m_c); }
    bool grab(xcb_keysym_t keysym, uint16_t mods)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* map = xcb_get_keyboard_mapping_reply(m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, count), nullptr);
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        xcb_keycode_t code = 0;
        for (int k = 0; k < count && !code; ++k) {
            if (syms[k * map->keysyms_per_keycode] == keysym)
                code = xcb_keycode_t(setup->min_keycode + k);
        }
        std::free(map);
        xcb_generic_error_t* e = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, m_root, mods, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(e);
        return code && !e;
    }

private:
    xcb_connection_t* m_c;
    xcb_window_t m_root;
};

} // namespace

TEST_F(X11HotkeysTest, grabbedKey_pressElsewhere_reportsItsNumberOnce)
{
    ASSERT_EQ(hotkeys.grab(1, kCtrl | kAlt, 'S'), HotkeyBackend::Grab::Done);
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+s"}));
    ASSERT_TRUE(wait_until([&] { return !presses.isEmpty(); }));
    drain_events();
    EXPECT_EQ(presses, QVector<int>{1});
}

TEST_F(X11HotkeysTest, capsLockOn_hotkeyStillArrives_andOtherModifiersDoNot)
{
    ASSERT_EQ(hotkeys.grab(3, kCtrl, 112 /*F1*/), HotkeyBackend::Grab::Done);
    ASSERT_TRUE(xdotool({"key", "Caps_Lock"}));
    ASSERT_TRUE(xdotool({"key", "ctrl+F1"}));
    const bool arrived = wait_until([&] { return !presses.isEmpty(); });
    xdotool({"key", "Caps_Lock"});
    EXPECT_TRUE(arrived);
    presses.clear();
    ASSERT_TRUE(xdotool({"key", "ctrl+shift+F1"}));
    drain_events();
    EXPECT_TRUE(presses.isEmpty());
}

TEST_F(X11HotkeysTest, keypadDigit_worksWithNumLockOnAndOff)
{
    ASSERT_EQ(hotkeys.grab(7, kCtrl | kAlt, 99 /*Num 3*/), HotkeyBackend::Grab::Done);
    // NumLock off: the key reads KP_Next.
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+KP_Next"}));
    ASSERT_TRUE(wait_until([&] { return presses.size() == 1; }));
    ASSERT_TRUE(xdotool({"key", "Num_Lock"}));
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+KP_Next"}));
    const bool arrived = wait_until([&] { return presses.size() == 2; });
    xdotool({"key", "Num_Lock"});
    EXPECT_TRUE(arrived);
    EXPECT_EQ(presses, (QVector<int>{7, 7}));
}

TEST_F(X11HotkeysTest, released_pressGoesNowhere_andKeyCanBeGrabbedAgain)
{
    ASSERT_EQ(hotkeys.grab(2, kCtrl | kAlt, 'D'), HotkeyBackend::Grab::Done);
    hotkeys.release(2);
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+d"}));
    drain_events();
    EXPECT_TRUE(presses.isEmpty());
    // Grabbing the same number twice replaces the first grab.
    EXPECT_EQ(hotkeys.grab(2, kCtrl | kAlt, 'D'), HotkeyBackend::Grab::Done);
    EXPECT_EQ(hotkeys.grab(2, kCtrl | kAlt, 'D'), HotkeyBackend::Grab::Done);
}

TEST_F(X11HotkeysTest, keyHeldByAnotherProgram_isRefused)
{
    OtherProgram other;
    ASSERT_TRUE(other.grab(XK_k, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    EXPECT_EQ(hotkeys.grab(1, kCtrl | kAlt, 'K'), HotkeyBackend::Grab::HeldElsewhere);
    // A key under another combination is still free.
    EXPECT_EQ(hotkeys.grab(2, kShift | kAlt, 'K'), HotkeyBackend::Grab::Done);
}

TEST_F(X11HotkeysTest, sameCombinationForTwoNumbers_secondIsRefused)
{
    ASSERT_EQ(hotkeys.grab(1, kCtrl, 'Q'), HotkeyBackend::Grab::Done);
    EXPECT_EQ(hotkeys.grab(2, kCtrl, 'Q'), HotkeyBackend::Grab::HeldElsewhere);
}

TEST_F(X11HotkeysTest, keyOutsideTheTable_fails)
{
    EXPECT_EQ(hotkeys.grab(1, kCtrl, 7), HotkeyBackend::Grab::Failed);
}
