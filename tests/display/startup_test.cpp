#include "display/clock_texts.h"
#include "stores/plan_colour.h"
#include "display_fixture.h"
#include "platform/engine_timer.h"
#include "stores/ini_store.h"
#include "stores/plan_codec.h"

#include <QAccessible>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>

namespace orvalen::test {
namespace {

TEST(ClockTexts, formatAndModeGiveTheStartingClockAndOvertimeTexts)
{
    const QTime now(14, 5, 9);
    struct Row {
        const char* combolist;
        QTime length;
        const char* clock;
        const char* overtime;
    };
    const Row rows[] = {
        {"100", QTime(0, 1, 0), "01:00", "00:00"},
        {"000", QTime(1, 30, 0), "5400", "00"},
        {"100", QTime(1, 30, 0), "90:00", "00:00"},
        {"100", QTime(10, 0, 0), "600:00", "00:00"},
        {"200", QTime(1, 30, 0), "01:30:00", "00:00:00"},
        {"210", QTime(1, 30, 0), "00:00:00", "00:00:00"},
        {"010", QTime(1, 30, 0), "00", "00"},
        {"110", QTime(1, 30, 0), "00:00", "00:00"},
        {"120", QTime(1, 30, 0), "14:05", "00:00"},
        {"020", QTime(1, 30, 0), "14:05:09", "00"},
        {"220", QTime(1, 30, 0), "14:05:09", "00:00:00"},
        {"301", QTime(1, 30, 0), "", "14:05"},
        {"4xx", QTime(1, 30, 0), "", "05:09"},
        {"5xx", QTime(1, 30, 0), "", ""},
        {"", QTime(0, 1, 0), "60", "00"},
    };
    for (const Row& r : rows) {
        ClockPlan plan;
        plan_codec::setFieldText(plan, "combolist", QString::fromLatin1(r.combolist));
        plan.Time_all = r.length;
        EXPECT_EQ(initialClockText(plan, now), QString::fromUtf8(r.clock)) << r.combolist;
        EXPECT_EQ(initialOvertimeText(plan, now), QString::fromUtf8(r.overtime)) << r.combolist;
    }
}

TEST(Colours, storedTextsTurnIntoColoursAndBadOnesIntoNothing)
{
    EXPECT_EQ(colourFromText("255"), QColor(255, 0, 0));
    EXPECT_EQ(colourFromText("65535"), QColor(255, 255, 0));
    EXPECT_EQ(colourFromText("abc"), QColor(0, 0, 0));
    EXPECT_EQ(colourFromText("-2147483640"), QGuiApplication::palette().color(QPalette::Text));
    EXPECT_EQ(colourFromText("-2147483643"), QGuiApplication::palette().color(QPalette::Base));
    // Beyond 24 bits, beyond 32 bits, or a negative that is no system colour.
    EXPECT_FALSE(colourFromText("16777216").isValid());
    EXPECT_FALSE(colourFromText("99999999999").isValid());
    EXPECT_FALSE(colourFromText("-5").isValid());
    EXPECT_FALSE(colourFromText("-2147483000").isValid());
}

class StartupTest : public DisplayTest {};

TEST_F(StartupTest, freshStart_showsTitleAndClockOnly)
{
    DisplayWindow& w = loadDefault();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orvalen(全屏版)"));
    EXPECT_EQ(w.windowState() & ~Qt::WindowActive, Qt::WindowFullScreen);
    EXPECT_EQ(textLabel(w, 0)->text(), QStringLiteral("中层干部年终述职考评会"));
    EXPECT_FALSE(textLabel(w, 0)->isHidden());
    EXPECT_EQ(clockPanel(w)->text(), QStringLiteral("01:00"));
    EXPECT_EQ(clockPanel(w, "overtimePanel")->text(), QStringLiteral("00:00"));
    EXPECT_FALSE(panel(w, "clockPanel")->isHidden());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(textPanel(w, i)->isHidden()) << i;
    for (int i = 2; i <= 4; ++i)
        EXPECT_TRUE(textLabel(w, i)->text().isEmpty()) << i;
    EXPECT_TRUE(panel(w, "overtimePanel")->isHidden());
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
    for (QPushButton* b : screenButtons(w))
        EXPECT_TRUE(b->isHidden());
    EXPECT_DOUBLE_EQ(textLabel(w, 0)->font().pointSizeF(), 90);
    EXPECT_DOUBLE_EQ(clockPanel(w)->textFont().pointSizeF(), 150);
    EXPECT_EQ(displayHost.hotkeySets, 1);
    // Nothing runs while idle.
    for (const char* name : {"scrollTick", "promptTick"})
        EXPECT_FALSE(program.timers.find(name)->isEnabled()) << name;
    EXPECT_EQ(program.timers.find("promptTick")->interval(), 100);
}

TEST_F(StartupTest, missingFontsFallBackToSongtiPerElement)
{
    ClockPlan plan = defaultPlan();
    plan.clockFont = "NoSuchFont";
    plan.firstfont = "WenQuanYi Micro Hei";
    plan.secondtext = "副";
    plan.secondfont = "AlsoMissing";
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(clockPanel(w)->textFont().family(), QStringLiteral("宋体"));
    EXPECT_EQ(panel(w, "clockPanel")->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(clockPanel(w, "overtimePanel")->textFont().family(), QStringLiteral("宋体"));
    EXPECT_EQ(textLabel(w, 0)->font().family(), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(textLabel(w, 1)->font().family(), QStringLiteral("宋体"));
    // "宋体" renders in an installed CJK family, never as boxes.
    const QFontInfo info(clockPanel(w)->textFont());
    EXPECT_TRUE(info.family().contains("WenQuanYi") || info.family().contains("CJK")) << info.family().toStdString();
}

TEST_F(StartupTest, subtitleShownOnlyWithTextAndEmptyTitleHidden)
{
    ClockPlan plan = defaultPlan();
    plan.firsttext.clear();
    plan.secondtext = "第二行";
    DisplayWindow& w = loadWith(plan);
    EXPECT_TRUE(textLabel(w, 0)->isHidden());
    EXPECT_FALSE(textPanel(w, 1)->isHidden());
    EXPECT_EQ(textLabel(w, 1)->text(), QStringLiteral("第二行"));
}

TEST_F(StartupTest, shortSizeListKeepsMadeSizesAndBadColoursKeepTheirs)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "sizethree", "90/80/");
    plan.firstcolour = PlanColour::fromText("255");
    plan.clockcolour = PlanColour::fromText("abc");
    plan.secondcolour = PlanColour::fromText("99999999999");
    plan.secondtext = "x";
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(textLabel(w, 0)->font().pointSizeF(), 90);
    EXPECT_DOUBLE_EQ(clockPanel(w)->textFont().pointSizeF(), 80.25);
    EXPECT_DOUBLE_EQ(textLabel(w, 3)->font().pointSizeF(), 42);
    EXPECT_EQ(textLabel(w, 0)->palette().color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(panel(w, "clockPanel")->foreColor(), QColor(0, 0, 0));
    EXPECT_EQ(textLabel(w, 1)->palette().color(QPalette::Active, QPalette::WindowText),
              QGuiApplication::palette().color(QPalette::Text));
}

TEST_F(StartupTest, marqueeSettingsReadTrimmedWithDefaults)
{
    ini("Marquee", "Width", " 3000 ");
    ini("Marquee", "MarQueespeed", "7");
    DisplayWindow& w = loadDefault();
    EXPECT_EQ(w.marquee().width(), 3000);
    EXPECT_EQ(w.marquee().speed(), 7);
    EXPECT_EQ(w.marquee().mode(), 2);
    EXPECT_DOUBLE_EQ(twipsWidth(w, textPanel(w, 4)), 3000);
}

TEST_F(StartupTest, marqueeWidthOfZeroOrLessKeepsThePanelWidth)
{
    ini("Marquee", "Width", "-200");
    DisplayWindow& w = loadDefault();
    EXPECT_DOUBLE_EQ(twipsWidth(w, textPanel(w, 4)), 4695);
}

TEST_F(StartupTest, backgroundPictureLoadsWhenPresentElseColourEverywhere)
{
    {
        writePicture("1.jpg", 64, 48, "JPG");
        DisplayWindow& w = loadDefault();
        EXPECT_TRUE(backgroundView(w).backgroundIsPicture());
        EXPECT_EQ(backgroundView(w).backgroundPicture().size(), QSize(64, 48));
        EXPECT_TRUE(w.findChild<BackgroundBox*>("backgroundBox")->hasPicture());
    }
}

TEST_F(StartupTest, missingBackgroundPictureGivesWindowColourToEveryBox)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "65535\\missing.jpg");
    DisplayWindow& w = loadWith(plan);
    const QColor yellow(255, 255, 0);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(w.palette().color(QPalette::Window), yellow);
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), yellow);
    EXPECT_EQ(panel(w, "clockPanel")->backColor(), yellow);
    EXPECT_EQ(panel(w, "overtimePanel")->backColor(), yellow);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(textPanel(w, i)->backColor(), yellow);
}

TEST_F(StartupTest, perStageColoursTakeClockAndBackgroundFromStageZero)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "111111");
    plan_codec::setFieldText(plan, "highsetstart", "255\\65535\\");
    plan_codec::setFieldText(plan, "background", "0\\1.jpg");
    writePicture("1.jpg", 32, 32);
    DisplayWindow& w = loadWith(plan);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(panel(w, "clockPanel")->foreColor(), QColor(255, 0, 0));
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QColor(255, 255, 0));
}

TEST_F(StartupTest, buttonsFlagOneShowsButtonsAndKeepsTheFlag)
{
    ini("clocksite", "pictureleft9", "1");
    DisplayWindow& w = loadDefault();
    EXPECT_TRUE(host.menus.buttonsShown());
    for (QPushButton* b : screenButtons(w))
        EXPECT_FALSE(b->isHidden());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "1");
}

TEST_F(StartupTest, buttonsFlagOtherThanOneHidesButtonsAndStoresZero)
{
    ini("clocksite", "pictureleft9", "2");
    DisplayWindow& w = loadDefault();
    EXPECT_FALSE(host.menus.buttonsShown());
    for (QPushButton* b : screenButtons(w))
        EXPECT_TRUE(b->isHidden());
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "0");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop9", ""), "0");
}

TEST_F(StartupTest, idleMenuState_asksForTheReadyStateAndClearsTheMarks)
{
    host.menus.setAdjustMode(true);
    host.menus.setExtendedScreen(true);
    int changes = 0;
    QObject::connect(&host.menus, &MenuState::changed, [&] { ++changes; });
    loadDefault();
    EXPECT_EQ(displayHost.readyShown, 1);
    EXPECT_FALSE(host.menus.adjustMode());
    EXPECT_FALSE(host.menus.extendedScreen());
    EXPECT_EQ(displayHost.runs, std::vector<int>{9});
    EXPECT_GT(changes, 0);
}

TEST_F(StartupTest, longTermPlan_leavesItsSetUpToTheEngine)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan_codec::setFieldText(plan, "combolist", "301");
    DisplayWindow& w = loadWith(plan);
    for (const char* name : {"scrollTick", "promptTick"})
        EXPECT_FALSE(program.timers.find(name)->isEnabled()) << name;
    EXPECT_EQ(program.timers.find("promptTick")->interval(), 100);
    EXPECT_EQ(clockPanel(w)->text(), QString());
    EXPECT_EQ(clockPanel(w, "overtimePanel")->text(), QStringLiteral("09:00"));
}

// --- the logo -------------------------------------------------------------------

TEST_F(StartupTest, logoNameOfThreeCharactersIsNoLogo)
{
    writePicture("a.b", 20, 20);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "a.b";
    DisplayWindow& w = loadWith(plan);
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
    EXPECT_TRUE(panel(w, "logoBox")->picture().isNull());
}

TEST_F(StartupTest, logoPictureSizesItselfOrTakesTheStoredSize)
{
    writePicture("logo.png", 40, 30);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "LOGO.PNG"; // names match without regard to case
    {
        DisplayWindow& w = loadWith(plan);
        EXPECT_FALSE(panel(w, "logoBox")->isHidden());
        EXPECT_DOUBLE_EQ(twipsWidth(w, panel(w, "logoBox")), 600);
        EXPECT_DOUBLE_EQ(twipsHeight(w, panel(w, "logoBox")), 450);
        // Flush with the right edge, at the top.
        EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "logoBox")), 28800 - 600);
        EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "logoBox")), 0);
        EXPECT_EQ(videos.log.created, 0);
    }
}

TEST_F(StartupTest, logoCustomSizeIsTenTwipsPerUnitAndDrawnToTheBox)
{
    writePicture("logo.png", 40, 30);
    ini("pictureset", "Option", "1");
    ini("pictureset", "Width", "80");
    ini("pictureset", "Height", "60");
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsWidth(w, panel(w, "logoBox")), 800);
    EXPECT_DOUBLE_EQ(twipsHeight(w, panel(w, "logoBox")), 600);
    // The picture fills the 53 x 40 px box; it is not blown up 15 times.
    const QImage shot = panel(w, "logoBox")->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(53, 40));
    const QColor corner = shot.pixelColor(52, 39);
    EXPECT_GT(corner.red(), 200);
    EXPECT_GT(corner.green(), 200);
}

TEST_F(StartupTest, videoLogoPlaysAndTheRestOfTheStartUpStillRuns)
{
    program.writeFile("picture/clip.webm", QByteArray("not a picture"));
    ini("clocksite", "pictureleft9", "1");
    ini("pictureset", "Option", "1");
    ini("pictureset", "Width", "abc");
    ClockPlan plan = defaultPlan();
    plan.logopicture = "clip.webm";
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(videos.log.created, 1);
    EXPECT_EQ(videos.log.played, 1);
    EXPECT_TRUE(videos.log.file.endsWith("picture/clip.webm"));
    EXPECT_TRUE(w.hasLogoVideo());
    // Buttons, menu state and layout all happened.
    EXPECT_FALSE(screenButton(w, ScreenButton::Start)->isHidden());
    EXPECT_EQ(displayHost.runs, std::vector<int>{9});
    EXPECT_DOUBLE_EQ(twipsTop(w, screenButton(w, ScreenButton::Start)), 16200 - 3000);
}

TEST_F(StartupTest, picturesNamedOutsideThePictureFolderAreNotRead)
{
    writePicture("../escape.png", 30, 30);
    writePicture("sub/inner.png", 30, 30);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "../escape.png";
    plan_codec::setFieldText(plan, "background", "65535\\../escape.png");
    DisplayWindow& w = loadWith(plan);
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
    EXPECT_EQ(videos.log.created, 0);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->backColor(), QColor(255, 255, 0));

    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "background", "65535\\sub/inner.png"); });
    countView(w).applyStageLook(Stage::Start);
    EXPECT_FALSE(backgroundView(w).backgroundIsPicture());
}

TEST_F(StartupTest, panelsAreReadByAssistiveToolsAsTheTextTheyShow)
{
    DisplayWindow& w = loadDefault();
    auto name = [](QWidget* e) { return QAccessible::queryAccessibleInterface(e)->text(QAccessible::Name); };
    EXPECT_EQ(name(panel(w, "clockPanel")), QStringLiteral("01:00"));
    EXPECT_EQ(name(textLabel(w, 0)), QStringLiteral("中层干部年终述职考评会"));
    setCaption(w, textLabel(w, 3), QStringLiteral("阶段一"));
    EXPECT_EQ(name(textPanel(w, 3)), QStringLiteral("阶段一"));
}

} // namespace
} // namespace orvalen::test
