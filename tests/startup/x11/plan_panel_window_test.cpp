#include "display/display_window.h"
#include "plans/plan_panel.h"
#include "settings/settings_window.h"
#include "startup/desktop_windows.h"
#include "startup/program_windows.h"
#include "startup/x11/settings_from_menu.h"
#include "support/temp_program.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QStringList submenu()
{
    QStringList out;
    if (QMenu* m = desktopMenuItem(DesktopItem::Plans)->menu())
        for (QAction* a : m->actions())
            if (a->isVisible())
                out << a->text();
    return out;
}

QStringList listed(PlanPanel& panel)
{
    QStringList out;
    for (int r = 0; r < panel.rowCount(); ++r)
        out << panel.table()->model()->index(r, 0).data().toString() + " " + panel.entryAt(r).name;
    return out;
}

TEST(PlanPanelInWindow, saveThreeMoveDeleteLoad_tableSubmenuAndListAgreeAfterARestart)
{
    TempProgram program;
    auto windows = buildProgramWindows(program.context, makeDesktopWindows);
    with_settings([&](SettingsWindow& w) {
        namedChild<QCheckBox>(w, "阶段设置")->setChecked(true);
        auto* panel = w.findChild<PlanPanel*>();
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(panel->isVisible());
        for (const QString name : {"甲", "乙", "丙"}) {
            namedChild<QLineEdit>(w, "阶段名称")->setText(name);
            namedChild<QLineEdit>(w, "动态文本")->setText("欢迎" + name);
            QTest::mouseClick(panel->button(PlanPanel::Button::Save), Qt::LeftButton);
        }
        EXPECT_EQ(listed(*panel), QStringList({"001 甲", "002 乙", "003 丙"}));
        EXPECT_EQ(submenu(), QStringList({"甲", "乙", "丙"}));
        panel->table()->selectRow(2);
        QTest::mouseClick(panel->button(PlanPanel::Button::Up), Qt::LeftButton);
        QTest::mouseClick(panel->button(PlanPanel::Button::Up), Qt::LeftButton);
        panel->table()->selectRow(1);
        QTest::mouseClick(panel->button(PlanPanel::Button::Delete), Qt::LeftButton);
        EXPECT_EQ(listed(*panel), QStringList({"001 丙", "002 乙"}));
        EXPECT_EQ(submenu(), QStringList({"丙", "乙"}));
        namedChild<QLineEdit>(w, "阶段名称")->setText("x");
        panel->table()->selectRow(0);
        panel->loadCurrent();
        EXPECT_EQ(namedChild<QLineEdit>(w, "阶段名称")->text(), "丙");
        EXPECT_EQ(namedChild<QLineEdit>(w, "动态文本")->text(), "欢迎丙");
    });
    for (const auto& s : program.notifier.shown)
        ADD_FAILURE() << "message: " << s.text.toStdString();

    windows.reset();
    windows = buildProgramWindows(program.context, makeDesktopWindows);
    // The saved plans are read once the start-up has the key of DeskData.db.
    windows->deskDataReady();
    EXPECT_EQ(submenu(), QStringList({"丙", "乙"}));
    with_settings([&](SettingsWindow& w) {
        namedChild<QCheckBox>(w, "阶段设置")->setChecked(true);
        EXPECT_EQ(listed(*w.findChild<PlanPanel*>()), QStringList({"001 丙", "002 乙"}));
    });
}

} // namespace
} // namespace orvalen::test
