#include "startup/program_windows.h"

#include "services/sound_player.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/registry_values.h"
#include "support/menu_items.h"
#include "support/temp_program.h"

#include <QApplication>
#include <QMenu>
#include <QAction>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

TEST(ProgramWindows, defaultPlanStartedAndStoppedFromTheDesktopMenu_recordsOneRow)
{
    TempProgram program;
    if (!program.context.folder.exists("DeskData.db")) {
        ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
    }
    registry_values::setTimeRecord(program.registry, true);

    auto windows = buildProgramWindows(program.context);
    QMenu* menu = programDesktopMenu();
    ASSERT_NE(menu, nullptr);

    menuItem(*menu, DesktopItem::Start)->trigger();
    program.timers.advance(2'000);
    EXPECT_FALSE(menuItem(*menu, DesktopItem::Start)->isEnabled());
    EXPECT_TRUE(menuItem(*menu, DesktopItem::Stop)->isEnabled());

    menuItem(*menu, DesktopItem::Stop)->trigger();
    program.timers.advance(2'000);
    EXPECT_TRUE(menuItem(*menu, DesktopItem::Start)->text().startsWith("清零"));

    menuItem(*menu, DesktopItem::Start)->trigger(); // 清零
    program.timers.advance(2'000);
    EXPECT_TRUE(menuItem(*menu, DesktopItem::Start)->text().startsWith("开始"));

    Database db = openDeskData(program.context.folder);
    Statement st(db, "SELECT count(*) AS n FROM timesum");
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer("n"), 1);
    const SoundPlayer* running = &program.context.sound();
    windows.reset();
    // The program's sound player goes with its windows: the context is silent again.
    EXPECT_NE(&program.context.sound(), running);
    program.context.sound().stopSound(program.file("sounds/Stop.wav"));
}

} // namespace
} // namespace orvalen::test
