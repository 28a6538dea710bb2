#include "stores/clock_plan.h"
#include "timing/long_term_fixture.h"
#include "timing/long_term_texts.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QDate kToday(2026, 12, 8);

// The six formats themselves are shown on the display in
// long_term_display_test; these are the edges.
TEST(LongTermTexts, shortAndLongCountsAndUnknownFormats)
{
    EXPECT_EQ(countdownTexts(59, TimeFormat::DaysHoursMinutes).dateLine, "0天");
    EXPECT_EQ(countdownTexts(59, TimeFormat::DaysHoursMinutes).clock, "00:00");
    EXPECT_EQ(countdownTexts(-5, TimeFormat::Seconds).clock, "00时00分00秒");
    EXPECT_EQ(countdownTexts(36525LL * 86400 + 1, TimeFormat::DaysMinutesSeconds).dateLine, "36525天");
    EXPECT_EQ(countdownTexts(36525LL * 86400 + 1, TimeFormat::DaysMinutesSeconds).clock, "00:01");
    EXPECT_FALSE(countdownTexts(100, TimeFormat(6)).known);
    EXPECT_FALSE(countdownTexts(100, TimeFormat(-1)).known);
    EXPECT_FALSE(liveTexts(QDateTime(kToday, QTime(9, 5, 7)), TimeFormat(9)).known);
}

TEST(LongTermTexts, remainingSeconds_countsSecondBoundaries)
{
    const QDateTime target(kToday, QTime(12, 0, 0));
    EXPECT_EQ(remainingSeconds(QDateTime(kToday, QTime(11, 59, 59, 999)), target), 1);
    EXPECT_EQ(remainingSeconds(QDateTime(kToday, QTime(11, 59, 59, 0)), target), 1);
    EXPECT_EQ(remainingSeconds(QDateTime(kToday, QTime(12, 0, 0, 500)), target), 0);
    EXPECT_EQ(remainingSeconds(QDateTime(kToday, QTime(12, 0, 1)), target), -1);
}

TEST(LongTermTarget, unusableDates_meanTheLiveClockAndSayWhy)
{
    const QTime noon(12, 0);
    const LongTermTarget none = longTermTarget(QDate(2000, 1, 1), noon, kToday);
    EXPECT_TRUE(none.live);
    EXPECT_TRUE(none.problem.isEmpty());
    for (const QDate& bad : {QDate(1999, 12, 31), QDate(), QDate(2226, 12, 8)}) {
        const LongTermTarget t = longTermTarget(bad, noon, kToday);
        EXPECT_TRUE(t.live) << bad.toString().toStdString();
        EXPECT_FALSE(t.problem.isEmpty());
    }
    const LongTermTarget far = longTermTarget(QDate(2125, 12, 8), noon, kToday);
    EXPECT_FALSE(far.live);
    EXPECT_EQ(far.instant, QDateTime(QDate(2125, 12, 8), noon));

    const LongTermTarget badTime = longTermTarget(QDate(2026, 12, 11), QTime(), kToday);
    EXPECT_EQ(badTime.instant, QDateTime(QDate(2026, 12, 11), QTime(0, 0)));
    EXPECT_FALSE(badTime.problem.isEmpty());
}

TEST(LongTermTarget, readerLogsAnUnusableValueOncePerValue)
{
    LongTermWarnings warnings;
    LongTermTargetReader reader;
    ClockPlan plan = ClockPlan::defaults(kToday);
    plan.time_date = QDate(1990, 1, 1);
    for (int i = 0; i < 5; ++i)
        reader.read(plan, kToday);
    plan.time_date = QDate(2300, 1, 1);
    reader.read(plan, kToday);
    plan.time_date = kToday.addDays(1);
    reader.read(plan, kToday);
    EXPECT_EQ(LongTermWarnings::lines().size(), 2);
}

} // namespace
} // namespace orvalen::test
