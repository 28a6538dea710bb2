// The pieces of the engine that a whole run does not show one by one: the
// clock sources, the blink and the hand-off of a long-term plan (on a view
// without widgets); the overtime clock and the logo video on the display.
#include "display/display_fixture.h"
#include "engine_fixture.h"

#include "platform/registry_store.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

namespace orvalen::test {
namespace {

class EnginePartsTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        openWithoutWidgets(defaultPlan());
    }
};

class EngineOnDisplayTest : public EngineTest {};

TEST_F(EnginePartsTest, remainingTime_countsPerClockSourceWithBankedTimeAndMidnight)
{
    session().setStartReferenceMs(program.clock.monotonicMs());
    program.clock.step(10'350);
    EXPECT_EQ(counts->countedMs("countdownTick"), 10'350);
    EXPECT_EQ(counts->countedMs("countupTick"), 10'550); // 200 ms ahead on source 0
    session().record().countedDownMs = 9365;
    EXPECT_EQ(counts->countedMs("countdownTick"), 19'715);
    EXPECT_EQ(counts->countedMs("scrollTick"), 0);
    session().record().countedDownMs = 0;
    EXPECT_EQ(counts->countedMs("countdownTick"), 10'350);

    // Source 1: started 23:59:59.000, asked at 00:00:01.000.
    host.run.runStateWriter().useClockSource(1);
    session().setStartReferenceMs(86'399'000);
    program.clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
    EXPECT_EQ(counts->countedMs("countdownTick"), 2000);
    EXPECT_EQ(counts->countedMs("countupTick"), 2200);

    // Source 2: whole seconds of the time of day.
    host.run.runStateWriter().useClockSource(2);
    session().setStartTimeOfDay(QTime(23, 59, 30));
    program.clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 9, 900)));
    EXPECT_EQ(counts->countedMs("countdownTick"), 39'000);

    host.run.runStateWriter().useClockSource(3);
    EXPECT_EQ(counts->countedMs("countdownTick"), 0);
    EXPECT_FALSE(program.registry.readDword("clockmode").has_value());
}

TEST_F(EnginePartsTest, remainingTime_unreadableStartOnSourceTwo_givesZeroAndMovesToSourceZero)
{
    host.run.runStateWriter().useClockSource(2);
    session().setStartTimeOfDay(QTime());
    EXPECT_EQ(counts->countedMs("countdownTick"), 0);
    EXPECT_EQ(program.registry.readDword("clockmode"), 0);
    EXPECT_EQ(host.run.clockSource(), 2); // the running program keeps its source
}

TEST_F(EngineOnDisplayTest, overtimeWithItsOwnClock_countsOnTheOvertimeClock)
{
    open(defaultPlan());
    currentPlan.edit([](ClockPlan& p) {
        p.Time_all = QTime(0, 0, 2);
        plan_codec::setFieldText(p, "checkfour", "1000");
        p.stages[Stage::Overtime].blinks = false; // no blink in overtime
    });
    start();
    advance(2005);
    EXPECT_EQ(window->hostState().run.stage(), Stage::Overtime);
    EXPECT_EQ(clock(), "00:00");
    advance(3000);
    EXPECT_EQ(elementText(DisplayElement::OvertimeClock), "00:03");
    EXPECT_FALSE(windowPanel("overtimePanel")->isHidden());
    EXPECT_EQ(clock(), "00:00");
}

TEST_F(EnginePartsTest, blink_hidesAndShowsTheClockForTheReminderThenStopsVisible)
{
    host.run.runStateWriter().enterStage(Stage::Alarm1);
    view.clockShown = true;
    ticks().blinksLeft = 10;
    ticks().blinkTick->setInterval(490);
    ticks().blinkTick->setEnabled(true);
    QList<bool> hidden;
    for (int i = 0; i < 11; ++i) {
        advance(490);
        hidden << !view.clockShown;
    }
    EXPECT_EQ(hidden, (QList<bool>{true, false, true, false, true, false, true, false, true, false, false}));
    EXPECT_FALSE(ticks().blinkTick->isEnabled());
    EXPECT_EQ(ticks().blinksLeft, -1);
}

TEST_F(EnginePartsTest, blinkInOvertimeWithItsOwnClock_blinksTheOvertimeClock)
{
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkfour", "1000"); });
    host.run.runStateWriter().enterStage(Stage::Overtime);
    view.overtimeShown = true;
    view.clockShown = true;
    ticks().blinksLeft = 2;
    ticks().blinkTick->setEnabled(true);
    advance(1000);
    EXPECT_FALSE(view.overtimeShown);
    EXPECT_TRUE(view.clockShown);
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", "102"); }); // no overtime count: the clock blinks
    advance(1000);
    EXPECT_FALSE(view.clockShown);
}

TEST_F(EnginePartsTest, setUpOfALongTermPlan_handsOverToTheDateSetUp)
{
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkone", "1111111"); });
    int dateSetUps = 0;
    ticks().clockSetup->setHandler([&] { ++dateSetUps; });
    start();
    EXPECT_EQ(dateSetUps, 1);
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    EXPECT_EQ(host.run.countedDownMs(), 0);
}

TEST_F(EnginePartsTest, preparedDisplay_keepsAStartedRunsTickWhenAPlanIsChosen)
{
    start();
    advance(5);
    // A plan chosen during the run asks for a prepare-only set-up.
    session().setPrepareOnly(true);
    ticks().countSetup->setEnabled(true);
    advance(100);
    EXPECT_TRUE(ticks().countdownTick->isEnabled());
    EXPECT_FALSE(item(DesktopItem::Start)->isEnabled());
}

// The logo video fills the logo box inside its border, at start-up and in
// both set-ups.
TEST_F(EngineOnDisplayTest, logoVideo_fillsTheBoxInsideItsBorder_atStartUpAndInEverySetUp)
{
    FakeLogoVideoFactory videos;
    program.writeFile("picture/clip.webm", QByteArray("not a picture"));
    program.ini.write("pictureset", "Option", "1");
    program.ini.write("pictureset", "Width", "300"); // tens of twips: 200 px
    program.ini.write("pictureset", "Height", "150"); // 100 px
    ClockPlan p = defaultPlan();
    p.logopicture = "clip.webm";
    build(p, "0");
    window->setLogoVideoFactory(&videos);
    load();
    const int b = windowPanel("logoBox")->borderWidth();
    const QSize inside(200 - 2 * b, 100 - 2 * b);
    EXPECT_EQ(videos.log.size, inside);

    program.ini.write("pictureset", "Width", "600"); // 400 px
    for (EngineTimer* setUp : {ticks().countSetup.get(), ticks().clockSetup.get()}) {
        currentPlan.edit([&](ClockPlan& plan) { plan_codec::setFieldText(plan, "checkone", setUp == ticks().clockSetup.get() ? "1111111" : plan_codec::fieldText(p, "checkone")); });
        videos.log.size = QSize();
        setUp->post();
        advance(0);
        EXPECT_EQ(videos.log.size, QSize(400 - 2 * b, 100 - 2 * b));
    }
    EXPECT_EQ(videos.log.created, 3);
}

} // namespace
} // namespace orvalen::test
