#include "plans/plan_panel.h"

#include "display/display_window.h"
#include "menus/plan_menu.h"
#include "plans/fake_plan_editor.h"
#include "services/help_links.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_repository.h"
#include "support/fake_launcher.h"
#include "support/quiet_display_host.h"
#include "support/file_size_limit.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "stores/plan_codec.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class CountingHotkeys final : public HotkeyHooks {
public:
    void registerHotkeys() override { ++registered; }
    void releaseHotkeys() override { ++released; }
    int registered = 0;
    int released = 0;
};

struct PlanPanelTest : ::testing::Test {
    test::TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    test::QuietDisplayHost displayHost;
    DisplayWindow display{program.context, host, currentPlan, displayHost};
    CountSession session;
    EngineTimers timers{program.timers};
    RunCommands commands{EngineContext{program.context, host, currentPlan, session, display.countView(), timers}};
    QMenu submenu;
    PlanRepository plans{program.context.folder};
    PlanMenu menu{program.context, plans, host, currentPlan, commands, display.elementView(), &submenu};
    CountingHotkeys hotkeys;
    test::FakePlanEditor editor;
    test::FakeLauncher desktop;
    PlanPanel panel{program.context, plans, editor, currentPlan, &hotkeys};

    void SetUp() override
    {
        QFile::remove(program.file("DeskData.db"));
        ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
        currentPlan.replace(ClockPlan::defaults(QDate(2026, 12, 9)));
        panel.setExportLauncher(&desktop);
        panel.reload();
    }

    void save(const QString& name, const QString& moving = "scroll")
    {
        editor.name = name;
        editor.moving = moving;
        panel.save();
    }
    void select(QList<int> rows)
    {
        panel.table()->clearSelection();
        for (int r : rows)
            panel.table()->selectionModel()->select(panel.table()->model()->index(r, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!rows.isEmpty())
            panel.table()->selectionModel()->setCurrentIndex(panel.table()->model()->index(rows.last(), 0),
                                                             QItemSelectionModel::NoUpdate);
    }
    // "number name" of every list row.
    QStringList rows() const
    {
        QStringList out;
        for (int r = 0; r < panel.rowCount(); ++r)
            out << panel.table()->model()->index(r, 0).data().toString() + " " + panel.entryAt(r).name;
        return out;
    }
    QStringList submenuCaptions()
    {
        QStringList out;
        for (int i = 0; i < menu.planCount(); ++i)
            out << menu.caption(i);
        return out;
    }
    QString lastMessage() const { return program.notifier.shown.empty() ? QString() : program.notifier.shown.back().text; }
};

} // namespace

TEST_F(PlanPanelTest, saveMoveDeleteLoadExport_listSubmenuAndFileAgreeAfterARestart)
{
    const ClockPlan before = currentPlan.plan();
    editor.plan.firsttext = "edited";
    for (const QString name : {"甲", "乙", "丙"})
        save(name, "text " + name);
    EXPECT_EQ(rows(), QStringList({"001 甲", "002 乙", "003 丙"}));
    EXPECT_EQ(submenuCaptions(), QStringList({"甲", "乙", "丙"}));
    EXPECT_TRUE(editor.name.isEmpty());
    EXPECT_EQ(currentPlan.plan(), before);

    select({2});
    panel.button(PlanPanel::Button::Up)->click();
    panel.moveUp();
    EXPECT_EQ(rows(), QStringList({"001 丙", "002 甲", "003 乙"}));
    EXPECT_EQ(panel.currentRow(), 0);
    select({1});
    panel.deleteSelected();
    EXPECT_EQ(program.notifier.questions, QStringList{"确定删除数据吗？"});
    EXPECT_EQ(rows(), QStringList({"001 丙", "002 乙"}));
    EXPECT_EQ(submenuCaptions(), QStringList({"丙", "乙"}));
    EXPECT_EQ(hotkeys.released, 6);
    EXPECT_EQ(hotkeys.registered, 6);

    select({0});
    QTest::keyClick(panel.table(), Qt::Key_Return);
    ASSERT_TRUE(editor.loaded);
    EXPECT_EQ(editor.loaded->name, "丙");
    EXPECT_EQ(editor.loaded->movingText, "text 丙");
    EXPECT_EQ(editor.loaded->plan.firsttext, "edited");

    panel.button(PlanPanel::Button::Export)->click();
    EXPECT_EQ(lastMessage(), "没有安装WPS或Excel程序，导出为.csv文件");
    EXPECT_EQ(desktop.desktop, QStringList{program.file("sheet1.csv")});
    EXPECT_EQ(program.readFile("sheet1.csv"), QByteArray("\xEF\xBB\xBF序号,阶段名称,动态文本,总时长,长期计时\r\n"
                                                         "1,丙,text 丙,00:01:00,\r\n2,乙,text 乙,00:01:00,\r\n\r\n"));

    test::FakePlanEditor otherEditor;
    PlanRepository restartedPlans(program.context.folder);
    PlanPanel restarted(program.context, restartedPlans, otherEditor, currentPlan, nullptr);
    restarted.show();
    EXPECT_EQ(restarted.rowCount(), 2);
    EXPECT_EQ(restarted.entryAt(1).name, "乙");
    PlanMenu restartedMenu(program.context, restartedPlans, host, currentPlan, commands, display.elementView(), nullptr);
    EXPECT_EQ(restartedMenu.caption(0), "丙");
    EXPECT_EQ(restartedMenu.caption(1), "乙");
}

TEST_F(PlanPanelTest, moves_refuseAtTheEdgesAndForSeveralRows_andTheKeyboardExtendsTheSelection)
{
    save("A");
    select({0});
    panel.moveUp();
    EXPECT_EQ(lastMessage(), "已经是第一行了");
    panel.moveDown();
    EXPECT_EQ(lastMessage(), "已经是最后一行了");
    save("B");
    panel.table()->clearSelection();
    panel.moveDown();
    EXPECT_EQ(lastMessage(), "请选中要移动的数据行");

    panel.table()->setFocus();
    panel.table()->setCurrentIndex(panel.table()->model()->index(0, 0));
    QTest::keyClick(panel.table(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(panel.table()->selectionModel()->selectedRows().size(), 2);
    panel.moveDown();
    EXPECT_EQ(lastMessage(), "上下移动请只选中一行数据");
    EXPECT_EQ(rows(), QStringList({"001 A", "002 B"}));
    EXPECT_EQ(hotkeys.released, hotkeys.registered);
}

TEST_F(PlanPanelTest, delete_findsPlansByTheirStoredNameAndSelectsTheRowAbove)
{
    // Names that the shown text cuts or pads alike stay apart.
    const QStringList names{"1", "2", "3", "4", "A\tB", "A", "A   B", "8", "9", "10"};
    for (const QString& name : names) {
        if (name.contains(QLatin1Char('\t'))) // stored before such names were refused
            ASSERT_TRUE(plans.save(name, "scroll", currentPlan.plan()).ok());
        else
            save(name);
    }
    panel.reload();
    ASSERT_EQ(panel.rowCount(), 10);
    select({4, 5});
    program.notifier.answer = false;
    panel.deleteSelected();
    EXPECT_EQ(panel.rowCount(), 10);

    program.notifier.answer = true;
    panel.deleteSelected();
    EXPECT_EQ(panel.rowCount(), 8);
    EXPECT_EQ(panel.entryAt(4).name, "A   B");
    EXPECT_EQ(rows()[7], "008 10");
    EXPECT_EQ(panel.currentRow(), 3);
    EXPECT_EQ(menu.planCount(), 8);

    // A plan deleted elsewhere meanwhile: nothing is deleted, the list reloads.
    Database db = openDeskData(program.context.folder);
    ASSERT_TRUE(db.exec("DELETE FROM deskclock WHERE clockname = '8'"));
    db.close();
    select({0, 5});
    panel.deleteSelected();
    EXPECT_EQ(lastMessage(), "找不到该记录");
    EXPECT_EQ(rows().first(), "001 1");
    EXPECT_EQ(panel.rowCount(), 7);
}

TEST_F(PlanPanelTest, load_takesTheStoreValuesOnlyWhenRead_andSaveLeavesEverythingOnFailure)
{
    save("A");
    program.registry.writeText("stagefont", "黑体");
    program.registry.writeText("sizethree", "80/50/100/60/30/30/");
    currentPlan.edit([&](ClockPlan& p) { p.stagecolour = PlanColour::fromText("255"); });
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "sizethree", "1/2/"); });
    select({0});
    panel.loadCurrent();
    EXPECT_EQ(currentPlan.plan().stagefont, "黑体");
    EXPECT_EQ(currentPlan.plan().stagecolour.text, "255");
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), "80/50/100/50/30/30/");
    EXPECT_EQ(editor.loadedDateLine.font, std::optional<QString>("黑体"));
    EXPECT_EQ(editor.loadedDateLine.sizeDigits, std::optional<int>(60));

    editor.conversionError = "minutes of 报警1 empty";
    save("B");
    EXPECT_EQ(lastMessage(), "受限制或操作系统是精简版本，不支持本功能");
    editor.conversionError.clear();
    save("");
    EXPECT_EQ(lastMessage(), "没有填写阶段名称");
    EXPECT_EQ(rows(), QStringList{"001 A"});

    QFile::remove(program.file("DeskData.db"));
    editor.loaded.reset();
    panel.loadCurrent();
    EXPECT_FALSE(editor.loaded);
    save("C");
    EXPECT_EQ(lastMessage(), "DeskData.db文件不存在，请保存程序的完整性");
    EXPECT_EQ(hotkeys.released, hotkeys.registered);
}

TEST_F(PlanPanelTest, export_withASpreadsheetProgram_writesTextCells_andAnUnwritableWorkbookFallsBackToCsv)
{
    save("007");
    desktop.handlers["application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"] = "calc.desktop";
    panel.exportTable();
    ASSERT_EQ(desktop.desktop, QStringList{program.file("sheet1.xlsx")});
    QProcess unzip;
    unzip.start("unzip", {"-p", program.file("sheet1.xlsx"), "xl/sharedStrings.xml"});
    ASSERT_TRUE(unzip.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(unzip.readAllStandardOutput()).contains("<t>007</t>"));

    // A folder in the workbook's place: the workbook is never opened, the
    // operator is told and gets the CSV file instead.
    QFile::remove(program.file("sheet1.xlsx"));
    ASSERT_TRUE(QDir(program.path()).mkdir("sheet1.xlsx"));
    const size_t shown = program.notifier.shown.size();
    panel.exportTable();
    EXPECT_EQ(desktop.desktop, (QStringList{program.file("sheet1.xlsx"), program.file("sheet1.csv")}));
    EXPECT_EQ(program.notifier.shown.size(), shown + 1);
}

// A save of plan "A" that DeskData.db refuses, with no plan saved before.
struct PlanPanelRefusedSave : ::testing::Test {
    test::TempProgram program;
    PlanRepository plans{program.context.folder};
    CurrentPlan currentPlan;
    test::FakePlanEditor editor;

    void SetUp() override
    {
        QFile::remove(program.file("DeskData.db"));
        ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
        editor.plan = ClockPlan::defaults(QDate(2026, 12, 9));
        editor.name = "A";
    }
    QString lastMessage() const { return program.notifier.texts().value(program.notifier.texts().size() - 1); }
};

// The file opened only once its folder is read-only, as the program finds it.
TEST_F(PlanPanelRefusedSave, readOnlyFile_saysAfterTheGenericTextThatTheFileIsReadOnly)
{
    test::ReadOnlyFolder locked(program.path());
    if (!locked.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    PlanPanel panel{program.context, plans, editor, currentPlan, nullptr};
    panel.save();
    const QString told = lastMessage();
    EXPECT_TRUE(told.startsWith(kSaveFailedText + "\r\r")) << told.toStdString();
    EXPECT_TRUE(told.contains("DeskData.db 是只读的")) << told.toStdString();
}

// The start fell back to reading only because the disk is full: the operator
// is told of the disk, not of a read-only file.
TEST_F(PlanPanelRefusedSave, fullDisk_saysAfterTheGenericTextThatTheDiskIsFull_andSavesOnceSpaceIsBack)
{
    PlanPanel panel{program.context, plans, editor, currentPlan, nullptr};
    {
        test::FileSizeLimit fullDisk(0);
        ASSERT_TRUE(fullDisk.active());
        panel.reload();
        panel.save();
        panel.reload(); // the plans are read while the disk is full
    }
    const QString told = lastMessage();
    EXPECT_TRUE(told.startsWith(kSaveFailedText + "\r\r磁盘已满")) << told.toStdString();
    EXPECT_FALSE(told.contains("只读")) << told.toStdString();

    // Space is back: the next save is stored.
    const size_t shown = program.notifier.shown.size();
    panel.save();
    EXPECT_EQ(program.notifier.shown.size(), shown);
    ASSERT_EQ(panel.rowCount(), 1);
    EXPECT_EQ(panel.entryAt(0).name, "A");
}
