// The display over the program folder the build makes, on a 1920 x 1080
// screen: every element keeps to a band of its own.
#include "display_fixture.h"

namespace orvalen::test {
namespace {

class BuiltLayoutTest : public DisplayTest {};

TEST_F(BuiltLayoutTest, everyElementShown_noTwoOverlapAndNoneIsTallerThanTheClock)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    ClockPlan plan = defaultPlan();
    plan.secondtext = QStringLiteral("中层第二分会场·上午场评会");
    plan.checkfour = QStringLiteral("1000"); // the overtime clock shown
    DisplayWindow& w = loadWith(plan);
    w.showElementPlaceholders(1); // layout editing shows the prompt and the scrolling text
    w.setCaption(textLabel(w, 2), QStringLiteral("3天"));
    w.relayout();

    const std::vector<QWidget*> elements{textLabel(w, 0), textPanel(w, 1), textPanel(w, 2), textPanel(w, 3),
                                         textPanel(w, 4), panel(w, "clockPanel"), panel(w, "overtimePanel")};
    for (size_t i = 0; i < elements.size(); ++i) {
        const QRect a = elements[i]->geometry();
        const std::string name = elements[i]->objectName().toStdString();
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(a)) << name;
        EXPECT_GT(a.height(), 30) << name;
        EXPECT_GE(panel(w, "clockPanel")->height(), a.height()) << name;
        if (elements[i] != panel(w, "overtimePanel") && elements[i] != textPanel(w, 4)) {
            EXPECT_LE(a.bottom(), 720) << name; // also whole on a 1280 x 720 screen
        }
        for (size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_FALSE(a.intersects(elements[j]->geometry())) << name << " / " << elements[j]->objectName().toStdString();
    }
}

} // namespace
} // namespace orvalen::test
