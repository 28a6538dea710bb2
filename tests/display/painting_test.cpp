#include "services/time_conversions.h"
#include "display_fixture.h"

#include <QLocale>

namespace orvalen::test {
namespace {

class PaintingTest : public DisplayTest {
protected:
    // Every pixel of the panel's left and right columns and top row equals
    // the background the box shows at the same place.
    void expectBlends(DisplayWindow& w, Panel* panel)
    {
        const QImage bg = w.findChild<BackgroundBox*>("backgroundBox")->stretched().toImage();
        const QImage img = panel->image().toImage();
        ASSERT_FALSE(img.isNull());
        const QPoint at = panel->pos();
        int checked = 0;
        auto same = [&](int x, int y) {
            if (x + at.x() >= bg.width() || y + at.y() >= bg.height() || x + at.x() < 0 || y + at.y() < 0)
                return;
            ++checked;
            ASSERT_EQ(img.pixel(x, y), bg.pixel(x + at.x(), y + at.y())) << "at " << x << "," << y;
        };
        for (int y = 0; y < img.height(); ++y) {
            same(0, y);
            same(img.width() - 1, y);
        }
        for (int x = 0; x < img.width(); ++x)
            same(x, 0);
        EXPECT_GT(checked, 20);
    }
};

TEST_F(PaintingTest, clockAndTextPanelsCopyTheStretchedBackgroundUnderThem)
{
    writePicture("bg.png", 200, 150); // smaller than the window: stretched
    ClockPlan plan = defaultPlan();
    plan.background = "0\\bg.png";
    plan.secondtext = "副标题文字";
    DisplayWindow& w = loadWith(plan);
    ASSERT_TRUE(w.backgroundIsPicture());
    ASSERT_GT(w.findChild<QWidget*>("backgroundBox")->width(), 200);
    expectBlends(w, panel(w, "clockPanel"));
    expectBlends(w, textPanel(w, 1));
}

TEST_F(PaintingTest, pictureLargerThanTheWindowIsCopiedUnscaledFromThePanelsPlace)
{
    writePicture("huge.png", 2100, 1300);
    ClockPlan plan = defaultPlan();
    plan.background = "0\\huge.png";
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(w.findChild<QWidget*>("backgroundBox")->size(), QSize(2100, 1300));
    const QImage picture = w.backgroundPicture().toImage();
    const QImage img = panel(w, "clockPanel")->image().toImage();
    const QPoint at = panel(w, "clockPanel")->pos();
    EXPECT_EQ(img.pixel(0, 0), picture.pixel(at));
    EXPECT_EQ(img.pixel(0, img.height() - 1), picture.pixel(at.x(), at.y() + img.height() - 1));
}

TEST_F(PaintingTest, clockTextIsCentredInThePanel)
{
    DisplayWindow& w = loadDefault();
    const QImage img = panel(w, "clockPanel")->image().toImage();
    int minX = img.width(), maxX = -1, minY = img.height(), maxY = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no text drawn";
    EXPECT_NEAR(minX, img.width() - 1 - maxX, 3);
    // Drawn from the top of the text cell: the glyphs lie inside the panel.
    EXPECT_GT(minY, 0);
    EXPECT_LT(maxY, img.height() - 1);
    EXPECT_EQ(w.twipsWidth(panel(w, "clockPanel")), w.twipsWidth(label(w, "clockText")) + 100);
    EXPECT_EQ(w.twipsHeight(panel(w, "clockPanel")), w.twipsHeight(label(w, "clockText")) + 20);
}

TEST_F(PaintingTest, emptyClockTextChangesNothingButEmptyOvertimeTextStillPaints)
{
    DisplayWindow& w = loadDefault();
    const QSize size = panel(w, "clockPanel")->size();
    const qint64 key = panel(w, "clockPanel")->image().cacheKey();
    panel(w, "clockPanel")->hide();
    w.paintClock(QString(), 150);
    EXPECT_EQ(panel(w, "clockPanel")->size(), size);
    EXPECT_EQ(panel(w, "clockPanel")->image().cacheKey(), key);
    EXPECT_TRUE(panel(w, "clockPanel")->isHidden());

    w.setTwipsWidth(panel(w, "overtimePanel"), 10);
    module.clock_plan.checkfour = "1000"; // overtime counted and shown
    w.paintOvertimeClock(QString(), 150);
    EXPECT_DOUBLE_EQ(w.twipsWidth(panel(w, "overtimePanel")), w.twipsWidth(label(w, "overtimeText")) + 100);
    EXPECT_FALSE(panel(w, "overtimePanel")->isHidden());
    module.clock_plan.combolist = "101";
    w.paintOvertimeClock();
    EXPECT_TRUE(panel(w, "overtimePanel")->isHidden());
}

TEST_F(PaintingTest, textPanelRulesDecideVisibility)
{
    DisplayWindow& w = loadDefault();
    // Date line outside a long-term plan: hidden whatever its text.
    w.setCaption(textLabel(w, 2), "2026-12-08");
    textPanel(w, 2)->show();
    w.paintTextPanels(2);
    EXPECT_TRUE(textPanel(w, 2)->isHidden());

    // Scrolling text switched off: hidden, unless arranging or a placeholder.
    module.clock_plan.checkthree = "010111";
    w.setCaption(textLabel(w, 4), "滚动");
    textPanel(w, 4)->show();
    w.paintTextPanels(4);
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    host.desktop[7].checked = true;
    w.paintTextPanels(4);
    EXPECT_FALSE(textPanel(w, 4)->isHidden());
    EXPECT_DOUBLE_EQ(w.twipsWidth(textPanel(w, 4)), w.marqueeWidth());

    // An empty caption leaves a visible panel as it was.
    w.setCaption(textLabel(w, 1), QString());
    textPanel(w, 1)->show();
    w.paintTextPanels(1);
    EXPECT_FALSE(textPanel(w, 1)->isHidden());

    // No such panel: nothing happens.
    w.paintTextPanels(0);
    w.paintTextPanels(5);
}

TEST_F(PaintingTest, longTermPromptShowsTheWeekdayWhenAsked)
{
    ClockPlan plan = defaultPlan();
    plan.checkone = "1111111";
    plan.checkthree = "011111";
    DisplayWindow& w = loadWith(plan);
    w.setCaption(textLabel(w, 3), "提示");
    w.paintTextPanels(3);
    const QString weekday = weekday_name(program.clock.now().date());
    EXPECT_EQ(textLabel(w, 3)->text(), weekday);
    EXPECT_FALSE(textPanel(w, 3)->isHidden());
    EXPECT_DOUBLE_EQ(w.twipsWidth(textPanel(w, 3)), w.twipsWidth(textLabel(w, 3)));
}

TEST_F(PaintingTest, colourBackgroundGivesTextPanelsTheBoxColour)
{
    ClockPlan plan = defaultPlan();
    plan.background = "255\\";
    plan.secondtext = "副";
    DisplayWindow& w = loadWith(plan);
    textPanel(w, 1)->setBackColor(Qt::green);
    w.paintTextPanels(1);
    EXPECT_EQ(textPanel(w, 1)->backColor(), QColor(255, 0, 0));
    EXPECT_EQ(textPanel(w, 1)->image().toImage().pixelColor(0, 0), QColor(255, 0, 0));
}

} // namespace
} // namespace orvalen::test
