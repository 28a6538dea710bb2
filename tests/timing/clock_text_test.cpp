#include "timing/clock_text.h"

#include <gtest/gtest.h>

namespace orvalen {
namespace {

TEST(ClockText, countFormats_fromMillisecondsWithHoursPastADay)
{
    const QTime now(14, 25, 30);
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::Seconds, 65'400, now), "65");
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::Seconds, 600'000, now), "600");
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::MinutesSeconds, 59'999, now), "00:59");
    EXPECT_EQ(runningClockText(TimingMode::CountUp, TimeFormat::MinutesSeconds, 3'723'000, now), "62:03");
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::HoursMinutesSeconds, 3'723'000, now), "01:02:03");
    EXPECT_EQ(runningClockText(TimingMode::CountUp, TimeFormat::HoursMinutesSeconds, 90'000'000, now), "25:00:00");
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::MinutesSeconds, 360'000'000, now), "6000:00");
    EXPECT_EQ(runningClockText(TimingMode::CountDown, TimeFormat::Seconds, -5, now), "0");
}

} // namespace
} // namespace orvalen
