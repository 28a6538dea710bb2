#include "display/display_window.h"
#include "menus/program_windows.h"
#include "settings/number_field.h"
#include "settings/settings_window.h"
#include "support/temp_program.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

template <typename T>
T* find_widget()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            return t;
    return nullptr;
}

QAction* desktop_item(int k)
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == "desktopclock")
            return w->findChild<QAction*>(QStringLiteral("desktop_%1").arg(k));
    return nullptr;
}

// Chooses 设置 in the desktop menu and runs `inside` while the modal window
// is open; the window is closed afterwards.
void with_settings_from_menu(const std::function<void(SettingsWindow&)>& inside)
{
    bool ran = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            auto* w = find_widget<SettingsWindow>();
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
            inside(*w);
            ran = true;
            w->closeButton->click();
        },
        Qt::QueuedConnection);
    desktop_item(6)->trigger();
    EXPECT_TRUE(ran);
}

TEST(SettingsFromMenu, totalTwoMinutesApplied_displayShowsItReadyAndAfterRestart)
{
    TempProgram program;
    auto windows = build_program_windows(program.context);
    auto* display = find_widget<DisplayWindow>();
    ASSERT_NE(display, nullptr);

    with_settings_from_menu([&](SettingsWindow& w) {
        w.timeFields[1]->setText("0");
        w.timeFields[2]->setText("2");
        w.timeFields[3]->setText("0");
        QTest::mouseClick(w.applyButton, Qt::LeftButton);
        program.timers.advance(500); // the display's set-up
        EXPECT_EQ(display->Label3->text(), "02:00");
        EXPECT_TRUE(desktop_item(0)->isEnabled());
        EXPECT_TRUE(desktop_item(0)->text().startsWith("开始"));
    });
    EXPECT_TRUE(program.notifier.shown.empty());

    windows.reset();
    windows = build_program_windows(program.context);
    program.timers.advance(500);
    display = find_widget<DisplayWindow>();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->Label3->text(), "02:00");
}

} // namespace
} // namespace orvalen::test
