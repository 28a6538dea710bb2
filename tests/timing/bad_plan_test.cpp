// Plans with odd or broken values still run: no crash, no hang, no clock
// that stands still.
#include "engine_fixture.h"
#include "stores/plan_codec.h"

namespace orvalen::test {
namespace {

class BadPlanTest : public EngineTest {
protected:
    ClockPlan plan(int seconds, const QString& combolist)
    {
        ClockPlan p = defaultPlan();
        p.Time_all = QTime(0, 0, 0).addSecs(seconds);
        plan_codec::setFieldText(p, "combolist", combolist);
        return p;
    }
    void startRun()
    {
        start();
        advance(5);
    }
    // The stages in the order they appear, one sample per second.
    QList<std::optional<Stage>> stagesOver(int seconds)
    {
        QList<std::optional<Stage>> stages;
        for (int k = 0; k < seconds; ++k) {
            advance(1000);
            const std::optional<Stage> stage = window->hostState().run.stage();
            if (stages.isEmpty() || stages.last() != stage)
                stages << stage;
        }
        return stages;
    }
};

TEST_F(BadPlanTest, alarmsOutOfOrderOrEqualToLength_fireByTheirOwnTimesOnce)
{
    ClockPlan p = plan(10, "101");
    p.Time_one = QTime(0, 0, 10); // the length itself: never
    p.Time_two = QTime(0, 0, 3);
    p.Time_three = QTime(0, 0, 7);
    p.Time_four = QTime(0, 0, 7); // same as alarm 3: only alarm 3
    open(p);
    startRun();
    EXPECT_EQ(stagesOver(10), (QList<std::optional<Stage>>{Stage::Start, Stage::Alarm3, Stage::Alarm2, Stage::End}));
    EXPECT_EQ(commands->records, 1);
}

TEST_F(BadPlanTest, allStagesDisabled_stageCodesChangeWithoutStageSounds)
{
    ClockPlan p = plan(60, "101");
    plan_codec::setFieldText(p, "checkone", "0000000");
    open(p);
    startRun();
    EXPECT_EQ(stagesOver(60), (QList<std::optional<Stage>>{Stage::Start, Stage::Alarm1, Stage::Alarm2, Stage::Alarm3,
                                                          Stage::SecondsCountDown, Stage::End}));
    EXPECT_FALSE(backend.calls.join(u' ').contains("Timeout.wav"));
    EXPECT_EQ(commands->records, 1);
}

TEST_F(BadPlanTest, lengthZero_endsAtTheFirstTickAndRecordsOnce)
{
    open(plan(0, "101"));
    EXPECT_EQ(clock(), "00:00");
    startRun();
    EXPECT_EQ(window->hostState().run.stage(), Stage::End);
    EXPECT_EQ(clock(), "00:00");
    EXPECT_FALSE(ticks().countdownTick->isEnabled());
    advance(5000);
    EXPECT_EQ(commands->records, 1);
}

TEST_F(BadPlanTest, lengthBeyondADayIsRefused_longestLengthCountsInMinutes)
{
    ClockPlan p = plan(60, "101");
    EXPECT_FALSE(plan_codec::setFieldText(p, 0, "99:59:59"));
    EXPECT_EQ(p.Time_all, QTime(0, 1, 0));
    p.Time_all = QTime(23, 59, 59);
    open(p);
    EXPECT_EQ(clock(), "1439:59");
    startRun();
    advance(1000);
    EXPECT_EQ(clock(), "1439:58");
}

TEST_F(BadPlanTest, overtimeLimitZero_overtimeRunsUntilStoppedAndRecordsOnce)
{
    ClockPlan p = plan(3, "100");
    p.Time_five = QTime(0, 0, 0);
    open(p);
    startRun();
    advance(3000 + 30'000);
    EXPECT_EQ(window->hostState().run.stage(), Stage::Overtime);
    EXPECT_EQ(clock(), "00:30");
    EXPECT_TRUE(ticks().countupTick->isEnabled());
    EXPECT_EQ(commands->records, 0);
    commands->stopTiming();
    advance(1000);
    EXPECT_FALSE(ticks().countupTick->isEnabled());
    EXPECT_EQ(commands->records, 1);
    EXPECT_EQ(window->hostState().run.stage(), Stage::Overtime);
}

TEST_F(BadPlanTest, missingSoundFiles_runGoesOnSilently)
{
    for (const char* file : {"alarm.wav", "Timeout.wav", "Stop.wav"})
        QFile::remove(program.file(QStringLiteral("sounds/") + QLatin1String(file)));
    ClockPlan p = plan(60, "101");
    p.stages[Stage::Alarm1].sound = "nothing.mp3";
    open(p);
    startRun();
    EXPECT_EQ(stagesOver(60), (QList<std::optional<Stage>>{Stage::Start, Stage::Alarm1, Stage::Alarm2, Stage::Alarm3,
                                                          Stage::SecondsCountDown, Stage::End}));
    // Nothing plays; stops go by name alone.
    for (const QString& call : std::as_const(backend.calls))
        EXPECT_TRUE(call == "wavstop" || call.startsWith("mp3stop:")) << call.toStdString();
    EXPECT_EQ(commands->records, 1);
}

TEST_F(BadPlanTest, overtimePastADay_keepsCountingInHours)
{
    ClockPlan p = plan(1, "200");
    plan_codec::setFieldText(p, "checkone", "1111100"); // no overtime limit
    open(p);
    startRun();
    advance(1000);
    EXPECT_EQ(window->hostState().run.stage(), Stage::Overtime);
    // As if a day of overtime had been banked before a pause.
    session().record().countedUpMs = 86395000;
    advance(1000);
    EXPECT_EQ(clock(), "23:59:56");
    advance(4000);
    EXPECT_EQ(clock(), "24:00:00");
    advance(1000);
    EXPECT_EQ(clock(), "24:00:01");
}

TEST_F(BadPlanTest, endTextWiderThanATinyClock_shrinksNoFurtherThanOnePoint)
{
    ClockPlan p = plan(60, "101");
    plan_codec::setFieldText(p, "sizethree", "90/80/3/100/30/30/");
    p.stages[Stage::End].prompt = QString(80, QChar(u'时'));
    open(p);
    startRun();
    EXPECT_EQ(clock(), "01:00");
    // Shown at the size it was fitted to.
    window->countView().showEndText(p.stages[Stage::End].prompt, true);
    EXPECT_EQ(window->elementView().elementFont(DisplayElement::Clock).pointSizeF(), 1.0);
}

} // namespace
} // namespace orvalen::test
