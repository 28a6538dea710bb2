#include "stores/plan_store.h"
#include "display_fixture.h"
#include "platform/registry_store.h"
#include "platform/save_file.h"
#include "stores/ini_store.h"
#include "stores/registry_values.h"
#include "stores/time_data_keys.h"
#include "stores/plan_codec.h"

#include <QFile>

namespace orvalen::test {
namespace {

class LayoutTest : public DisplayTest {};

constexpr double W = 28800, H = 16200;

TEST_F(LayoutTest, noSavedPositions_placesEveryElementAtItsDefault)
{
    ClockPlan plan = defaultPlan();
    plan.secondtext = "副";
    program.ini.removeSection("clocksite");
    ini("clocksite", "pictureleft9", "1");
    DisplayWindow& w = loadWith(plan);
    auto centred = [&](QWidget* e) { return (W - twipsWidth(w, e)) / 2; };
    EXPECT_DOUBLE_EQ(twipsLeft(w, textLabel(w, 0)), centred(textLabel(w, 0)));
    EXPECT_DOUBLE_EQ(twipsTop(w, textLabel(w, 0)), 100);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 1)), 400);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 2)), 700);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 3)), 1000);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 4)), 1300);
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "clockPanel")), 1600);
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "overtimePanel")), 2200);
    // The clock is centred on the screen width.
    EXPECT_NEAR(twipsLeft(w, panel(w, "clockPanel")) + twipsWidth(w, panel(w, "clockPanel")) / 2, W / 2, 0.001);
    // The buttons: a row from 2000 twips, 3000 twips above the foot.
    EXPECT_DOUBLE_EQ(twipsLeft(w, screenButton(w, ScreenButton::Start)), 2000);
    for (QPushButton* b : screenButtons(w))
        EXPECT_DOUBLE_EQ(twipsTop(w, b), H - 3000) << b->objectName().toStdString();
    // Pixel geometry follows: the clock panel's centre is the screen's.
    EXPECT_NEAR(panel(w, "clockPanel")->x() + panel(w, "clockPanel")->width() / 2.0, 960, 1);
}

TEST_F(LayoutTest, buttonsHoldTheirLongestCaption_noTwoTouchOnLargeOrSmallScreens)
{
    ini("clocksite", "pictureleft9", "1");
    DisplayWindow& w = loadWith(defaultPlan());
    host.run.runStateWriter().start();
    host.run.runStateWriter().pause(); // the pause button reads " 继续 "
    const auto buttons = screenButtons(w);
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{1280, 720}}) {
        ScreenMetrics m;
        m.tppX = m.tppY = 15;
        m.fullWidthPx = m.screenWidthPx = width;
        m.fullHeightPx = height;
        w.setScreenMetrics(m);
        w.relayout();
        const QFontMetrics fm(buttons[0]->font()); // the captions scale with the screen
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const QRect area = buttons[i]->geometry();
            for (const char* caption : {" 开始 ", " 清零 ", " 停止 ", " 暂停 ", " 继续 ", " 设置 ", " 退出 "})
                EXPECT_GE(area.width(), fm.horizontalAdvance(QString::fromUtf8(caption))) << caption;
            EXPECT_GE(area.height(), fm.height()) << i;
            EXPECT_LE(area.right(), width) << i;
            for (std::size_t j = i + 1; j < buttons.size(); ++j)
                EXPECT_FALSE(area.marginsAdded({1, 1, 1, 1}).intersects(buttons[j]->geometry()))
                    << width << ": buttons " << i << " and " << j << " touch";
        }
    }
}

TEST_F(LayoutTest, savedPositionsAreValidOnlyStrictlyInside)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "001001"); // no centring of title, subtitle or clock
    ini("clocksite", "pictureleft5", "0");
    ini("clocksite", "picturetop5", "3000");
    ini("clocksite", "pictureleft3", "1200");
    ini("clocksite", "picturetop3", "-5");
    ini("clocksite", "pictureleft7", "28800");
    ini("clocksite", "picturetop7", "16199");
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), (W - twipsWidth(w, panel(w, "clockPanel"))) / 2);
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "clockPanel")), 3000);
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 3)), 1200);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 3)), 1000);
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "overtimePanel")), (W - twipsWidth(w, panel(w, "overtimePanel"))) / 2);
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "overtimePanel")), 16199);

    // The title may start beyond the right edge, up to its own width.
    const double titleW = twipsWidth(w, textLabel(w, 0));
    ini("clocksite", "picturetop0", "300");
    ini("clocksite", "pictureleft0", QString::number(int(W + titleW) - 1));
    w.relayout();
    EXPECT_DOUBLE_EQ(twipsLeft(w, textLabel(w, 0)), int(W + titleW) - 1);
    ini("clocksite", "pictureleft0", QString::number(int(std::ceil(W + titleW))));
    w.relayout();
    EXPECT_DOUBLE_EQ(twipsLeft(w, textLabel(w, 0)), (W - titleW) / 2);
}

TEST_F(LayoutTest, logoLeftMustLeaveItsWholeWidthInside)
{
    writePicture("logo.png", 40, 30); // 600 x 450 twips
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    ini("clocksite", "pictureleft6", QString::number(W - 600));
    ini("clocksite", "picturetop6", "500");
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "logoBox")), W - 600);
    EXPECT_DOUBLE_EQ(twipsTop(w, panel(w, "logoBox")), 500);
    ini("clocksite", "pictureleft6", "100");
    w.relayout();
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "logoBox")), 100);
}

TEST_F(LayoutTest, minusHundredInTheIniReadsBothFromTheStore)
{
    ClockPlan plan = defaultPlan();
    registry_values::setPosition(program.registry, 3, 1200, 6360);
    ini("clocksite", "pictureleft3", "-100");
    ini("clocksite", "picturetop3", "5000");
    // Element 2: -100 in the INI and nothing in the store: both defaults,
    // even the valid INI top.
    ini("clocksite", "pictureleft2", "-100");
    ini("clocksite", "picturetop2", "5000");
    // Element 4: a non-numeric value is 0 (default) and does not read the store.
    registry_values::setPosition(program.registry, 4, 1500, 1500);
    ini("clocksite", "pictureleft4", "abc");
    ini("clocksite", "picturetop4", "4000");
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 3)), 1200);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 3)), 6360);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 2)), 700);
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 4)), (W - twipsWidth(w, textPanel(w, 4))) / 2);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 4)), 4000);
}

TEST_F(LayoutTest, centreFlagsOverrideSavedTitleAndClockUnlessOvertimeClockShown)
{
    ClockPlan plan = defaultPlan(); // checkthree "011111"
    ini("clocksite", "pictureleft0", "500");
    ini("clocksite", "pictureleft5", "700");
    ini("clocksite", "picturetop5", "1700");
    DisplayWindow& w = loadWith(plan);
    EXPECT_DOUBLE_EQ(twipsLeft(w, textLabel(w, 0)), (W - twipsWidth(w, textLabel(w, 0))) / 2);
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), (W - twipsWidth(w, panel(w, "clockPanel"))) / 2);

    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkfour", "1000"); }); // counts overtime (combolist digit 3 "0") and shows it
    w.relayout();
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), 700);
}

TEST_F(LayoutTest, backgroundBoxTakesTheLargerOfWindowAndPicturePerAxis)
{
    writePicture("big.png", 900, 300);
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "0\\big.png");
    DisplayWindow& w = loadWith(plan);
    w.setGeometry(0, 0, 600, 500);
    w.relayout();
    EXPECT_EQ(w.findChild<QWidget*>("backgroundBox")->size(), QSize(900, 500));
    EXPECT_EQ(w.findChild<BackgroundBox*>("backgroundBox")->stretched().size(), QSize(900, 500));
}

TEST_F(LayoutTest, minimiseAndMaximise_tellTheMenusWhetherTheDisplayIsMinimised)
{
    DisplayWindow& w = loadDefault();
    w.showMinimized();
    EXPECT_TRUE(host.menus.displayMinimised());
    w.showFullScreen();
    EXPECT_FALSE(host.menus.displayMinimised());
    w.showMinimized();
    w.showMaximized();
    EXPECT_FALSE(host.menus.displayMinimised());
    w.showNormal();
    EXPECT_FALSE(host.menus.displayMinimised());
}

TEST_F(LayoutTest, positionStoreWritesIniAndStoreIndependently)
{
    saveElementPosition(program.context.ini, program.context.registry, 3, 1200, 6360);
    saveElementPosition(program.context.ini, program.context.registry, 9, 1, 0);
    saveElementPosition(program.context.ini, program.context.registry, 4, -240, 500);
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft3", ""), "1200");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop3", ""), "6360");
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft9", ""), "1");
    EXPECT_EQ(program.ini.read("clocksite", "picturetop9", ""), "0");
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft4", ""), "-240");
    EXPECT_EQ(program.registry.readDword("pictureleft3"), 1200);
    EXPECT_EQ(program.registry.readDword("picturetop3"), 6360);
    EXPECT_EQ(program.registry.readDword("pictureleft4"), -240);

    // When the INI file cannot be written, the store copy is still kept.
    const QString iniLeft = program.ini.read("clocksite", "pictureleft5", "none");
    ASSERT_TRUE(QFile::setPermissions(program.ini.file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    saveElementPosition(program.context.ini, program.context.registry, 5, 111, 222);
    setSaveFailureHandler({});
    EXPECT_EQ(told, QStringList{program.ini.file()});
    EXPECT_EQ(program.ini.read("clocksite", "pictureleft5", "none"), iniLeft);
    EXPECT_EQ(program.registry.readDword("pictureleft5"), 111);
}

TEST_F(LayoutTest, readOnlyTimeDataWithoutScreenRecord_startTellsNobodyAndLogs_operatorsSaveToldOnce)
{
    ASSERT_TRUE(QFile::setPermissions(program.ini.file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QByteArray before = program.readFile("TimeData.db");
    ASSERT_FALSE(before.contains("screenwidth"));
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    static QStringList logged;
    logged.clear();
    const QtMessageHandler old = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            logged << text;
    });
    DisplayWindow& w = loadDefault();
    qInstallMessageHandler(old);
    EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
    EXPECT_FALSE(logged.filter("not recorded for this screen").isEmpty()) << logged.join('\n').toStdString();
    EXPECT_EQ(program.readFile("TimeData.db"), before);

    view(w).saveElementPosition(DisplayElement::Clock);
    view(w).saveElementPosition(DisplayElement::Clock);
    setSaveFailureHandler({});
    EXPECT_EQ(told, QStringList{program.ini.file()});
}

// A logo is drawn in proportion to the screen, as the texts are; carried to
// a screen of another shape, a centred logo stays centred.
TEST_F(LayoutTest, logoDrawnInProportionToTheScreen_centredLogoStaysCentredOnAnotherScreen)
{
    writePicture("logo.png", 200, 200);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    putOnTestScreen(window(), QSize(1280, 720));
    DisplayWindow& w = loadWith(plan);
    const double made = 200 * 15;
    EXPECT_NEAR(twipsWidth(w, panel(w, "logoBox")), made * 2 / 3, 1e-6);
    EXPECT_NEAR(twipsHeight(w, panel(w, "logoBox")), made * 2 / 3, 1e-6);
    view(w).setElementLeft(DisplayElement::Logo, (1280 * 15 - made * 2 / 3) / 2);
    view(w).saveElementPosition(DisplayElement::Logo);

    putOnTestScreen(w, QSize(2560, 1080));
    w.relayout();
    EXPECT_NEAR(twipsWidth(w, panel(w, "logoBox")), made, 1e-6);
    EXPECT_NEAR(twipsLeft(w, panel(w, "logoBox")), (2560 * 15 - made) / 2, 0.5);
}

// A program folder arranged on one screen and shown on another.
class PlacesFollowTheScreenTest : public DisplayTest, public ::testing::WithParamInterface<std::pair<QSize, QSize>> {
protected:
    void setScreen(QSize size)
    {
        ScreenMetrics m;
        m.tppX = m.tppY = 15;
        m.fullWidthPx = m.screenWidthPx = size.width();
        m.fullHeightPx = size.height();
        window().setScreenMetrics(m);
    }
};

TEST_P(PlacesFollowTheScreenTest, placesMadeForAnotherScreen_keepTheirSharesCentredStaysCentred_storedForThisScreen)
{
    const auto [from, to] = GetParam();
    const double fromW = from.width() * 15.0, fromH = from.height() * 15.0;
    const double toW = to.width() * 15.0, toH = to.height() * 15.0;
    ini("clocksite", "pictureleft9", "1");
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "001001"); // the clock is not centred by a flag
    plan_codec::setFieldText(plan, "checkfour", "1000");    // the overtime clock shown
    setScreen(from);
    DisplayWindow& w = loadWith(plan);

    // The operator's places on the first screen: the clock centred, the
    // others anywhere.
    struct Place {
        DisplayElement element;
        double leftShare, topShare;
    };
    const Place places[] = {{DisplayElement::Prompt, 0.1, 0.6},
                            {DisplayElement::OvertimeClock, 0.2, 0.7},
                            {DisplayElement::StartButton, 0.05, 0.85}};
    for (const Place& p : places) {
        view(w).setElementLeft(p.element, std::round(p.leftShare * fromW));
        view(w).setElementTop(p.element, std::round(p.topShare * fromH));
        view(w).saveElementPosition(p.element);
    }
    view(w).setElementLeft(DisplayElement::Clock, std::round((fromW - view(w).elementRect(DisplayElement::Clock).width()) / 2));
    view(w).setElementTop(DisplayElement::Clock, std::round(0.4 * fromH));
    view(w).saveElementPosition(DisplayElement::Clock);

    setScreen(to);
    w.relayout();
    for (const Place& p : places) {
        const QRectF r = view(w).elementRect(p.element);
        EXPECT_NEAR(r.left(), p.leftShare * toW, 1.5) << int(p.element);
        EXPECT_NEAR(r.top(), p.topShare * toH, 1.5) << int(p.element);
        EXPECT_EQ(program.ini.read("clocksite", QStringLiteral("picturetop%1").arg(int(p.element)), ""),
                  QString::number(r.top()));
    }
    const QRectF clock = view(w).elementRect(DisplayElement::Clock);
    EXPECT_NEAR(clock.center().x(), toW / 2, 15);
    EXPECT_NEAR(clock.top(), 0.4 * toH, 1.5);
    EXPECT_EQ(program.ini.read("clocksite", "screenwidth", ""), QString::number(toW));
    EXPECT_EQ(program.ini.read("clocksite", "screenheight", ""), QString::number(toH));
}

TEST_P(PlacesFollowTheScreenTest, shippedShare_shownAtItsShareAtOnce_keptAsTwipsOfThisScreenAfterTheFirstFrame)
{
    const QSize screen = GetParam().second;
    ini("clocksite", "picturetop3", "50%");
    setScreen(screen);
    window();
    loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
    window().load();
    EXPECT_NEAR(view(window()).elementRect(DisplayElement::Prompt).top(), 0.5 * screen.height() * 15, 1.5);
    EXPECT_EQ(program.ini.read("clocksite", "picturetop3", ""), "50%");

    window().recordPlacesForThisScreen(); // the program's first frame is on screen
    EXPECT_EQ(program.ini.read("clocksite", "picturetop3", ""), QString::number(screen.height() * 15 / 2));
    EXPECT_EQ(program.ini.read("clocksite", "screenwidth", ""), QString::number(screen.width() * 15));
}

INSTANTIATE_TEST_SUITE_P(LaptopAndProjector, PlacesFollowTheScreenTest,
                         ::testing::Values(std::pair{QSize(1920, 1080), QSize(1280, 720)},
                                           std::pair{QSize(1280, 720), QSize(1920, 1080)}),
                         [](const auto& info) {
                             return "from" + std::to_string(info.param.first.width()) + "to"
                                    + std::to_string(info.param.second.width());
                         });

// A record of the screen that no real screen has (unreadable, absurd in size
// or shape, one key alone; "" is a missing key) says nothing of where the
// places were made.
class DamagedScreenRecordTest : public DisplayTest,
                                public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(DamagedScreenRecordTest, placesKeptAsMadeForThisScreen_everyElementInside_bothKeysStoredForThisScreen)
{
    const auto& [width, height] = GetParam();
    program.ini.removeSection("clocksite");
    const std::pair<const char*, const char*> places[] = {{"2000", "1"}, {"1200", "6360"}, {"3000", "9000"}};
    const DisplayElement elements[] = {DisplayElement::MainTitle, DisplayElement::Prompt, DisplayElement::Clock};
    for (int i = 0; i < 3; ++i) {
        ini("clocksite", time_data::pictureLeftKey(int(elements[i])), places[i].first);
        ini("clocksite", time_data::pictureTopKey(int(elements[i])), places[i].second);
    }
    if (!width.empty())
        ini("clocksite", "screenwidth", QString::fromStdString(width));
    if (!height.empty())
        ini("clocksite", "screenheight", QString::fromStdString(height));
    DisplayWindow& w = loadDefault();

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program.ini.read("clocksite", time_data::pictureLeftKey(int(elements[i])), "").toStdString(),
                  places[i].first);
        EXPECT_EQ(program.ini.read("clocksite", time_data::pictureTopKey(int(elements[i])), "").toStdString(),
                  places[i].second);
        const QRectF r = view(w).elementRect(elements[i]);
        EXPECT_TRUE(r.left() >= 0 && r.top() >= 0 && r.right() <= W && r.bottom() <= H)
            << int(elements[i]) << ": " << r.left() << ", " << r.top() << " to " << r.right() << ", " << r.bottom();
    }
    EXPECT_DOUBLE_EQ(twipsTop(w, textLabel(w, 0)), 1);
    EXPECT_EQ(program.ini.read("clocksite", "screenwidth", ""), QString::number(W));
    EXPECT_EQ(program.ini.read("clocksite", "screenheight", ""), QString::number(H));
}

INSTANTIATE_TEST_SUITE_P(NoRealScreen, DamagedScreenRecordTest,
                         ::testing::Values(std::pair{"1e999", "1e999"}, std::pair{"1", "1"},
                                           std::pair{"2147483647", "2147483647"}, std::pair{"-28800", "-16200"},
                                           std::pair{"28800", "1"}, std::pair{"wide", "16200"},
                                           std::pair{"28800", ""}, std::pair{"", "16200"}),
                         [](const auto& info) {
                             const std::string& width = info.param.first;
                             const std::string& height = info.param.second;
                             std::string name = (width.empty() ? "none" : width) + "by"
                                                + (height.empty() ? "none" : height);
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST_F(LayoutTest, twipsStayExactThroughPixelRoundTrips)
{
    DisplayWindow& w = window();
    setTwipsLeft(w, panel(w, "clockPanel"), 100.5);
    for (int i = 0; i < 1000; ++i)
        setTwipsLeft(w, panel(w, "clockPanel"), twipsLeft(w, panel(w, "clockPanel")));
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), 100.5);
    EXPECT_EQ(panel(w, "clockPanel")->x(), 7);
}

} // namespace
} // namespace orvalen::test
