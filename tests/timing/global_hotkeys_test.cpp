#include "timing/global_hotkeys.h"

#include "menus/menu_host.h"
#include "platform/hotkey_backend.h"
#include "state/run_state.h"
#include "timing/engine_parts.h"
#include "timing/fake_plans.h"
#include "timing/run_commands.h"
#include "state/run_controller.h"

#include <QAction>
#include <QSet>
#include <gtest/gtest.h>
#include <map>
#include <utility>

using namespace orvalen;

namespace {

struct FakeBackend final : HotkeyBackend {
    std::map<int, std::pair<int, int>> grabbed;  // id -> (modifiers, key code)
    QSet<QPair<int, int>> heldElsewhere;
    bool unavailable = false;
    int grabCalls = 0;

    QVector<Grab> grabKeys(const QVector<Key>& keys) override
    {
        ++grabCalls;
        QVector<Grab> outcomes;
        for (const Key& k : keys) {
            if (unavailable) {
                outcomes << Grab::Unavailable;
            } else if (heldElsewhere.contains({k.modifiers, k.keyCode})) {
                outcomes << Grab::HeldElsewhere;
            } else {
                grabbed[k.id] = {k.modifiers, k.keyCode};
                outcomes << Grab::Done;
            }
        }
        return outcomes;
    }
    void release(int id) override { grabbed.erase(id); }
    void releaseAll() override { grabbed.clear(); }
    QString unavailableReason() const override { return unavailable ? "no X11 here" : QString(); }
    void press(int id) { pressed(id); }
};

struct RecordingCommands final : RunCommands {
    using RunCommands::RunCommands;
    QStringList calls;
    void startTiming() override { calls << "start"; }
    void stopTiming() override { calls << "stop"; }
    void pauseTiming() override { calls << "pause"; }
};

struct GlobalHotkeysTest : ::testing::Test, test::EngineParts {
    RecordingCommands commands{context()};
    MenuHost menus{program.context, host, currentPlan, commands};
    FakeBackend backend;
    test::FakePlans plans;
    GlobalHotkeys hotkeys{program.context, host, commands, backend};

    void SetUp() override { hotkeys.setPlanSequence(&plans); }
    void set(const char* key, const QString& value) { program.ini.write("Hotkey", key, value); }
    QStringList messages() const { return program.notifier.texts(); }
    QString caption(DesktopItem item) const { return menus.action(item)->text(); }
    std::pair<int, int> grabbedAs(int id) const
    {
        const auto it = backend.grabbed.find(id);
        return it == backend.grabbed.end() ? std::pair{-1, -1} : it->second;
    }
};

const QString kBlanks(8, ' ');

} // namespace

TEST_F(GlobalHotkeysTest, keyTexts_goIntoCaptions_andValidKeysAreGrabbed)
{
    set("start", "Ctrl+F1");
    set("stop", "无");
    host.run.runStateWriter().start();
    host.run.runStateWriter().pause(); // paused while registering
    hotkeys.registerHotkeys();

    EXPECT_EQ(caption(DesktopItem::Start), "开始" + kBlanks + "Ctrl+F1");
    EXPECT_EQ(caption(DesktopItem::Stop), "停止" + kBlanks);
    EXPECT_EQ(caption(DesktopItem::Pause), "继续" + kBlanks);  // pause key missing: no hotkey
    EXPECT_EQ(grabbedAs(1), std::pair(2, 112));
    EXPECT_EQ(backend.grabbed.size(), 1u);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(GlobalHotkeysTest, presses_runTheirCommands_andNothingAfterRelease)
{
    set("start", "Ctrl+Alt+S");
    set("stop", "Ctrl+Alt+T");
    set("pause", "Ctrl+Alt+P");
    hotkeys.registerHotkeys();
    backend.press(1);
    backend.press(3);
    backend.press(2);
    EXPECT_EQ(commands.calls, QStringList({"start", "pause", "stop"}));
    hotkeys.setHeld(true); // the settings window is open
    backend.press(1);
    hotkeys.setHeld(false);
    EXPECT_EQ(commands.calls.size(), 3);

    hotkeys.releaseHotkeys();
    EXPECT_TRUE(backend.grabbed.empty());
    backend.press(1);
    EXPECT_FALSE(hotkeys.runHotkey(1));
    EXPECT_EQ(commands.calls.size(), 3);
}

TEST_F(GlobalHotkeysTest, registeringAgainWithoutRelease_isSafeAndLeavesOneSet)
{
    set("start", "Ctrl+F1");
    set("often", "10");
    plans.count = 2;
    for (int i = 0; i < 5; ++i)
        hotkeys.registerHotkeys();
    EXPECT_EQ(backend.grabbed.size(), 5u);  // start + 2 digit + 2 keypad
    backend.press(1);
    EXPECT_EQ(commands.calls, QStringList{"start"});
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(GlobalHotkeysTest, startStopToggle_stopNotGrabbed_startKeyStopsARun)
{
    set("start", "Ctrl+F1");
    set("stop", "Ctrl+F1");
    set("opentogetherstop", "1");
    hotkeys.registerHotkeys();
    EXPECT_EQ(caption(DesktopItem::Stop), "停止" + kBlanks + "Ctrl+F1");
    EXPECT_EQ(backend.grabbed.count(2), 0u);

    host.run.runStateWriter().start();  // a run is on
    backend.press(1);
    host.run.runStateWriter().reset();
    backend.press(1);
    EXPECT_EQ(commands.calls, QStringList({"stop", "start"}));
}

TEST_F(GlobalHotkeysTest, planHotkeys_digitsThenKeypad_numberedByPlanCount)
{
    set("often", "11");
    plans.count = 4;
    hotkeys.registerHotkeys();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(grabbedAs(3 + i), std::pair(3, '0' + i));
        EXPECT_EQ(grabbedAs(7 + i), std::pair(3, 96 + i));
    }
    EXPECT_EQ(backend.grabbed.size(), 8u);

    plans.count = 12;  // only nine plans get hotkeys
    hotkeys.registerHotkeys();
    EXPECT_EQ(backend.grabbed.size(), 18u);
    EXPECT_EQ(grabbedAs(12), std::pair(3, int('9')));
    EXPECT_EQ(grabbedAs(21), std::pair(3, 105));
}

TEST_F(GlobalHotkeysTest, planPress_selectsItsPlan_unknownIdIsNotOurs)
{
    set("often", "10");
    plans.count = 3;
    hotkeys.registerHotkeys();
    backend.press(8);  // keypad key of plan 2
    backend.press(4);
    EXPECT_EQ(plans.selected, QList<int>({1, 0}));

    plans.count = 9;
    hotkeys.registerHotkeys();
    EXPECT_FALSE(hotkeys.runHotkey(22));
    EXPECT_TRUE(hotkeys.runHotkey(21));
    EXPECT_EQ(plans.selected.last(), 8);
}

TEST_F(GlobalHotkeysTest, planHotkeys_waitForThePlanList_pressesBeforeItSelectNothing)
{
    set("start", "Ctrl+F1");
    set("often", "10");
    plans.count = 2;
    plans.waiting = true;
    hotkeys.registerHotkeys();
    EXPECT_EQ(backend.grabbed.size(), 1u);  // the start key alone
    EXPECT_FALSE(hotkeys.runHotkey(4));
    EXPECT_TRUE(plans.selected.isEmpty());

    plans.waiting = false;
    hotkeys.planListRead();
    EXPECT_EQ(backend.grabbed.size(), 5u);
    EXPECT_EQ(backend.grabCalls, 2);  // each registration grabs its keys together
    backend.press(7);  // keypad key of plan 2
    EXPECT_EQ(plans.selected, QList<int>{1});
    const int grabs = backend.grabCalls;
    hotkeys.planListRead();  // nothing waits any more
    EXPECT_EQ(backend.grabCalls, grabs);

    // Released while waiting: the list's arrival registers nothing.
    plans.waiting = true;
    hotkeys.registerHotkeys();
    hotkeys.releaseHotkeys();
    plans.waiting = false;
    hotkeys.planListRead();
    EXPECT_TRUE(backend.grabbed.empty());
}

TEST_F(GlobalHotkeysTest, planHotkeys_needAModifierAndExistingPlans)
{
    plans.count = 3;
    for (const char* often : {"00", "20", "02", "22"}) {
        set("often", often);
        hotkeys.registerHotkeys();
        EXPECT_TRUE(backend.grabbed.empty()) << often;
    }
    set("often", "11");
    plans.count = 0;
    hotkeys.registerHotkeys();
    EXPECT_TRUE(backend.grabbed.empty());
    EXPECT_FALSE(hotkeys.runHotkey(4));
    EXPECT_TRUE(plans.selected.isEmpty());
}

TEST_F(GlobalHotkeysTest, keysHeldElsewhere_giveTheirMessages_andRegistrationGoesOn)
{
    set("start", "Ctrl+F1");
    set("pause", "Ctrl+F3");
    set("often", "10");
    plans.count = 3;
    backend.heldElsewhere = {{2, 112}, {2, 114}, {2, 99}};
    hotkeys.registerHotkeys();

    const QString cr = "\r";
    ASSERT_EQ(messages().size(), 3);
    EXPECT_EQ(messages()[0], "热键Ctrl+F1被其它程序占有" + cr + cr + "请更改热键或关闭其他程序以便设置" + cr + cr
                                 + "也可右键单击桌面，执行菜单相应命令");
    EXPECT_EQ(messages()[1], "热键Ctrl+F3被其它程序占有" + cr + cr + "请更改热键或关闭其他程序以便设置" + cr + cr
                                 + "也可右键单击桌面，执行菜单相应命令" + cr + cr + "要使用热键请重新设置(设置→系统热键)");
    EXPECT_EQ(messages()[2], "热键Ctrl+Num 3被其它程序占有" + cr + cr + "请更改热键" + cr + cr + "或右键单击调用");
    EXPECT_EQ(program.notifier.shown[0].title, "Orvalen");
    EXPECT_EQ(program.notifier.shown[0].timeoutMs, 0);  // waits for the operator
    EXPECT_EQ(backend.grabbed.size(), 5u);                // the other plan keys
}

TEST_F(GlobalHotkeysTest, textsNamingNoKey_registerNothing_openNoBox_andAreLoggedOnce)
{
    static QStringList logged;
    logged.clear();
    const QtMessageHandler old = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            logged << text;
    });
    set("start", "ctrl+alt+s");  // names match with their letter case
    set("stop", "Win+F1");
    set("pause", "Ctrl+Alt");      // modifiers alone
    hotkeys.registerHotkeys();
    hotkeys.registerHotkeys();     // e.g. after a plan was saved
    set("start", "");              // present but empty
    set("stop", "Ctrl+Alt+F13");
    hotkeys.registerHotkeys();
    qInstallMessageHandler(old);

    EXPECT_TRUE(backend.grabbed.empty());
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(logged.size(), 5) << logged.join('\n').toStdString();
    for (const char* text : {"start=ctrl+alt+s", "stop=Win+F1", "pause=Ctrl+Alt", "start= ", "stop=Ctrl+Alt+F13"})
        EXPECT_EQ(logged.filter(text).size(), 1) << text;
}

TEST_F(GlobalHotkeysTest, noGlobalHotkeysHere_oneNoticeForTheWholeRun_noneWhenNothingIsWanted)
{
    backend.unavailable = true;
    hotkeys.registerHotkeys();  // every key "无" and no plans: nothing to say
    EXPECT_EQ(backend.grabCalls, 0);
    EXPECT_TRUE(messages().isEmpty());

    set("start", "Ctrl+F1");
    set("stop", "Ctrl+F2");
    set("often", "10");
    plans.count = 3;
    hotkeys.registerHotkeys();
    hotkeys.registerHotkeys();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("no X11 here"));
    EXPECT_EQ(caption(DesktopItem::Start), "开始" + kBlanks + "Ctrl+F1");
}
