#include "settings_fixture.h"

#include "settings/number_field.h"
#include "settings/settings_rules.h"
#include "settings/colour_swatch.h"
#include "stores/registry_values.h"
#include "stores/plan_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace orvalen::test {
namespace {

using InterlockTest = SettingsTest;

TEST_F(InterlockTest, longTermOn_forcesDayListStopAndClearedStages)
{
    SettingsWindow& w = open(defaultPlan());
    w.stageBoxes[6]->setChecked(true);
    EXPECT_EQ(w.durationCaption->text(), "启用  到期时间");
    EXPECT_FALSE(w.datePanel->isHidden());
    EXPECT_EQ(w.formatList->count(), 6);
    EXPECT_EQ(w.formatList->currentText(), "d天 hh时mm分");
    EXPECT_EQ(w.modeList->currentIndex(), 0);
    EXPECT_FALSE(w.modeList->isEnabled());
    EXPECT_EQ(w.overtimeList->currentIndex(), 1);
    EXPECT_FALSE(w.overtimeList->isEnabled());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(w.stageBoxes[i]->isChecked()) << i;
        EXPECT_FALSE(w.stageBoxes[i]->isEnabled()) << i;
    }
    EXPECT_EQ(w.timeFields[12]->text(), "0");
    EXPECT_TRUE(w.timeFields[12]->isHidden());
    EXPECT_TRUE(w.displayBoxes[1]->isChecked());
    EXPECT_TRUE(w.displayBoxes[1]->isEnabled());
    // Only the editor's copy changes: the current plan keeps its digits.
    EXPECT_EQ(plan_codec::fieldText(currentPlan.plan(), "combolist"), "100");
}

TEST_F(InterlockTest, longTermOnThenOff_givesCountDownStopAndStoredStageDigits)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "combolist", "412"); // a format digit beyond the count list
    SettingsWindow& w = open(plan);
    EXPECT_EQ(w.formatList->currentText(), "分:秒");
    w.stageBoxes[6]->setChecked(true);
    w.stageBoxes[6]->setChecked(false);
    EXPECT_EQ(w.durationCaption->text(), "启用    总时长");
    EXPECT_EQ(w.formatList->count(), 3);
    EXPECT_EQ(w.formatList->currentText(), "分:秒");
    EXPECT_EQ(w.modeList->currentIndex(), 0);
    EXPECT_EQ(w.overtimeList->currentIndex(), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.stageBoxes[i]->isChecked(), flag_on(plan_codec::fieldText(plan, "checkone"), i + 1)) << i;
    EXPECT_FALSE(w.displayBoxes[1]->isChecked());
    EXPECT_FALSE(w.displayBoxes[1]->isEnabled());
}

TEST_F(InterlockTest, systemTime_movesFirstFormatAndResetAway)
{
    SettingsWindow& w = open(defaultPlan());
    w.modeList->setCurrentIndex(2);
    EXPECT_EQ(w.formatList->count(), 3);
    EXPECT_EQ(w.formatList->currentIndex(), 1);
    w.formatList->setCurrentIndex(0);
    EXPECT_EQ(w.formatList->currentIndex(), 2);
    w.overtimeList->setCurrentIndex(2);
    EXPECT_EQ(w.overtimeList->currentIndex(), 0);
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
    plan_codec::setFieldText(plan, "checkfour", "0010");
    SettingsWindow& w = open(plan);
    w.stageBoxes[5]->setChecked(true);
    w.timeFields[13]->setText("30");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action);
        w.overtimeList->setCurrentIndex(r.action);
        EXPECT_EQ(!w.timeFields[12]->isHidden(), r.limitRowShown);
        EXPECT_EQ(w.stageBoxes[5]->isEnabled(), r.action == 0);
        EXPECT_TRUE(w.stageBoxes[5]->isChecked()); // the tick is kept
        EXPECT_EQ(!w.delayField->isHidden(), r.delayShown);
        EXPECT_EQ(!w.systemBoxes[2]->isHidden(), r.delayShown);
        if (r.delayShown) {
            EXPECT_EQ(w.delayCaption->text(), r.delayCaption);
            EXPECT_TRUE(w.systemBoxes[2]->isChecked()); // the stored delay digit
        }
        EXPECT_EQ(w.systemBoxes[1]->isChecked(), r.promptAtEnd);
        EXPECT_FALSE(w.systemBoxes[0]->isChecked());
        if (r.action != 0) {
            EXPECT_EQ(w.timeFields[13]->text(), "0");
        }
    }
}

TEST_F(InterlockTest, perStageColours_hideTheSixOverallControls)
{
    SettingsWindow& w = open(defaultPlan());
    w.displayBoxes[0]->setChecked(true);
    EXPECT_TRUE(w.styleColours[2]->isHidden());
    EXPECT_TRUE(w.backgroundCaption->isHidden());
    EXPECT_TRUE(w.stageSwatches[14]->isHidden());
    EXPECT_TRUE(w.pictureButtons[14]->isHidden());
    w.displayBoxes[0]->setChecked(false);
    EXPECT_FALSE(w.styleColours[2]->isHidden());
}

TEST_F(InterlockTest, simpleModeOnAndOff_restoresThePlanAndForgetsEdits)
{
    ClockPlan plan = defaultPlan();
    plan.tixingtime = 8;
    plan.logopicture = "logo.jpg";
    plan_codec::setFieldText(plan, "checkthree", "111111");
    program.ini.write("pictureset", "Delaytime", "7");
    SettingsWindow& w = open(plan);
    w.stageBoxes[1]->setChecked(false); // an edit that full mode forgets
    w.simpleBox->setChecked(true);
    EXPECT_EQ(w.reminderDuration->text(), "5");
    EXPECT_EQ(w.logoField->text(), "");
    EXPECT_EQ(w.delayField->text(), "2");
    EXPECT_FALSE(w.stageBoxes[1]->isChecked());
    EXPECT_TRUE(w.stageBoxes[3]->isChecked());
    EXPECT_EQ(w.stageBoxes[3]->text(), "报警1 剩余");
    EXPECT_EQ(w.previewList->count(), 4);
    EXPECT_EQ(w.previewList->currentIndex(), -1);
    EXPECT_TRUE(w.systemBoxes[2]->isChecked());
    EXPECT_FALSE(w.displayBoxes[0]->isChecked());
    EXPECT_FALSE(w.styleColours[2]->isHidden()); // shown again by the colour switch
    EXPECT_EQ(w.currentPage(), 0);
    EXPECT_TRUE(registry_values::simple(program.registry));

    w.simpleBox->setChecked(false);
    EXPECT_EQ(w.reminderDuration->text(), "8");
    EXPECT_EQ(w.logoField->text(), "logo.jpg");
    EXPECT_EQ(w.delayField->text(), "7");
    EXPECT_TRUE(w.stageBoxes[1]->isChecked());
    EXPECT_EQ(w.previewList->count(), 7);
    EXPECT_TRUE(w.systemBoxes[0]->isHidden());
    EXPECT_TRUE(w.systemBoxes[1]->isChecked());
    EXPECT_FALSE(registry_values::simple(program.registry));
}

TEST_F(InterlockTest, simpleModeStored_opensSimpleAndAppliesItsValues)
{
    ClockPlan plan = defaultPlan();
    plan.tixingtime = 8;
    plan.logopicture = "logo.jpg";
    registry_values::setSimple(program.registry, true);
    SettingsWindow& w = open(plan);
    EXPECT_TRUE(w.simpleBox->isChecked());
    ASSERT_TRUE(w.apply());
    const ClockPlan stored = storedPlan();
    EXPECT_EQ(stored.tixingtime, 5);
    EXPECT_EQ(stored.logopicture, "");
    EXPECT_EQ(plan_codec::fieldText(stored, "checkfour"), "0110");
}

TEST_F(InterlockTest, longTermInSimpleModeAndBack_keepsStageBoxesClear)
{
    ClockPlan plan = defaultPlan();
    plan_codec::setFieldText(plan, "checkone", "1111111");
    SettingsWindow& w = open(plan);
    w.simpleBox->setChecked(true);
    w.simpleBox->setChecked(false);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(w.stageBoxes[i]->isChecked()) << i;
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(plan_codec::fieldText(storedPlan(), "checkone"), "0000001");
}

} // namespace

TEST(SettingsRules, flagDigits_areOneBasedAndOffPastTheEnd)
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

} // namespace orvalen::test
