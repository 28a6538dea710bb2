// Whole runs of a plan on the fake clock: every tick, stage, sound, menu
// state and run record of the run, in order.
#include "engine_fixture.h"
#include "stores/plan_codec.h"

namespace orvalen::test {
namespace {

QString mmss(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

class CountRunTest : public EngineTest {
protected:
    // Starts the run and lets its first tick pass: from here on every
    // advance(1000) ends 5 ms after a whole second of the count.
    void startRun()
    {
        start();
        advance(5);
    }
    ClockPlan shortPlan(const QString& combolist, int seconds)
    {
        ClockPlan p = defaultPlan();
        p.Time_all = QTime(0, 0, 0).addSecs(seconds);
        p.Time_one = QTime(0, 0, 4);
        p.Time_two = QTime(0, 0, 3);
        p.Time_three = QTime(0, 0, 2);
        p.Time_four = QTime(0, 0, 1);
        plan_codec::setFieldText(p, "checkone", "0111110"); // no continuous reminder
        plan_codec::setFieldText(p, "combolist", combolist);
        return p;
    }
};

TEST_F(CountRunTest, defaultPlan_showsEverySecondStageOvertimeAndLimitOnTime)
{
    open(defaultPlan());
    EXPECT_EQ(clock(), "01:00");
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());

    startRun();
    EXPECT_EQ(clock(), "01:00");
    EXPECT_EQ(window->hostState().run.stage(), Stage::Start);
    EXPECT_EQ(backend.take(), QStringList{"wav:alarm.wav"});
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::Stop)->isEnabled());
    EXPECT_TRUE(item(DesktopItem::Pause)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Settings)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Exit)->isVisible());
    EXPECT_FALSE(windowButton("开始")->isEnabled());

    const QStringList stageSounds{"wavstop", "wav:Timeout.wav"};
    for (int k = 1; k <= 59; ++k) {
        advance(1000);
        ASSERT_EQ(clock(), mmss(60 - k)) << "second " << k;
        const QStringList sounds = backend.take();
        switch (k) {
        case 10:
            EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm1);
            EXPECT_EQ(sounds, stageSounds);
            break;
        case 11:
            EXPECT_EQ(windowLabel("textLabel3")->text(), "阶段一");
            EXPECT_TRUE(sounds.isEmpty());
            break;
        case 20:
            EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm2);
            EXPECT_EQ(sounds, stageSounds);
            break;
        case 30:
            EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm3);
            EXPECT_EQ(sounds, stageSounds);
            break;
        case 40:
            // Continuous reminder: the final count-down sound loops and the
            // clock blinks through it.
            EXPECT_EQ(window->hostState().run.stage(), Stage::SecondsCountDown);
            EXPECT_EQ(sounds, (QStringList{"wavstop", "loop:Timeout.wav"}));
            EXPECT_TRUE(ticks().blinkTick->isEnabled());
            break;
        default:
            EXPECT_TRUE(sounds.isEmpty()) << "second " << k;
            break;
        }
    }
    EXPECT_EQ(windowLabel("textLabel3")->text(), "读秒");

    // Zero: the count goes on as overtime on the main clock.
    advance(1000);
    EXPECT_EQ(window->hostState().run.stage(), Stage::Overtime);
    EXPECT_EQ(clock(), "00:00");
    EXPECT_EQ(backend.take(), stageSounds);
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_TRUE(ticks().countupTick->isEnabled());
    EXPECT_EQ(host.run.tick(), CountTick::Up);
    EXPECT_EQ(commands->records, 0);
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());

    for (int k = 1; k <= 9; ++k) {
        advance(1000);
        ASSERT_EQ(clock(), mmss(k)) << "overtime second " << k;
    }
    EXPECT_EQ(windowLabel("textLabel3")->text(), "已超时");

    // The overtime limit (10 s) ends the run.
    advance(1000);
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_TRUE(window->hostState().run.endMarked());
    EXPECT_EQ(clock(), "时间到");
    EXPECT_EQ(backend.take(), (QStringList{"wavstop", "wav:Stop.wav"}));
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "清零");
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Stop)->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Pause)->isEnabled());
    EXPECT_EQ(windowButton("开始")->text(), " 清零 ");
    EXPECT_EQ(session().record().countedDownMs, 60002);
    EXPECT_EQ(session().record().countedUpMs, 10002);

    advance(5000);
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_FALSE(ticks().countupTick->isEnabled());
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(clock(), "时间到");
}

// A start sound whose backend holds the loop (a sound server being found,
// a decoder set up) comes after the count's first tick, which has armed the
// next one a whole second after the count's reference: the first second
// still lasts a second.
TEST_F(CountRunTest, slowStartSound_playsAfterTheFirstTick_firstSecondLastsASecond)
{
    struct SlowSound final : SoundBackend {
        FakeTimers& timers;
        explicit SlowSound(FakeTimers& t) : timers(t) {}
        void playTrack(const QString&) override {}
        void stopTrack(const QString&) override {}
        void playWave(const QString& path) override
        {
            played << path.section(u'/', -1);
            tickDueWhenPlayed = timers.find("countdownTick")->dueAt();
            timers.clock().step(700);
        }
        void playWaveLoop(const QString&) override {}
        void stopWave() override {}
        QStringList played;
        qint64 tickDueWhenPlayed = -1;
    } slow{program.timers};
    SoundPlayer slowPlayer{slow};

    open(defaultPlan());
    program.context.setSound(slowPlayer);
    const qint64 reference = program.clock.monotonicMs();
    start();
    EXPECT_TRUE(slow.played.isEmpty()); // nothing before the first tick
    advance(5);
    EXPECT_EQ(slow.played, QStringList{"alarm.wav"});
    EXPECT_EQ(slow.tickDueWhenPlayed, reference + 1000 + CountEngine::kTickLagMs);
    EXPECT_EQ(clock(), "01:00");
    advance(reference + 1000 - program.clock.monotonicMs());
    EXPECT_EQ(clock(), "01:00");
    advance(CountEngine::kTickLagMs);
    EXPECT_EQ(clock(), "00:59");
    program.context.setSound(sound);
}

TEST_F(CountRunTest, shortPlanWithStop_endsAtZeroShowsEndTextAndClearsToReady)
{
    ClockPlan p = shortPlan("101", 5);
    plan_codec::setFieldText(p, "checkfour", "0100"); // the clock shows the end text
    open(p);
    startRun();
    backend.take();
    int left = 5;
    for (Stage alarm : kAlarmStages) {
        advance(1000);
        ASSERT_EQ(clock(), mmss(--left));
        EXPECT_EQ(window->hostState().run.stage(), alarm);
    }
    advance(1000);
    EXPECT_EQ(clock(), "时间到");
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_TRUE(windowPanel("textPanel3")->isHidden());
    EXPECT_FALSE(window->countView().isPromptTicking());
    EXPECT_FALSE(windowPanel("clockPanel")->isHidden());
    QStringList sounds = backend.take();
    EXPECT_EQ(sounds.mid(sounds.size() - 2), (QStringList{"wavstop", "wav:Stop.wav"}));
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "清零");
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_FALSE(ticks().countupTick->isEnabled());

    // The operator's clear: ready, the end sound stopped, the plan's length back.
    commands->startTiming();
    advance(0);
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "开始");
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_EQ(backend.take(), QStringList{"wavstop"});
    EXPECT_EQ(clock(), "00:05");
    advance(3000);
    EXPECT_EQ(clock(), "00:05");
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_EQ(commands->records, 1);
}

TEST_F(CountRunTest, countUpWithLength_countsUpAlarmsAtRemainingTimesEndsAtLength)
{
    ClockPlan p = shortPlan("111", 10);
    p.Time_one = QTime(0, 0, 8);
    p.Time_two = QTime(0, 0, 5);
    open(p);
    EXPECT_EQ(clock(), "00:00");
    startRun();
    EXPECT_EQ(clock(), "00:00");
    EXPECT_EQ(host.run.tick(), CountTick::Down);
    for (int k = 1; k <= 9; ++k) {
        advance(1000);
        ASSERT_EQ(clock(), mmss(k));
        if (k == 2) {
            EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm1);
        }
        if (k == 5) {
            EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm2);
        }
    }
    advance(1000);
    EXPECT_EQ(clock(), "00:10"); // the plan length
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_EQ(commands->records, 1);
    EXPECT_FALSE(ticks().countupTick->isEnabled());
}

TEST_F(CountRunTest, pauseAndContinue_pausedTimeIsNotCounted)
{
    ClockPlan p = defaultPlan();
    plan_codec::setFieldText(p, "combolist", "101");
    open(p);
    startRun();
    advance(10'000);
    EXPECT_EQ(clock(), "00:50");
    EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm1);
    backend.take();

    commands->pauseTiming();
    EXPECT_EQ(item(DesktopItem::Pause)->text().left(2), "继续");
    EXPECT_EQ(windowButton("暂停")->text(), " 继续 ");
    advance(30'000);
    EXPECT_EQ(clock(), "00:50");
    EXPECT_FALSE(ticks().countdownTick->isEnabled());

    commands->pauseTiming();
    EXPECT_EQ(item(DesktopItem::Pause)->text().left(2), "暂停");
    EXPECT_EQ(session().record().pausedMs, 30000);
    advance(1000);
    EXPECT_EQ(clock(), "00:49");
    advance(9'000);
    EXPECT_EQ(clock(), "00:40");
    EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm2);
    // Stage 1 does not come again after the pause.
    EXPECT_EQ(backend.take(), (QStringList{"wavstop", "wav:Timeout.wav"}));

    advance(39'990);
    EXPECT_EQ(clock(), "00:01");
    EXPECT_EQ(window->hostState().run.stage(), Stage::SecondsCountDown);
    advance(20);
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_EQ(commands->records, 1);
}

TEST_F(CountRunTest, operatorStopMidCount_recordsOnceWithoutEndStage)
{
    open(defaultPlan());
    startRun();
    advance(15'000);
    EXPECT_EQ(clock(), "00:45");
    backend.take();

    commands->stopTiming();
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "清零");
    EXPECT_FALSE(item(DesktopItem::Stop)->isEnabled());
    advance(1000);
    EXPECT_EQ(commands->records, 1);
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_EQ(window->hostState().run.stage(), Stage::Alarm1);
    EXPECT_EQ(clock(), "00:45");
    EXPECT_TRUE(backend.take().isEmpty());
    advance(5000);
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(clock(), "00:45");
}

TEST_F(CountRunTest, stopThenClearWithinATick_recordsOnceAndLeavesNoTickRunning)
{
    open(defaultPlan());
    startRun();
    advance(15'000);
    commands->stopTiming();
    commands->startTiming(); // the clear, before the next tick
    advance(0);
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "开始");
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_FALSE(ticks().countupTick->isEnabled());
    EXPECT_EQ(clock(), "01:00");
    advance(20'000);
    EXPECT_EQ(clock(), "01:00");
    EXPECT_EQ(commands->records, 1);
}

TEST_F(CountRunTest, resetWithDelay_clearsAtOnceKeepsEndSoundAndRestartsAfterThreeSeconds)
{
    ClockPlan p = shortPlan("102", 5);
    plan_codec::setFieldText(p, "checkfour", "0010"); // delayed restart on
    program.ini.write("pictureset", "Delaytime", "3");
    open(p);
    startRun();
    advance(4000);
    backend.take();

    advance(1000); // zero
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(session().restartSecondsLeft(), 3);
    EXPECT_TRUE(ticks().restartTick->isEnabled());
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "开始"); // back to ready at once
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    // The end sound plays on: the clear that the end ran did not stop it.
    EXPECT_EQ(backend.take(), (QStringList{"wavstop", "wav:Stop.wav"}));

    advance(100); // the prepare-only set-up keeps the delayed restart
    EXPECT_EQ(clock(), "00:05");
    EXPECT_TRUE(ticks().restartTick->isEnabled());
    EXPECT_FALSE(ticks().countdownTick->isEnabled());

    advance(900);
    EXPECT_EQ(session().restartSecondsLeft(), 2);
    advance(2000);
    EXPECT_EQ(session().restartSecondsLeft(), 0);
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_TRUE(backend.take().isEmpty());

    advance(1000 + 100 + 5); // the fourth delay tick starts the run
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(ticks().restartTick->isEnabled());
    EXPECT_EQ(window->hostState().run.stage(), Stage::Start);
    EXPECT_EQ(backend.take(), QStringList{"wav:alarm.wav"});
    advance(1000);
    EXPECT_EQ(clock(), "00:04");
    advance(4000);
    EXPECT_EQ(commands->records, 2);
}

TEST_F(CountRunTest, everyTimeFormat_countsInItsFormatAndNeverStandsStill)
{
    struct Case {
        QString combolist;
        QStringList texts; // after the set-up, after the first tick, after 1 s, after 2 s
    };
    const Case cases[] = {
        {"001", {"65", "65", "64", "63"}},
        {"101", {"01:05", "01:05", "01:04", "01:03"}},
        {"201", {"00:01:05", "00:01:05", "00:01:04", "00:01:03"}},
        {"301", {"01:05", "01:05", "01:04", "01:03"}},
        {"401", {"01:05", "01:05", "01:04", "01:03"}},
        {"501", {"01:05", "01:05", "01:04", "01:03"}},
        {"011", {"00", "0", "1", "2"}},
        {"111", {"00:00", "00:00", "00:01", "00:02"}},
        {"211", {"00:00:00", "00:00:00", "00:00:01", "00:00:02"}},
        {"511", {"00:00", "00:00", "00:01", "00:02"}},
        {"021", {"09:00:00", "09:00:00", "09:00:01", "09:00:02"}},
        {"121", {"09:00", "09:00", "09:00", "09:00"}},
        {"221", {"09:00:00", "09:00:00", "09:00:01", "09:00:02"}},
        {"521", {"09:00:00", "09:00:00", "09:00:01", "09:00:02"}},
    };
    ClockPlan p = shortPlan("101", 65);
    open(p);
    int runs = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.combolist.toStdString());
        currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", c.combolist); });
        program.clock.setNow(QDateTime(program.clock.now().date(), QTime(9, 0, 0)));
        start(); // the set-up, at 09:00:00.000
        EXPECT_EQ(clock(), c.texts[0]);
        advance(5);
        EXPECT_EQ(clock(), c.texts[1]);
        advance(1000);
        EXPECT_EQ(clock(), c.texts[2]);
        advance(1000);
        EXPECT_EQ(clock(), c.texts[3]);
        commands->stopTiming();
        advance(1000);
        EXPECT_EQ(commands->records, ++runs);
        commands->startTiming(); // clear
        advance(0);
    }
}

TEST_F(CountRunTest, countAcrossMidnight_endsOnTimeForEveryClockSource)
{
    for (const QString source : {"0", "1", "2"}) {
        SCOPED_TRACE(source.toStdString());
        program.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 57, 400)));
        open(shortPlan("101", 5), source);
        startRun();
        EXPECT_EQ(clock(), "00:05");
        for (int k = 1; k <= 4; ++k) {
            advance(1000);
            ASSERT_EQ(clock(), mmss(5 - k)) << "second " << k;
        }
        EXPECT_EQ(window->hostState().run.stage(), Stage::SecondsCountDown);
        advance(1000);
        EXPECT_EQ(window->hostState().run.stage(), Stage::End);
        EXPECT_EQ(commands->records, 1);
        EXPECT_EQ(program.clock.now().date(), QDate(2026, 12, 9));
        engine.reset();
        window.reset();
    }
}

} // namespace
} // namespace orvalen::test
