#include "startup/program_tray.h"

#include "display/display_host.h"
#include "services/tray_icon.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

class MenuHostStub final : public DisplayHost {
public:
    void runDesktopItem(DesktopItem) override {}
    void showReady() override {}
    void popupDesktopMenu(const QPoint&) override { ++desktopMenus; }
    void popupElementMenu(const QPoint&, DisplayElement, const ElementMenuItems&) override {}
    void stopRunOnClose() override {}
    void registerHotkeys() override {}
    void releaseHotkeys() override {}
    int desktopMenus = 0;
};

TEST(ProgramTray, showsTheDisplaysTitle_onlyASingleRightClickOpensTheMenu_goesWhenTheDisplayCloses)
{
    QWidget display;
    display.setWindowTitle(QStringLiteral("Orvalen(全屏版)"));
    MenuHostStub host;
    ProgramTray tray(display, host);
    ASSERT_TRUE(tray.icon());
    EXPECT_EQ(tray.icon()->tip(), QStringLiteral("Orvalen(全屏版)"));

    tray.icon()->handleActivation(QSystemTrayIcon::DoubleClick);
    tray.icon()->handleActivation(QSystemTrayIcon::MiddleClick);
    tray.clicked(2, true);
    EXPECT_EQ(host.desktopMenus, 0);
    tray.icon()->handleActivation(QSystemTrayIcon::Trigger);
    EXPECT_EQ(host.desktopMenus, 0);
    tray.icon()->handleActivation(QSystemTrayIcon::Context);
    EXPECT_EQ(host.desktopMenus, 1);

    display.close();
    EXPECT_FALSE(tray.icon());
}

} // namespace
} // namespace orvalen::test
