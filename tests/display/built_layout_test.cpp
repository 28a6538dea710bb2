// The display over the program folder the build makes, on every common
// screen: every element whole on the screen, in a band of its own.
#include "display_fixture.h"
#include "stores/time_data_keys.h"
#include "stores/plan_codec.h"

#include <QFontMetricsF>

namespace orvalen::test {
namespace {

class BuiltLayoutTest : public DisplayTest, public ::testing::WithParamInterface<QSize> {
protected:
    DisplayWindow& loadOnScreen(const ClockPlan& plan)
    {
        const QSize screen = GetParam();
        ScreenMetrics m;
        m.tppX = m.tppY = 15;
        m.fullWidthPx = m.screenWidthPx = screen.width();
        m.fullHeightPx = screen.height();
        window().setScreenMetrics(m);
        return loadWith(plan);
    }
};

TEST_P(BuiltLayoutTest, firstStart_everyElementWholeOnTheScreen_noTwoOverlap_placesKeptInTwips)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    const QSize screen = GetParam();
    ClockPlan plan = defaultPlan();
    plan.secondtext = QStringLiteral("中层第二分会场·上午场评会");
    plan_codec::setFieldText(plan, "checkfour", QStringLiteral("1000")); // the overtime clock shown
    const QString sizes = plan_codec::fieldText(plan, "sizethree");
    DisplayWindow& w = loadOnScreen(plan);
    w.showElementPlaceholders(1); // layout editing shows the prompt and the scrolling text
    setCaption(w, textLabel(w, 2), QStringLiteral("3天"));
    // A title wider than any screen is drawn smaller; the plan keeps its size.
    view(w).setElementText(DisplayElement::MainTitle, QStringLiteral("中层干部年终述职考评会暨第二季度工作总结表彰大会"));
    w.relayout();
    textPanel(w, 2)->show(); // the date line belongs to long-term plans; its band is checked all the same

    const std::vector<QWidget*> elements{textLabel(w, 0), textPanel(w, 1), textPanel(w, 2), textPanel(w, 3),
                                         textPanel(w, 4), panel(w, "clockPanel"), panel(w, "overtimePanel")};
    for (size_t i = 0; i < elements.size(); ++i) {
        const QRect a = elements[i]->geometry();
        const std::string name = elements[i]->objectName().toStdString();
        EXPECT_FALSE(elements[i]->isHidden()) << name;
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(a)) << name << " at " << a.x() << "," << a.y() << " "
                                                              << a.width() << "x" << a.height();
        EXPECT_GT(a.height(), screen.height() / 60) << name;
        for (size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_FALSE(a.intersects(elements[j]->geometry())) << name << " / " << elements[j]->objectName().toStdString();
    }
    // The scrolling text stands still in the middle and is shown whole.
    EXPECT_TRUE(QRect(QPoint(0, 0), textPanel(w, 4)->size()).contains(textLabel(w, 4)->geometry()));
    EXPECT_DOUBLE_EQ(view(w).elementFont(DisplayElement::MainTitle).pointSizeF(), 90);
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "sizethree"), sizes);

    // The places were worked out for this screen and are kept in twips.
    for (DisplayElement e : {DisplayElement::Subtitle, DisplayElement::Clock, DisplayElement::ScrollingText}) {
        const QString top = program.ini.read(time_data::kClockSite, time_data::pictureTopKey(int(e)), QString());
        EXPECT_EQ(top.toDouble(), view(w).elementRect(e).top()) << top.toStdString();
    }
}

// The scrolling text as shipped stands still: in a run and while the layout
// is arranged it stands in the same place, centred on the screen and whole.
TEST_P(BuiltLayoutTest, standingScrollLine_centredAndWholeInARun_samePlaceWhileArranging)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    const QSize screen = GetParam();
    DisplayWindow& w = loadOnScreen(defaultPlan());
    const QLabel* line = textLabel(w, 4);
    const auto shownRect = [&] { return QRect(line->mapTo(&w, QPoint(0, 0)), line->size()); };
    const auto expectCentredAndWhole = [&](const char* when) {
        const QRect r = shownRect();
        EXPECT_FALSE(textPanel(w, 4)->isHidden()) << when;
        EXPECT_NEAR(r.x() + r.width() / 2.0, screen.width() / 2.0, 1) << when;
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(r)) << when;
        EXPECT_TRUE(QRect(QPoint(0, 0), textPanel(w, 4)->size()).contains(line->geometry())) << when;
    };
    // 31 characters: narrower than every screen; and one wider than any.
    const QString fits = QStringLiteral("欢迎各位领导莅临指导，预祝本次年终述职考评大会圆满成功！请关机");
    const QString tooWide = fits + fits + fits;
    ASSERT_EQ(fits.size(), 31);
    for (const QString& text : {fits, tooWide}) {
        view(w).setElementText(DisplayElement::ScrollingText, text);
        countView(w).styleForCount(QStringLiteral("00:01:00"), QString());
        w.relayout();
        w.marquee().tick();
        expectCentredAndWhole("in a run");
        const QRect inRun = shownRect();

        w.hostState().menus.setAdjustMode(true);
        w.showElementPlaceholders(true);
        expectCentredAndWhole("arranging");
        EXPECT_EQ(shownRect(), inRun);
        w.hostState().menus.setAdjustMode(false);
        w.showElementPlaceholders(false);
    }
    EXPECT_DOUBLE_EQ(view(w).elementFont(DisplayElement::ScrollingText).pointSizeF(), 30);
}

// The plan's sizes are made for 1920 x 1080: every screen draws the clock,
// and the end text in its place, at the same share of its height.
TEST_P(BuiltLayoutTest, clockAndEndText_takeTheShareOfTheScreenTheyTakeAt1080)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    const QSize screen = GetParam();
    DisplayWindow& w = loadOnScreen(defaultPlan());
    QFont planned = clockPanel(w)->textFont();
    planned.setPointSizeF(150);
    const double share1080 = QFontMetricsF(planned).height() / 1080;
    const auto share = [&] { return clockPanel(w)->textSize().height() / screen.height(); };

    countView(w).styleForCount(QStringLiteral("00:01:00"), QString());
    w.relayout();
    EXPECT_NEAR(share(), share1080, share1080 * 0.03) << "clock";
    countView(w).showEndText(QStringLiteral("时间到"), true);
    EXPECT_NEAR(share(), share1080, share1080 * 0.03) << "end text";
    EXPECT_EQ(currentPlan.plan().fontSize(StyleSlot::Clock), 150);
}

// With the on-screen buttons shown, every element of a run, its overtime and
// its end stands whole on the screen and apart from the others.
TEST_P(BuiltLayoutTest, buttonsShown_buttonsClocksPromptAndScrollingLineWholeInsideAndApart_alsoAtTheEnd)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    const QSize screen = GetParam();
    ini(time_data::kClockSite, time_data::pictureLeftKey(int(DisplayElement::ButtonsFlag)), "1");
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkfour", QStringLiteral("1000")); // the overtime clock shown
    DisplayWindow& w = loadOnScreen(plan);
    // Every element a run or its overtime shows, at once.
    w.showElementPlaceholders(1);
    panel(w, "overtimePanel")->show();
    w.relayout();
    const auto buttons = screenButtons(w);
    std::vector<QWidget*> elements{panel(w, "clockPanel"), panel(w, "overtimePanel"), textPanel(w, 3), textPanel(w, 4)};
    elements.insert(elements.end(), buttons.begin(), buttons.end());
    auto expectWholeAndApart = [&](const char* when) {
        for (size_t i = 0; i < elements.size(); ++i) {
            const QRect a = elements[i]->geometry();
            const std::string name = elements[i]->objectName().toStdString();
            EXPECT_FALSE(elements[i]->isHidden()) << when << ": " << name;
            EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(a))
                << when << ": " << name << " at " << a.x() << "," << a.y() << " " << a.width() << "x" << a.height();
            for (size_t j = i + 1; j < elements.size(); ++j)
                EXPECT_FALSE(a.intersects(elements[j]->geometry()))
                    << when << ": " << name << " / " << elements[j]->objectName().toStdString();
        }
    };
    expectWholeAndApart("overtime");
    countView(w).showEndText(QStringLiteral("时间到"), false);
    expectWholeAndApart("end");
}

INSTANTIATE_TEST_SUITE_P(CommonScreens, BuiltLayoutTest,
                         ::testing::Values(QSize(1280, 720), QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440),
                                           QSize(3840, 2160)),
                         [](const ::testing::TestParamInfo<QSize>& info) {
                             return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

} // namespace
} // namespace orvalen::test
