#include "settings_fixture.h"

#include "settings/number_field.h"
#include "settings/colour_swatch.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace orvalen::test {
namespace {

using InterlockTest = SettingsTest;

TEST_F(InterlockTest, longTermOn_forcesDayListStopAndClearedStages)
{
    open(defaultPlan());
    box("长期计时")->setChecked(true);
    EXPECT_EQ(part<QLabel>("lengthCaption")->text(), "启用  到期时间");
    EXPECT_FALSE(part<QWidget>("datePanel")->isHidden());
    EXPECT_EQ(list("时间格式")->count(), 6);
    EXPECT_EQ(list("时间格式")->currentText(), "d天 hh时mm分");
    EXPECT_EQ(list("计时方式")->currentIndex(), 0);
    EXPECT_FALSE(list("计时方式")->isEnabled());
    EXPECT_EQ(list("超时动作")->currentIndex(), 1);
    EXPECT_FALSE(list("超时动作")->isEnabled());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(stageSwitches()[i]->isChecked()) << i;
        EXPECT_FALSE(stageSwitches()[i]->isEnabled()) << i;
    }
    EXPECT_EQ(field("超时 分")->text(), "0");
    EXPECT_TRUE(field("超时 分")->isHidden());
    EXPECT_TRUE(box("提示文字显示星期")->isChecked());
    EXPECT_TRUE(box("提示文字显示星期")->isEnabled());
    // Only the editor's copy changes: the current plan keeps its digits.
    EXPECT_EQ(storedText(currentPlan.plan(), "combolist"), "100");
}

TEST_F(InterlockTest, longTermOnThenOff_givesCountDownStopAndStoredStageDigits)
{
    ClockPlan plan = defaultPlan();
    setStored(plan, "combolist", "412"); // a format digit beyond the count list
    open(plan);
    EXPECT_EQ(list("时间格式")->currentText(), "分:秒");
    box("长期计时")->setChecked(true);
    box("长期计时")->setChecked(false);
    EXPECT_EQ(part<QLabel>("lengthCaption")->text(), "启用    总时长");
    EXPECT_EQ(list("时间格式")->count(), 3);
    EXPECT_EQ(list("时间格式")->currentText(), "分:秒");
    EXPECT_EQ(list("计时方式")->currentIndex(), 0);
    EXPECT_EQ(list("超时动作")->currentIndex(), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(stageSwitches()[i]->isChecked(), storedText(plan, "checkone")[i] == QLatin1Char('1')) << i;
    EXPECT_FALSE(box("提示文字显示星期")->isChecked());
    EXPECT_FALSE(box("提示文字显示星期")->isEnabled());
}

TEST_F(InterlockTest, systemTime_movesFirstFormatAndResetAway)
{
    open(defaultPlan());
    list("计时方式")->setCurrentIndex(2);
    EXPECT_EQ(list("时间格式")->count(), 3);
    EXPECT_EQ(list("时间格式")->currentIndex(), 1);
    list("时间格式")->setCurrentIndex(0);
    EXPECT_EQ(list("时间格式")->currentIndex(), 2);
    list("超时动作")->setCurrentIndex(2);
    EXPECT_EQ(list("超时动作")->currentIndex(), 0);
}

TEST_F(InterlockTest, overtimeActions_followTheTable)
{
    struct Row {
        int action;
        bool limitRowShown;
        bool delayShown;
        QString delayCaption;
        bool promptAtEnd;
    };
    const Row rows[] = {
        {1, false, false, "", true},
        {2, false, true, "复位", true},
        {3, false, true, "进入下一阶段", true},
        {0, true, false, "", false},
    };
    ClockPlan plan = defaultPlan();
    setStored(plan, "checkfour", "0010");
    open(plan);
    box("超时 超过")->setChecked(true);
    field("超时 秒")->setText("30");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        list("超时动作")->setCurrentIndex(r.action);
        EXPECT_EQ(!field("超时 分")->isHidden(), r.limitRowShown);
        EXPECT_EQ(box("超时 超过")->isEnabled(), r.action == 0);
        EXPECT_TRUE(box("超时 超过")->isChecked()); // the tick is kept
        EXPECT_EQ(!field("延时 秒")->isHidden(), r.delayShown);
        EXPECT_EQ(!box("延时(秒)")->isHidden(), r.delayShown);
        if (r.delayShown) {
            EXPECT_EQ(part<QLabel>("delayCaption")->text(), r.delayCaption);
            EXPECT_TRUE(box("延时(秒)")->isChecked()); // the stored delay digit
        }
        EXPECT_EQ(box("时间到，时钟显示提示文字")->isChecked(), r.promptAtEnd);
        EXPECT_FALSE(box("显示超时时钟")->isChecked());
        if (r.action != 0) {
            EXPECT_EQ(field("超时 秒")->text(), "0");
        }
    }
}

TEST_F(InterlockTest, perStageColours_hideTheSixOverallControls)
{
    open(defaultPlan());
    box("时间颜色、背景按精准设置")->setChecked(true);
    EXPECT_TRUE(swatch("时间 颜色")->isHidden());
    EXPECT_TRUE(part<QLabel>("backgroundCaption")->isHidden());
    EXPECT_TRUE(swatch("背景色/图")->isHidden());
    EXPECT_TRUE(dots("背景色/图 选择图片")->isHidden());
    box("时间颜色、背景按精准设置")->setChecked(false);
    EXPECT_FALSE(swatch("时间 颜色")->isHidden());
}

TEST_F(InterlockTest, simpleModeOnAndOff_restoresThePlanAndForgetsEdits)
{
    ClockPlan plan = defaultPlan();
    plan.tixingtime = 8;
    plan.logopicture = "logo.jpg";
    setStored(plan, "checkthree", "111111");
    program.ini.write("pictureset", "Delaytime", "7");
    SettingsWindow& w = open(plan);
    QCheckBox* alarm3 = box("报警3 剩余");
    box("报警1 剩余")->setChecked(false); // an edit that full mode forgets
    box("精简模式")->setChecked(true);
    EXPECT_EQ(field("提醒持续 秒")->text(), "5");
    EXPECT_EQ(edit("LOGO图片")->text(), "");
    EXPECT_EQ(field("延时 秒")->text(), "2");
    EXPECT_FALSE(box("报警1 剩余")->isChecked());
    EXPECT_TRUE(alarm3->isChecked());
    EXPECT_EQ(alarm3->text(), "报警1 剩余");
    EXPECT_EQ(list("试听")->count(), 4);
    EXPECT_EQ(list("试听")->currentIndex(), -1);
    EXPECT_TRUE(box("延时(秒)")->isChecked());
    EXPECT_FALSE(box("时间颜色、背景按精准设置")->isChecked());
    EXPECT_FALSE(swatch("时间 颜色")->isHidden()); // shown again by the colour switch
    EXPECT_EQ(w.currentPage(), 0);
    EXPECT_TRUE(registry_values::simple(program.registry));

    box("精简模式")->setChecked(false);
    EXPECT_EQ(field("提醒持续 秒")->text(), "8");
    EXPECT_EQ(edit("LOGO图片")->text(), "logo.jpg");
    EXPECT_EQ(field("延时 秒")->text(), "7");
    EXPECT_TRUE(box("报警1 剩余")->isChecked());
    EXPECT_EQ(list("试听")->count(), 7);
    EXPECT_TRUE(box("显示超时时钟")->isHidden());
    EXPECT_TRUE(box("时间到，时钟显示提示文字")->isChecked());
    EXPECT_FALSE(registry_values::simple(program.registry));
}

TEST_F(InterlockTest, simpleModeStored_opensSimpleAndAppliesItsValues)
{
    ClockPlan plan = defaultPlan();
    plan.tixingtime = 8;
    plan.logopicture = "logo.jpg";
    registry_values::setSimple(program.registry, true);
    SettingsWindow& w = open(plan);
    EXPECT_TRUE(box("精简模式")->isChecked());
    ASSERT_TRUE(w.apply());
    const ClockPlan stored = storedPlan();
    EXPECT_EQ(stored.tixingtime, 5);
    EXPECT_EQ(stored.logopicture, "");
    EXPECT_EQ(storedText(stored, "checkfour"), "0110");
}

TEST_F(InterlockTest, longTermInSimpleModeAndBack_keepsStageBoxesClear)
{
    ClockPlan plan = defaultPlan();
    setStored(plan, "checkone", "1111111");
    SettingsWindow& w = open(plan);
    box("精简模式")->setChecked(true);
    box("精简模式")->setChecked(false);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(stageSwitches()[i]->isChecked()) << i;
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "checkone"), "0000001");
}

} // namespace
} // namespace orvalen::test
