#include "stores/plan_store.h"

#include "platform/registry_store.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"
#include "stores/plan_codec.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

const QDate kToday(2026, 12, 8);

// A plan in which every field differs from the defaults.
ClockPlan unusual_plan()
{
    ClockPlan p = ClockPlan::defaults(QDate(2031, 5, 17));
    p.Time_all = QTime(2, 30, 15);
    p.Time_one = QTime(1, 0, 1);
    p.Time_two = QTime(0, 30, 2);
    p.Time_three = QTime(0, 10, 3);
    p.Time_four = QTime(0, 1, 4);
    p.Time_five = QTime(23, 59, 59);
    plan_codec::setFieldText(p, "checkone", "0101011");
    plan_codec::setFieldText(p, "checktwo", "101010101010101010101");
    for (int i = 0; i < 7; ++i) {
        p.stages[i].prompt = QString("第%1阶段 \"引号\" \\ 反斜杠").arg(i);
        p.stages[i].sound = QString("音乐%1.MP3").arg(i);
        plan_codec::setFieldText(p, plan_codec::fieldIndex("highsetstart") + i, QString("%1\\-2147483643\\背景%1.jpg").arg(255 * i));
    }
    p.firstfont = "微软雅黑";
    p.firstcolour = PlanColour::fromText("-2147483635");
    p.firsttext = "年终述职\n第二行";
    p.secondfont = "黑体";
    p.secondcolour = PlanColour::fromText("16711680");
    p.secondtext = "副标题\t制表";
    p.clockFont = "Arial";
    p.clockcolour = PlanColour::fromText("65535");
    plan_codec::setFieldText(p, "background", "255\\春天.jpg");
    p.stagefont = "楷体";
    p.stagecolour = PlanColour::fromText("-1");
    p.textfont = "仿宋";
    p.textcolour = PlanColour::fromText("0");
    p.rollfont = "宋体";
    p.rollcolour = PlanColour::fromText("-2147483648");
    plan_codec::setFieldText(p, "sizethree", "10/20/30/40/50/60/");
    plan_codec::setFieldText(p, "checkthree", "100000");
    plan_codec::setFieldText(p, "checkfour", "1111");
    plan_codec::setFieldText(p, "combolist", "213");
    p.logopicture = "标志.png";
    p.tixingtime = 300;
    return p;
}

} // namespace

TEST(PlanStore, emptyStore_loadsWholeDefaultPlanWithToday)
{
    test::TempProgram program;
    ClockPlan plan = unusual_plan();
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan, ClockPlan::defaults(kToday));
}

TEST(PlanStore, saveThenLoad_returnsEveryFieldUnchanged)
{
    test::TempProgram program;
    const ClockPlan saved = unusual_plan();
    ASSERT_TRUE(savePlan(program.registry, saved));
    ClockPlan loaded;
    loadPlan(RegistryStore(program.registryPath()), loaded, kToday);
    for (int i = 0; i < plan_codec::kFieldCount; ++i)
        EXPECT_EQ(plan_codec::fieldText(loaded, i), plan_codec::fieldText(saved, i)) << plan_codec::fieldNames()[i].toStdString();
    EXPECT_EQ(loaded, saved);
}

TEST(PlanStore, storedTypes_tixingtimeIsDwordAndTheRestText)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    EXPECT_EQ(program.registry.names(), plan_codec::fieldNames());
    for (const QString& name : plan_codec::fieldNames()) {
        const auto v = program.registry.read(name);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->type, name == "tixingtime" ? RegistryStore::Type::Dword : RegistryStore::Type::String)
            << name.toStdString();
    }
    EXPECT_EQ(program.registry.readDword("tixingtime").value_or(0), 300);
    EXPECT_EQ(program.registry.readText("Time_all").value_or(""), "02:30:15");
    EXPECT_EQ(program.registry.readText("time_date").value_or(""), "2031-05-17");
}

TEST(PlanStore, allValuesPresent_areTakenWithoutAnyCheck)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    ASSERT_TRUE(program.registry.writeText("checkone", "101"));
    ASSERT_TRUE(program.registry.writeText("sizethree", "garbage"));
    ClockPlan plan;
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan_codec::fieldText(plan, "checkone"), "101");
    EXPECT_EQ(plan_codec::fieldText(plan, "sizethree"), "garbage");
    EXPECT_EQ(plan.firsttext, "年终述职\n第二行");
}

TEST(PlanStore, oneValueMissingWithValidCheckone_missingTextBecomesEmpty)
{
    test::TempProgram program;
    const ClockPlan saved = unusual_plan();
    ASSERT_TRUE(savePlan(program.registry, saved));
    ASSERT_TRUE(program.registry.remove("firsttext"));
    ASSERT_TRUE(program.registry.writeText("Time_two", "not a time"));
    ASSERT_TRUE(program.registry.writeText("time_date", ""));
    ASSERT_TRUE(program.registry.remove("tixingtime"));
    ClockPlan plan = ClockPlan::defaults(kToday);
    plan.Time_two = QTime(0, 7, 7);
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.firsttext, "");                // not its default
    EXPECT_EQ(plan.Time_two, QTime(0, 7, 7));     // keeps what it held
    EXPECT_EQ(plan.time_date, kToday);
    EXPECT_EQ(plan.tixingtime, 5);
    EXPECT_EQ(plan.Time_all, saved.Time_all);     // the others as stored
    EXPECT_EQ(plan.secondtext, saved.secondtext);
    EXPECT_EQ(plan.stages, saved.stages);
}

TEST(PlanStore, valueMissingAndCheckoneNotSevenLong_wholePlanIsDefault)
{
    for (const QString& checkone : {QString("111111"), QString("11111100"), QString()}) {
        SCOPED_TRACE(checkone.toStdString());
        test::TempProgram program;
        ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
        ASSERT_TRUE(program.registry.remove("musicend"));
        if (checkone.isNull())
            ASSERT_TRUE(program.registry.remove("checkone"));
        else
            ASSERT_TRUE(program.registry.writeText("checkone", checkone));
        ClockPlan plan = unusual_plan();
        loadPlan(program.registry, plan, kToday);
        EXPECT_EQ(plan, ClockPlan::defaults(kToday));
    }
}

TEST(PlanStore, checkoneOfAnotherType_countsAsNoStoredPlan)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    ASSERT_TRUE(program.registry.writeDword("checkone", 1111110));
    ClockPlan plan;
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan, ClockPlan::defaults(kToday));
}

TEST(PlanStore, targetDateBefore2000_isRaisedTo2000)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    ASSERT_TRUE(program.registry.writeText("time_date", "1999-12-31"));
    ClockPlan plan;
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.time_date, QDate(2000, 1, 1));
    ASSERT_TRUE(program.registry.writeText("time_date", "2000-01-02"));
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.time_date, QDate(2000, 1, 2));
}

TEST(PlanStore, tixingtime_outOf16BitsIsHeldAtTheLimit)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    ASSERT_TRUE(program.registry.writeDword("tixingtime", 100000));
    ClockPlan plan;
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.tixingtime, 32767);
    ASSERT_TRUE(program.registry.writeDword("tixingtime", -4));
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.tixingtime, 0);
    ASSERT_TRUE(program.registry.writeText("tixingtime", "8"));
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan.tixingtime, 8);
}

TEST(PlanStore, deletePlan_removesOnlyThePlanValues)
{
    test::TempProgram program;
    EXPECT_TRUE(deletePlan(program.registry)); // empty store: nothing happens
    EXPECT_FALSE(QFile::exists(program.registryPath()));
    ASSERT_TRUE(program.registry.writeText("vision", "4"));
    ASSERT_TRUE(savePlan(program.registry, unusual_plan()));
    EXPECT_TRUE(deletePlan(program.registry));
    EXPECT_EQ(program.registry.names(), QStringList{"vision"});
    ClockPlan plan = unusual_plan();
    loadPlan(program.registry, plan, kToday);
    EXPECT_EQ(plan, ClockPlan::defaults(kToday));
}

TEST(PlanStore, singleFields_areStoredAndReadByName)
{
    test::TempProgram program;
    ClockPlan plan = unusual_plan();
    ASSERT_TRUE(savePlanFields(program.registry, plan, {"stagefont", "stagecolour", "sizethree"}));
    EXPECT_EQ(program.registry.names(), (QStringList{"stagefont", "stagecolour", "sizethree"}));
    EXPECT_FALSE(savePlanFields(program.registry, plan, {"nosuchfield"}));
    ClockPlan other;
    EXPECT_TRUE(loadPlanField(program.registry, other, "stagefont"));
    EXPECT_EQ(other.stagefont, "楷体");
    EXPECT_FALSE(loadPlanField(program.registry, other, "clockFont"));
    EXPECT_EQ(other.clockFont, "新宋体");
}

TEST(PlanStore, unwritableStore_saveReportsFailureAndKeepsTheOldPlan)
{
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, ClockPlan::defaults(kToday)));
    {
        test::ReadOnlyFolder readOnly(QFileInfo(program.registryPath()).absolutePath());
        if (!readOnly.active())
            GTEST_SKIP() << "this system cannot make a folder read-only";
        EXPECT_FALSE(savePlan(program.registry, unusual_plan()));
        EXPECT_FALSE(deletePlan(program.registry));
    }
    ClockPlan plan;
    loadPlan(RegistryStore(program.registryPath()), plan, kToday);
    EXPECT_EQ(plan, ClockPlan::defaults(kToday));
}
