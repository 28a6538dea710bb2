#include "stores/clock_plan.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(ClockPlan, fields_haveTheirNamesAndDefaultTextsInOrder)
{
    const ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 8));
    const QStringList& names = ClockPlan::fieldNames();
    ASSERT_EQ(names.size(), ClockPlan::kFieldCount);
    const QStringList expected{
        "00:01:00", "00:00:50", "00:00:40", "00:00:30", "00:00:20", "00:00:10", "2026-12-08",
        "1111110", "111111111111111111111",
        "开始计时", "阶段一", "阶段二", "阶段三", "读秒", "已超时", "时间到",
        "alarm.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Stop.wav",
        "新宋体", "-2147483640", "中层干部年终述职考评会", "新宋体", "-2147483640", "",
        "新宋体", "-2147483640", "-2147483643\\1.jpg", "新宋体", "-2147483640", "新宋体",
        "-2147483640", "新宋体", "-2147483640", "90/80/150/100/30/30/", "011111", "0000",
        "100", "", "5",
        "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg",
        "0\\-2147483643\\1.jpg", "0\\65535\\", "0\\65535\\", "0\\255\\"};
    for (int i = 0; i < ClockPlan::kFieldCount; ++i)
        EXPECT_EQ(plan.fieldText(i), expected[i]) << names[i].toStdString();
    EXPECT_EQ(names[0], "Time_all");
    EXPECT_EQ(names[6], "time_date");
    EXPECT_EQ(names[29], "clockFont");
    EXPECT_EQ(names[43], "tixingtime");
    EXPECT_EQ(names[50], "highsetend");
    EXPECT_EQ(ClockPlan::fieldIndex("textend"), 15);
    EXPECT_EQ(ClockPlan::fieldIndex("clockfont"), -1); // exact spelling
}

TEST(ClockPlan, setFieldText_readsStoredFormsAndKeepsTheFieldOnBadInput)
{
    ClockPlan plan;
    EXPECT_TRUE(plan.setFieldText(0, "1:02:03"));
    EXPECT_EQ(plan.Time_all, QTime(1, 2, 3));
    EXPECT_TRUE(plan.setFieldText(1, "1899-12-30 00:05:00"));
    EXPECT_EQ(plan.Time_one, QTime(0, 5, 0));
    EXPECT_FALSE(plan.setFieldText(0, "25:00:00"));
    EXPECT_FALSE(plan.setFieldText(0, ""));
    EXPECT_EQ(plan.Time_all, QTime(1, 2, 3));

    EXPECT_TRUE(plan.setFieldText(6, "2027/1/5"));
    EXPECT_EQ(plan.time_date, QDate(2027, 1, 5));
    EXPECT_FALSE(plan.setFieldText(6, "2027-02-30"));
    EXPECT_EQ(plan.time_date, QDate(2027, 1, 5));

    EXPECT_TRUE(plan.setFieldText(43, "12"));
    EXPECT_EQ(plan.tixingtime, 12);
    EXPECT_FALSE(plan.setFieldText(43, "twelve"));
    EXPECT_EQ(plan.tixingtime, 12);
    EXPECT_TRUE(plan.setFieldText(43, "70000"));
    EXPECT_EQ(plan.tixingtime, 32767); // held at the 16-bit limit, no overflow

    EXPECT_TRUE(plan.setFieldText(28, "副标题\n第二行"));
    EXPECT_EQ(plan.secondtext, "副标题\n第二行");
    EXPECT_FALSE(plan.setFieldText(51, "x"));
    EXPECT_FALSE(plan.setFieldText(-1, "x"));
    EXPECT_EQ(plan.fieldText(51), "");
}

TEST(ClockPlan, listDigitsOutsideTheirListsAndSizesOfZeroOrBelow_fallBack)
{
    ClockPlan plan;
    const int combolist = ClockPlan::fieldIndex("combolist");
    ASSERT_TRUE(plan.setFieldText(combolist, "999"));
    EXPECT_EQ(plan.combolist, "000");
    ASSERT_TRUE(plan.setFieldText(combolist, "109"));
    EXPECT_EQ(plan.combolist, "100");
    ASSERT_TRUE(plan.setFieldText(combolist, "523"));
    EXPECT_EQ(plan.combolist, "523"); // a long-term format, count-up to the time of day, next plan
    ASSERT_TRUE(plan.setFieldText(ClockPlan::fieldIndex("sizethree"), "0/-3/0/100/x/30/"));
    EXPECT_EQ(plan.sizethree, "90/80/150/100/x/30/");
}

TEST(ClockPlan, flagDigits_areOneBasedAndOffPastTheEnd)
{
    EXPECT_TRUE(flag_on("1111110", 1));
    EXPECT_FALSE(flag_on("1111110", 7));
    EXPECT_FALSE(flag_on("101", 4));
    EXPECT_FALSE(flag_on("", 1));
    EXPECT_FALSE(flag_on("1", 0));
    EXPECT_FALSE(flag_on("2", 1)); // on means exactly "1"
    EXPECT_EQ(flag_value("213", 1), 2);
    EXPECT_EQ(flag_value("213", 3), 3);
    EXPECT_EQ(flag_value("213", 4), 0);
    EXPECT_EQ(flag_value("2x3", 2), 0);
    EXPECT_EQ(flag_value("213", 0), 0);
}
