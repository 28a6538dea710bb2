#include "timing/clock_calibration.h"
#include "timing/long_term_fixture.h"
#include "stores/plan_codec.h"

namespace orvalen::test {
namespace {

const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0, 0)); // the fake clock's start, a Tuesday

class LongTermDisplayTest : public LongTermTest {};

TEST_F(LongTermDisplayTest, countdownThreeDaysAhead_showsDaysAndClock_crossesMidnight_endsAtTheTarget)
{
    const QDateTime target(QDate(2026, 12, 11), QTime(12, 0, 0));
    ClockPlan p = longTermPlan(target, 0);
    plan_codec::setFieldText(p, "checkthree", QStringLiteral("011111")); // weekday on the prompt line while running
    host.menus.setWeekdayChecked(true);
    openLongTerm(p);
    advance(0); // the set-up

    EXPECT_EQ(dateLine(), "3天");
    EXPECT_EQ(clock(), "03时00分00秒");
    EXPECT_FALSE(windowPanel("clockPanel")->isHidden());
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled()); // running
    EXPECT_TRUE(item(DesktopItem::Stop)->isEnabled());
    EXPECT_TRUE(ticks().longTermTick->isEnabled());
    EXPECT_EQ(session().record().setUpInstant, QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    EXPECT_EQ(session().record().label, "2026-12-11 12:00:00");
    EXPECT_EQ(host.run.tick(), CountTick::Down);

    advance(1000);
    EXPECT_EQ(clock(), "02时59分59秒");
    EXPECT_EQ(prompt(), weekday(kStart.date())); // once the start prompt is done
    EXPECT_TRUE(ticks().networkTimeTick->isEnabled()); // the network time runs alongside

    // Across midnight: the days and the weekday change with the date.
    jumpTo(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 58, 800)));
    EXPECT_EQ(dateLine(), "2天");
    EXPECT_EQ(clock(), "12时00分02秒");
    advance(1500);
    EXPECT_EQ(clock(), "12时00分00秒");
    EXPECT_EQ(prompt(), weekday(QDate(2026, 12, 9)));

    // The last seconds, and the end.
    jumpTo(target.addMSecs(-650));
    EXPECT_EQ(dateLine(), "0天");
    EXPECT_EQ(clock(), "00时00分01秒");
    EXPECT_EQ(commands->records, 0);
    advance(1000);

    EXPECT_EQ(clock(), p.stages[Stage::End].prompt); // "时间到"
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(session().record().countedDownMs, qint64(kStart.secsTo(target)) * 1000);
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_TRUE(window->hostState().run.endMarked());
    EXPECT_EQ(host.run.tick(), CountTick::Up);
    EXPECT_TRUE(windowPanel("textPanel3")->isHidden());
    EXPECT_FALSE(windowPanel("clockPanel")->isHidden());
    const double textWidth = window->findChild<ClockPanel*>("clockPanel")->textSize().width();
    EXPECT_NEAR(window->layout().twipsRect(windowPanel("clockPanel")).left(), (1920 * 15 - textWidth * 15) / 2, 1e-6);
    EngineTimer* scrollTick = program.timers.find("scrollTick");
    for (EngineTimer* t : {ticks().countdownTick.get(), scrollTick, ticks().blinkTick.get(), ticks().countupTick.get(),
                           ticks().clockSetup.get(), ticks().longTermTick.get(), ticks().networkTimeTick.get()})
        EXPECT_FALSE(t->isEnabled());
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "清零");
    EXPECT_TRUE(backend.take().contains("wavstop")); // the final-seconds sound stopped

    advance(60'000);
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(clock(), p.stages[Stage::End].prompt);
}

TEST_F(LongTermDisplayTest, everyFormat_showsItsCountDownAndLiveTexts)
{
    // 3 days 4 h 5 min 6 s ahead, and the live clock at 09:05:07.
    const QDateTime target = kStart.addDays(3).addSecs(4 * 3600 + 5 * 60 + 6);
    const QStringList countdown{"04时05分06秒", "04时05分", "", "04:05:06", "04:05", "05:06"};
    const QStringList live{"09时05分07秒", "09时05分", "", "09:05:07", "09:05", "05:07"};
    openLongTerm(longTermPlan(target, 0));
    advance(0);
    for (int f = 0; f <= 5; ++f) {
        currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", QString::number(f) + "01"); });
        currentPlan.edit([&](ClockPlan& p) { p.time_date = target.date(); });
        jumpTo(kStart.addMSecs(300));
        EXPECT_EQ(dateLine(), "3天") << f;
        EXPECT_EQ(clock(), countdown[f]) << f;

        currentPlan.edit([&](ClockPlan& p) { p.time_date = QDate(2000, 1, 1); });
        jumpTo(QDateTime(kStart.date(), QTime(9, 5, 7, 400)));
        EXPECT_EQ(dateLine(), f <= 2 ? "2026年12月08日" : "2026-12-08") << f;
        EXPECT_EQ(clock(), live[f]) << f;
    }
}

TEST_F(LongTermDisplayTest, liveClock_followsTheSeconds_showsPortalTime_andSurvivesStop)
{
    portals[0].answer(date_header(kStart.addSecs(2 * 3600 + 60)));
    openLongTerm(longTermPlan(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), 3));
    advance(0);
    EXPECT_EQ(dateLine(), "2026-12-08");
    EXPECT_EQ(clock(), "09:00:00");
    EXPECT_FALSE(window->hostState().run.endMarked());
    advance(1000);
    EXPECT_EQ(clock(), "09:00:01");

    // A minute in, the network time finds the portal two hours ahead; the
    // display follows it at once, the system clock is left alone.
    advance(59'500);
    EXPECT_EQ(clock(), "09:01:00");
    ASSERT_TRUE(wait_until([&] { return longTerm().clock().offsetMs() != 0; }));
    advance(300);
    EXPECT_EQ(clock(), "11:01:00");
    EXPECT_TRUE(setter.instants.empty());
    EXPECT_EQ(program.clock.now().time().hour(), 9);

    // The stop command does not end the live clock.
    commands->stopTiming();
    advance(1200);
    EXPECT_EQ(clock(), "11:01:01");
    EXPECT_TRUE(ticks().longTermTick->isEnabled());
    EXPECT_EQ(commands->records, 0);
}

TEST_F(LongTermDisplayTest, liveClock_changesJustAfterEachSecond_noneSkippedOrRepeatedAcrossClockSteps)
{
    openLongTerm(longTermPlan(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), 3));
    advance(0); // the set-up, at 09:00:00.100
    advance(900);
    EXPECT_EQ(clock(), "09:00:00");
    advance(2); // 09:00:01.002
    EXPECT_EQ(clock(), "09:00:01");

    // The calibration moves the clock 400 ms on: the display re-arms on the
    // new second at once.
    longTerm().clock().setOffsetMs(400);
    emit longTerm().calibration().finished(true); // now 09:00:01.402
    advance(599);
    EXPECT_EQ(clock(), "09:00:01");
    advance(1);
    EXPECT_EQ(clock(), "09:00:02");

    // Sampled every 50 ms across a step back and a step forward, the
    // seconds follow one another; a step back of less than a second
    // shows no second twice.
    QStringList shown{clock()};
    for (int i = 0; i < 200; ++i) {
        if (i == 50)
            program.clock.setNow(program.clock.now().addMSecs(-700));
        if (i == 120)
            program.clock.setNow(program.clock.now().addMSecs(300));
        advance(50);
        if (clock() != shown.last())
            shown << clock();
    }
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_EQ(QTime::fromString(shown[i - 1], "hh:mm:ss").secsTo(QTime::fromString(shown[i], "hh:mm:ss")), 1)
            << shown.join(' ').toStdString();
}

TEST_F(LongTermDisplayTest, slowPortal_displayKeepsTicking)
{
    portals[0].stayQuiet();
    openLongTerm(longTermPlan(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), 3));
    advance(0);
    advance(60'500); // the network time starts, and waits for the portal
    ASSERT_TRUE(wait_until([&] { return portals[0].requests() == 1; }));
    EXPECT_TRUE(longTerm().calibration().busy());
    advance(2000);
    EXPECT_EQ(clock(), "09:01:02");
}

TEST_F(LongTermDisplayTest, stopDuringCountdown_endsAndRecordsTheRunAtOnce_andOnlyOnce)
{
    openLongTerm(longTermPlan(kStart.addDays(3), 3));
    advance(0);
    advance(1000);
    EXPECT_EQ(clock(), "23:59:59");
    commands->stopTiming();
    EXPECT_TRUE(window->hostState().run.endMarked());
    EXPECT_EQ(clock(), currentPlan.plan().stages[Stage::End].prompt);
    EXPECT_EQ(commands->records, 1);
    EXPECT_FALSE(ticks().longTermTick->isEnabled());
    advance(3000);
    EXPECT_EQ(commands->records, 1);
}

TEST_F(LongTermDisplayTest, countPlanAfterALongTermRun_isLabelledAsACountNotWithTheOldTarget)
{
    openLongTerm(longTermPlan(kStart.addDays(3), 3));
    advance(0);
    commands->stopTiming();
    ASSERT_EQ(session().record().label, "2026-12-11 09:00:00");
    commands->takePlan(defaultPlan(), PlanTaken::StopRun);
    advance(0); // the count's set-up
    EXPECT_EQ(session().record().label, "0");
}

TEST_F(LongTermDisplayTest, targetPassedWhileOnlyPrepared_showsTheEndButRecordsNoRun)
{
    openLongTerm(longTermPlan(QDateTime(QDate(2026, 12, 1), QTime(8, 0)), 0));
    session().setPrepareOnly(true); // before the queued set-up runs
    advance(0);
    EXPECT_TRUE(window->hostState().run.endMarked());
    EXPECT_EQ(host.run.tick(), CountTick::Up);
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled()); // nothing runs
    advance(300);
    EXPECT_EQ(clock(), currentPlan.plan().stages[Stage::End].prompt);
    EXPECT_EQ(commands->records, 0);
    EXPECT_FALSE(ticks().longTermTick->isEnabled());
    EXPECT_EQ(item(DesktopItem::Start)->text().left(2), "开始");
}

TEST_F(LongTermDisplayTest, unusableTargetDates_showTheLiveClockWithOneLogLineEach)
{
    LongTermWarnings warnings;
    openLongTerm(longTermPlan(kStart.addDays(3), 3));
    advance(0);
    int expectedLines = 0;
    for (const QDate& bad : {QDate(1999, 5, 1), QDate(), QDate(2226, 12, 8)}) {
        currentPlan.edit([&](ClockPlan& p) { p.time_date = bad; });
        ticks().clockSetup->post(); // set up again, as a plan selection does
        advance(100);
        EXPECT_EQ(dateLine(), "2026-12-08");
        advance(3000);
        EXPECT_FALSE(window->hostState().run.endMarked());
        EXPECT_TRUE(ticks().longTermTick->isEnabled());
        EXPECT_EQ(LongTermWarnings::lines().size(), ++expectedLines) << LongTermWarnings::lines().join('\n').toStdString();
    }
    EXPECT_EQ(commands->records, 0);
    EXPECT_TRUE(setter.instants.empty());

    currentPlan.edit([&](ClockPlan& p) { p.time_date = kStart.date().addDays(3); }); // usable again: counts again
    advance(1000);
    EXPECT_EQ(dateLine(), "2天");
}

TEST_F(LongTermDisplayTest, dateLineColour_readsItsStoredTextAsEveryPlanColourDoes)
{
    ClockPlan p = longTermPlan(QDateTime(QDate(2026, 12, 11), QTime(12, 0, 0)), 0);
    p.stagecolour = PlanColour::fromText(QStringLiteral("255.6"));
    openLongTerm(p);
    advance(0); // the set-up
    EXPECT_EQ(window->elementView().elementColour(DisplayElement::DateLine), p.stagecolour.colour());
}

TEST_F(LongTermDisplayTest, planThatIsNotLongTerm_dateSetUpChangesNothing)
{
    openLongTerm(defaultPlan());
    const QString before = clock();
    ticks().clockSetup->post();
    advance(0);
    EXPECT_FALSE(ticks().longTermTick->isEnabled());
    EXPECT_EQ(clock(), before);
}

TEST_F(LongTermDisplayTest, resetWithDelayOfTwo_countsItsSecondsDown_thenStartsTheNextRun)
{
    ClockPlan p = defaultPlan();
    p.Time_all = QTime(0, 0, 3);
    plan_codec::setFieldText(p, "checkone", QStringLiteral("0111110"));
    plan_codec::setFieldText(p, "combolist", QStringLiteral("102")); // count down, then reset
    plan_codec::setFieldText(p, "checkfour", QStringLiteral("0010")); // with the delayed restart
    program.ini.write(QStringLiteral("pictureset"), QStringLiteral("Delaytime"), QStringLiteral("2"));
    openLongTerm(p);
    commands->startTiming();
    advance(105);
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());

    advance(3000); // the count reaches zero: recorded, back to ready, the delay begins
    EXPECT_EQ(commands->records, 1);
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    EXPECT_EQ(session().restartSecondsLeft(), 2);
    EXPECT_TRUE(ticks().restartTick->isEnabled());
    advance(1000);
    EXPECT_EQ(session().restartSecondsLeft(), 1);
    advance(1000);
    EXPECT_EQ(session().restartSecondsLeft(), 0);
    EXPECT_TRUE(item(DesktopItem::Start)->isEnabled());
    advance(1000 + 100); // the third delay tick starts the run
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(ticks().restartTick->isEnabled());
    EXPECT_EQ(window->hostState().run.stage(), Stage::Start);
    advance(3000);
    EXPECT_EQ(commands->records, 2);
}

TEST_F(LongTermDisplayTest, delayedRestartSwitchedOff_firstTickStarts_aRunAlreadyStartedIsLeftAlone)
{
    openLongTerm(defaultPlan());

    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkfour", QStringLiteral("0000")); });
    session().setRestartSecondsLeft(5);
    ticks().restartTick->setEnabled(true);
    advance(1000);
    EXPECT_FALSE(ticks().restartTick->isEnabled());
    advance(100);
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled()); // the run started at the first tick

    // Started again while running: the start command does nothing.
    ticks().restartTick->setEnabled(true);
    advance(1000);
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
    EXPECT_FALSE(ticks().countSetup->isEnabled());
}

} // namespace
} // namespace orvalen::test
