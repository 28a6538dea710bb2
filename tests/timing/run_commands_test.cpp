#include "display/screen_button_row.h"
#include "menus/menu_host.h"
#include "menus/menu_item_names.h"
#include "state/run_state.h"
#include "support/recording_sound.h"
#include "timing/engine_parts.h"
#include "timing/fake_plans.h"
#include "timing/run_commands.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kHotkeyGap = QStringLiteral("        ");

class RunCommandsTest : public ::testing::Test, protected EngineParts {
protected:
    RunCommandsTest()
    {
        program.context.setSound(sound);
        program.writeFile("sounds/Stop.wav", QByteArray("RIFF"));
        commands = std::make_unique<RunCommands>(context());
        plans.count = 4;
        commands->setPlanSequence(&plans);
        menus = std::make_unique<MenuHost>(program.context, host, currentPlan, *commands);
    }

    // The on-screen buttons, following the run state.
    QWidget buttonBox;
    ScreenButtonRow buttonRow{&buttonBox, host.run, host.menus};
    QPushButton* button(ScreenButton b) const { return buttonRow.button(b); }

    // A new run from a ready display with fresh run values.
    void resetRunValues()
    {
        host.run.runStateWriter().reset();
        session.record() = RunRecord();
        host.run.runStateWriter().clearCounts();
    }

    // What the count-mode set-up writes when it starts the count-down tick.
    void makeRunning(const QString& clockSource = "0")
    {
        host.run.runStateWriter().useClockSource(clockSource.toInt());
        commands->startTiming();
        timers.countSetup->setEnabled(false);
        host.run.runStateWriter().start();
        host.run.runStateWriter().clearEndMark();
        session.setStartReferenceMs(program.clock.monotonicMs());
        timers.countdownTick->setEnabled(true);
    }

    // The desktop menu's caption of a command, as the menu host shows it.
    QString caption(DesktopItem item) const { return menus->action(item)->text(); }

    QString ini(const QString& key) { return program.ini.read("Marquee", key, "(absent)"); }

    RecordingSoundBackend backend;
    SoundPlayer sound{backend};
    FakePlans plans;
    std::unique_ptr<RunCommands> commands;
    std::unique_ptr<MenuHost> menus;
};

// --- state machine ------------------------------------------------------------

TEST_F(RunCommandsTest, startFromReady_zeroesCountersAndRequestsOneSetup)
{
    host.run.runStateWriter().countedDown(1500, 123);
    host.run.runStateWriter().countedUp(2500, 123);
    host.run.runStateWriter().tickRan(CountTick::Up);
    host.menus.setAdjustMode(true);
    view.prompt = "阶段一";

    commands->startTiming();
    commands->startTiming(); // a second start before the set-up fires

    EXPECT_FALSE(session.prepareOnly());
    EXPECT_EQ(host.run.tick(), CountTick::Down);
    EXPECT_EQ(host.run.countedDownMs(), 0);
    EXPECT_EQ(host.run.countedUpMs(), 0);
    EXPECT_EQ(host.run.shownMs(), 0);
    EXPECT_FALSE(host.menus.adjustMode());
    EXPECT_EQ(view.prompt, "");
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_EQ(caption(DesktopItem::Start), "开始"); // the set-up writes the running state
}

TEST_F(RunCommandsTest, commandsOutOfState_changeNothing)
{
    // Ready: stop, finish and pause do nothing.
    commands->stopTiming();
    commands->finishTiming();
    commands->pauseTiming();
    EXPECT_FALSE(host.run.endMarked());
    EXPECT_EQ(host.run.state(), RunState::Ready);
    EXPECT_EQ(caption(DesktopItem::Start), "开始");
    EXPECT_EQ(caption(DesktopItem::Pause), "暂停");

    // Running: start does nothing.
    makeRunning();
    host.run.runStateWriter().countedDown(4000, 0);
    commands->startTiming();
    EXPECT_FALSE(timers.countSetup->isEnabled());
    EXPECT_EQ(host.run.countedDownMs(), 4000);

    // Finished: stop, finish and pause do nothing more.
    commands->stopTiming();
    host.run.runStateWriter().clearEndMark();
    commands->stopTiming();
    commands->pauseTiming();
    EXPECT_FALSE(host.run.endMarked());
    EXPECT_EQ(host.run.state(), RunState::Finished);
    EXPECT_EQ(caption(DesktopItem::Pause), "暂停");
}

TEST_F(RunCommandsTest, stopWhileRunning_writesFinishedColumnAndEndMark_andRunsTheTickAtOnce)
{
    makeRunning();
    int closingTicks = 0;
    timers.countdownTick->setHandler([&] { ++closingTicks; });
    commands->stopTiming();

    const auto d = [&](DesktopItem k) { return menus->action(k); };
    EXPECT_TRUE(host.run.endMarked());
    EXPECT_EQ(host.run.state(), RunState::Finished);
    EXPECT_EQ(d(DesktopItem::Start)->text(), "清零");
    EXPECT_TRUE(d(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(d(DesktopItem::Stop)->isEnabled());
    EXPECT_EQ(d(DesktopItem::Pause)->text(), "暂停");
    EXPECT_FALSE(d(DesktopItem::Pause)->isEnabled());
    EXPECT_FALSE(d(DesktopItem::Reset)->isEnabled());
    EXPECT_FALSE(d(DesktopItem::Settings)->isEnabled());
    for (DesktopItem i : {DesktopItem::Statistics, DesktopItem::Help, DesktopItem::About, DesktopItem::Exit})
        EXPECT_TRUE(d(i)->isVisible()) << desktopItemName(i);
    EXPECT_TRUE(d(DesktopItem::Exit)->isEnabled());
    EXPECT_EQ(button(ScreenButton::Start)->text(), " 清零 ");
    EXPECT_TRUE(button(ScreenButton::Start)->isEnabled());
    EXPECT_FALSE(button(ScreenButton::Stop)->isEnabled());
    EXPECT_EQ(button(ScreenButton::Pause)->text(), " 暂停 ");
    EXPECT_FALSE(button(ScreenButton::Pause)->isEnabled());
    EXPECT_FALSE(button(ScreenButton::Settings)->isEnabled());
    EXPECT_TRUE(button(ScreenButton::Exit)->isEnabled());
    // The tick closes and records the run now, not at its next second.
    EXPECT_EQ(closingTicks, 1);
}

TEST_F(RunCommandsTest, clearAfterFinish_writesReadyColumnAndPreparesOnly)
{
    makeRunning();
    commands->finishTiming();
    timers.countdownTick->setEnabled(false); // the tick has ended the run
    commands->startTiming();

    const auto d = [&](DesktopItem k) { return menus->action(k); };
    EXPECT_EQ(d(DesktopItem::Start)->text(), "开始");
    EXPECT_TRUE(d(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(d(DesktopItem::Stop)->isEnabled());
    EXPECT_FALSE(d(DesktopItem::Pause)->isEnabled());
    EXPECT_TRUE(d(DesktopItem::Settings)->isEnabled());
    EXPECT_TRUE(d(DesktopItem::Buttons)->isEnabled());
    EXPECT_EQ(button(ScreenButton::Start)->text(), " 开始 ");
    EXPECT_TRUE(button(ScreenButton::Settings)->isEnabled());
    EXPECT_TRUE(button(ScreenButton::Exit)->isEnabled());
    EXPECT_TRUE(session.prepareOnly());
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_FALSE(timers.countdownTick->isEnabled());
}

TEST_F(RunCommandsTest, captionsKeepTheirHotkeySuffixThroughARun)
{
    host.menus.setHotkeyTexts({QStringLiteral("Ctrl+F1"), QString(), QStringLiteral("F3")});
    makeRunning();
    commands->pauseTiming();
    EXPECT_EQ(caption(DesktopItem::Pause), "继续" + kHotkeyGap + "F3");
    commands->stopTiming();
    EXPECT_EQ(caption(DesktopItem::Start), "清零" + kHotkeyGap + "Ctrl+F1");
    EXPECT_EQ(caption(DesktopItem::Pause), "暂停" + kHotkeyGap + "F3");
    commands->startTiming();
    EXPECT_EQ(caption(DesktopItem::Start), "开始" + kHotkeyGap + "Ctrl+F1");
}

// --- pause and continue -----------------------------------------------------------

TEST_F(RunCommandsTest, pauseAndContinue_banksElapsedAndExcludesPausedTime)
{
    makeRunning("0");
    program.clock.step(10'350);
    host.run.runStateWriter().countedDown(10350, 0);

    commands->pauseTiming();
    EXPECT_EQ(session.record().countedDownMs, 10350);
    EXPECT_EQ(session.record().countedUpMs, 0);
    EXPECT_EQ(session.startReferenceMs(), program.clock.monotonicMs());
    EXPECT_FALSE(timers.countdownTick->isEnabled());
    EXPECT_EQ(caption(DesktopItem::Pause), "继续");
    EXPECT_EQ(button(ScreenButton::Pause)->text(), " 继续 ");

    program.clock.step(20'000);
    commands->pauseTiming();
    EXPECT_EQ(session.record().pausedMs, 20000);
    EXPECT_EQ(session.startReferenceMs(), program.clock.monotonicMs());
    EXPECT_TRUE(timers.countdownTick->isEnabled());
    EXPECT_EQ(caption(DesktopItem::Pause), "暂停");
    EXPECT_EQ(button(ScreenButton::Pause)->text(), " 暂停 ");

    // A second pause adds to the first.
    commands->pauseTiming();
    program.clock.step(5'000);
    commands->pauseTiming();
    EXPECT_EQ(session.record().pausedMs, 25000);
}

TEST_F(RunCommandsTest, pauseOfCountUp_banksTheCountUpTick)
{
    makeRunning("0");
    host.run.runStateWriter().tickRan(CountTick::Up);
    timers.countdownTick->setEnabled(false);
    timers.countupTick->setEnabled(true);
    host.run.runStateWriter().countedUp(3700, 0);
    session.record().countedDownMs = 60000;

    commands->pauseTiming();
    EXPECT_EQ(session.record().countedUpMs, 3700);
    EXPECT_EQ(session.record().countedDownMs, 60000);
    EXPECT_FALSE(timers.countupTick->isEnabled());
    commands->pauseTiming();
    EXPECT_TRUE(timers.countupTick->isEnabled());
    EXPECT_FALSE(timers.countdownTick->isEnabled());
}

TEST_F(RunCommandsTest, pauseAcrossMidnight_addsOnlyThePausedTime)
{
    for (const QString source : {"1", "2"}) {
        SCOPED_TRACE(source.toStdString());
        resetRunValues();
        program.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 30)));
        makeRunning(source);
        commands->pauseTiming();
        program.clock.step(60'000); // 00:00:30 the next day
        commands->pauseTiming();
        EXPECT_EQ(session.record().pausedMs, 60000);
        EXPECT_EQ(session.startTimeOfDay(), QTime(0, 0, 30));
    }
    // The monotonic clock runs on through midnight without correction.
    resetRunValues();
    program.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 30)));
    makeRunning("0");
    commands->pauseTiming();
    program.clock.step(60'000);
    commands->pauseTiming();
    EXPECT_EQ(session.record().pausedMs, 60000);
}

TEST_F(RunCommandsTest, stopWhilePaused_countsThePauseBeforeTheRunEnds)
{
    makeRunning("0");
    host.run.runStateWriter().countedDown(8000, 0);
    commands->pauseTiming();
    program.clock.step(5'000);
    qint64 pausedWhenClosed = -1;
    timers.countdownTick->setHandler([&] { pausedWhenClosed = session.record().pausedMs; });
    commands->stopTiming();
    EXPECT_EQ(pausedWhenClosed, 5000); // the tick that records the run sees the pause
    EXPECT_EQ(caption(DesktopItem::Pause), "暂停");
    EXPECT_TRUE(host.run.endMarked());
}

TEST_F(RunCommandsTest, pauseOfLongTermPlan_togglesOnlyTheDateTick)
{
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkone", "1111111"); });
    makeRunning("0");
    timers.countdownTick->setEnabled(false);
    timers.longTermTick->setEnabled(true);
    host.run.runStateWriter().countedDown(999, 0);
    const qint64 ref = session.startReferenceMs();
    program.clock.step(3'000);

    commands->pauseTiming();
    EXPECT_FALSE(timers.longTermTick->isEnabled());
    EXPECT_EQ(caption(DesktopItem::Pause), "继续");
    program.clock.step(3'000);
    commands->pauseTiming();
    EXPECT_TRUE(timers.longTermTick->isEnabled());
    EXPECT_EQ(session.record(), RunRecord()); // no time accounted
    EXPECT_EQ(session.startReferenceMs(), ref);
}

// --- clears ---------------------------------------------------------------------

TEST_F(RunCommandsTest, operatorClear_stopsTheEndSound_butTheRunEndsOwnClearDoesNot)
{
    makeRunning();
    commands->stopTiming();
    timers.countdownTick->setEnabled(false);
    commands->startTimingAfterRunEnd();
    EXPECT_TRUE(backend.calls.isEmpty());

    makeRunning();
    commands->stopTiming();
    timers.countdownTick->setEnabled(false);
    commands->startTiming();
    EXPECT_EQ(backend.calls, QStringList{"wavstop"});
}

// --- plan sequence --------------------------------------------------------------

class PlanSequenceTest : public RunCommandsTest {
protected:
    void finishPlan(int checked, const QString& currentrow, const QString& checkcycle)
    {
        currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", "103"); });
        plans.checked = checked;
        if (!currentrow.isNull())
            program.ini.write("Marquee", "currentrow", currentrow);
        program.ini.write("Marquee", "checkcycle", checkcycle);
        makeRunning();
        commands->finishTiming();
        timers.countdownTick->setEnabled(false);
        commands->startTimingAfterRunEnd();
    }
};

TEST_F(PlanSequenceTest, clearAfterPlanOfChain_selectsTheNextPlanAndWaits)
{
    finishPlan(1, "2", "0");
    EXPECT_EQ(plans.selected, QList<int>{2});
    EXPECT_EQ(ini("currentrow"), "2");
    EXPECT_TRUE(session.prepareOnly());
    EXPECT_TRUE(timers.countSetup->isEnabled());
}

TEST_F(PlanSequenceTest, clearAfterLastPlan_wrapsToTheFirst)
{
    finishPlan(3, "4", "0");
    EXPECT_EQ(plans.selected, QList<int>{0});
}

TEST_F(PlanSequenceTest, autoCycle_startsTheNextPlanAtOnce)
{
    finishPlan(1, "2", "1");
    EXPECT_EQ(plans.selected, QList<int>{2});
    EXPECT_FALSE(session.prepareOnly());
    EXPECT_TRUE(timers.countSetup->isEnabled());
}

TEST_F(PlanSequenceTest, unknownCycleValue_selectsNothing)
{
    finishPlan(1, "2", "2");
    EXPECT_TRUE(plans.selected.empty());
    EXPECT_TRUE(session.prepareOnly());
}

TEST_F(PlanSequenceTest, noPositionAfterStartUp_selectsNothingButNotesThePosition)
{
    finishPlan(2, QString(), "0");
    EXPECT_TRUE(plans.selected.empty());
    EXPECT_EQ(ini("currentrow"), "3");
}

TEST_F(PlanSequenceTest, noPlanChecked_writesNoPosition_unlessZeroSelectsTheFirst)
{
    finishPlan(-1, "3", "0");
    EXPECT_TRUE(plans.selected.empty());
    EXPECT_EQ(ini("currentrow"), "3");

    finishPlan(-1, "0", "0");
    EXPECT_EQ(plans.selected, QList<int>{0});
}

TEST_F(PlanSequenceTest, outOfRangePosition_countsAsAbsent)
{
    finishPlan(-1, "70000", "0");
    EXPECT_TRUE(plans.selected.empty());
}

TEST_F(PlanSequenceTest, stopInChain_endsTheSequence)
{
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", "103"); });
    plans.checked = 1;
    makeRunning();
    commands->stopTiming();
    EXPECT_EQ(ini("currentrow"), "14"); // last index 3 + 11
    timers.countdownTick->setEnabled(false);
    program.ini.write("Marquee", "checkcycle", "0");
    commands->startTiming();
    EXPECT_TRUE(plans.selected.empty());
    EXPECT_EQ(ini("currentrow"), "2");
}

TEST_F(PlanSequenceTest, noPlansAtAll_selectsNothing)
{
    plans.count = 0;
    finishPlan(-1, "0", "1");
    EXPECT_TRUE(plans.selected.empty());
}

} // namespace
} // namespace orvalen::test
