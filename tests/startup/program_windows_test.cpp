#include "startup/program_windows.h"

#include "services/sound_player.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/registry_values.h"
#include "support/temp_program.h"

#include <QApplication>
#include <QMenu>
#include <QAction>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QMenu* desktop_menu()
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == "desktopMenu")
            return qobject_cast<QMenu*>(w);
    return nullptr;
}

QAction* item(QMenu* menu, int k)
{
    return menu->findChild<QAction*>(QStringLiteral("desktopItem%1").arg(k));
}

TEST(ProgramWindows, defaultPlanStartedAndStoppedFromTheDesktopMenu_recordsOneRow)
{
    TempProgram program;
    if (!program.context.folder.exists("DeskData.db")) {
        ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
    }
    registry_values::setTimeRecord(program.registry, true);

    auto windows = buildProgramWindows(program.context);
    QMenu* menu = desktop_menu();
    ASSERT_NE(menu, nullptr);

    item(menu, 0)->trigger(); // 开始
    program.timers.advance(2'000);
    EXPECT_FALSE(item(menu, 0)->isEnabled());
    EXPECT_TRUE(item(menu, 1)->isEnabled());

    item(menu, 1)->trigger(); // 停止
    program.timers.advance(2'000);
    EXPECT_TRUE(item(menu, 0)->text().startsWith("清零"));

    item(menu, 0)->trigger(); // 清零
    program.timers.advance(2'000);
    EXPECT_TRUE(item(menu, 0)->text().startsWith("开始"));

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
