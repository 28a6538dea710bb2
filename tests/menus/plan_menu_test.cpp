#include "menus/plan_menu.h"

#include "display/display_window.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_repository.h"
#include "support/quiet_display_host.h"
#include "support/temp_program.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

const QString kFailure = "操作系统是精简版本，不支持本功能";
const QString kNull = "\x01NULL";  // stored as SQL NULL

struct PlanMenuTest : ::testing::Test {
    test::TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    CountSession session;
    test::QuietDisplayHost displayHost;
    DisplayWindow display{program.context, host, currentPlan, displayHost};
    EngineTimers timers{program.timers};
    RunCommands commands{EngineContext{program.context, host, currentPlan, session, display.countView(), timers}};
    QMenu submenu;
    PlanRepository plans{program.context.folder};
    PlanMenu menu{program.context, plans, host, currentPlan, commands, display.elementView(), &submenu};

    void SetUp() override
    {
        QFile::remove(program.file("DeskData.db"));
        QString error;
        ASSERT_TRUE(createDeskData(program.file("DeskData.db"), &error)) << error.toStdString();
        currentPlan.replace(ClockPlan::defaults(QDate(2026, 12, 8)));
        display.hostState().run.runStateWriter().enterStage(Stage::Start);
    }

    // A plan that differs from the default in many fields.
    static ClockPlan planNamed(const QString& marker, const QString& combolist = "100")
    {
        ClockPlan p = ClockPlan::defaults(QDate(2027, 3, 4));
        p.Time_all = QTime(0, 7, 30);
        p.firsttext = "title " + marker;
        p.stages[Stage::Alarm3].prompt = "stage " + marker;
        p.clockcolour = PlanColour::fromText("255");
        plan_codec::setFieldText(p, "combolist", combolist);
        p.tixingtime = 9;
        plan_codec::setFieldText(p, "highsetend", "1\\2\\" + marker + ".jpg");
        return p;
    }

    // Writes a row; `overrides` replaces column texts (kNull stores NULL).
    void addRow(int id, const QString& name, const ClockPlan& plan, const QString& movetext = "marquee",
                const QHash<QString, QString>& overrides = {})
    {
        Database db = openDeskData(program.context.folder);
        ASSERT_TRUE(db.isOpen());
        const QStringList columns = deskclockColumns();
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << "?";
        Statement insert(db, QString("INSERT INTO deskclock (%1) VALUES (%2)").arg(columns.join(", "), marks.join(", ")));
        ASSERT_TRUE(insert.isValid()) << insert.error().toStdString();
        for (int i = 0; i < columns.size(); ++i) {
            QString value = i == 0 ? QString::number(id) : i == 1 ? name : i == 2 ? movetext : plan_codec::fieldText(plan, i - 3);
            if (overrides.contains(columns[i]))
                value = overrides.value(columns[i]);
            if (value == kNull)
                insert.bindNull(i + 1);
            else
                insert.bindText(i + 1, value);
        }
        ASSERT_TRUE(insert.run()) << insert.error().toStdString();
    }

    void exec(const QString& sql)
    {
        Database db = openDeskData(program.context.folder);
        ASSERT_TRUE(db.exec(sql)) << db.lastError().toStdString();
    }

    QStringList captions()
    {
        QStringList out;
        for (int i = 0; i < menu.itemCount(); ++i)
            out << menu.caption(i);
        return out;
    }
    // The rows were written beside the repository: it announces a change.
    void plansChanged() { emit plans.changed(); }
    QString currentrow() const { return program.ini.read("Marquee", "currentrow", "absent"); }
};

} // namespace

TEST_F(PlanMenuTest, rebuild_listsPlansInIdOrder_andFollowsDeletions)
{
    addRow(3, "C", planNamed("c"));
    addRow(1, "A", planNamed("a"));
    addRow(2, "B", planNamed("b"));
    plansChanged();
    EXPECT_EQ(captions(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(submenu.actions().size(), 3);
    EXPECT_TRUE(host.menus.planItemShown());
    EXPECT_TRUE(host.menus.planItemEnabled());
    EXPECT_EQ(menu.planCount(), 3);

    menu.selectPlan(2);
    exec("DELETE FROM deskclock WHERE clockname = 'B'");
    plansChanged();
    EXPECT_EQ(captions(), QStringList({"A", "C"}));
    EXPECT_EQ(menu.checkedPlan(), -1);
}

TEST_F(PlanMenuTest, deferredLoad_readsThePlansOnFirstUseOrWhenTheStartUpAsks_keepsTheItemShown)
{
    addRow(1, "A", planNamed("a"));
    menu.deferLoad();
    EXPECT_EQ(submenu.actions().first()->data().toString(), "1"); // not read yet
    menu.ensureLoaded();
    EXPECT_EQ(submenu.actions().first()->data().toString(), "A");
    EXPECT_TRUE(host.menus.planItemEnabled());

    // Without plans the item stays shown (disabled), as the display's idle
    // state shows it; the first use reads the list.
    exec("DELETE FROM deskclock");
    host.menus.setPlanItem(true, host.menus.planItemEnabled());
    PlanMenu started(program.context, plans, host, currentPlan, commands, display.elementView(), nullptr);
    started.deferLoad();
    EXPECT_EQ(started.planCount(), 0);
    EXPECT_TRUE(host.menus.planItemShown());
    EXPECT_FALSE(host.menus.planItemEnabled());
}

TEST_F(PlanMenuTest, rebuild_withoutPlans_hidesTheItem_andCountsNoPlans)
{
    addRow(1, "Only", planNamed("o"));
    plansChanged();
    exec("DELETE FROM deskclock");
    plansChanged();
    EXPECT_FALSE(host.menus.planItemShown());
    EXPECT_FALSE(host.menus.planItemEnabled());
    EXPECT_EQ(captions(), QStringList{"Only"});  // item 0 keeps its caption
    EXPECT_EQ(menu.planCount(), 0);

    QFile::remove(program.file("DeskData.db"));
    plansChanged();
    EXPECT_FALSE(host.menus.planItemShown());
    EXPECT_EQ(menu.planCount(), 0);
}

TEST_F(PlanMenuTest, select_loadsTheWholeRow_checksIt_andWritesThePosition)
{
    addRow(1, "A", planNamed("a"));
    addRow(2, "B", planNamed("b", "103"), "scrolling B");
    ClockPlan old = planNamed("c", "101");
    old.time_date = QDate(1999, 12, 31);
    addRow(3, "C", old);
    plansChanged();

    menu.selectPlan(1);
    ClockPlan expected = planNamed("b", "103");
    EXPECT_EQ(currentPlan.plan(), expected);
    EXPECT_EQ(display.elementView().elementText(DisplayElement::ScrollingText), "scrolling B");
    EXPECT_TRUE(menu.isChecked(1));
    EXPECT_EQ(menu.checkedPlan(), 1);
    EXPECT_EQ(currentrow(), "2");  // next plan: a position in the sequence

    menu.selectPlan(2);
    EXPECT_EQ(currentrow(), "12");  // stop: last index + 10
    EXPECT_EQ(currentPlan.plan().time_date, QDate(2000, 1, 1));  // raised to "no target date"
    EXPECT_FALSE(menu.isChecked(1));
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(PlanMenuTest, namesWithQuotesSemicolonsOrGreatLength_selectTheirOwnRow)
{
    const QStringList names{"O'Brien's \"plan\"", "x'; DROP TABLE deskclock; --", QString(300, QChar(0x8BA1)), "A&B"};
    for (int i = 0; i < names.size(); ++i)
        addRow(i + 1, names[i], planNamed(QString::number(i)));
    plansChanged();
    ASSERT_EQ(captions(), names);
    EXPECT_EQ(submenu.actions()[3]->text(), "A&&B");
    for (int i = 0; i < names.size(); ++i) {
        menu.selectPlan(i);
        EXPECT_EQ(currentPlan.plan().firsttext, "title " + QString::number(i));
    }
    plansChanged();
    EXPECT_EQ(menu.planCount(), 4);  // the table is still there
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(PlanMenuTest, damagedRow_changesNothing_andSaysSo)
{
    addRow(1, "Good", planNamed("good", "103"));
    addRow(2, "NullColumn", planNamed("n"), "m", {{"textcolour", kNull}});
    addRow(3, "BadTime", planNamed("t"), "m", {{"Time_three", "25:99:00"}});
    addRow(4, "BadNumber", planNamed("x"), "m", {{"tixingtime", "many"}});
    addRow(5, "NullMarquee", planNamed("y"), kNull);
    plansChanged();
    menu.selectPlan(0);
    const ClockPlan before = currentPlan.plan();
    timers.countSetup->setEnabled(false);

    for (int i = 1; i <= 4; ++i) {
        menu.selectPlan(i);
        EXPECT_EQ(currentPlan.plan(), before) << i;
        EXPECT_EQ(menu.checkedPlan(), 0) << i;
        EXPECT_EQ(currentrow(), "1") << i;
        EXPECT_FALSE(timers.countSetup->isEnabled()) << i;
    }
    EXPECT_EQ(program.notifier.texts(), QStringList(4, kFailure));
}

TEST_F(PlanMenuTest, deletedRow_keepsThePlan_butTheRestOfTheSelectionRuns)
{
    addRow(1, "A", planNamed("a"));
    addRow(2, "B", planNamed("b"));
    plansChanged();
    const ClockPlan before = currentPlan.plan();  // combolist "100": stop
    exec("DELETE FROM deskclock WHERE clockname = 'B'");
    menu.selectPlan(1);
    EXPECT_EQ(currentPlan.plan(), before);
    EXPECT_TRUE(menu.isChecked(1));
    EXPECT_EQ(currentrow(), "11");
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(PlanMenuTest, databaseGone_showsTheMessage_andKeepsEverything)
{
    addRow(1, "A", planNamed("a"));
    plansChanged();
    QFile::remove(program.file("DeskData.db"));
    const ClockPlan before = currentPlan.plan();
    menu.selectPlan(0);
    EXPECT_EQ(currentPlan.plan(), before);
    EXPECT_EQ(menu.checkedPlan(), -1);
    EXPECT_EQ(currentrow(), "absent");
    EXPECT_EQ(program.notifier.texts(), QStringList{kFailure});
}

TEST_F(PlanMenuTest, selectWhileCounting_restartsWithTheNewPlan_inOvertimeOnlyPrepares)
{
    addRow(1, "A", planNamed("a"));
    plansChanged();
    session.setPrepareOnly(false);
    host.run.runStateWriter().countedDown(1234, 4321);
    host.run.runStateWriter().countedUp(55, 4321);
    display.hostState().run.runStateWriter().enterStage(Stage::Alarm2);
    timers.countdownTick->setEnabled(true);
    menu.selectPlan(0);
    EXPECT_FALSE(timers.countdownTick->isEnabled());
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_FALSE(session.prepareOnly());
    EXPECT_EQ(host.run.countedDownMs(), 0);
    EXPECT_EQ(host.run.countedUpMs(), 0);
    EXPECT_EQ(host.run.shownMs(), 0);

    timers.countSetup->setEnabled(false);
    display.hostState().run.runStateWriter().enterStage(Stage::Overtime);
    timers.countupTick->setEnabled(true);
    menu.selectPlan(0);
    EXPECT_FALSE(timers.countupTick->isEnabled());
    EXPECT_TRUE(session.prepareOnly());
    EXPECT_TRUE(timers.countSetup->isEnabled());
}

TEST_F(PlanMenuTest, selectWhilePaused_newPlanStartsUnpaused)
{
    addRow(1, "A", planNamed("a"));
    plansChanged();
    host.run.runStateWriter().start();
    host.run.runStateWriter().pause();
    display.hostState().run.runStateWriter().enterStage(Stage::Alarm1);
    menu.selectPlan(0);
    EXPECT_EQ(host.run.state(), RunState::Running);
}

TEST_F(PlanMenuTest, choosingAMenuItem_selectsThatPlan)
{
    addRow(1, "A", planNamed("a"));
    addRow(2, "B", planNamed("b"));
    plansChanged();
    submenu.actions()[1]->trigger();
    EXPECT_EQ(currentPlan.plan().firsttext, "title b");
    EXPECT_TRUE(submenu.actions()[1]->isChecked());
    EXPECT_FALSE(submenu.actions()[0]->isChecked());
    menu.selectPlan(7);  // no such item: nothing happens
    EXPECT_EQ(menu.checkedPlan(), 1);
}

TEST_F(PlanMenuTest, manyPlans_submenuScrollsInOneColumnWithinTheScreen)
{
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
         "INSERT INTO deskclock (ID, clockname) SELECT i, 'plan ' || i FROM n");
    plansChanged();
    ASSERT_EQ(menu.planCount(), 2000);
    const QRect screen = submenu.screen()->availableGeometry();
    submenu.popup(screen.topLeft());
    EXPECT_LE(submenu.height(), screen.height());
    EXPECT_LT(submenu.width(), screen.width() / 2); // no columns over the screen
    submenu.hide();
}

TEST_F(PlanMenuTest, savedPlansChange_rebuildsTheSubmenuWithoutBeingAsked)
{
    addRow(1, "A", planNamed("a"));
    EXPECT_EQ(captions(), QStringList{"A"});
    ASSERT_TRUE(plans.save("B", "", planNamed("b")).ok());
    EXPECT_EQ(captions(), QStringList({"A", "B"}));
    ASSERT_TRUE(plans.remove({PlanListEntry{1, "A", "marquee"}}).ok());
    EXPECT_EQ(captions(), QStringList{"B"});
    EXPECT_TRUE(host.menus.planItemEnabled());
}
