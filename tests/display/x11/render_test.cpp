// The display as the audience sees it, rendered on a real X server
// (Xvfb, 1920 x 1080) and read back from the screen.
#include "stores/plan_store.h"
#include "../display_fixture.h"
#include "services/tray_icon.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>

namespace orvalen::test {
namespace {

class RenderTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server";
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen->geometry().size() != QSize(1920, 1080))
            GTEST_SKIP() << "needs a 1920x1080 screen";
    }

    // Starts the display with the real screen figures and waits until it
    // is on the screen.
    DisplayWindow& show(const ClockPlan& plan)
    {
        savePlan(program.registry, plan);
        if (!m_window) {
            m_window = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
            m_window->setLogoVideoFactory(&videos);
            displayHost.window = m_window.get();
        }
        loadCurrentPlan(program.registry, currentPlan, program.clock.now().date());
        m_window->load();
        EXPECT_TRUE(wait_until([&] { return m_window->isVisible() && m_window->windowHandle()->isExposed(); }));
        drain_events(30);
        return *m_window;
    }
    QImage screen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

    // The box around all dark pixels (gray < limit) inside `area`.
    static QRect ink(const QImage& img, const QRect& area, int limit = 100)
    {
        int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(img.pixel(x, y)) < limit) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
    }
    std::unique_ptr<DisplayWindow> m_window;
};

TEST_F(RenderTest, builtProgram_fullScreenWithTitleSubtitleAndClockApart)
{
    if (qEnvironmentVariableIsEmpty("ORVALEN_PROGRAM_TEMPLATE"))
        GTEST_SKIP() << "needs the built program folder";
    ClockPlan plan = defaultPlan();
    plan.secondtext = QStringLiteral("中层第二分会场·上午场评会");
    DisplayWindow& w = show(plan);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orvalen(全屏版)"));
    EXPECT_TRUE(w.isFullScreen());
    EXPECT_EQ(w.geometry(), QRect(0, 0, 1920, 1080));
    const QImage img = screen();
    if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENSHOT_DIR"); !dir.isEmpty())
        img.save(dir + QStringLiteral("/display-default.png"));

    // Title, subtitle and the 150 pt clock "01:00" one below the other, centred.
    QRect above;
    for (QWidget* e : {static_cast<QWidget*>(textLabel(w, 0)), static_cast<QWidget*>(textPanel(w, 1)),
                       static_cast<QWidget*>(panel(w, "clockPanel"))}) {
        const QRect inked = ink(img, QRect(0, e->mapTo(&w, QPoint(0, 0)).y(), 1920, e->height()));
        ASSERT_TRUE(inked.isValid()) << e->objectName().toStdString();
        EXPECT_NEAR(inked.center().x(), 960, 12);
        EXPECT_GT(inked.top(), above.bottom() + 5);
        EXPECT_GT(inked.width(), 300);
        above = inked;
    }
    EXPECT_GT(above.height(), 100);
    EXPECT_LT(above.bottom(), 720);
    EXPECT_FALSE(ink(img, QRect(0, above.bottom() + 10, 1920, 1070 - above.bottom())).isValid());
}

TEST_F(RenderTest, titleCharactersRenderAsGlyphsNotBoxes)
{
    DisplayWindow& w = show(defaultPlan());
    const QFont font = textLabel(w, 0)->font();
    const QString text = textLabel(w, 0)->text();
    QList<QImage> glyphs;
    for (QChar c : text) {
        QImage img(200, 200, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, 200, 200), Qt::AlignCenter, QString(c));
        p.end();
        glyphs << img;
    }
    // A missing glyph draws the same box for every character.
    int distinct = 0;
    for (int i = 1; i < glyphs.size(); ++i)
        distinct += glyphs[i] != glyphs[0];
    EXPECT_EQ(distinct, glyphs.size() - 1);
}

TEST_F(RenderTest, buttonsFlagShowsFiveButtonsWithStopAndPauseGreyed)
{
    ini("clocksite", "pictureleft9", "1");
    DisplayWindow& w = show(defaultPlan());
    const QImage img = screen();
    auto area = [&](ScreenButton b) {
        return QRect(screenButton(w, b)->mapTo(&w, QPoint(0, 0)), screenButton(w, b)->size());
    };
    for (QPushButton* b : screenButtons(w))
        EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
    EXPECT_EQ(area(ScreenButton::Start).top(), 880);
    // Start, settings and exit in black; stop and pause in grey.
    for (ScreenButton b : {ScreenButton::Start, ScreenButton::Settings, ScreenButton::Exit}) {
        const QRect r = area(b).adjusted(0, 0, -25, 0);
        EXPECT_TRUE(ink(img, r, 60).isValid()) << int(b);
    }
    for (ScreenButton b : {ScreenButton::Stop, ScreenButton::Pause}) {
        const QRect r = area(b).adjusted(0, 0, -25, 0);
        EXPECT_FALSE(ink(img, r, 60).isValid()) << int(b);
        EXPECT_TRUE(ink(img, r, 220).isValid()) << int(b);
    }
}

TEST_F(RenderTest, panelsBlendIntoTheBackgroundPicture)
{
    writePicture("1.jpg", 640, 360, "PNG");
    ClockPlan plan = defaultPlan();
    plan.secondtext = "副标题";
    DisplayWindow& w = show(plan);
    ASSERT_TRUE(backgroundView(w).backgroundIsPicture());
    const QImage img = screen();
    const QImage bg = w.findChild<BackgroundBox*>("backgroundBox")->stretched().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bg.size(), QSize(1920, 1080));
    // The title text lies over the background next to the clock panel.
    const QRect titleArea(textLabel(w, 0)->mapTo(&w, QPoint(0, 0)), textLabel(w, 0)->size());
    for (QWidget* panel : {static_cast<QWidget*>(panel(w, "clockPanel")), static_cast<QWidget*>(textPanel(w, 1))}) {
        const QRect r(panel->mapTo(&w, QPoint(0, 0)), panel->size());
        ASSERT_FALSE(panel->isHidden());
        // Just inside and just outside each side edge: the screen shows the
        // background picture there, unbroken by the panel.
        for (int y = r.top(); y <= r.bottom(); y += 2) {
            for (int x : {r.left() - 1, r.left(), r.right(), r.right() + 1})
                if (!titleArea.contains(x, y)) {
                    ASSERT_EQ(img.pixel(x, y), bg.pixel(x, y)) << x << "," << y;
                }
        }
    }
}

// The icon's own window, docked in a tray host.
bool trayIconDocked()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QSystemTrayIconSys") && w->isVisible())
            return true;
    return false;
}

TEST_F(RenderTest, trayIcon_appearsWhenATrayHostStartsLaterAndGoesWithIt)
{
    if (QStandardPaths::findExecutable("trayer").isEmpty())
        GTEST_SKIP() << "trayer not installed";
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "a tray host runs already";
    DisplayWindow& w = show(defaultPlan());
    TrayIcon icon;
    icon.add(w.windowIcon());
    EXPECT_FALSE(icon.isShown());
    EXPECT_TRUE(program.notifier.shown.empty());

    QProcess trayer;
    trayer.start("trayer", {"--edge", "bottom", "--widthtype", "pixel", "--width", "200"});
    ASSERT_TRUE(trayer.waitForStarted());
    if (!wait_until([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000)) {
        trayer.kill();
        trayer.waitForFinished();
        GTEST_SKIP() << "the tray host did not come up";
    }
    EXPECT_TRUE(wait_until([&] { return icon.isShown() && trayIconDocked(); }));
    trayer.kill();
    trayer.waitForFinished();
    EXPECT_TRUE(wait_until([&] { return !icon.isShown() && !trayIconDocked(); }));
}

} // namespace
} // namespace orvalen::test
