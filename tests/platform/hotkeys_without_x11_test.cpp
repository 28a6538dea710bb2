#include "platform/x11_hotkeys.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(HotkeysWithoutX11, everyGrabIsUnavailable_withAReasonToShow)
{
    X11Hotkeys hotkeys;  // the tests run on the offscreen platform
    EXPECT_FALSE(hotkeys.unavailableReason().isEmpty());
    EXPECT_EQ(hotkeys.grab(1, 2, 'S'), HotkeyBackend::Grab::Unavailable);
    EXPECT_EQ(hotkeys.grab(4, 3, 97), HotkeyBackend::Grab::Unavailable);
    hotkeys.release(1);
    hotkeys.releaseAll();
}
