#include "stores/clock_plan.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(ClockPlan, fieldNames_keepTheStoredOrder)
{
    // The order is that of the registry values and of the deskclock columns.
    const QStringList& names = ClockPlan::fieldNames();
    ASSERT_EQ(names.size(), ClockPlan::kFieldCount);
    EXPECT_EQ(names[0], "Time_all");
    EXPECT_EQ(names[6], "time_date");
    EXPECT_EQ(names[29], "clockFont");
    EXPECT_EQ(names[43], "tixingtime");
    EXPECT_EQ(names[50], "highsetend");
    EXPECT_EQ(ClockPlan::fieldIndex("textend"), 15);
    EXPECT_EQ(ClockPlan::fieldIndex("clockfont"), -1); // exact spelling
    const ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 8));
    EXPECT_EQ(plan.fieldText(0), "00:01:00");
    EXPECT_EQ(plan.fieldText(6), "2026-12-08");
    EXPECT_EQ(plan.fieldText(43), "5");
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

TEST(ClockPlan, namedFlags_readTheirOwnDigit)
{
    ClockPlan plan;
    plan.checkone = "0000011";
    plan.checktwo = "000000000000010000000"; // digit 14: the end stage's sound
    plan.checkthree = "000010";
    plan.checkfour = "0010";
    plan.combolist = "21x";
    EXPECT_TRUE(plan.stageOn(5));
    EXPECT_FALSE(plan.stageOn(4));
    EXPECT_TRUE(plan.isLongTerm());
    EXPECT_FALSE(plan.continuousReminder());
    EXPECT_TRUE(plan.playsSoundAt(6));
    EXPECT_FALSE(plan.showsPromptAt(6));
    EXPECT_FALSE(plan.blinksAt(0));
    EXPECT_TRUE(plan.centresSubtitle());
    EXPECT_FALSE(plan.centresTitle());
    EXPECT_TRUE(plan.restartsAfterDelay());
    EXPECT_EQ(plan.timeFormat(), 2);
    EXPECT_EQ(plan.timingMode(), 1);
    EXPECT_EQ(plan.overtimeAction(), 0);
    plan.checkfour = "1000";
    EXPECT_FALSE(plan.showsOvertimeClock()); // the action digit is not a stored "0"
}
