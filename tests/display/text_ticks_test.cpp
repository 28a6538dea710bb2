#include "display/prompt_text.h"
#include "display_fixture.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QGuiApplication>
#include <QPalette>

namespace orvalen::test {
namespace {

class TextTicksTest : public DisplayTest {
protected:
    // A scrolling text of `labelW` twips in a panel of `panelW`, at left 0.
    DisplayWindow& marquee(int mode, double panelW, double labelW)
    {
        ClockPlan plan = defaultPlan();
        DisplayWindow& w = loadWith(plan);
        setCaption(w, textLabel(w, 4), "滚动文字");
        setTwipsWidth(w, textLabel(w, 4), labelW);
        ini("Marquee", "Width", QString::number(int(panelW)));
        ini("Marquee", "Mode", QString::number(mode));
        ini("Marquee", "MarQueespeed", "10");
        w.marquee().readSettings(program.ini);
        setTwipsWidth(w, textPanel(w, 4), panelW);
        setTwipsLeft(w, textLabel(w, 4), 0);
        return w;
    }
    EngineTimer* scrollTick() { return program.timers.find("scrollTick"); }
    EngineTimer* promptTick() { return program.timers.find("promptTick"); }
    std::vector<double> lefts(DisplayWindow& w, int ticks)
    {
        std::vector<double> out;
        for (int i = 0; i < ticks; ++i) {
            w.marquee().tick();
            out.push_back(twipsLeft(w, textLabel(w, 4)));
        }
        return out;
    }
};

TEST_F(TextTicksTest, leftToRightWrapsAfterLeavingThePanel)
{
    DisplayWindow& w = marquee(0, 1000, 600);
    // The self-sizing label is measured again from its text on a caption
    // change, so fix its width through the model once more.
    const auto l = lefts(w, 13);
    EXPECT_EQ(l[0], 100);
    EXPECT_EQ(l[9], 1000);
    EXPECT_EQ(l[10], 1100);
    EXPECT_EQ(l[11], -600);
    EXPECT_EQ(l[12], -500);
    EXPECT_FALSE(textPanel(w, 4)->isHidden());
}

TEST_F(TextTicksTest, rightToLeftReentersAtTheRightEdge)
{
    DisplayWindow& w = marquee(1, 1000, 600);
    const auto l = lefts(w, 8);
    EXPECT_EQ(l[4], -500);
    EXPECT_EQ(l[5], -600);
    EXPECT_EQ(l[6], 900);
}

TEST_F(TextTicksTest, centredModeCentresOnceAndStops)
{
    DisplayWindow& w = marquee(2, 1000, 1600);
    scrollTick()->setEnabled(true);
    w.marquee().tick();
    // A line that stands still widens its panel and shows whole.
    EXPECT_EQ(twipsWidth(w, textPanel(w, 4)), 1600);
    EXPECT_EQ(twipsLeft(w, textLabel(w, 4)), 0);
    EXPECT_FALSE(scrollTick()->isEnabled());
    EXPECT_FALSE(textPanel(w, 4)->isHidden());
}

TEST_F(TextTicksTest, scrollingOffOrEmptyTextHidesAndStops)
{
    DisplayWindow& w = marquee(0, 1000, 600);
    textPanel(w, 4)->show();
    scrollTick()->setEnabled(true);
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "010111"); });
    w.marquee().tick();
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    EXPECT_FALSE(scrollTick()->isEnabled());

    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "011111"); });
    setCaption(w, textLabel(w, 4), QString());
    textPanel(w, 4)->show();
    scrollTick()->setEnabled(true);
    w.marquee().tick();
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    EXPECT_FALSE(scrollTick()->isEnabled());
}

// Width and step are made for 1920 x 1080: a 4K screen, which draws the
// text twice as large, shows the same share of it and moves it as fast.
TEST_F(TextTicksTest, on4kScreen_panelAndStepTakeTheirShareOfTheScreen)
{
    ini("Marquee", "Width", "5000");
    ini("Marquee", "Mode", "1");
    putOnTestScreen(window(), QSize(3840, 2160));
    DisplayWindow& w = loadDefault();
    setCaption(w, textLabel(w, 4), "滚动文字");
    w.layout().setLeft(textLabel(w, 4), 0);
    w.marquee().tick();
    EXPECT_NEAR(w.layout().width(textPanel(w, 4)), 3840 * 5000 / 28800.0, 1e-6);
    EXPECT_NEAR(w.layout().left(textLabel(w, 4)), -2 * 100 / 15.0, 1e-6);
}

TEST_F(TextTicksTest, speedOutOfRangeBecomesFiveAndIntervalsRoundHalfEven)
{
    DisplayWindow& w = marquee(0, 1000, 600);
    struct Case {
        int speed, interval, kept;
    };
    for (const Case c : {Case{0, 200, 5}, Case{51, 200, 5}, Case{1000, 200, 5}, Case{-3, 200, 5}, Case{-50, 200, 5},
                         Case{3, 333, 3}, Case{7, 143, 7}, Case{16, 62, 16}, Case{50, 20, 50}, Case{1, 1000, 1}}) {
        ini("Marquee", "MarQueespeed", QString::number(c.speed));
        w.marquee().readSettings(program.ini);
        w.marquee().tick();
        EXPECT_EQ(scrollTick()->interval(), c.interval) << c.speed;
        EXPECT_EQ(w.marquee().speed(), c.kept) << c.speed;
    }
}

TEST(PromptText, stageFlagsDecideThePrompt)
{
    ClockPlan plan;
    plan_codec::setFieldText(plan, "checkone", "1101111");
    plan_codec::setFieldText(plan, "checktwo", "1111110");
    EXPECT_EQ(promptFor(Stage::Start, plan), plan.stages[Stage::Start].prompt);
    EXPECT_EQ(promptFor(Stage::Alarm1, plan), plan.stages[Stage::Alarm1].prompt);
    EXPECT_EQ(promptFor(Stage::Alarm2, plan), QString()); // alarm 2 switched off
    EXPECT_EQ(promptFor(Stage::End, plan), QString()); // end prompt switched off
    EXPECT_EQ(promptFor(std::nullopt, plan), std::nullopt);
    plan_codec::setFieldText(plan, "checkone", "0000000");
    EXPECT_EQ(promptFor(Stage::Start, plan), plan.stages[Stage::Start].prompt);
}

TEST_F(TextTicksTest, promptTimerRunsFourTicksFromThreeAndFollowsTheStage)
{
    DisplayWindow& w = loadDefault();
    auto* t7 = program.timers.find("promptTick");
    ASSERT_NE(t7, nullptr);
    w.hostState().run.runStateWriter().enterStage(Stage::Start);
    countView(w).rewindPrompt();
    promptTick()->setEnabled(true);
    int ticks = 0;
    while (promptTick()->isEnabled() && ticks < 20) {
        program.timers.advance(100);
        ++ticks;
        if (ticks == 2)
            w.hostState().run.runStateWriter().enterStage(Stage::Alarm1);
    }
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(w.prompt().ticksLeft(), -1);
    EXPECT_EQ(textLabel(w, 3)->text(), currentPlan.plan().stages[Stage::Alarm1].prompt);
    EXPECT_FALSE(textPanel(w, 3)->isHidden());

    // A start that leaves the count at -1 runs one tick.
    promptTick()->setEnabled(true);
    program.timers.advance(100);
    EXPECT_FALSE(promptTick()->isEnabled());
    EXPECT_EQ(textLabel(w, 3)->text(), currentPlan.plan().stages[Stage::Alarm1].prompt);
}

TEST_F(TextTicksTest, promptTextIsCentredOnTheScreenForShortAndLongTextsSizesAndScreens)
{
    ClockPlan plan = defaultPlan();
    plan.stages[Stage::Start].prompt = "读";
    plan.stages[Stage::Alarm1].prompt = "请各位选手注意剩余时间，准备总结陈词";
    DisplayWindow& w = loadWith(plan);
    const auto textCentre = [&] {
        const QLabel* text = textLabel(w, 3);
        return text->mapTo(&w, QPoint(0, 0)).x() + text->width() / 2.0;
    };
    for (Stage stage : {Stage::Start, Stage::Alarm1, Stage::Start}) {
        w.hostState().run.runStateWriter().enterStage(stage);
        w.prompt().tick();
        ASSERT_FALSE(textPanel(w, 3)->isHidden());
        EXPECT_NEAR(textCentre(), 960, 1) << "stage " << stageName(stage).toStdString();
    }
    ASSERT_TRUE(view(w).setElementFontSize(DisplayElement::Prompt, 80));
    view(w).repaintElement(DisplayElement::Prompt);
    EXPECT_NEAR(textCentre(), 960, 1) << "80 pt";

    ScreenMetrics small;
    small.tppX = small.tppY = 15;
    small.fullWidthPx = small.screenWidthPx = 1280;
    small.fullHeightPx = 720;
    w.setScreenMetrics(small);
    w.relayout();
    EXPECT_NEAR(textCentre(), 640, 1) << "1280 wide";
}

// --- per-stage background ---------------------------------------------------------

TEST_F(TextTicksTest, perStageBackgroundColoursEveryBoxAndClockDigits)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "111111");
    DisplayWindow& w = loadWith(plan);
    countView(w).applyStageLook(Stage::SecondsCountDown); // "0\65535\"
    const QColor yellow(255, 255, 0);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(panel(w, "clockPanel")->foreColor(), QColor(0, 0, 0));
    EXPECT_EQ(w.palette().color(QPalette::Window), yellow);
    for (QColor c : {w.findChild<BackgroundBox*>("backgroundBox")->backColor(), panel(w, "clockPanel")->backColor(), panel(w, "overtimePanel")->backColor(),
                     textPanel(w, 1)->backColor(), textPanel(w, 4)->backColor()})
        EXPECT_EQ(c, yellow);
}

TEST_F(TextTicksTest, stagePictureLoadsAndCorruptOrMissingFallsBackToColour)
{
    writePicture("1.jpg", 50, 40, "JPG");
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "111111");
    DisplayWindow& w = loadWith(plan);
    countView(w).applyStageLook(Stage::Start);
    EXPECT_TRUE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(backgroundView(w).backgroundPicture().size(), QSize(50, 40));

    program.writeFile("picture/1.jpg", QByteArray("garbage, not a jpeg"));
    countView(w).applyStageLook(Stage::Alarm1);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_TRUE(backgroundView(w).backgroundPicture().isNull());
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QGuiApplication::palette().color(QPalette::Base));
}

TEST_F(TextTicksTest, damagedStageValuesAreSafe)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "111111");
    plan_codec::setFieldText(plan, "highsetfive", "255"); // only one part
    DisplayWindow& w = loadWith(plan);
    countView(w).applyStageLook(Stage::Overtime);
    EXPECT_EQ(panel(w, "clockPanel")->foreColor(), QColor(255, 0, 0));
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QColor(0, 0, 0));
}

TEST_F(TextTicksTest, overallModeIgnoresTheStageAndReRunsTheLayout)
{
    DisplayWindow& w = loadDefault();
    countView(w).applyStageLook(Stage::Alarm1);
    const QColor a = w.findChild<BackgroundBox*>("backgroundBox")->backColor();
    ini("clocksite", "pictureleft3", "1500");
    ini("clocksite", "picturetop3", "1500");
    countView(w).applyStageLook(Stage::End);
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), a);
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 3)), 1500);
}

} // namespace
} // namespace orvalen::test
