#include "plans/plan_save_checks.h"
#include "stores/plan_codec.h"

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// Length 60 s, only alarm 1 switched on, reminder duration 3 s.
ClockPlan onlyAlarm1(int alarm1Seconds)
{
    ClockPlan p = ClockPlan::defaults(QDate(2026, 12, 9));
    p.Time_all = QTime(0, 1, 0);
    p.Time_one = QTime(0, 0, 0).addSecs(alarm1Seconds);
    p.Time_two = QTime(0, 0, 40);
    p.Time_three = QTime(0, 0, 30);
    p.Time_four = QTime(0, 0, 20);
    plan_codec::setFieldText(p, "checkone", "1100000");
    p.tixingtime = 3;
    return p;
}

SaveCheckResult check(const QString& name, const std::optional<ClockPlan>& plan, NameLookup lookup = NameLookup::Free)
{
    return checkPlanSave(name, [lookup](QString* error) {
        *error = "disk I/O error";
        return lookup;
    }, plan, "the reminder duration is no number");
}

QStringList texts(const SaveCheckResult& r)
{
    QStringList out;
    for (const PlanMessage& m : r.messages)
        out << m.text;
    return out;
}

} // namespace

TEST(PlanSaveChecks, name_emptyOrBlankOrWithControlCharactersRefusesWithFocus_widthAdvisesOnly)
{
    const ClockPlan plan = onlyAlarm1(50);
    for (const QString& blank : {QString(), QStringLiteral(" "), QStringLiteral("   "), QStringLiteral("\u3000 ")}) {
        const SaveCheckResult empty = check(blank, plan);
        EXPECT_EQ(empty.verdict, SaveVerdict::RefusedFocusName);
        ASSERT_EQ(empty.messages.size(), 1);
        EXPECT_EQ(empty.messages[0], (PlanMessage{"没有填写阶段名称", 1500, ""}));
    }
    for (const QString& broken : {QStringLiteral("初赛\t一"), QStringLiteral("初赛\n"), QStringLiteral("a\r\nb"),
                                  QStringLiteral("a\u2028b"), QStringLiteral("a\x01")}) {
        const SaveCheckResult r = check(broken, plan);
        EXPECT_EQ(r.verdict, SaveVerdict::RefusedFocusName);
        EXPECT_EQ(texts(r), QStringList{"阶段名称不能包含制表符、换行符等控制字符，请修改"});
    }
    for (const QString& fine : {QStringLiteral(" 初赛 "), QStringLiteral("A'B\"C;--"), QStringLiteral("🎉👨\u200D👩")})
        EXPECT_EQ(check(fine, plan).verdict, SaveVerdict::Save) << fine.toStdString();
    EXPECT_TRUE(check(QString(28, 'a'), plan).messages.isEmpty());
    for (const QString& wide : {QString(29, 'a'), QString(15, QChar(0x4E2D))}) {
        const SaveCheckResult r = check(wide, plan);
        EXPECT_EQ(r.verdict, SaveVerdict::Save);
        EXPECT_EQ(texts(r), QStringList{"建议阶段名称控制在14个字符以内"});
    }
}

TEST(PlanSaveChecks, takenName_unreadableDatabase_andBadField_stopTheSave)
{
    const SaveCheckResult taken = check("A'B", onlyAlarm1(50), NameLookup::Taken);
    EXPECT_EQ(taken.verdict, SaveVerdict::RefusedFocusName);
    EXPECT_EQ(taken.messages, QList<PlanMessage>{(PlanMessage{"阶段名称【A'B】已录入", 5000, "录入提示"})});

    const SaveCheckResult broken = check("A", onlyAlarm1(50), NameLookup::DatabaseError);
    EXPECT_EQ(broken.verdict, SaveVerdict::Failed);
    EXPECT_EQ(broken.messages, QList<PlanMessage>{saveFailedMessage()});
    EXPECT_EQ(broken.error, "disk I/O error");

    const SaveCheckResult field = check("A", std::nullopt);
    EXPECT_EQ(field.verdict, SaveVerdict::Failed);
    EXPECT_EQ(field.messages[0].timeoutMs, 2000);
    EXPECT_EQ(field.error, "the reminder duration is no number");
}

TEST(PlanSaveChecks, times_equalEvenWhenSwitchedOff_orCloserThanTheReminderDuration_areRefused)
{
    ClockPlan equal = onlyAlarm1(60);
    plan_codec::setFieldText(equal, "checkone", "1000000");
    EXPECT_EQ(texts(check("A", equal)), QStringList{"计时时长和报警1提醒时间不能相同，请修改"});

    EXPECT_EQ(check("A", onlyAlarm1(57)).verdict, SaveVerdict::Save);
    const SaveCheckResult close = check("A", onlyAlarm1(58));
    EXPECT_EQ(close.verdict, SaveVerdict::Refused);
    EXPECT_EQ(texts(close), QStringList{"计时时长比报警1间隔\r\r要超【系统→提醒持续】设定值3秒以上，请修改"});

    // Alarm 1 and the seconds count-down on, alarms 2 and 3 off: two pairs.
    ClockPlan two = onlyAlarm1(59);
    plan_codec::setFieldText(two, "checkone", "1100100");
    two.Time_four = QTime(0, 0, 58);
    const SaveCheckResult r = check("A", two);
    EXPECT_EQ(r.verdict, SaveVerdict::Refused);
    EXPECT_EQ(texts(r), QStringList({"计时时长比报警1间隔\r\r要超【系统→提醒持续】设定值3秒以上，请修改",
                                     "报警1比读秒间隔\r\r要超【系统→提醒持续】设定值3秒以上，请修改"}));
}

TEST(PlanSaveChecks, lastPoint_mustLieAboveTheReminderDuration)
{
    ClockPlan plan = onlyAlarm1(50);
    plan_codec::setFieldText(plan, "checkone", "1000100");
    plan.Time_four = QTime(0, 0, 3);
    EXPECT_EQ(texts(check("A", plan)), QStringList{"读秒设定值，要大于【系统→提醒持续】设定值3秒，请修改"});
    plan.Time_four = QTime(0, 0, 4);
    EXPECT_EQ(check("A", plan).verdict, SaveVerdict::Save);
}
