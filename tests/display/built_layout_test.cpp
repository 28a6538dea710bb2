// The display over the program folder the build makes, on a 1920 x 1080
// screen: every element keeps to a band of its own.
#include "display_fixture.h"

namespace orvalen::test {
namespace {

class BuiltLayoutTest : public DisplayTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
            GTEST_SKIP() << "needs the built program folder";
        DisplayTest::SetUp();
    }
};

TEST_F(BuiltLayoutTest, everyElementShown_noTwoOverlapAndNoneIsTallerThanTheClock)
{
    ClockPlan plan = defaultPlan();
    plan.secondtext = QStringLiteral("中层第二分会场·上午场评会");
    plan.checkfour = QStringLiteral("1000"); // the overtime clock beside the overtime count
    DisplayWindow& w = loadWith(plan);
    // Layout editing shows the prompt and the scrolling text; the day count
    // of a long-term plan takes the date line.
    w.show_element_placeholders(1);
    w.setCaption(w.Label2[2], QStringLiteral("3天"));
    w.Frm_Resize();

    const std::vector<std::pair<const char*, QWidget*>> elements = {
        {"title", w.Label2[0]}, {"subtitle", w.Picture6[1]}, {"date line", w.Picture6[2]},
        {"prompt", w.Picture6[3]}, {"scrolling text", w.Picture6[4]}, {"clock", w.Picture1},
        {"overtime clock", w.Picture4}};
    for (size_t i = 0; i < elements.size(); ++i) {
        const QRect a = elements[i].second->geometry();
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(a)) << elements[i].first;
        EXPECT_GT(a.height(), 30) << elements[i].first;
        EXPECT_GE(w.Picture1->height(), a.height()) << elements[i].first;
        for (size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_FALSE(a.intersects(elements[j].second->geometry())) << elements[i].first << " / " << elements[j].first;
    }
}

} // namespace
} // namespace orvalen::test
