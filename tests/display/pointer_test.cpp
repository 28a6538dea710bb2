#include "display_fixture.h"
#include "platform/save_file.h"
#include "stores/ini_store.h"
#include "support/wait_until.h"
#include "stores/plan_codec.h"
#include "state/run_controller.h"

#include <QFile>
#include <QTest>
#include <QWindow>

namespace orvalen::test {
namespace {

class PointerTest : public DisplayTest {
protected:
    DisplayWindow& loadWithButtons(ClockPlan plan)
    {
        ini("clocksite", "pictureleft9", "1");
        plan.secondtext = "副标题文字";
        DisplayWindow& w = loadWith(plan);
        // The whole 1920 x 1080 layout must be reachable by the pointer.
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(0, 0, 1920, 1080);
        w.show();
        drain_events(3);
        EXPECT_EQ(w.findChild<QWidget*>("backgroundBox")->size(), QSize(1920, 1080));
        return w;
    }
    // A point of `child` in window coordinates.
    static QPoint at(DisplayWindow& w, QWidget* child, QPoint inside = {-1, -1})
    {
        if (inside.x() < 0)
            inside = child->rect().center();
        return child->mapTo(&w, inside);
    }
    QString saved(const QString& key) { return program.ini.read("clocksite", key, "none"); }
};

TEST_F(PointerTest, outsideAdjustModeDragsMoveNothingAndStoreOnlyTheLogo)
{
    writePicture("logo.png", 40, 30);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    DisplayWindow& w = loadWithButtons(plan);
    const double left = twipsLeft(w, panel(w, "clockPanel"));
    const QString savedLeft = saved("pictureleft5");
    const QPoint p = at(w, panel(w, "clockPanel"));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
    QTest::mouseMove(w.windowHandle(), p + QPoint(40, 20));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p + QPoint(40, 20));
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), left);
    EXPECT_EQ(saved("pictureleft5"), savedLeft);

    const QPoint logo = at(w, panel(w, "logoBox"));
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, logo);
    EXPECT_EQ(saved("pictureleft6"), QString::number(int(twipsLeft(w, panel(w, "logoBox")))));
    EXPECT_EQ(saved("picturetop6"), "0");
}

TEST_F(PointerTest, buttonClicksRunTheirCommandsOutsideAdjustMode)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    displayHost.runs.clear();
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at(w, screenButton(w, ScreenButton::Start)));
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at(w, screenButton(w, ScreenButton::Exit)));
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at(w, screenButton(w, ScreenButton::Settings)));
    drain_events(3);
    EXPECT_EQ(displayHost.runs, (std::vector<int>{0, 17, 6}));
}

TEST_F(PointerTest, adjustModeDragMovesThePanelByThePointerAndStoresItsPlaceWhenItEnds)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    host.menus.setAdjustMode(true);
    const double left = twipsLeft(w, textPanel(w, 1)), top = twipsTop(w, textPanel(w, 1));
    const QString savedBefore = saved("pictureleft1");
    const QPoint p = at(w, textLabel(w, 1));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
    QTest::mouseMove(w.windowHandle(), p + QPoint(10, 5));
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 1)), left + 150);
    EXPECT_EQ(saved("pictureleft1"), savedBefore);
    QTest::mouseMove(w.windowHandle(), p + QPoint(30, 15));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p + QPoint(30, 15));
    EXPECT_DOUBLE_EQ(twipsLeft(w, textPanel(w, 1)), left + 450);
    EXPECT_DOUBLE_EQ(twipsTop(w, textPanel(w, 1)), top + 225);
    EXPECT_EQ(saved("pictureleft1"), QString::number(std::nearbyint(left + 450)));
    EXPECT_EQ(saved("picturetop1"), QString::number(std::nearbyint(top + 225)));

    // The title stores its own place as element 0.
    const QPoint t = at(w, textLabel(w, 0), {5, 5});
    const double titleLeft = twipsLeft(w, textLabel(w, 0));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, t);
    QTest::mouseMove(w.windowHandle(), t + QPoint(-4, 0));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, t + QPoint(-4, 0));
    EXPECT_EQ(saved("pictureleft0"), QString::number(std::nearbyint(titleLeft - 60)));
}

TEST_F(PointerTest, readOnlySettingsFile_failedSaveIsToldOnceWhenTheDragEnds)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    host.menus.setAdjustMode(true);
    ASSERT_TRUE(QFile::setPermissions(program.ini.file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    const double left = twipsLeft(w, panel(w, "clockPanel"));
    const QPoint p = at(w, panel(w, "clockPanel"));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
    for (int step = 1; step <= 3; ++step)
        QTest::mouseMove(w.windowHandle(), p + QPoint(10 * step, 0));
    EXPECT_TRUE(told.isEmpty());
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p + QPoint(30, 0));
    setSaveFailureHandler({});
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), left + 450);
    EXPECT_EQ(told, QStringList{program.ini.file()});
}

TEST_F(PointerTest, adjustModeButtonClickMovesInsteadOfRunning)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    host.menus.setAdjustMode(true);
    displayHost.runs.clear();
    const QPoint p = at(w, screenButton(w, ScreenButton::Start));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
    QTest::mouseMove(w.windowHandle(), p + QPoint(2, 0));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p + QPoint(2, 0));
    runQueuedCalls();
    EXPECT_TRUE(displayHost.runs.empty());
    EXPECT_EQ(saved("pictureleft10"), "2030");
}

TEST_F(PointerTest, bothButtonsHeldMoveNothing)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    host.menus.setAdjustMode(true);
    const double left = twipsLeft(w, panel(w, "clockPanel"));
    const QString savedLeft = saved("pictureleft5");
    const QPoint p = at(w, panel(w, "clockPanel"));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
    QMouseEvent move(QEvent::MouseMove, QPointF(panel(w, "clockPanel")->rect().center() + QPoint(20, 0)),
                     QPointF(panel(w, "clockPanel")->mapToGlobal(panel(w, "clockPanel")->rect().center() + QPoint(20, 0))), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(panel(w, "clockPanel"), &move);
    EXPECT_DOUBLE_EQ(twipsLeft(w, panel(w, "clockPanel")), left);
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p);
}

TEST_F(PointerTest, rightPressesOpenTheRightMenuWithTheRightItems)
{
    writePicture("logo.png", 40, 30);
    ClockPlan plan = defaultPlan();
    plan.logopicture = "logo.png";
    plan_codec::setFieldText(plan, "checkfour", "1000"); // overtime clock shown
    DisplayWindow& w = loadWithButtons(plan);
    view(w).repaintElement(DisplayElement::OvertimeClock);
    auto rightPress = [&](QWidget* c, QPoint inside = {-1, -1}) {
        QTest::mousePress(w.windowHandle(), Qt::RightButton, {}, at(w, c, inside));
        QTest::mouseRelease(w.windowHandle(), Qt::RightButton, {}, at(w, c, inside));
        if (displayHost.popups.empty())
            return RecordingDisplayHost::Popup{};
        return displayHost.popups.back();
    };
    auto clock = rightPress(panel(w, "clockPanel"), {5, 5}); // above the overtime clock that overlaps it
    EXPECT_TRUE(clock.elementMenu);
    EXPECT_EQ(clock.element, DisplayElement::Clock);
    EXPECT_FALSE(clock.items.weekday);
    EXPECT_TRUE(clock.items.centre);

    auto overtime = rightPress(panel(w, "overtimePanel"));
    EXPECT_EQ(overtime.element, DisplayElement::OvertimeClock);
    const ElementMenuItems& o = overtime.items;
    EXPECT_TRUE(o.font && o.colour && o.centre && o.hide && o.weekday);

    auto logo = rightPress(panel(w, "logoBox"));
    EXPECT_EQ(logo.element, DisplayElement::Logo);
    EXPECT_FALSE(logo.items.font);
    EXPECT_FALSE(logo.items.colour);
    EXPECT_FALSE(logo.items.centre);
    EXPECT_TRUE(logo.items.hide);

    setCaption(w, textLabel(w, 3), "提示");
    textPanel(w, 3)->show();
    paintTextPanel(w, 3);
    EXPECT_TRUE(rightPress(textLabel(w, 3)).items.centre);
    setTwipsWidth(w, textPanel(w, 3), twipsWidth(w, textLabel(w, 3)) + 1500);
    auto bare = rightPress(textPanel(w, 3), {textPanel(w, 3)->width() - 3, 3});
    EXPECT_EQ(bare.element, DisplayElement::Prompt);
    EXPECT_FALSE(bare.items.centre);

    auto button = rightPress(screenButton(w, ScreenButton::Stop)); // disabled: its container answers
    EXPECT_FALSE(button.elementMenu);
    auto background = rightPress(w.findChild<QWidget*>("backgroundBox"), {3, 400});
    EXPECT_FALSE(background.elementMenu);
}

TEST_F(PointerTest, storedPositionsRoundHalfToEven)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    host.menus.setAdjustMode(true);
    for (auto [start, stored] : {std::pair{85.5, "100"}, std::pair{86.5, "102"}}) {
        setTwipsLeft(w, textLabel(w, 0), start);
        const QPoint p = at(w, textLabel(w, 0), {10, 10});
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
        QTest::mouseMove(w.windowHandle(), p + QPoint(1, 0));
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p + QPoint(1, 0));
        EXPECT_EQ(saved("pictureleft0"), stored);
    }
}

TEST_F(PointerTest, buttonHighlightStaysUntilThePointerCrossesTheBackground)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    screenButton(w, ScreenButton::Pause)->setEnabled(true);
    QTest::mouseMove(w.windowHandle(), at(w, screenButton(w, ScreenButton::Pause)));
    EXPECT_TRUE(screenButton(w, ScreenButton::Pause)->autoFillBackground());
    QTest::mouseMove(w.windowHandle(), at(w, panel(w, "clockPanel")));
    EXPECT_TRUE(screenButton(w, ScreenButton::Pause)->autoFillBackground());
    QTest::mouseMove(w.windowHandle(), QPoint(3, 400));
    EXPECT_FALSE(screenButton(w, ScreenButton::Pause)->autoFillBackground());
}

TEST_F(PointerTest, clickedButton_looksAsBeforeTheClickWhileThePointerRestsOnIt)
{
    DisplayWindow& w = loadWithButtons(defaultPlan());
    for (ScreenButton clicked : {ScreenButton::Start, ScreenButton::Settings}) {
        QPushButton* b = screenButton(w, clicked);
        const QRect area(b->mapTo(&w, QPoint(0, 0)), b->size());
        const QImage unclicked = w.grab(area).toImage();
        QTest::mouseMove(w.windowHandle(), at(w, b));
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at(w, b));
        QTest::mouseMove(w.windowHandle(), at(w, b) + QPoint(1, 1));
        EXPECT_EQ(w.grab(area).toImage(), unclicked) << b->objectName().toStdString();
    }
}

// --- placeholders ------------------------------------------------------------------

class PlaceholderTest : public DisplayTest {};

TEST_F(PlaceholderTest, showAndRemoveWhileIdle)
{
    DisplayWindow& w = loadDefault();
    w.showElementPlaceholders(1);
    EXPECT_EQ(textLabel(w, 1)->text(), QStringLiteral("副标题"));
    EXPECT_FALSE(textPanel(w, 1)->isHidden());
    EXPECT_EQ(textLabel(w, 3)->text(), QStringLiteral("提示文字"));
    EXPECT_EQ(textLabel(w, 4)->text(), QStringLiteral("动态文本"));
    EXPECT_FALSE(textPanel(w, 4)->isHidden());
    EXPECT_FALSE(panel(w, "logoBox")->isHidden());
    EXPECT_DOUBLE_EQ(twipsLeft(w, textLabel(w, 4)), (twipsWidth(w, textPanel(w, 4)) - twipsWidth(w, textLabel(w, 4))) / 2);
    // Not a long-term plan: the date line is left alone.
    EXPECT_TRUE(textLabel(w, 2)->text().isEmpty());
    EXPECT_TRUE(textPanel(w, 2)->isHidden());

    w.showElementPlaceholders(0);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(textLabel(w, i)->text().isEmpty()) << i;
        EXPECT_TRUE(textPanel(w, i)->isHidden()) << i;
    }
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
    EXPECT_EQ(textLabel(w, 0)->text(), QStringLiteral("中层干部年终述职考评会"));
}

TEST_F(PlaceholderTest, duringARunEmptyElementsStayHidden)
{
    ClockPlan plan = defaultPlan();
    plan.secondtext = "真实";
    DisplayWindow& w = loadWith(plan);
    host.run.runStateWriter().start();
    w.showElementPlaceholders(1);
    EXPECT_FALSE(textPanel(w, 1)->isHidden());
    EXPECT_EQ(textLabel(w, 3)->text(), QStringLiteral("提示文字"));
    EXPECT_TRUE(textPanel(w, 3)->isHidden());
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    EXPECT_TRUE(panel(w, "logoBox")->isHidden());
}

TEST_F(PlaceholderTest, removeClearsScrollingTextWhenSwitchedOffAndSettlesOvertimeClock)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkthree", "010111");
    plan_codec::setFieldText(plan, "checkfour", "1000");
    DisplayWindow& w = loadWith(plan);
    setCaption(w, textLabel(w, 4), "真的滚动文字");
    setCaption(w, textLabel(w, 2), "系统日期");
    textPanel(w, 4)->show();
    w.showElementPlaceholders(0);
    EXPECT_TRUE(textLabel(w, 4)->text().isEmpty());
    EXPECT_TRUE(textPanel(w, 4)->isHidden());
    EXPECT_TRUE(textLabel(w, 2)->text().isEmpty());
    EXPECT_FALSE(panel(w, "overtimePanel")->isHidden());
    currentPlan.edit([&](ClockPlan& p) { plan_codec::setFieldText(p, "combolist", "101"); });
    w.showElementPlaceholders(0);
    EXPECT_TRUE(panel(w, "overtimePanel")->isHidden());
}

// The clear after an overtime run leaves the ready screen without the
// overtime clock; arranging the layout and leaving it brings none back.
TEST_F(PlaceholderTest, clearedOvertimeRun_arrangingAndLeavingKeepsTheOvertimeClockHidden)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkfour", "1000"); // the overtime clock shown
    DisplayWindow& w = loadWith(plan);
    countView(w).showOvertimeText(QStringLiteral("00:10"));
    countView(w).styleForCount(QStringLiteral("10:00"), QStringLiteral("00:00"));
    ASSERT_TRUE(panel(w, "overtimePanel")->isHidden());

    w.hostState().menus.setAdjustMode(true);
    w.showElementPlaceholders(true);
    w.hostState().menus.setAdjustMode(false);
    w.showElementPlaceholders(false);
    EXPECT_TRUE(panel(w, "overtimePanel")->isHidden());
}

// --- close-down ---------------------------------------------------------------------

class CloseDownTest : public DisplayTest {};

TEST_F(CloseDownTest, closingStopsTheRunAndReleasesHotkeysAndVideoOnce)
{
    program.writeFile("picture/clip.webm", QByteArray("video bytes"));
    ClockPlan plan = defaultPlan();
    plan.logopicture = "clip.webm";
    DisplayWindow& w = loadWith(plan);
    ASSERT_EQ(videos.log.played, 1);
    w.close();
    EXPECT_EQ(displayHost.runStops, 1);
    EXPECT_EQ(displayHost.hotkeyDels, 1);
    EXPECT_EQ(videos.log.stopped, 1);
    EXPECT_EQ(videos.log.released, 1);
    EXPECT_FALSE(w.hasLogoVideo());
    w.unload();
    EXPECT_EQ(displayHost.runStops, 1);
    EXPECT_EQ(displayHost.hotkeyDels, 1);
}

} // namespace
} // namespace orvalen::test
