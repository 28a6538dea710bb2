#include "startup/program_windows.h"

#include "services/sound_player.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/registry_values.h"
#include "support/menu_items.h"
#include "support/saved_plans.h"
#include "support/temp_program.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <QMenu>
#include <QAction>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// The whole program with statistics on, the default plan started from the
// desktop menu and counting.
class CountingProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!program.context.folder.exists("DeskData.db")) {
            ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
        }
        registry_values::setTimeRecord(program.registry, true);
        windows = buildProgramWindows(program.context);
        menu = programDesktopMenu();
        ASSERT_NE(menu, nullptr);
        item(DesktopItem::Start)->trigger();
        program.timers.advance(2'000);
    }
    QAction* item(DesktopItem command) const { return menuItem(*menu, command); }

    TempProgram program;
    std::unique_ptr<ProgramWindows> windows;
    QMenu* menu = nullptr;
};

qint64 recordedRuns(Database& db)
{
    Statement st(db, "SELECT count(*) AS n FROM timesum");
    return st.next() ? st.integer("n") : -1;
}

// The set and used times of the rows in timesum, in the order written.
std::vector<std::string> setAndUsedTimes(const TempProgram& program)
{
    Database db = openDeskData(program.context.folder);
    Statement st(db, "SELECT set_time, use_time FROM timesum ORDER BY rowid");
    std::vector<std::string> rows;
    while (st.next())
        rows.push_back((st.text("set_time") + " " + st.text("use_time")).toStdString());
    return rows;
}
using Rows = std::vector<std::string>;

// Two saved plans, "A" of 30 s and "B" of 20 s, read into the plan submenu;
// plan item `index` is chosen from it.
class PlanChoosingProgram : public CountingProgram {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(savePlans(program, {{"A", 30}, {"B", 20}}));
        CountingProgram::SetUp();
        windows->deskDataReady();
    }
    void choosePlan(int index)
    {
        const QList<QAction*> plans = item(DesktopItem::Plans)->menu()->actions();
        ASSERT_LT(index, plans.size());
        plans[index]->trigger();
        program.timers.advance(0); // the plan's set-up
    }
};

TEST_F(CountingProgram, stoppedAndClearedFromTheDesktopMenu_recordsOneRow)
{
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::Stop)->isEnabled());

    item(DesktopItem::Stop)->trigger();
    program.timers.advance(2'000);
    EXPECT_TRUE(item(DesktopItem::Start)->text().startsWith("清零"));

    item(DesktopItem::Start)->trigger(); // 清零
    program.timers.advance(2'000);
    EXPECT_TRUE(item(DesktopItem::Start)->text().startsWith("开始"));

    Database db = openDeskData(program.context.folder);
    EXPECT_EQ(recordedRuns(db), 1);
    const SoundPlayer* running = &program.context.sound();
    windows.reset();
    // The program's sound player goes with its windows: the context is silent again.
    EXPECT_NE(&program.context.sound(), running);
    program.context.sound().stopSound(program.file("sounds/Stop.wav"));
}

TEST_F(CountingProgram, stopSignalDuringAPause_recordsTheRunInDeskDataAlone_thenCloses)
{
    item(DesktopItem::Pause)->trigger();
    ASSERT_TRUE(item(DesktopItem::Stop)->isEnabled());

    windows->closeDown();
    EXPECT_FALSE(windows->shownWindow()->isVisible());

    // A copy of DeskData.db alone, taken while the program still holds it.
    QTemporaryDir venue;
    ASSERT_TRUE(QFile::copy(program.file("DeskData.db"), venue.filePath("DeskData.db")));
    Database copy;
    ASSERT_TRUE(copy.open(venue.filePath("DeskData.db"), databasePassword()));
    EXPECT_EQ(recordedRuns(copy), 1);
}

TEST_F(CountingProgram, stopThenExitAtOnce_keepsTheRunsRow)
{
    program.timers.advance(3'000);
    item(DesktopItem::Stop)->trigger();
    item(DesktopItem::Exit)->trigger();
    EXPECT_EQ(setAndUsedTimes(program), Rows{"00:01:00 00:00:04"});
}

TEST_F(CountingProgram, displayClosedByTheWindowManagerWhileCounting_recordsTheRunOnce)
{
    program.timers.advance(3'000);
    windows->shownWindow()->close();
    EXPECT_FALSE(windows->shownWindow()->isVisible());
    program.timers.advance(3'000);
    EXPECT_EQ(setAndUsedTimes(program), Rows{"00:01:00 00:00:04"});
}

// A plan chosen after a stop starts a new run at once, whether the stopped
// run's tick had come since or not; each run keeps its own row.
TEST_F(PlanChoosingProgram, stopThenPlanChosen_atOnceOrAfterTheTick_thenStopped_recordsEveryRun)
{
    program.timers.advance(3'000);
    item(DesktopItem::Stop)->trigger();
    choosePlan(1); // at once: B
    EXPECT_TRUE(item(DesktopItem::Stop)->isEnabled());
    program.timers.advance(4'000);
    item(DesktopItem::Stop)->trigger();
    program.timers.advance(1'500); // past the second the stopped run's tick would have closed it
    choosePlan(0); // A
    program.timers.advance(6'000);
    item(DesktopItem::Stop)->trigger();
    program.timers.advance(2'000);

    EXPECT_EQ(setAndUsedTimes(program),
              Rows({"00:01:00 00:00:04", "00:00:20 00:00:03", "00:00:30 00:00:05"}));
}

TEST_F(PlanChoosingProgram, planChosenWhileCounting_replacesTheRunWithoutARow)
{
    choosePlan(1);
    program.timers.advance(3'000);
    item(DesktopItem::Stop)->trigger();
    program.timers.advance(2'000);
    EXPECT_EQ(setAndUsedTimes(program), Rows{"00:00:20 00:00:02"});
}

TEST_F(PlanChoosingProgram, planChosenInOvertime_endsTheRunWithItsRow_andTheChosenPlanWaitsForClearAndStart)
{
    program.timers.advance(61'000); // the default minute is up: overtime counts
    choosePlan(1);
    EXPECT_EQ(setAndUsedTimes(program), Rows{"00:01:00 00:01:00"});
    EXPECT_FALSE(item(DesktopItem::Stop)->isEnabled());
    ASSERT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "清零");

    item(DesktopItem::Start)->trigger();
    program.timers.advance(0);
    item(DesktopItem::Start)->trigger();
    program.timers.advance(3'000);
    item(DesktopItem::Stop)->trigger();
    EXPECT_EQ(setAndUsedTimes(program), Rows({"00:01:00 00:01:00", "00:00:20 00:00:02"}));
}

// With plan hotkeys on, the start-up reads the saved plans only once the key
// of DeskData.db is there, not before the first frame.
TEST(ProgramStart, planHotkeysOn_savedPlansAreReadOnlyOnceDeskDataIsReady)
{
    TempProgram program;
    ASSERT_TRUE(savePlans(program, {{"A", 60}, {"B", 60}}));
    program.ini.write("Hotkey", "start", "Ctrl+Alt+S");
    program.ini.write("Hotkey", "often", "10");

    const std::unique_ptr<ProgramWindows> windows = buildProgramWindows(program.context);
    QMenu* desktop = programDesktopMenu();
    ASSERT_NE(desktop, nullptr);
    const QMenu* plans = menuItem(*desktop, DesktopItem::Plans)->menu();
    ASSERT_NE(plans, nullptr);
    const auto captions = [plans] {
        QStringList out;
        for (const QAction* a : plans->actions())
            out << a->data().toString();
        return out;
    };
    EXPECT_EQ(captions(), QStringList{"1"});  // not read yet

    windows->deskDataReady();
    EXPECT_EQ(captions(), QStringList({"A", "B"}));
}

} // namespace
} // namespace orvalen::test
