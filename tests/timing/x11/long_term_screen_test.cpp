// The long-term display on a real X server (Xvfb, 1920 x 1080): the date
// count-down and the live clock as the audience sees them.
#include "display/panel.h"
#include "timing/long_term_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace orvalen::test {
namespace {

class LongTermScreenTest : public LongTermTest {
protected:
    void SetUp() override
    {
        LongTermTest::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server";
        if (QGuiApplication::primaryScreen()->geometry().size() != QSize(1920, 1080))
            GTEST_SKIP() << "needs a 1920x1080 screen";
    }

    void showOnScreen()
    {
        ASSERT_TRUE(wait_until([&] { return window->isVisible() && window->windowHandle()->isExposed(); }));
        drain_events(30);
    }
    // What the screen shows where the panel is.
    QImage onScreen(QWidget* panel)
    {
        drain_events(10);
        const QRect r(panel->mapToGlobal(QPoint(0, 0)), panel->size());
        return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    static int darkPixels(const QImage& img)
    {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += qGray(img.pixel(x, y)) < 100;
        return n;
    }
    void keepScreenshot(const QString& name)
    {
        if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENSHOT_DIR"); !dir.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(dir + u'/' + name);
    }
};

TEST_F(LongTermScreenTest, dateCountdownAndLiveClock_paintTheirTextsEverySecond)
{
    const QDateTime start = program.clock.now();
    openLongTerm(longTermPlan(start.addDays(3).addSecs(4 * 3600 + 5 * 60 + 6), 3));
    advance(0);
    advance(300);
    showOnScreen();
    EXPECT_EQ(dateLine(), "3天");
    EXPECT_EQ(clock(), "04:05:06");
    ASSERT_FALSE(windowPanel("clockPanel")->isHidden());
    ASSERT_FALSE(windowPanel("textPanel2")->isHidden());

    const QImage clock1 = onScreen(windowPanel("clockPanel"));
    const QImage days = onScreen(windowPanel("textPanel2"));
    EXPECT_GT(darkPixels(clock1), 500); // 150 pt digits
    EXPECT_GT(darkPixels(days), 50);
    keepScreenshot(QStringLiteral("long-term-countdown.png"));

    advance(1000);
    EXPECT_EQ(clock(), "04:05:05");
    const QImage clock2 = onScreen(windowPanel("clockPanel"));
    EXPECT_NE(clock1, clock2); // the new second is on the screen
    EXPECT_GT(darkPixels(clock2), 500);

    // The same display as a live date and clock.
    currentPlan.edit([&](ClockPlan& p) { p.time_date = QDate(2000, 1, 1); });
    advance(1000);
    EXPECT_EQ(dateLine(), "2026-12-08");
    const QImage live = onScreen(windowPanel("clockPanel"));
    EXPECT_NE(live, clock2);
    EXPECT_GT(darkPixels(live), 500);
    EXPECT_GT(darkPixels(onScreen(windowPanel("textPanel2"))), darkPixels(days)); // a longer date line
    keepScreenshot(QStringLiteral("long-term-live.png"));
}

} // namespace
} // namespace orvalen::test
