#include "stores/clock_plan.h"
#include "timing/long_term_fixture.h"
#include "timing/long_term_texts.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QDate kToday(2026, 12, 8);

TEST(LongTermTexts, countdown_splitsDaysFromTheClockInEachFormat)
{
    const qint64 r = 1 * 86400 + 2 * 3600 + 3 * 60 + 4;
    EXPECT_EQ(countdown_texts(r, 0).dateLine, "1天");
    EXPECT_EQ(countdown_texts(r, 0).clock, "02时03分04秒");
    EXPECT_EQ(countdown_texts(r, 1).clock, "02时03分");
    EXPECT_EQ(countdown_texts(r, 2).clock, "");
    EXPECT_EQ(countdown_texts(r, 3).clock, "02:03:04");
    EXPECT_EQ(countdown_texts(r, 5).clock, "03:04"); // hours dropped
    EXPECT_EQ(countdown_texts(59, 4).dateLine, "0天");
    EXPECT_EQ(countdown_texts(59, 4).clock, "00:00");
    EXPECT_EQ(countdown_texts(36525LL * 86400, 3).dateLine, "36525天");
    EXPECT_FALSE(countdown_texts(r, 6).known);
    EXPECT_FALSE(countdown_texts(r, -1).known);
}

TEST(LongTermTexts, live_showsTodayAndTheTimeOfDay)
{
    const QDateTime now(QDate(2024, 3, 8), QTime(9, 5, 7, 999));
    EXPECT_EQ(live_texts(now, 0).dateLine, "2024年03月08日");
    EXPECT_EQ(live_texts(now, 0).clock, "09时05分07秒");
    EXPECT_EQ(live_texts(now, 2).clock, "");
    EXPECT_EQ(live_texts(now, 3).dateLine, "2024-03-08");
    EXPECT_EQ(live_texts(now, 3).clock, "09:05:07");
    EXPECT_EQ(live_texts(now, 4).clock, "09:05");
    EXPECT_EQ(live_texts(now, 5).clock, "05:07");
    EXPECT_FALSE(live_texts(now, 9).known);
}

TEST(LongTermTexts, remainingSeconds_countsSecondBoundaries)
{
    const QDateTime target(kToday, QTime(12, 0, 0));
    EXPECT_EQ(remaining_seconds(QDateTime(kToday, QTime(11, 59, 59, 999)), target), 1);
    EXPECT_EQ(remaining_seconds(QDateTime(kToday, QTime(11, 59, 59, 0)), target), 1);
    EXPECT_EQ(remaining_seconds(QDateTime(kToday, QTime(12, 0, 0, 500)), target), 0);
    EXPECT_EQ(remaining_seconds(QDateTime(kToday, QTime(12, 0, 1)), target), -1);
}

TEST(LongTermTarget, unusableDates_meanTheLiveClockAndSayWhy)
{
    const QTime noon(12, 0);
    const LongTermTarget none = long_term_target(QDate(2000, 1, 1), noon, kToday);
    EXPECT_TRUE(none.live);
    EXPECT_TRUE(none.problem.isEmpty());
    for (const QDate& bad : {QDate(1999, 12, 31), QDate(), QDate(2226, 12, 8)}) {
        const LongTermTarget t = long_term_target(bad, noon, kToday);
        EXPECT_TRUE(t.live) << bad.toString().toStdString();
        EXPECT_FALSE(t.problem.isEmpty());
    }
    const LongTermTarget far = long_term_target(QDate(2125, 12, 8), noon, kToday);
    EXPECT_FALSE(far.live);
    EXPECT_EQ(far.instant, QDateTime(QDate(2125, 12, 8), noon));

    const LongTermTarget badTime = long_term_target(QDate(2026, 12, 11), QTime(), kToday);
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
