#include "display/display_window.h"
#include "settings/number_field.h"
#include "settings/settings_window.h"
#include "startup/desktop_windows.h"
#include "startup/program_windows.h"
#include "startup/x11/settings_from_menu.h"
#include "support/temp_program.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

TEST(SettingsFromMenu, totalTwoMinutesApplied_displayShowsItReadyAndAfterRestart)
{
    TempProgram program;
    auto windows = buildProgramWindows(program.context, makeDesktopWindows);
    auto* display = find_widget<DisplayWindow>();
    ASSERT_NE(display, nullptr);

    with_settings([&](SettingsWindow& w) {
        namedChild<QLineEdit>(w, "总时长 时")->setText("0");
        namedChild<QLineEdit>(w, "总时长 分")->setText("2");
        namedChild<QLineEdit>(w, "总时长 秒")->setText("0");
        QTest::mouseClick(namedChild<QPushButton>(w, "应用"), Qt::LeftButton);
        program.timers.advance(500); // the display's set-up
        EXPECT_EQ(display->elementView().elementText(DisplayElement::Clock), "02:00");
        EXPECT_TRUE(desktopMenuItem(DesktopItem::Start)->isEnabled());
        EXPECT_TRUE(desktopMenuItem(DesktopItem::Start)->text().startsWith("开始"));
    });
    EXPECT_TRUE(program.notifier.shown.empty());

    windows.reset();
    windows = buildProgramWindows(program.context, makeDesktopWindows);
    program.timers.advance(500);
    display = find_widget<DisplayWindow>();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->elementView().elementText(DisplayElement::Clock), "02:00");
}

TEST(SettingsFromMenu, onScreenSettingsButton_opensTheWindow)
{
    TempProgram program;
    auto windows = buildProgramWindows(program.context, makeDesktopWindows);
    auto* display = find_widget<DisplayWindow>();
    ASSERT_NE(display, nullptr);
    auto* button = display->findChild<QPushButton*>(QStringLiteral("设置"));
    button->show();
    bool opened = false;
    with_settings([&](SettingsWindow& w) { opened = w.isVisible(); },
                  [&] {
                      QTest::mouseClick(button, Qt::LeftButton);
                      QTest::qWait(50);
                  });
    EXPECT_TRUE(opened);
}

} // namespace
} // namespace orvalen::test
