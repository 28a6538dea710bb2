// The plan hotkeys of the whole program on the real X server: they are
// grabbed once the saved plans are read, after the key of DeskData.db is
// there.
#include "startup/program_windows.h"
#include "support/other_x_client.h"
#include "support/saved_plans.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

TEST(PlanHotkeysAtStart, notGrabbedWhileThePlansWait_grabbedOnceDeskDataIsReady)
{
    TempProgram program;
    ASSERT_TRUE(savePlans(program, {{"A", 60}, {"B", 60}}));
    program.ini.write("Hotkey", "often", "10"); // Ctrl + the plan's digit

    const std::unique_ptr<ProgramWindows> windows = buildProgramWindows(program.context);
    {
        OtherXClient other;
        EXPECT_TRUE(other.grab(XK_2, XCB_MOD_MASK_CONTROL)); // free: the plans are not read yet
    }

    windows->deskDataReady();
    OtherXClient other;
    EXPECT_FALSE(other.grab(XK_1, XCB_MOD_MASK_CONTROL));
    EXPECT_FALSE(other.grab(XK_2, XCB_MOD_MASK_CONTROL));
    EXPECT_TRUE(other.grab(XK_3, XCB_MOD_MASK_CONTROL)); // no third plan
}
