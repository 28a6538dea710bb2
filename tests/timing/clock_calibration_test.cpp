#include "state/run_state.h"
#include "timing/clock_calibration.h"
#include "timing/long_term_fixture.h"
#include "state/run_controller.h"

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <array>
#include <optional>

namespace orvalen::test {
namespace {

class ClockCalibrationTest : public ::testing::Test {
protected:
    ClockCalibrationTest()
    {
        host.run.runStateWriter().start(); // a long-term run is under way
        calibrationTick->setInterval(60000);
        calibrationTick->setEnabled(true);
        for (DateServer& p : portals)
            p.answer("");
    }

    // The calibration over the given portals (default: the three local
    // servers); made at the first call.
    ClockCalibration& calibration(QList<QUrl> urls = {})
    {
        if (m_calibration)
            return *m_calibration;
        if (urls.isEmpty())
            for (DateServer& p : portals)
                urls << p.url();
        m_calibration = std::make_unique<ClockCalibration>(host, *calibrationTick, probes, setter, display, urls);
        QObject::connect(m_calibration.get(), &ClockCalibration::finished,
                         [this](bool applied) { outcome = applied; });
        return *m_calibration;
    }
    // One networkTimeTick tick, run until the calibration is over.
    std::optional<bool> calibrateOnce()
    {
        outcome.reset();
        m_calibration->tick();
        wait_until([&] { return outcome.has_value(); });
        return outcome;
    }
    QDateTime hoursFromNow(int hours) const { return clock.now().addSecs(hours * 3600); }

    FakeClock clock;
    FakeTimers timers{clock};
    HostState host;
    std::unique_ptr<EngineTimer> calibrationTick = timers.create(QStringLiteral("networkTimeTick"));
    QtNetworkProbes probes{timers};
    FakeClockSetter setter;
    CalibratedClock display{clock};
    std::array<DateServer, 3> portals;
    std::optional<bool> outcome;
    LongTermWarnings warnings;

private:
    std::unique_ptr<ClockCalibration> m_calibration;
};

TEST_F(ClockCalibrationTest, noRunUnderWay_tickSwitchesItselfOffAndAsksNobody)
{
    host.run.runStateWriter().reset();
    calibration().tick();
    runQueuedCalls();
    EXPECT_FALSE(calibrationTick->isEnabled());
    EXPECT_EQ(portals[0].connectionsSoFar(), 0);
}

TEST_F(ClockCalibrationTest, firstPortalUnreachable_timerOffNothingFetched)
{
    const QUrl nowhere(QStringLiteral("http://127.0.0.1:%1/").arg(closed_port()));
    calibration({nowhere, portals[1].url()});
    EXPECT_EQ(calibrateOnce(), false);
    EXPECT_FALSE(calibrationTick->isEnabled());
    EXPECT_EQ(portals[1].requests(), 0);
    EXPECT_TRUE(setter.instants.empty());
}

TEST_F(ClockCalibrationTest, mayKeepTheClock_setsItOnceFromTheUtcInstant_laterPortalsNotAsked)
{
    setter.allowed = true;
    const QDateTime portalTime = hoursFromNow(2);
    portals[0].answer(date_header(portalTime));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    ASSERT_EQ(setter.instants.size(), 1u);
    // The header is cut to whole seconds: half a second later on average.
    EXPECT_EQ(setter.instants[0], portalTime.toUTC().addMSecs(500));
    EXPECT_EQ(setter.instants[0].offsetFromUtc(), 0);
    EXPECT_EQ(display.offsetMs(), 0);
    EXPECT_EQ(portals[1].requests(), 0);
    EXPECT_TRUE(calibrationTick->isEnabled());
}

TEST_F(ClockCalibrationTest, portalTwoHoursOff_withoutTheRight_displayClockKeepsTheOffset)
{
    const QDateTime portalTime = hoursFromNow(2);
    portals[0].answer(date_header(portalTime));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    EXPECT_TRUE(setter.instants.empty());
    EXPECT_EQ(display.now(), portalTime.addMSecs(500));
    EXPECT_EQ(clock.now(), portalTime.addSecs(-7200)); // the system clock is untouched

    // The next minute the portal agrees with the display: nothing moves.
    EXPECT_EQ(calibrateOnce(), false);
    EXPECT_EQ(display.offsetMs(), 7'200'500);
}

TEST_F(ClockCalibrationTest, settingRefused_fallsBackToTheOffset)
{
    setter.allowed = true;
    setter.refuse = true;
    portals[0].answer(date_header(hoursFromNow(-2)));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    EXPECT_EQ(setter.instants.size(), 1u);
    EXPECT_EQ(display.offsetMs(), -7'200'000 + 500);
}

TEST_F(ClockCalibrationTest, clockAlreadyRight_nothingIsSet)
{
    setter.allowed = true;
    portals[0].answer(date_header(clock.now()));
    calibration();
    EXPECT_EQ(calibrateOnce(), false);
    EXPECT_TRUE(setter.instants.empty());
    EXPECT_EQ(display.offsetMs(), 0);
}

TEST_F(ClockCalibrationTest, portalTimesOut_nextPortalAnswers_displayNeverWaited)
{
    portals[0].stayQuiet();
    calibration().tick();
    ASSERT_TRUE(wait_until([&] { return portals[0].requests() == 1; }));
    EXPECT_TRUE(calibration().busy());
    timers.advance(5000); // the transfer timeout of the first portal
    const QDateTime portalTime = hoursFromNow(2);
    portals[1].answer(date_header(portalTime));
    ASSERT_TRUE(wait_until([&] { return outcome.has_value(); }));
    EXPECT_EQ(outcome, true);
    EXPECT_EQ(display.now(), portalTime.addMSecs(500));
}

TEST_F(ClockCalibrationTest, garbageAndMissingDate_nextPortalUsed_oneLogLineEachNotEveryMinute)
{
    portals[0].answerGarbage();
    portals[1].answer("");
    const QDateTime portalTime = hoursFromNow(1);
    portals[2].answer(date_header(portalTime));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    EXPECT_EQ(display.now(), portalTime.addMSecs(500));
    EXPECT_EQ(LongTermWarnings::lines().size(), 2) << LongTermWarnings::lines().join('\n').toStdString();

    calibrateOnce();
    EXPECT_EQ(LongTermWarnings::lines().size(), 2);
}

TEST_F(ClockCalibrationTest, datesYearsOffOrInAnotherForm_notBelieved_noClockSet)
{
    setter.allowed = true;
    portals[0].answer(date_header(clock.now().addYears(3)));
    portals[1].answer(date_header(clock.now().addYears(-5)));
    portals[2].answer("Monday, 07-Dec-26 15:04:05 GMT");
    calibration();
    EXPECT_EQ(calibrateOnce(), false);
    EXPECT_TRUE(setter.instants.empty());
    EXPECT_EQ(display.offsetMs(), 0);
    EXPECT_EQ(LongTermWarnings::lines().size(), 3) << LongTermWarnings::lines().join('\n').toStdString();
    EXPECT_TRUE(calibrationTick->isEnabled()); // tries again in a minute
}

TEST_F(ClockCalibrationTest, ownClockNeverSet_anyBelievableDateIsTaken)
{
    clock.setNow(QDateTime(QDate(2000, 1, 1), QTime(0, 5)));
    const QDateTime portalTime(QDate(2026, 12, 8), QTime(9, 0));
    portals[0].answer(date_header(portalTime));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    EXPECT_EQ(display.now(), portalTime.addMSecs(500));
}

TEST_F(ClockCalibrationTest, dateAtOurMidnight_passedOver_nextPortalAsked)
{
    portals[0].answer(date_header(QDateTime(clock.now().date(), QTime(0, 0))));
    const QDateTime portalTime = hoursFromNow(1);
    portals[1].answer(date_header(portalTime));
    calibration();
    EXPECT_EQ(calibrateOnce(), true);
    EXPECT_EQ(display.now(), portalTime.addMSecs(500));
}

TEST_F(ClockCalibrationTest, tickWhileACalibrationRuns_startsNoSecond)
{
    portals[0].stayQuiet();
    calibration().tick();
    ASSERT_TRUE(wait_until([&] { return portals[0].requests() == 1; }));
    const int connections = portals[0].connections();
    calibration().tick();
    runQueuedCalls();
    EXPECT_EQ(portals[0].connectionsSoFar(), connections);
}

} // namespace
} // namespace orvalen::test
