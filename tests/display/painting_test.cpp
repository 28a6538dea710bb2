#include "services/time_conversions.h"
#include "display_fixture.h"
#include "stores/plan_codec.h"

#include "support/wait_until.h"

#include <QLocale>
#include <QPaintEvent>

namespace orvalen::test {
namespace {

// Collects the regions a widget is asked to paint.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* widget, QRegion& painted) : m_painted(painted) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QRegion& m_painted;
};

class PaintingTest : public DisplayTest {
protected:
    // The start-up on a window as large as the screen the layout is for.
    DisplayWindow& loadFullScreen(const ClockPlan& plan)
    {
        DisplayWindow& w = loadWith(plan);
        w.resize(1920, 1080);
        return w;
    }
    // What the background box shows, with every element on it.
    static QImage shown(DisplayWindow& w) { return w.findChild<QWidget*>("backgroundBox")->grab().toImage(); }

    // Every pixel of the panel's left and right columns and top row shows
    // the background the box has at the same place.
    void expectBlends(DisplayWindow& w, Panel* panel)
    {
        const QImage bg = w.findChild<BackgroundBox*>("backgroundBox")->stretched().toImage();
        const QImage screen = shown(w);
        const QRect r = panel->geometry();
        ASSERT_FALSE(r.isEmpty());
        int checked = 0;
        auto same = [&](int x, int y) {
            if (x >= bg.width() || y >= bg.height() || x < 0 || y < 0)
                return;
            ++checked;
            ASSERT_EQ(screen.pixel(x, y), bg.pixel(x, y)) << "at " << x << "," << y;
        };
        for (int y = r.top(); y <= r.bottom(); ++y) {
            same(r.left(), y);
            same(r.right(), y);
        }
        for (int x = r.left(); x <= r.right(); ++x)
            same(x, r.top());
        EXPECT_GT(checked, 20);
    }
};

TEST_F(PaintingTest, clockAndTextPanelsShowTheStretchedBackgroundAroundTheirText)
{
    writePicture("bg.png", 200, 150); // smaller than the window: stretched
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "0\\bg.png");
    plan.secondtext = "副标题文字";
    DisplayWindow& w = loadFullScreen(plan);
    ASSERT_TRUE(backgroundView(w).backgroundIsPicture());
    ASSERT_GT(w.findChild<QWidget*>("backgroundBox")->width(), 200);
    expectBlends(w, panel(w, "clockPanel"));
    expectBlends(w, textPanel(w, 1));
}

TEST_F(PaintingTest, pictureLargerThanTheWindowShowsUnscaledAroundThePanels)
{
    writePicture("huge.png", 2100, 1300);
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "0\\huge.png");
    DisplayWindow& w = loadWith(plan);
    EXPECT_EQ(w.findChild<QWidget*>("backgroundBox")->size(), QSize(2100, 1300));
    const QImage picture = backgroundView(w).backgroundPicture().toImage();
    const QImage screen = shown(w);
    const QRect r = panel(w, "clockPanel")->geometry();
    EXPECT_EQ(screen.pixel(r.topLeft()), picture.pixel(r.topLeft()));
    EXPECT_EQ(screen.pixel(r.bottomLeft()), picture.pixel(r.bottomLeft()));
}

// A large clock over the prompt hides nothing of it but its own digits;
// while the layout is arranged, every element shows its outline.
TEST_F(PaintingTest, panelLeavesWhatLiesOutsideItsTextUntouched_outlinesShowWhileArranging)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "sizethree", "90/80/190/100/30/30/");
    DisplayWindow& w = loadFullScreen(plan);
    Panel* clock = panel(w, "clockPanel");
    setCaption(w, textLabel(w, 3), QStringLiteral("提示文字"));
    textPanel(w, 3)->show();
    paintTextPanel(w, 3);
    // The prompt's top rows lie under the clock panel's lowest rows, where
    // the digits (which stand on the baseline) leave the panel clear.
    const QRect c = clock->geometry();
    textPanel(w, 3)->move(c.left() + 4, c.bottom() - 25);
    const QRect overlap = c.intersected(textPanel(w, 3)->geometry());
    ASSERT_FALSE(overlap.isEmpty());
    clock->hide();
    const QImage without = shown(w).copy(overlap);
    clock->show();
    const QImage with = shown(w).copy(overlap);
    EXPECT_EQ(with, without);
    int promptPixels = 0;
    for (int y = 0; y < without.height(); ++y)
        for (int x = 0; x < without.width(); ++x)
            promptPixels += qGray(without.pixel(x, y)) < 128;
    EXPECT_GT(promptPixels, 10) << "the prompt's text lies in the overlap";

    const QColor background = shown(w).pixelColor(c.topLeft());
    host.menus.setAdjustMode(true); // 允许调整
    w.showElementPlaceholders(true);
    QImage arranging = shown(w);
    EXPECT_NE(arranging.pixelColor(c.topLeft()), background);
    EXPECT_NE(arranging.pixelColor(textLabel(w, 0)->geometry().topLeft()), background);
    EXPECT_NE(arranging.pixelColor(textPanel(w, 3)->geometry().bottomRight()), background);
    host.menus.setAdjustMode(false);
    w.showElementPlaceholders(false);
    EXPECT_EQ(shown(w).pixelColor(c.topLeft()), background);
}

// The scrolling text's panel is asked at every step for its colour and a
// clear image; what changes nothing repaints nothing, so a step repaints
// only where its line was and is.
TEST(PanelRepaint, unchangedColourOrAlreadyClearImage_repaintNothing)
{
    Panel panel;
    panel.setBackColor(Qt::white);
    panel.resize(300, 50);
    panel.show();
    QRegion painted;
    PaintWatch watch(&panel, painted);
    ASSERT_TRUE(wait_until([&] { return !painted.isEmpty(); }));

    painted = QRegion();
    panel.setBackColor(Qt::white);
    panel.clearImage();
    drain_events();
    EXPECT_TRUE(painted.isEmpty()) << painted.boundingRect().width() << " px wide";
}

TEST_F(PaintingTest, clockTextIsCentredInThePanel)
{
    DisplayWindow& w = loadDefault();
    const QImage img = panel(w, "clockPanel")->image().toImage();
    int minX = img.width(), maxX = -1, minY = img.height(), maxY = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 128 && qGray(img.pixel(x, y)) < 128) {
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
    EXPECT_EQ(twipsWidth(w, panel(w, "clockPanel")), clockTextTwips(w).width() + 100);
    EXPECT_EQ(twipsHeight(w, panel(w, "clockPanel")), clockTextTwips(w).height() + 20);
}

TEST_F(PaintingTest, emptyClockTextChangesNothingButEmptyOvertimeTextStillPaints)
{
    DisplayWindow& w = loadDefault();
    const QSize size = panel(w, "clockPanel")->size();
    const qint64 key = panel(w, "clockPanel")->image().cacheKey();
    panel(w, "clockPanel")->hide();
    layoutView(w).paintClock(QString(), 150);
    EXPECT_EQ(panel(w, "clockPanel")->size(), size);
    EXPECT_EQ(panel(w, "clockPanel")->image().cacheKey(), key);
    EXPECT_TRUE(panel(w, "clockPanel")->isHidden());

    setTwipsWidth(w, panel(w, "overtimePanel"), 10);
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkfour", "1000"); }); // overtime counted and shown
    view(w).repaintElement(DisplayElement::OvertimeClock);
    EXPECT_DOUBLE_EQ(twipsWidth(w, panel(w, "overtimePanel")), clockTextTwips(w, "overtimePanel").width() + 100);
    EXPECT_FALSE(panel(w, "overtimePanel")->isHidden());
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", "101"); });
    view(w).repaintElement(DisplayElement::OvertimeClock);
    EXPECT_TRUE(panel(w, "overtimePanel")->isHidden());
}

TEST_F(PaintingTest, overtimeClockHiddenWhileItsTextChanges_showsTheLastTextWhenShown)
{
    DisplayWindow& w = loadFullScreen(defaultPlan());
    Panel* overtime = panel(w, "overtimePanel");
    ASSERT_TRUE(overtime->isHidden());
    countView(w).showOvertimeText(QStringLiteral("88:88"));
    countView(w).setClockShown(true, true);

    const QImage img = overtime->image().toImage();
    ASSERT_EQ(img.size(), overtime->size());
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            inked += qAlpha(img.pixel(x, y)) > 128;
    EXPECT_GT(inked, img.width() * img.height() / 10) << "the text is not drawn";
    EXPECT_EQ(overtime->accessibleName(), QStringLiteral("88:88"));
}

TEST_F(PaintingTest, textPanelRulesDecideVisibility)
{
    DisplayWindow& w = loadDefault();
    // Date line outside a long-term plan: hidden whatever its text.
    setCaption(w, textLabel(w, 2), "2026-12-08");
    textPanel(w, 2)->show();
    paintTextPanel(w, 2);
    EXPECT_TRUE(textPanel(w, 2)->isHidden());

    // Scrolling text switched off: hidden, unless arranging or a placeholder.
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "checkthree", "010111"); });
    setCaption(w, textLabel(w, 4), "滚动");
    textPanel(w, 4)->show();
    paintTextPanel(w, 4);
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    host.menus.setAdjustMode(true);
    paintTextPanel(w, 4);
    EXPECT_FALSE(textPanel(w, 4)->isHidden());
    // Standing still (mode 2), the line is shown whole.
    EXPECT_DOUBLE_EQ(twipsWidth(w, textPanel(w, 4)), std::max<double>(w.marquee().width(), twipsWidth(w, textLabel(w, 4))));

    // An empty caption leaves a visible panel as it was.
    setCaption(w, textLabel(w, 1), QString());
    textPanel(w, 1)->show();
    paintTextPanel(w, 1);
    EXPECT_FALSE(textPanel(w, 1)->isHidden());

}

TEST_F(PaintingTest, longTermPromptShowsTheWeekdayWhenAsked)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan_codec::setFieldText(plan, "checkthree", "011111");
    DisplayWindow& w = loadWith(plan);
    setCaption(w, textLabel(w, 3), "提示");
    paintTextPanel(w, 3);
    const QString weekday = weekdayName(program.clock.now().date());
    EXPECT_EQ(textLabel(w, 3)->text(), weekday);
    EXPECT_FALSE(textPanel(w, 3)->isHidden());
    EXPECT_DOUBLE_EQ(twipsWidth(w, textPanel(w, 3)), twipsWidth(w, textLabel(w, 3)));
}

TEST_F(PaintingTest, colourBackgroundGivesTextPanelsTheBoxColour)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "background", "255\\");
    plan.secondtext = "副";
    DisplayWindow& w = loadFullScreen(plan);
    textPanel(w, 1)->setBackColor(Qt::green);
    paintTextPanel(w, 1);
    EXPECT_EQ(textPanel(w, 1)->backColor(), QColor(255, 0, 0));
    EXPECT_EQ(shown(w).pixelColor(textPanel(w, 1)->geometry().topLeft()), QColor(255, 0, 0));
}

} // namespace
} // namespace orvalen::test

namespace orvalen::test {

TEST_F(PaintingTest, clockAndDateLineLookOfThePlan_isShownAsThePlanChanges)
{
    DisplayWindow& w = loadWith(defaultPlan());
    currentPlan.edit([](ClockPlan& p) {
        p.clockcolour = PlanColour::fromColour(QColor(0, 0, 255));
        p.stagecolour = PlanColour::fromColour(QColor(0, 128, 0));
        p.setFontSize(StyleSlot::DateLine, 33);
    });
    EXPECT_EQ(view(w).elementColour(DisplayElement::Clock), QColor(0, 0, 255));
    EXPECT_EQ(view(w).elementColour(DisplayElement::DateLine), QColor(0, 128, 0));
    EXPECT_EQ(view(w).elementFont(DisplayElement::DateLine).pointSizeF(), 33);
}

} // namespace orvalen::test
