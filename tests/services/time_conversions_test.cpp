#include "services/time_conversions.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace orvalen;

TEST(TimeConversions, secondsToTime_coversExactlyOneDay)
{
    EXPECT_EQ(secondsToTime(0), QTime(0, 0, 0));
    EXPECT_EQ(secondsToTime(86399), QTime(23, 59, 59));
    EXPECT_EQ(secondsToTime(3661), QTime(1, 1, 1));
    EXPECT_FALSE(secondsToTime(86400).isValid()); // not midnight
    EXPECT_FALSE(secondsToTime(-1).isValid());
}

TEST(TimeConversions, secondsToHms_splitsWithoutLeadingZerosAndTruncatesTenths)
{
    EXPECT_EQ(secondsToHms(3723456), "1\\2\\3\\4");
    EXPECT_EQ(secondsToHms(999), "0\\0\\0\\9");
    EXPECT_EQ(secondsToHms(90000000), "25\\0\\0\\0");
    EXPECT_EQ(secondsToHms(1950), "0\\0\\1\\9");
    EXPECT_EQ(secondsToHms(0), "0\\0\\0\\0");
    EXPECT_EQ(secondsToHms(59999), "0\\0\\59\\9");
    EXPECT_EQ(secondsToHms(-1), "0\\0\\0\\0");
    EXPECT_EQ(secondsToHms(-3723456), "0\\0\\0\\0");
}

TEST(TimeConversions, timeToSeconds_ignoresTheDate)
{
    EXPECT_EQ(timeToSeconds(QTime(0, 10, 0)), 600);
    EXPECT_EQ(timeToSecondsByte(QTime(0, 10, 0)), 600);
    EXPECT_EQ(timeToSeconds(QTime(23, 59, 59)), 86399);
    EXPECT_EQ(timeToSecondsByte(QTime(23, 59, 59)), 86399);
    EXPECT_EQ(timeToSeconds(QTime(0, 0)), 0);
    EXPECT_EQ(timeToSecondsByte(QTime(0, 0)), 0);
    EXPECT_EQ(timeToSeconds(QDateTime(QDate(2026, 12, 7), QTime(8, 0))), 28800);
    EXPECT_EQ(timeToSeconds(QTime(8, 0, 0, 999)), 28800);
    EXPECT_EQ(timeToSeconds(QTime()), 0);
    for (int s : {0, 1, 59, 3600, 43210, 86399})
        EXPECT_EQ(timeToSeconds(secondsToTime(s)), s);
}

TEST(TimeConversions, weekdayName_isChineseWhateverTheDesktopLanguage)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(weekdayName(QDate(2026, 12, 8)), QStringLiteral("星期二"));
    EXPECT_EQ(weekdayName(QDate(2026, 12, 13)), QStringLiteral("星期日"));
    EXPECT_TRUE(weekdayName(QDate()).isEmpty());
    QLocale::setDefault(before);
}
