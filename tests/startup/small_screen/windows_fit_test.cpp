// The windows of the desktop menu on the smallest screen they are made for:
// this executable runs on an offscreen screen of 1280x720 (see
// tests/CMakeLists.txt).
#include "plans/plan_panel.h"
#include "settings/settings_window.h"
#include "support/menu_items.h"
#include "support/named_child.h"
#include "startup/desktop_windows.h"
#include "startup/program_windows.h"
#include "support/temp_program.h"
#include "support/when_shown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

namespace {

// A window manager puts a title bar above the window's frame.
constexpr int kTitleBar = 32;

void expectInside(const QRect& area, const QRect& frame, const QString& what)
{
    SCOPED_TRACE(what.toStdString());
    EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                      << frame.height();
    EXPECT_LE(frame.height() + kTitleBar, area.height());
}

} // namespace

TEST(WindowsOnSmallScreen, settingsWithPlanPanelStatisticsBackgroundAbout_fitTheAvailableArea)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(1280, 720));
    TempProgram program;
    auto windows = buildProgramWindows(program.context, makeDesktopWindows);
    QMenu* menu = programDesktopMenu();
    ASSERT_NE(menu, nullptr);
    const auto choose = [menu](DesktopItem item) { menuItem(*menu, item)->trigger(); };

    int checked = 0;
    when_shown<SettingsWindow>([&](SettingsWindow* settings) {
        QDialog& window = *settings;
        namedChild<QCheckBox>(*settings, "阶段设置")->setChecked(true);
        QApplication::processEvents(); // the layout grows the window, then it is kept on screen
        QApplication::processEvents();
        expectInside(area, window.frameGeometry(), "设置 with 阶段设置");
        auto* panel = window.findChild<PlanPanel*>();
        EXPECT_NE(panel, nullptr);
        for (auto b : {PlanPanel::Button::Save, PlanPanel::Button::Delete, PlanPanel::Button::Export}) {
            QPushButton* button = panel ? panel->button(b) : nullptr;
            if (!button)
                break;
            EXPECT_TRUE(button->isVisible());
            const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
            expectInside(area, onScreen, button->text());
            EXPECT_TRUE(window.rect().contains(QRect(button->mapTo(&window, QPoint(0, 0)), button->size())));
        }
        ++checked;
        window.reject();
    });
    choose(DesktopItem::Settings);
    for (DesktopItem item : {DesktopItem::Background, DesktopItem::Statistics, DesktopItem::About}) {
        when_shown<QDialog>([&](QDialog* window) {
            expectInside(area, window->frameGeometry(), window->windowTitle());
            ++checked;
            window->reject();
        });
        choose(item);
    }
    EXPECT_EQ(checked, 4);
}
