#include "display_fixture.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPalette>

namespace orvalen::test {
namespace {

class BadInputTest : public DisplayTest {
protected:
    // The display came up and can still be painted quickly.
    void expectUsable(DisplayWindow& w)
    {
        QElapsedTimer t;
        t.start();
        const QPixmap shot = w.grab();
        EXPECT_FALSE(shot.isNull());
        EXPECT_FALSE(panel(w, "clockPanel")->isHidden());
        w.relayout();
        view(w).repaintElement(DisplayElement::Clock);
        paintTextPanels(w);
    }
};

TEST_F(BadInputTest, tenThousandCharacterTextsStillGiveADisplay)
{
    ClockPlan plan = defaultPlan();
    plan.firsttext = QString(10000, QChar(0x6807));
    plan.secondtext = QString(10000, QLatin1Char('W'));
    plan.stages[Stage::Start].prompt = QString(10000, QChar(0x63D0));
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(textLabel(w, 0)->text().size(), 10000);
    EXPECT_FALSE(textPanel(w, 1)->isHidden());
    EXPECT_LE(textPanel(w, 1)->image().width(), 8192);
    w.hostState().run.runStateWriter().enterStage(Stage::Start);
    ASSERT_EQ(w.prompt().ticksLeft(), 0);
    w.prompt().tick();
    EXPECT_EQ(textLabel(w, 3)->text().size(), 10000);
    view(w).setElementText(DisplayElement::Clock, QString(10000, QLatin1Char('8')));
    expectUsable(w);
}

TEST_F(BadInputTest, fontSizesThePlanCannotRead_keepTheDisplaysOwnSizes)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "sizethree", "0/-5/abc/1000/1e400/nan/");
    plan.secondtext = "副";
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(textLabel(w, 0)->font().pointSizeF(), 72);
    EXPECT_DOUBLE_EQ(textLabel(w, 1)->font().pointSizeF(), 42);
    EXPECT_DOUBLE_EQ(clockPanel(w)->textFont().pointSizeF(), 80.25);
    EXPECT_DOUBLE_EQ(textLabel(w, 2)->font().pointSizeF(), 1000);
    EXPECT_DOUBLE_EQ(textLabel(w, 3)->font().pointSizeF(), 42);
    // A painter handed a size of 0 leaves a cleared panel, no crash.
    layoutView(w).paintClock("01:00", 0);
    layoutView(w).paintClock("01:00", -5);
    expectUsable(w);
}

TEST_F(BadInputTest, hugeClockFontStillPaints)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "sizethree", "90/80/1000/100/30/30/");
    DisplayWindow& w = loadWith(plan);
    // Drawn smaller to fit the screen; the plan's size stays the clock's.
    EXPECT_DOUBLE_EQ(view(w).elementFont(DisplayElement::Clock).pointSizeF(), 1000);
    EXPECT_LE(panel(w, "clockPanel")->width(), 1920);
    EXPECT_FALSE(panel(w, "clockPanel")->image().isNull());
    expectUsable(w);
}

TEST_F(BadInputTest, coloursOutOfRangeLeaveTheControlsColours)
{
    ClockPlan plan = defaultPlan();
    plan.firstcolour = PlanColour::fromText("4294967296");
    plan.clockcolour = PlanColour::fromText("-99999999999");
    plan_codec::setFieldText(plan, "background", "16777216\\");
    plan_codec::setFieldText(plan, "checkthree", "011111");
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(textLabel(w, 0)->palette().color(QPalette::Active, QPalette::WindowText),
              QGuiApplication::palette().color(QPalette::Text));
    EXPECT_EQ(panel(w, "clockPanel")->foreColor(), QColor(255, 0, 0)); // the clock's made red
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QGuiApplication::palette().color(QPalette::Base));
    expectUsable(w);
}

TEST_F(BadInputTest, corruptPicturesAndVideosGiveColourAndNoLogoPicture)
{
    program.writeFile("picture/bg.jpg", QByteArray(5000, '\x7f'));
    program.writeFile("picture/logo.png", QByteArray("\x89PNG broken"));
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "255\\bg.jpg");
    plan.logopicture = "logo.png";
    DisplayWindow& w = loadWith(plan);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QColor(255, 0, 0));
    EXPECT_TRUE(panel(w, "logoBox")->picture().isNull());
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
    EXPECT_EQ(videos.log.created, 1); // handed to the video player, which may fail quietly
    expectUsable(w);
}

TEST_F(BadInputTest, positionsFarOffScreenComeBackToTheirDefaults)
{
    ini("clocksite", "pictureleft5", "999999999999");
    ini("clocksite", "picturetop5", "-2147483648");
    ini("clocksite", "pictureleft3", "1e308");
    ini("clocksite", "picturetop3", "nan");
    ini("clocksite", "pictureleft10", "50000");
    ini("clocksite", "picturetop10", "17000");
    ini("clocksite", "pictureleft9", "1");
    DisplayWindow& w = loadDefault();
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "clockPanel")), 1600);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 3)), 1000);
    EXPECT_DOUBLE_EQ(twipsLeft(w, screenButton(w, ScreenButton::Start)), 2000);
    EXPECT_DOUBLE_EQ(twipsTop(w, screenButton(w, ScreenButton::Start)), 13200);
    expectUsable(w);
}

TEST_F(BadInputTest, hugeLogoSizesAreSkippedNotCrashing)
{
    writePicture("logo.png", 40, 30);
    ini("pictureset", "Option", "1");
    ini("pictureset", "Width", "5000");
    ini("pictureset", "Height", "-3");
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsWidth(w, panel(w, "logoBox")), 3090);
    EXPECT_DOUBLE_EQ(twipsHeight(w, panel(w, "logoBox")), 3225);
    expectUsable(w);
}

} // namespace
} // namespace orvalen::test
