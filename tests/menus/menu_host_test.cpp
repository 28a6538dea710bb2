#include "display/display_window.h"
#include "menus/menu_host.h"
#include "stores/registry_values.h"
#include "stores/run_state.h"
#include "support/temp_program.h"
#include "timing/run_commands.h"
#include "stores/plan_codec.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

class RecordingCommands final : public RunCommands {
public:
    using RunCommands::RunCommands;
    void start_timing() override { calls << "start"; }
    void stop_timing() override { calls << "stop"; }
    void pause_timing() override { calls << "pause"; }
    QStringList calls;
};

class RecordingWindows final : public WindowHooks {
public:
    void showSettings() override { calls << "settings"; }
    void showBackground() override { calls << "background"; }
    void showStatistics() override { calls << "statistics"; }
    void showAbout() override { calls << "about"; }
    void openHelp() override { calls << "help"; }
    void openArticleLink(int item) override { calls << QStringLiteral("link %1").arg(item); }
    void unloadWindows() override { calls << "unload"; }
    QStringList calls;
};

class RecordingElementMenu final : public ElementMenuHooks {
public:
    void elementMenuChosen(ElementAction action) override { clicks.push_back(int(action)); }
    std::vector<int> clicks;
};

class MenuHostTest : public ::testing::Test {
protected:
    MenuHostTest()
    {
        menuHost = std::make_unique<MenuHost>(program.context, host, module);
        display = std::make_unique<DisplayWindow>(program.context, host, module, *menuHost);
        commands = std::make_unique<RecordingCommands>(EngineContext{program.context, host, module, *display, timers});
        MenuHooks hooks;
        hooks.windows = &windows;
        hooks.element = &element;
        menuHost->setHooks(hooks);
        menuHost->setDisplay(display.get());
        menuHost->setRunCommands(commands.get());
        menuHost->setCtrlQuery([this] { return ctrl; });
        menuHost->setQuitHandler([this] { ++quits; });
    }

    QStringList allCalls() const { return commands->calls + windows.calls; }
    std::vector<bool> buttonsEnabled() const
    {
        std::vector<bool> enabled;
        for (int i = 0; i < 5; ++i)
            enabled.push_back(display->findChild<QLabel*>(QStringLiteral("screenButton%1").arg(i))->isEnabled());
        return enabled;
    }

    TempProgram program;
    HostState host;
    ModuleState module;
    std::unique_ptr<MenuHost> menuHost;
    EngineTimers timers{program.timers};
    std::unique_ptr<DisplayWindow> display;
    std::unique_ptr<RecordingCommands> commands;
    RecordingWindows windows;
    RecordingElementMenu element;
    bool ctrl = false;
    int quits = 0;
};

TEST_F(MenuHostTest, commandsReachTheirActions)
{
    const std::vector<std::pair<int, QString>> expected = {
        {0, "start"}, {1, "stop"}, {2, "pause"}, {6, "settings"}, {8, "background"},
        {13, "statistics"}, {15, "help"}, {16, "about"}};
    for (const auto& [k, call] : expected) {
        commands->calls.clear();
        windows.calls.clear();
        menuHost->desktopRun(k);
        EXPECT_EQ(allCalls(), QStringList{call}) << k;
    }
}

TEST_F(MenuHostTest, settingsAndAboutWithCtrlHeld_openTheLinkInstead)
{
    ctrl = true;
    menuHost->desktopRun(6);
    menuHost->desktopRun(16);
    EXPECT_EQ(windows.calls, (QStringList{"link 6", "link 16"}));
}

TEST_F(MenuHostTest, itemsWithoutCommandAndOutOfRange_doNothing)
{
    const auto before = host.desktop;
    for (int k : {3, 4, 5, 11, 14, 18, -1, 1000}) {
        menuHost->desktopRun(k);
        EXPECT_TRUE(allCalls().isEmpty()) << k;
    }
    EXPECT_EQ(quits, 0);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(host.desktop[i].checked, before[i].checked) << i;
}

TEST_F(MenuHostTest, exit_closesTheWindowsThenEndsTheProgram)
{
    display->show();
    menuHost->desktopRun(17);
    EXPECT_FALSE(display->isVisible());
    EXPECT_EQ(windows.calls, QStringList{"unload"});
    EXPECT_EQ(quits, 1);
}

TEST_F(MenuHostTest, adjustModeOff_buttonsTakeTheirMenuItemsEnabledFlags)
{
    display->setButtonsShown(true);
    host.desktop[0].enabled = false;
    host.desktop[1].enabled = true;
    host.desktop[2].enabled = true;
    host.desktop[6].enabled = false;
    host.desktop[17].enabled = false;
    host.desktop[7].checked = false;

    menuHost->desktopRun(7); // on: every button can be dragged
    EXPECT_TRUE(host.adjust_mode());
    EXPECT_EQ(buttonsEnabled(), std::vector<bool>(5, true));

    menuHost->desktopRun(7); // off
    EXPECT_FALSE(host.adjust_mode());
    EXPECT_EQ(buttonsEnabled(), (std::vector<bool>{false, true, true, false, false}));
}

TEST_F(MenuHostTest, adjustModeOnWithHiddenButtons_leavesTheirEnabledFlags)
{
    host.desktop[7].checked = false;
    display->setButtonsShown(false);
    display->setButtonsEnabled({false, false, false, false, false});
    menuHost->desktopRun(7);
    EXPECT_EQ(buttonsEnabled(), std::vector<bool>(5, false));
}

TEST_F(MenuHostTest, displayLoad_showsTheReadyRunItemsAndButtons_keepingHotkeyTails)
{
    host.desktop[0].caption = QStringLiteral("清零        Ctrl+1");
    host.desktop[2].caption = QStringLiteral("继续        Ctrl+3");
    host.desktop[1].enabled = true;
    host.desktop[17].visible = false;
    program.ini.write("clocksite", "pictureleft9", "1");
    display->load();
    const auto& d = host.desktop;
    EXPECT_EQ(d[0].caption, QStringLiteral("开始        Ctrl+1"));
    EXPECT_TRUE(d[0].enabled);
    EXPECT_FALSE(d[1].enabled);
    EXPECT_EQ(d[2].caption, QStringLiteral("暂停        Ctrl+3"));
    EXPECT_FALSE(d[2].enabled);
    EXPECT_FALSE(d[3].enabled);
    EXPECT_TRUE(d[5].visible);
    EXPECT_TRUE(d[6].enabled);
    EXPECT_TRUE(d[7].enabled);
    EXPECT_TRUE(d[12].enabled);
    for (int k : {13, 15, 16, 17})
        EXPECT_TRUE(d[k].visible) << k;
    EXPECT_TRUE(d[17].enabled);
    EXPECT_EQ(menuHost->desktopAction(0)->text(), d[0].caption);
    EXPECT_TRUE(display->buttonsShown());
    EXPECT_EQ(buttonsEnabled(), (std::vector<bool>{true, false, false, true, true}));
    const char* texts[3] = {" 开始 ", " 停止 ", " 暂停 "};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(display->findChild<QLabel*>(QStringLiteral("screenButton%1").arg(i))->text(), QString::fromUtf8(texts[i]));
}

TEST_F(MenuHostTest, buttonsItemTwice_togglesVisibilityAndStoresTheFlagEachTime)
{
    host.desktop[9].checked = false;
    menuHost->desktopRun(9);
    EXPECT_TRUE(host.desktop[9].checked);
    EXPECT_TRUE(display->buttonsShown());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "1");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop9", ""), "0");

    menuHost->desktopRun(9);
    EXPECT_FALSE(host.desktop[9].checked);
    EXPECT_FALSE(display->buttonsShown());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "0");
}

TEST_F(MenuHostTest, extendedScreenOnOneScreen_saysSoOnceAndTakesTheMarkBack)
{
    host.desktop[10].checked = false;
    menuHost->desktopRun(10);
    EXPECT_EQ(program.notifier.texts(), QStringList{"没有连接扩展屏，请确认"});
    EXPECT_FALSE(host.desktop[10].checked);
    EXPECT_EQ(display->windowState() & ~Qt::WindowActive, Qt::WindowFullScreen);
}

TEST_F(MenuHostTest, minimiseItem_fillsTheScreenFromNormalOrMinimisedAndMinimisesAFullScreen)
{
    const auto fullScreen = [&] { return (display->windowState() & ~Qt::WindowActive) == Qt::WindowFullScreen; };
    display->showNormal();
    menuHost->desktopRun(12);
    EXPECT_TRUE(fullScreen());
    for (int round = 0; round < 2; ++round) {
        menuHost->desktopRun(12);
        EXPECT_TRUE(display->isMinimized());
        menuHost->desktopRun(12);
        EXPECT_TRUE(fullScreen()) << round;
    }
}

TEST_F(MenuHostTest, load_readsTheClockSourceAndTheWeekdayItem)
{
    plan_codec::setFieldText(module.clock_plan, "checkthree", "011111");
    menuHost->load();
    EXPECT_EQ(host.run.clockSource(), 0); // no clockmode stored
    EXPECT_TRUE(host.clockset[4].checked);

    registry_values::set_clockmode(program.registry, 2);
    plan_codec::setFieldText(module.clock_plan, "checkthree", "001111");
    menuHost->load();
    EXPECT_EQ(host.run.clockSource(), 2);
    EXPECT_FALSE(host.clockset[4].checked);
    EXPECT_FALSE(menuHost->clocksetAction(4)->isChecked());
}

TEST_F(MenuHostTest, menuMirrorsTheRunStateWithHotkeySuffix)
{
    host.desktop[0].caption = QStringLiteral("清零        Ctrl+F1");
    host.desktop[1].enabled = false;
    host.desktop[13].visible = false;
    host.menusChanged();
    EXPECT_EQ(menuHost->desktopAction(0)->text(), QStringLiteral("清零        Ctrl+F1"));
    EXPECT_FALSE(menuHost->desktopAction(1)->isEnabled());
    EXPECT_FALSE(menuHost->desktopAction(13)->isVisible());
    EXPECT_EQ(menuHost->desktopAction(14), nullptr);
    EXPECT_EQ(menuHost->desktopclock()->actions().size(), 17);
    EXPECT_EQ(menuHost->desktopclock()->title(), "全屏时钟");
    EXPECT_EQ(menuHost->clocksetMenu()->title(), "运行设置");
    EXPECT_EQ(menuHost->desktopAction(5)->menu(), menuHost->planSubmenu());
}

TEST_F(MenuHostTest, choosingACheckItem_togglesItOnce)
{
    host.desktop[7].checked = false;
    host.menusChanged();
    menuHost->desktopAction(7)->trigger();
    EXPECT_TRUE(host.desktop[7].checked);
    EXPECT_TRUE(menuHost->desktopAction(7)->isChecked());
}

TEST_F(MenuHostTest, elementMenuItems_goToTheElementMenuWithoutTogglingTheWeekday)
{
    host.clockset[4].checked = false;
    host.menusChanged();
    for (int i = 0; i < 5; ++i)
        menuHost->clocksetAction(i)->trigger();
    EXPECT_EQ(element.clicks, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(host.clockset[4].checked);
    EXPECT_FALSE(menuHost->clocksetAction(4)->isChecked());
}

} // namespace
} // namespace orvalen::test
