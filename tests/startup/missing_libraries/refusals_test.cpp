// Built with the loaders of SQLCipher and libxlsxwriter asking for libraries
// that are not installed: the program as it runs where they are missing.
#include "plans/fake_plan_editor.h"
#include "plans/plan_panel.h"
#include "plans/plan_save_checks.h"
#include "services/spreadsheet_export.h"
#include "statistics/statistics_window.h"
#include "stores/current_plan.h"
#include "stores/plan_repository.h"
#include "support/fake_launcher.h"
#include "support/temp_program.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

struct MissingLibraryTest : ::testing::Test {
    TempProgram program;
    QString lastNotice() const { return program.notifier.texts().value(program.notifier.texts().size() - 1); }
};

TEST_F(MissingLibraryTest, planSave_namesTheMissingDatabaseLibrary)
{
    PlanRepository plans{program.context.folder};
    CurrentPlan currentPlan;
    FakePlanEditor editor;
    editor.plan = ClockPlan::defaults(QDate(2026, 12, 9));
    editor.name = "A";
    PlanPanel panel{program.context, plans, editor, currentPlan, nullptr};
    program.notifier.shown.clear(); // the listing when the panel was made
    panel.save();
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(lastNotice().startsWith(kSaveFailedText + "\r\r")) << lastNotice().toStdString();
    EXPECT_TRUE(lastNotice().contains(ORVALEN_SQLCIPHER_LIBRARY)) << lastNotice().toStdString();
}

TEST_F(MissingLibraryTest, statistics_namesTheMissingDatabaseLibrary)
{
    FakeLauncher launcher;
    StatisticsWindow window(program.context, launcher);
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(lastNotice().startsWith("操作系统是精简版本，不支持本功能\r\r")) << lastNotice().toStdString();
    EXPECT_TRUE(lastNotice().contains(ORVALEN_SQLCIPHER_LIBRARY)) << lastNotice().toStdString();
}

TEST_F(MissingLibraryTest, export_namesTheMissingSpreadsheetLibraryAndWritesCsv)
{
    FakeLauncher launcher;
    launcher.handlers["application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"] = "calc.desktop";
    const ExportTable table{"sheet1", {"序号"}, {{"1"}}};
    EXPECT_EQ(exportToSpreadsheet(program.context.folder, table, launcher, program.notifier), SpreadsheetExport::Csv);
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(lastNotice().contains(ORVALEN_XLSXWRITER_LIBRARY)) << lastNotice().toStdString();
    EXPECT_FALSE(lastNotice().contains("没有安装")) << lastNotice().toStdString();
    EXPECT_EQ(launcher.desktop, QStringList{program.file("sheet1.csv")});
}

} // namespace
