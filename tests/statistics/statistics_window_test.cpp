#include "statistics/statistics_window.h"

#include "stores/database.h"
#include "stores/registry_values.h"
#include "support/fake_launcher.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

struct StatisticsWindowTest : ::testing::Test {
    TempProgram program;
    FakeLauncher launcher;

    void SetUp() override { ASSERT_TRUE(program.context.folder.exists(QStringLiteral("DeskData.db"))); }

    // Runs with these plan lengths and labels.
    void addRuns(const std::vector<std::pair<QString, QString>>& runs)
    {
        Database db = openDeskData(program.context.folder);
        Statement insert(db, QStringLiteral("INSERT INTO timesum (set_time, use_time, out_time, pause_time, filename) "
                                            "VALUES (?, '00:01:02', '0:00:05', NULL, ?)"));
        for (const auto& [set, label] : runs) {
            insert.reset();
            insert.bindText(1, set);
            insert.bindText(2, label);
            ASSERT_TRUE(insert.run()) << insert.error().toStdString();
        }
    }
    static void select(StatisticsWindow& window, int row)
    {
        window.table()->selectionModel()->select(window.table()->model()->index(row, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QList<qint64> storedIds()
    {
        QList<qint64> ids;
        Database db = openDeskData(program.context.folder);
        Statement select(db, QStringLiteral("SELECT ID_auto FROM timesum ORDER BY ID_auto"));
        while (select.next())
            ids << select.integer(QStringLiteral("ID_auto"));
        return ids;
    }
};

} // namespace

TEST_F(StatisticsWindowTest, deleteSecondOfThree_exportTableFromTheKeptValues)
{
    // A label holding a long run of blanks stays whole in the export.
    addRuns({{"0:05:00", "甲"}, {"00:10:00", "2026-12-09 10:00:00"}, {"25:00:00", "a                                                  b"}});
    StatisticsWindow window(program.context, launcher);
    EXPECT_EQ(window.table()->model()->index(0, 0).data().toString(), "001");
    EXPECT_EQ(window.table()->model()->headerData(5, Qt::Horizontal).toString(), "阶段");
    select(window, 1);
    window.deleteSelected();
    EXPECT_EQ(program.notifier.questions, QStringList{QStringLiteral("确定删除数据吗？")});

    const ExportTable table = window.model().exportTable();
    ASSERT_EQ(table.rows.size(), 2);
    EXPECT_EQ(table.rows[0], (QStringList{"1", "00:05:00", "00:01:02", "0:00:05", "", "甲"}));
    EXPECT_EQ(table.rows[1][0], "3");
    EXPECT_EQ(table.rows[1][1], "25:00:00");
    EXPECT_EQ(table.rows[1][5], QStringLiteral("a                                                  b"));
}

TEST_F(StatisticsWindowTest, deleteOfLines3To5AmongTen_selectsLine2_bottomUp)
{
    std::vector<std::pair<QString, QString>> runs;
    for (int i = 0; i < 10; ++i)
        runs.push_back({"00:00:01", QString::number(i)});
    addRuns(runs);
    StatisticsWindow window(program.context, launcher);
    const QList<qint64> before = storedIds();
    for (int i : {3, 4, 5})
        select(window, i);
    window.deleteSelected();
    EXPECT_EQ(window.lines().size(), 7);
    EXPECT_EQ(window.table()->currentIndex().row(), 2);
    EXPECT_EQ(storedIds(), before.mid(0, 3) + before.mid(6));
}

TEST_F(StatisticsWindowTest, export_workbookWithAHandler_elseTheCsvMessageAndCsv_neverOpensAFailedFile)
{
    addRuns({{"00:05:00", "007"}});
    StatisticsWindow window(program.context, launcher);

    window.exportLines();
    EXPECT_EQ(program.notifier.texts(), QStringList{QStringLiteral("没有安装WPS或Excel程序，导出为.csv文件")});
    const QString csv = program.file(QStringLiteral("sheet1.csv"));
    EXPECT_EQ(launcher.desktop, QStringList{csv});
    EXPECT_TRUE(program.readFile(QStringLiteral("sheet1.csv")).contains("1,00:05:00,00:01:02,0:00:05,,007\r\n"));

    launcher.handlers.insert(QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
                             QStringLiteral("calc.desktop"));
    launcher.desktop.clear();
    window.exportLines();
    EXPECT_EQ(launcher.desktop, QStringList{program.file(QStringLiteral("sheet1.xlsx"))});

    ReadOnlyFolder locked(program.path());
    if (!locked.active())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    launcher.desktop.clear();
    program.notifier.shown.clear();
    window.exportLines();
    EXPECT_TRUE(launcher.desktop.isEmpty());
    ASSERT_EQ(program.notifier.shown.size(), 2u); // the CSV notice, then why the CSV failed
    EXPECT_FALSE(program.notifier.shown[1].text.isEmpty());
}

TEST_F(StatisticsWindowTest, recordingSwitch_loadWritesNothing_toggleStoresAndNoticeFollows)
{
    StatisticsWindow window(program.context, launcher);
    EXPECT_FALSE(program.registry.read(QStringLiteral("Time_Record")).has_value());
    EXPECT_TRUE(window.recordingSwitch()->isEnabled());
    EXPECT_FALSE(window.notice()->isHidden());
    program.timers.advance(3000);
    EXPECT_TRUE(window.notice()->isHidden());

    window.recordingSwitch()->setChecked(true);
    EXPECT_TRUE(registry_values::timeRecord(program.registry));
    EXPECT_TRUE(window.notice()->isHidden());
    window.recordingSwitch()->setChecked(false);
    EXPECT_FALSE(registry_values::timeRecord(program.registry));
    EXPECT_FALSE(window.notice()->isHidden());
}

TEST_F(StatisticsWindowTest, emptyMissingOrBrokenTable_clearMessagesAndNoCrash)
{
    {
        StatisticsWindow window(program.context, launcher);
        window.exportLines();
        window.deleteSelected();
        EXPECT_EQ(program.notifier.texts(), (QStringList{"没有记录导出", "没有记录可删除"}));
    }
    program.notifier.shown.clear();
    {
        Database db = openDeskData(program.context.folder);
        ASSERT_TRUE(db.exec(QStringLiteral("DROP TABLE timesum")));
    }
    {
        StatisticsWindow window(program.context, launcher);
        EXPECT_EQ(program.notifier.texts(), QStringList{"操作系统是精简版本，不支持本功能"});
        EXPECT_FALSE(window.recordingSwitch()->isEnabled());
    }
    program.notifier.shown.clear();
    ASSERT_TRUE(QFile::remove(program.file(QStringLiteral("DeskData.db"))));
    StatisticsWindow window(program.context, launcher);
    window.exportLines();
    EXPECT_TRUE(program.notifier.shown.empty());
    EXPECT_TRUE(window.lines().isEmpty());
}

namespace {

// Descriptors of this process open on DeskData.db itself.
int deskDataDescriptors()
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        count += QFile::symLinkTarget(fds.filePath(fd)).endsWith(QStringLiteral("/DeskData.db")) ? 1 : 0;
    return count;
}

} // namespace

TEST_F(StatisticsWindowTest, closingTheWindow_closesItsConnectionToTheFile)
{
    addRuns({{"00:05:00", "甲"}});
    const int before = deskDataDescriptors();
    StatisticsWindow window(program.context, launcher);
    ASSERT_EQ(window.lines().size(), 1);
    EXPECT_EQ(deskDataDescriptors(), before + 1);
    window.reject();
    EXPECT_EQ(deskDataDescriptors(), before);
}
