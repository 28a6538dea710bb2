#include "stores/plan_store.h"
#include "display/display_window.h"
#include "display/screen_buttons.h"
#include "menus/menu_host.h"
#include "stores/registry_values.h"
#include "state/run_state.h"
#include "support/menu_items.h"
#include "support/temp_program.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

class RecordingCommands final : public RunCommands {
public:
    using RunCommands::RunCommands;
    void startTiming() override { calls << "start"; }
    void stopTiming() override { calls << "stop"; }
    void pauseTiming() override { calls << "pause"; }
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
    void elementMenuChosen(ElementAction action, DisplayElement element) override
    {
        clicks.push_back(action);
        elements.push_back(element);
    }
    std::vector<ElementAction> clicks;
    std::vector<DisplayElement> elements;
};

// The menu host as the display's host; made after the display.
class MenuHostRelay final : public DisplayHost {
public:
    explicit MenuHostRelay(std::unique_ptr<MenuHost>& menuHost) : m_menuHost(menuHost) {}
    void runDesktopItem(DesktopItem command) override { m_menuHost->runDesktopItem(command); }
    void showReady() override { m_menuHost->showReady(); }
    void popupDesktopMenu(const QPoint& at) override { m_menuHost->popupDesktopMenu(at); }
    void popupElementMenu(const QPoint& at, DisplayElement e, const ElementMenuItems& items) override
    {
        m_menuHost->popupElementMenu(at, e, items);
    }
    void stopRunOnClose() override { m_menuHost->stopRunOnClose(); }
    void registerHotkeys() override { m_menuHost->registerHotkeys(); }
    void releaseHotkeys() override { m_menuHost->releaseHotkeys(); }

private:
    std::unique_ptr<MenuHost>& m_menuHost;
};

class MenuHostTest : public ::testing::Test {
protected:
    MenuHostTest()
    {
        display = std::make_unique<DisplayWindow>(program.context, host, currentPlan, relay);
        commands = std::make_unique<RecordingCommands>(EngineContext{program.context, host, currentPlan, session, display->countView(), timers});
        menuHost = std::make_unique<MenuHost>(program.context, host, currentPlan, *commands);
        MenuHooks hooks;
        hooks.windows = &windows;
        hooks.element = &element;
        menuHost->setHooks(hooks);
        menuHost->setDisplay(display.get(), display.get());
        menuHost->setCtrlQuery([this] { return ctrl; });
        menuHost->setQuitHandler([this] { ++quits; });
    }

    QStringList allCalls() const { return commands->calls + windows.calls; }
    QPushButton* screenButton(ScreenButton b) const { return display->findChild<QPushButton*>(screenButtonName(b)); }
    std::vector<bool> buttonsEnabled() const
    {
        std::vector<bool> enabled;
        for (const ScreenButtonEntry& button : kScreenButtons)
            enabled.push_back(screenButton(button.button)->isEnabled());
        return enabled;
    }

    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    CountSession session;
    std::unique_ptr<MenuHost> menuHost;
    MenuHostRelay relay{menuHost};
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
    using enum DesktopItem;
    const std::vector<std::pair<DesktopItem, QString>> expected = {
        {Start, "start"}, {Stop, "stop"}, {Pause, "pause"}, {Settings, "settings"}, {Background, "background"},
        {Statistics, "statistics"}, {Help, "help"}, {About, "about"}};
    for (const auto& [k, call] : expected) {
        commands->calls.clear();
        windows.calls.clear();
        menuHost->runDesktopItem(k);
        EXPECT_EQ(allCalls(), QStringList{call}) << desktopItemName(k);
    }
}

TEST_F(MenuHostTest, settingsAndAboutWithCtrlHeld_openTheLinkInstead)
{
    ctrl = true;
    menuHost->runDesktopItem(DesktopItem::Settings);
    menuHost->runDesktopItem(DesktopItem::About);
    EXPECT_EQ(windows.calls, (QStringList{"link 6", "link 16"}));
}

TEST_F(MenuHostTest, itemsWithoutCommandAndOutOfRange_doNothing)
{
    int changes = 0;
    QObject::connect(&host.menus, &MenuState::changed, [&] { ++changes; });
    QObject::connect(&host.menus, &MenuState::adjustModeChanged, [&] { ++changes; });
    using enum DesktopItem;
    // Beside the items without a command, numbers that name no item.
    for (DesktopItem k : {Reset, StartSeparator, Plans, WindowSeparator, DesktopItem(14), DesktopItem(18), DesktopItem(-1),
                          DesktopItem(1000)}) {
        menuHost->runDesktopItem(k);
        EXPECT_TRUE(allCalls().isEmpty()) << int(k);
    }
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(MenuHostTest, exit_closesTheWindowsThenEndsTheProgram)
{
    display->show();
    menuHost->runDesktopItem(DesktopItem::Exit);
    EXPECT_FALSE(display->isVisible());
    EXPECT_EQ(windows.calls, QStringList{"unload"});
    EXPECT_EQ(quits, 1);
}

TEST_F(MenuHostTest, adjustModeOff_buttonsTakeTheirMenuItemsEnabledFlags)
{
    display->setButtonsShown(true);
    host.run.runStateWriter().start(); // a run is on
    host.menus.setAdjustMode(false);

    menuHost->runDesktopItem(DesktopItem::AdjustMode); // on: every button can be dragged
    EXPECT_TRUE(host.menus.adjustMode());
    EXPECT_TRUE(menuHost->action(DesktopItem::AdjustMode)->isChecked());
    EXPECT_EQ(buttonsEnabled(), std::vector<bool>(5, true));

    menuHost->runDesktopItem(DesktopItem::AdjustMode); // off
    EXPECT_FALSE(host.menus.adjustMode());
    EXPECT_EQ(buttonsEnabled(), (std::vector<bool>{false, true, true, false, false}));
    for (const ScreenButtonEntry& button : kScreenButtons)
        EXPECT_EQ(menuHost->action(button.command)->isEnabled(), commandEnabled(button.command, RunState::Running))
            << int(button.command);
}

TEST_F(MenuHostTest, adjustModeOnWithHiddenButtons_leavesTheirEnabledFlags)
{
    host.menus.setAdjustMode(false);
    host.run.runStateWriter().start();
    display->setButtonsShown(false);
    menuHost->runDesktopItem(DesktopItem::AdjustMode);
    EXPECT_EQ(buttonsEnabled(), (std::vector<bool>{false, true, true, false, false}));
}

TEST_F(MenuHostTest, displayLoad_showsTheReadyRunItemsAndButtons_keepingHotkeyTails)
{
    host.menus.setHotkeyTexts({QStringLiteral("Ctrl+1"), QString(), QStringLiteral("Ctrl+3")});
    host.run.runStateWriter().start();
    host.run.runStateWriter().pause(); // paused: the display's load ends it
    host.menus.setPlanItem(false, false);
    program.ini.write("clocksite", "pictureleft9", "1");
    loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
    display->load();
    const auto item = [&](DesktopItem k) { return menuHost->action(k); };
    EXPECT_EQ(item(DesktopItem::Start)->text(), QStringLiteral("开始        Ctrl+1"));
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Stop)->isEnabled());
    EXPECT_EQ(item(DesktopItem::Pause)->text(), QStringLiteral("暂停        Ctrl+3"));
    EXPECT_FALSE(item(DesktopItem::Pause)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Reset)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::Plans)->isVisible());
    EXPECT_TRUE(item(DesktopItem::Settings)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::AdjustMode)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::Minimise)->isEnabled());
    for (DesktopItem k : {DesktopItem::Statistics, DesktopItem::Help, DesktopItem::About, DesktopItem::Exit})
        EXPECT_TRUE(item(k)->isVisible()) << desktopItemName(k);
    EXPECT_TRUE(item(DesktopItem::Exit)->isEnabled());
    EXPECT_TRUE(display->buttonsShown());
    EXPECT_EQ(buttonsEnabled(), (std::vector<bool>{true, false, false, true, true}));
    EXPECT_EQ(screenButton(ScreenButton::Start)->text(), " 开始 ");
    EXPECT_EQ(screenButton(ScreenButton::Stop)->text(), " 停止 ");
    EXPECT_EQ(screenButton(ScreenButton::Pause)->text(), " 暂停 ");
}

TEST_F(MenuHostTest, buttonsItemTwice_togglesVisibilityAndStoresTheFlagEachTime)
{
    host.menus.setButtonsShown(false);
    menuHost->runDesktopItem(DesktopItem::Buttons);
    EXPECT_TRUE(menuHost->action(DesktopItem::Buttons)->isChecked());
    EXPECT_TRUE(display->buttonsShown());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "1");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop9", ""), "0");

    menuHost->runDesktopItem(DesktopItem::Buttons);
    EXPECT_FALSE(menuHost->action(DesktopItem::Buttons)->isChecked());
    EXPECT_FALSE(display->buttonsShown());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "0");
}

TEST_F(MenuHostTest, extendedScreenOnOneScreen_saysSoOnceAndTakesTheMarkBack)
{
    host.menus.setExtendedScreen(false);
    menuHost->runDesktopItem(DesktopItem::ExtendedScreen);
    EXPECT_EQ(program.notifier.texts(), QStringList{"没有连接扩展屏，请确认"});
    EXPECT_FALSE(menuHost->action(DesktopItem::ExtendedScreen)->isChecked());
    EXPECT_EQ(display->windowState() & ~Qt::WindowActive, Qt::WindowFullScreen);
}

TEST_F(MenuHostTest, minimiseItem_fillsTheScreenFromNormalOrMinimisedAndMinimisesAFullScreen)
{
    const auto fullScreen = [&] { return (display->windowState() & ~Qt::WindowActive) == Qt::WindowFullScreen; };
    display->showNormal();
    menuHost->runDesktopItem(DesktopItem::Minimise);
    EXPECT_TRUE(fullScreen());
    for (int round = 0; round < 2; ++round) {
        menuHost->runDesktopItem(DesktopItem::Minimise);
        EXPECT_TRUE(display->isMinimized());
        menuHost->runDesktopItem(DesktopItem::Minimise);
        EXPECT_TRUE(fullScreen()) << round;
    }
    // The caption follows the window state.
    host.menus.setDisplayMinimised(true);
    EXPECT_EQ(menuHost->action(DesktopItem::Minimise)->text(), QStringLiteral("最大化"));
    host.menus.setDisplayMinimised(false);
    EXPECT_EQ(menuHost->action(DesktopItem::Minimise)->text(), QStringLiteral("最小化"));
}

TEST_F(MenuHostTest, load_readsTheClockSourceAndTheWeekdayItem)
{
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "011111"); });
    menuHost->load();
    EXPECT_EQ(host.run.clockSource(), 0); // no clockmode stored
    EXPECT_TRUE(host.menus.weekdayChecked());

    registry_values::setClockmode(program.registry, 2);
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "001111"); });
    menuHost->load();
    EXPECT_EQ(host.run.clockSource(), 2);
    EXPECT_FALSE(host.menus.weekdayChecked());
    EXPECT_FALSE(menuHost->action(ElementAction::Weekday)->isChecked());
}

TEST_F(MenuHostTest, menuShowsTheRunStateWithHotkeySuffix)
{
    host.menus.setHotkeyTexts({QStringLiteral("Ctrl+F1"), QString(), QString()});
    host.run.runStateWriter().start();
    EXPECT_TRUE(menuHost->action(DesktopItem::Stop)->isEnabled());
    EXPECT_FALSE(menuHost->action(DesktopItem::Statistics)->isVisible());
    host.run.runStateWriter().finish();
    EXPECT_EQ(menuHost->action(DesktopItem::Start)->text(), QStringLiteral("清零        Ctrl+F1"));
    EXPECT_EQ(menuHost->action(DesktopItem::Stop)->text(), QStringLiteral("停止        "));
    EXPECT_FALSE(menuHost->action(DesktopItem::Stop)->isEnabled());
    EXPECT_FALSE(menuHost->action(DesktopItem::Settings)->isEnabled()); // only once cleared
    EXPECT_TRUE(menuHost->action(DesktopItem::Statistics)->isVisible());
    EXPECT_EQ(menuHost->action(DesktopItem(14)), nullptr);
    EXPECT_EQ(menuHost->desktopMenu()->actions().size(), 17);
    EXPECT_EQ(menuHost->desktopMenu()->title(), "全屏时钟");
    EXPECT_EQ(menuHost->elementMenu()->title(), "运行设置");
    EXPECT_EQ(menuHost->action(DesktopItem::Plans)->menu(), menuHost->planSubmenu());
}

TEST_F(MenuHostTest, everyItem_isFoundByTheNameOfWhatItDoes)
{
    using enum DesktopItem;
    for (DesktopItem k : {Start, Stop, Pause, Reset, Plans, Settings, AdjustMode, Background, Buttons, ExtendedScreen,
                          Minimise, Statistics, Help, About, Exit})
        EXPECT_EQ(menuItem(*menuHost->desktopMenu(), k), menuHost->action(k)) << desktopItemName(k);
    using enum ElementAction;
    for (ElementAction k : {Font, Colour, Centre, Hide, Weekday})
        EXPECT_EQ(menuItem(*menuHost->elementMenu(), k), menuHost->action(k)) << elementItemName(k);
}

TEST_F(MenuHostTest, choosingACheckItem_togglesItOnce)
{
    host.menus.setAdjustMode(false);
    menuHost->action(DesktopItem::AdjustMode)->trigger();
    EXPECT_TRUE(host.menus.adjustMode());
    EXPECT_TRUE(menuHost->action(DesktopItem::AdjustMode)->isChecked());
}

TEST_F(MenuHostTest, elementMenuItems_goToTheElementMenuWithTheElementItOpenedOn_withoutTogglingTheWeekday)
{
    host.menus.setWeekdayChecked(false);
    ElementMenuItems items;
    items.centre = false;
    menuHost->popupElementMenu(QPoint(10, 10), DisplayElement::Logo, items);
    EXPECT_FALSE(menuHost->action(ElementAction::Centre)->isVisible());
    EXPECT_TRUE(menuHost->action(ElementAction::Hide)->isVisible());
    menuHost->elementMenu()->hide();
    using enum ElementAction;
    const std::vector<ElementAction> all{Font, Colour, Centre, Hide, Weekday};
    for (ElementAction k : all)
        menuHost->action(k)->trigger();
    EXPECT_EQ(element.clicks, all);
    EXPECT_EQ(element.elements, std::vector<DisplayElement>(5, DisplayElement::Logo));
    EXPECT_FALSE(host.menus.weekdayChecked());
    EXPECT_FALSE(menuHost->action(ElementAction::Weekday)->isChecked());

    // Opened on another element, the menu's items act on that one.
    menuHost->popupElementMenu(QPoint(10, 10), DisplayElement::Clock, ElementMenuItems{});
    menuHost->elementMenu()->hide();
    menuHost->action(ElementAction::Hide)->trigger();
    std::vector<ElementAction> chosen = all;
    chosen.push_back(Hide);
    EXPECT_EQ(element.clicks, chosen);
    std::vector<DisplayElement> opened(5, DisplayElement::Logo);
    opened.push_back(DisplayElement::Clock);
    EXPECT_EQ(element.elements, opened);
}

} // namespace
} // namespace orvalen::test
