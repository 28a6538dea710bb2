// The global hotkeys for real: keys sent to the X server drive a run and
// switch plans in a display window with its engine, run commands and plan
// submenu.
#include "display/display_window.h"
#include "menus/menu_host.h"
#include "menus/plan_menu.h"
#include "platform/x11_hotkeys.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_repository.h"
#include "stores/plan_codec.h"
#include "stores/plan_store.h"
#include "support/other_x_client.h"
#include "support/quiet_display_host.h"
#include "support/temp_program.h"
#include "support/wait_until.h"
#include "support/xdotool.h"
#include "timing/display_engine.h"
#include "timing/global_hotkeys.h"
#include "timing/run_commands.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <memory>

using namespace orvalen;
using namespace orvalen::test;

namespace {

ClockPlan plan_with_title(const QString& title)
{
    ClockPlan p = ClockPlan::defaults(QDate(2026, 12, 8));
    p.Time_all = QTime(0, 5, 0);
    p.firsttext = title;
    return p;
}

struct HotkeysRunTest : ::testing::Test {
    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    QuietDisplayHost displayHost;
    std::unique_ptr<DisplayWindow> window;
    std::unique_ptr<DisplayEngine> engine;
    RunCommands* commands = nullptr;
    QMenu submenu;
    PlanRepository savedPlans{program.context.folder};
    std::unique_ptr<PlanMenu> plans;
    std::unique_ptr<X11Hotkeys> backend;
    std::unique_ptr<GlobalHotkeys> hotkeys;
    std::unique_ptr<MenuHost> menus;

    void SetUp() override
    {
        for (const auto& [key, value] : {std::pair{"start", "Ctrl+Alt+S"}, {"stop", "Ctrl+Alt+T"},
                                         {"pause", "Ctrl+Alt+P"}, {"often", "11"}})
            program.ini.write("Hotkey", key, value);
        QFile::remove(program.file("DeskData.db"));
        ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
        addPlan(1, "A");
        addPlan(2, "B");
        savePlan(program.registry, plan_with_title("current"));

        window = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
        engine = std::make_unique<DisplayEngine>(program.context, host, currentPlan, window->countView());
        commands = &engine->commands();
        loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
        window->load();
        engine->displayLoaded();
        menus = std::make_unique<MenuHost>(program.context, host, currentPlan, *commands);
        plans = std::make_unique<PlanMenu>(program.context, savedPlans, host, currentPlan, *commands,
                                           window->elementView(), &submenu);
        commands->setPlanSequence(plans.get());
        backend = std::make_unique<X11Hotkeys>();
        ASSERT_TRUE(backend->unavailableReason().isEmpty()) << "needs an X server";
        hotkeys = std::make_unique<GlobalHotkeys>(program.context, host, *commands, *backend);
        hotkeys->setPlanSequence(plans.get());
    }
    void TearDown() override
    {
        hotkeys.reset();
        backend.reset();
    }

    void addPlan(int id, const QString& name)
    {
        Database db = openDeskData(program.context.folder);
        ASSERT_TRUE(db.isOpen());
        const ClockPlan p = plan_with_title("title " + name);
        QStringList marks;
        for (int i = 0; i < deskclockColumns().size(); ++i)
            marks << "?";
        Statement insert(db, QString("INSERT INTO deskclock (%1) VALUES (%2)")
                                 .arg(deskclockColumns().join(", "), marks.join(", ")));
        insert.bindInt(1, id);
        insert.bindText(2, name);
        insert.bindText(3, "marquee " + name);
        for (int i = 0; i < plan_codec::kFieldCount; ++i)
            insert.bindText(4 + i, plan_codec::fieldText(p, i));
        ASSERT_TRUE(insert.run()) << insert.error().toStdString();
    }
    QAction* item(DesktopItem command) const { return menus->action(command); }
    QString word(DesktopItem command) const { return item(command)->text().left(2); }
};

} // namespace

TEST_F(HotkeysRunTest, startPauseContinueStop_fromTheKeyboard)
{
    hotkeys->registerHotkeys();
    ASSERT_TRUE(program.notifier.shown.empty()) << program.notifier.texts().join("|").toStdString();

    ASSERT_TRUE(xdotool({"key", "ctrl+alt+s"}));
    ASSERT_TRUE(wait_until([&] { return engine->timers().countSetup->isEnabled(); }));
    program.timers.advance(0);  // the set-up starts the count
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_TRUE(engine->timers().countdownTick->isEnabled());

    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}));
    ASSERT_TRUE(wait_until([&] { return word(DesktopItem::Pause) == "继续"; }));
    EXPECT_FALSE(engine->timers().countdownTick->isEnabled());
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}));
    ASSERT_TRUE(wait_until([&] { return word(DesktopItem::Pause) == "暂停"; }));
    EXPECT_TRUE(engine->timers().countdownTick->isEnabled());

    ASSERT_TRUE(xdotool({"key", "ctrl+alt+t"}));
    ASSERT_TRUE(wait_until([&] { return word(DesktopItem::Start) == "清零"; }));
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
}

TEST_F(HotkeysRunTest, planHotkeys_digitAndKeypad_switchToTheSavedPlan)
{
    hotkeys->registerHotkeys();
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+2"}));
    ASSERT_TRUE(wait_until([&] { return currentPlan.plan().firsttext == "title B"; }));
    EXPECT_EQ(plans->checkedPlan(), 1);
    EXPECT_EQ(window->elementView().elementText(DisplayElement::ScrollingText), "marquee B");

    ASSERT_TRUE(xdotool({"key", "ctrl+alt+KP_End"}));  // keypad 1 with NumLock off
    ASSERT_TRUE(wait_until([&] { return currentPlan.plan().firsttext == "title A"; }));
    EXPECT_EQ(plans->checkedPlan(), 0);
}

TEST_F(HotkeysRunTest, keyHeldByAnotherProgram_givesTheConflictMessage_othersStillWork)
{
    OtherXClient other;
    ASSERT_TRUE(other.grab(XK_k, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    program.ini.write("Hotkey", "start", "Ctrl+Alt+K");
    hotkeys->registerHotkeys();
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.shown[0].text.startsWith("热键Ctrl+Alt+K被其它程序占有\r\r"));
    EXPECT_EQ(program.notifier.shown[0].title, "Orvalen");

    ASSERT_TRUE(xdotool({"key", "ctrl+alt+2"}));
    EXPECT_TRUE(wait_until([&] { return currentPlan.plan().firsttext == "title B"; }));
}
