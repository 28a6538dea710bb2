#include "platform/x11_hotkeys.h"
#include "support/other_x_client.h"
#include "support/wait_until.h"
#include "support/xdotool.h"

#include <QVector>
#include <X11/keysym.h>
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
    // Presses a grabbed marker key and waits for it. The X server sends
    // events in order, so every press before the marker has then arrived.
    // The marker's own press is not kept.
    bool markerArrived()
    {
        constexpr int kMarker = 99;
        if (hotkeys.grab(kMarker, kCtrl | kAlt, 'M') != HotkeyBackend::Grab::Done || !xdotool({"key", "ctrl+alt+m"}))
            return false;
        const bool arrived = wait_until([&] { return presses.contains(kMarker); });
        presses.removeAll(kMarker);
        hotkeys.release(kMarker);
        return arrived;
    }
};

} // namespace

TEST_F(X11HotkeysTest, grabbedKey_pressElsewhere_reportsItsNumberOnce)
{
    ASSERT_EQ(hotkeys.grab(1, kCtrl | kAlt, 'S'), HotkeyBackend::Grab::Done);
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+s"}));
    ASSERT_TRUE(wait_until([&] { return !presses.isEmpty(); }));
    ASSERT_TRUE(markerArrived());
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
    ASSERT_TRUE(markerArrived());
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
    ASSERT_TRUE(markerArrived());
    EXPECT_TRUE(presses.isEmpty());
    // Grabbing the same number twice replaces the first grab.
    EXPECT_EQ(hotkeys.grab(2, kCtrl | kAlt, 'D'), HotkeyBackend::Grab::Done);
    EXPECT_EQ(hotkeys.grab(2, kCtrl | kAlt, 'D'), HotkeyBackend::Grab::Done);
}

TEST_F(X11HotkeysTest, keyHeldByAnotherProgram_isRefused)
{
    test::OtherXClient other;
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

TEST_F(X11HotkeysTest, severalKeysAtOnce_eachGetsItsOwnOutcome)
{
    using G = HotkeyBackend::Grab;
    test::OtherXClient other;
    ASSERT_TRUE(other.grab(XK_k, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    constexpr int kCA = kCtrl | kAlt;
    // K is held by the other client; J comes twice, under two numbers.
    const QVector<G> outcomes = hotkeys.grabKeys({{1, kCA, 'J'}, {2, kCA, 'K'}, {3, kCA, 'J'}, {4, kCA, 'L'}});
    EXPECT_EQ(outcomes, (QVector<G>{G::Done, G::HeldElsewhere, G::HeldElsewhere, G::Done}));
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+j"}));
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+l"}));
    ASSERT_TRUE(markerArrived());
    EXPECT_EQ(presses, (QVector<int>{1, 4}));
}
