#include "settings_fixture.h"

#include "platform/save_file.h"
#include "support/read_only_folder.h"

#include "settings/colour_swatch.h"
#include "settings/hotkey_field.h"
#include "settings/number_field.h"
#include "settings/settings_rules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace orvalen::test {
namespace {

using FillTest = SettingsTest;
using ApplyTest = SettingsTest;

TEST_F(FillTest, planFieldsAndIniKeys_reachTheirControls)
{
    ClockPlan plan = defaultPlan();
    plan.Time_all = QTime(1, 30, 0);
    plan.checktwo = "211111111111111111111";
    plan.checkthree = "201111";
    plan.sizethree = "90/8//100/30/30/";
    plan.highset[4] = "0\\65535\\";
    plan.background = "-2147483643\\1.jpg";
    program.ini.write("Marquee", "checkcycle", "1");
    const QByteArray before = program.readFile("TimeData.db");
    SettingsWindow& w = open(plan);

    EXPECT_EQ(w.timeFields[1]->text(), "1");
    EXPECT_EQ(w.timeFields[2]->text(), "30");
    EXPECT_EQ(w.timeFields[5]->text(), "50");
    EXPECT_FALSE(w.reminderBoxes[0]->isChecked()); // digit 2 is not a tick
    EXPECT_EQ(w.displayBoxes[0]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(w.styleSizes[0]->currentText(), "90");
    EXPECT_EQ(w.styleSizes[1]->currentText(), "10");
    EXPECT_EQ(w.styleSizes[2]->currentText(), "10");
    EXPECT_EQ(w.stageSwatches[4]->value(), 0);
    EXPECT_EQ(w.stageSwatches[11]->value(), 65535);
    EXPECT_EQ(w.stageSwatches[14]->value(), kWindowColour);
    EXPECT_EQ(w.stageSwatches[14]->text(), "1.jpg");
    EXPECT_EQ(w.hotkeyFields[0]->text(), "无");
    EXPECT_EQ(w.scrollModeList->currentText(), "不滚动");
    EXPECT_EQ(w.scrollWidth->text(), "5000");
    EXPECT_TRUE(w.cycleBox->isChecked());
    EXPECT_EQ(program.readFile("TimeData.db"), before); // opening writes nothing
}

TEST_F(FillTest, fontsKeepThePlansOwnName)
{
    ClockPlan plan = defaultPlan();
    plan.firstfont = "No Such Font Family";
    SettingsWindow& w = open(plan);
    EXPECT_EQ(w.styleFonts[0]->currentText(), "No Such Font Family");
    EXPECT_EQ(w.styleFonts[3]->count(), 7);
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedPlan().firstfont, "No Such Font Family");
    EXPECT_EQ(storedPlan().clockFont, "新宋体");
}

TEST(ReminderRules, messagesFollowTheChecks)
{
    struct Row {
        int total, a1, a2, a3, a4;
        std::array<bool, 4> used;
        int n;
        QStringList expected;
    };
    const QString gap = "间隔\r\r要超【系统→提醒持续】设定值";
    const Row rows[] = {
        {60, 50, 50, 30, 20, {true, true, true, true}, 5, {"报警1和报警2提醒时间不能相同，请修改"}},
        {60, 50, 40, 30, 10, {true, false, false, false}, 10, {}},
        {60, 50, 40, 30, 10, {true, false, false, false}, 11, {"计时时长比报警1" + gap + "11秒以上，请修改"}},
        {60, 30, 40, 35, 20, {true, true, false, false}, 0, {"报警1比报警2" + gap + "0秒以上，请修改"}},
        {60, 50, 40, 30, 2, {false, false, false, true}, 3, {"读秒设定值，要大于【系统→提醒持续】设定值3秒，请修改"}},
        {60, 50, 40, 30, 3, {false, false, false, true}, 3, {}},
        {10, 9, 8, 7, 6, {true, true, true, false}, 5,
         {"计时时长比报警1" + gap + "5秒以上，请修改", "报警1比报警2" + gap + "5秒以上，请修改",
          "报警2比报警3" + gap + "5秒以上，请修改"}},
    };
    for (const Row& r : rows) {
        ReminderInput in;
        in.times = {QTime(0, 0).addSecs(r.total), QTime(0, 0).addSecs(r.a1), QTime(0, 0).addSecs(r.a2),
                    QTime(0, 0).addSecs(r.a3), QTime(0, 0).addSecs(r.a4)};
        in.stageUsed = r.used;
        in.duration = r.n;
        EXPECT_EQ(reminder_problems(in), r.expected);
    }
}

TEST_F(ApplyTest, refusedTimes_changeNothing)
{
    SettingsWindow& w = open(defaultPlan());
    view().setElementText(DisplayElement::ScrollingText, "滚动中");
    const QByteArray ini = program.readFile("TimeData.db");
    w.timeFields[7]->setText("50"); // alarm 2 = alarm 1
    EXPECT_FALSE(w.apply());
    EXPECT_EQ(program.notifier.texts(), QStringList{"报警1和报警2提醒时间不能相同，请修改"});
    EXPECT_EQ(storedPlan(), defaultPlan());
    EXPECT_EQ(module.clock_plan, defaultPlan());
    EXPECT_EQ(view().elementText(DisplayElement::ScrollingText), "滚动中");
    EXPECT_EQ(program.readFile("TimeData.db"), ini);
    EXPECT_EQ(readyShown, 0);
}

TEST_F(ApplyTest, acceptedPlan_isStoredWithItsIniKeysAndTheDisplayMadeReady)
{
    program.ini.write("Marquee", "currentrow", "3");
    SettingsWindow& w = open(defaultPlan());
    w.timeFields[2]->setText("2");
    w.hotkeyFields[0]->setText("F5");
    w.hotkeyFields[1]->setText("F5");
    w.planHotkeyBoxes[1]->setChecked(true);
    ASSERT_TRUE(w.apply());
    const ClockPlan stored = storedPlan();
    EXPECT_EQ(stored.Time_all, QTime(0, 2, 0));
    EXPECT_EQ(stored.time_date, QDate(2000, 1, 1));
    EXPECT_EQ(stored.checkfour, "0000");
    EXPECT_EQ(module.clock_plan, stored);
    EXPECT_EQ(program.ini.read("Hotkey", "opentogetherstop", ""), "1");
    EXPECT_EQ(program.ini.read("Hotkey", "often", ""), "01");
    EXPECT_EQ(program.ini.read("Marquee", "currentrow", "absent"), "absent");
    EXPECT_EQ(program.ini.read("pictureset", "Delaytime", ""), "2");
    EXPECT_TRUE(host.prepare_only);
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_EQ(readyShown, 1);
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(ApplyTest, unwritableStore_isReportedAndThePlanKept)
{
    SettingsWindow& w = open(defaultPlan());
    w.timeFields[2]->setText("3");
    w.hotkeyFields[0]->setText("F5");
    const QByteArray ini = program.readFile("TimeData.db");
    ReadOnlyFolder locked(QFileInfo(program.registryPath()).absolutePath());
    if (!locked.active())
        GTEST_SKIP() << "cannot make the store's folder read-only here";
    QStringList told;
    set_save_failure_handler([&told](const QString& path, const QString&) { told << path; });
    EXPECT_FALSE(w.apply());
    set_save_failure_handler({});
    EXPECT_TRUE(told.isEmpty()); // 应用 names the cause itself, in its one message
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.texts()[0].contains("权限")) << program.notifier.texts()[0].toStdString();
    EXPECT_EQ(program.readFile("TimeData.db"), ini); // put back
    EXPECT_EQ(module.clock_plan.Time_all, QTime(0, 1, 0));
    EXPECT_FALSE(timers.countSetup->isEnabled());
}

TEST_F(ApplyTest, readOnlySettingsFile_changesNoFileNorTheDisplayAndIsToldOnce)
{
    SettingsWindow& w = open(defaultPlan());
    view().setElementText(DisplayElement::ScrollingText, "滚动中");
    w.timeFields[2]->setText("3");
    w.hotkeyFields[0]->setText("F5");
    const QByteArray ini = program.readFile("TimeData.db");
    ASSERT_TRUE(QFile::setPermissions(program.ini.file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QStringList told;
    set_save_failure_handler([&told](const QString& path, const QString&) { told << path; });
    EXPECT_FALSE(w.apply());
    set_save_failure_handler({});
    EXPECT_EQ(program.notifier.shown.size() + told.size(), 1u);
    EXPECT_TRUE(program.notifier.texts().value(0).contains("只读")) << program.notifier.texts().value(0).toStdString();
    EXPECT_EQ(storedPlan(), defaultPlan());
    EXPECT_EQ(module.clock_plan, defaultPlan());
    EXPECT_EQ(view().elementText(DisplayElement::ScrollingText), "滚动中");
    EXPECT_EQ(program.readFile("TimeData.db"), ini);
    EXPECT_EQ(readyShown, 0);
}

TEST_F(FillTest, numberFields_checkRangesWhileTypingAndOnLeaving)
{
    SettingsWindow& w = open(defaultPlan());
    w.timeFields[2]->setText("75");
    EXPECT_EQ(w.timeFields[2]->text(), "0");
    EXPECT_EQ(program.notifier.texts().value(0), "取值范围0-59之间");
    w.timeFields[1]->setText("05");
    EXPECT_EQ(w.timeFields[1]->text(), "5");
    w.timeFields[1]->setText("99999999999"); // saturates: out of range, not 0 silently
    EXPECT_EQ(program.notifier.texts().value(1), "取值范围0-23之间");
    w.timeFields[3]->setText("ab");
    EXPECT_EQ(w.timeFields[3]->text(), "0");
    w.logoHeight->setText("ab");
    EXPECT_EQ(w.logoHeight->text(), "100");
    w.reminderDuration->setText("0");
    w.reminderDuration->leaveCheck();
    EXPECT_EQ(w.reminderDuration->text(), "3");
    EXPECT_EQ(program.notifier.texts().last(), "取值范围1-30之间");
    w.timeFields[4]->setText("");
    w.timeFields[4]->leaveCheck();
    EXPECT_EQ(w.timeFields[4]->text(), "0");
}

TEST_F(FillTest, dateFields_keepTheDayInsideTheMonth)
{
    SettingsWindow& w = open(defaultPlan());
    w.dateFields[0]->setText("2024");
    w.dateFields[1]->setText("2");
    w.dateFields[2]->setText("29");
    w.dateFields[0]->setText("2023");
    EXPECT_EQ(w.dateFields[2]->text(), "28");
    w.dateFields[1]->setText("13");
    EXPECT_EQ(w.dateFields[1]->text(), "12");
    w.dateFields[0]->setText("3000");
    EXPECT_EQ(w.dateFields[0]->text(), QString::number(program.clock.now().date().year()));
    EXPECT_EQ(program.notifier.texts().value(0), "取值范围2000-2999之间");
    EXPECT_EQ(month_last_day(QDate(2024, 3, 15), MonthOf::Before), QDate(2024, 2, 29));
}

TEST_F(FillTest, hotkeyFields_captureKeysAndRefuseClashes)
{
    SettingsWindow& w = open(defaultPlan());
    HotkeyField* start = w.hotkeyFields[0];
    QTest::keyPress(start, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(start->text(), "Ctrl+Alt+S");
    QTest::keyPress(start, Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(start->text(), "F5");
    QTest::keyPress(start, Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(start->text(), "Shift+Ctrl+1");
    QTest::keyPress(start, Qt::Key_3, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_EQ(start->text(), "Alt+Num 3");
    QTest::keyPress(start, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(start->text(), "Ctrl+");
    QTest::keyRelease(start, Qt::Key_Control);
    EXPECT_EQ(start->text(), "无");
    QTest::keyClick(w.hotkeyFields[2], Qt::Key_Q);
    QTest::keyClick(start, Qt::Key_Q);
    EXPECT_EQ(start->text(), "无");
    EXPECT_EQ(program.notifier.texts(), QStringList{"热键设置不能相同"});
}

} // namespace
} // namespace orvalen::test

namespace orvalen::test {
namespace {

TEST_F(FillTest, savedRow_fillsTheEditorWithTheStoresDateLineStyle)
{
    SettingsWindow& w = open(defaultPlan());
    SavedPlan saved;
    saved.name = "决赛";
    saved.movingText = "欢迎";
    saved.plan = defaultPlan();
    saved.plan.sizethree = "90/80/150/100/30/"; // malformed: the default list
    saved.plan.combolist = "402";
    saved.plan.highset[0] = "0\\65535\\";
    saved.plan.stagefont = "黑体";
    w.loadSavedPlan(saved, QStringLiteral("楷体"), QStringLiteral("80/50/100/77/30/30/"));
    EXPECT_EQ(w.planName(), "决赛");
    EXPECT_EQ(w.movingText(), "欢迎");
    EXPECT_EQ(w.styleSizes[0]->currentText(), "80");
    EXPECT_EQ(w.styleSizes[3]->currentText(), "77");
    EXPECT_EQ(w.styleFonts[3]->currentText(), "楷体");
    EXPECT_EQ(w.formatList->currentIndex(), 1);
    EXPECT_EQ(w.modeList->currentIndex(), 0);
    EXPECT_EQ(w.overtimeList->currentIndex(), 2);
    EXPECT_EQ(w.stageSwatches[7]->value(), 65535);
    EXPECT_EQ(w.stageSwatches[7]->text(), "");

    saved.plan.checkone = "1111111";
    w.loadSavedPlan(saved, std::nullopt, std::nullopt);
    EXPECT_FALSE(w.modeList->isEnabled());
    EXPECT_EQ(w.overtimeList->currentIndex(), 1);
    EXPECT_EQ(module.clock_plan.stagefont, "楷体"); // a failed read leaves it
    const auto edited = w.editedPlan(nullptr);
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->checkone, "0000001");
}

TEST_F(ApplyTest, loadedRow_keepsItsOwnStageDigitsWhateverPlanIsCurrent)
{
    SavedPlan saved;
    saved.name = "初赛";
    saved.plan = defaultPlan();
    saved.plan.checkone = "1011110"; // 报警1 off
    saved.plan.combolist = "010";

    // Current plan with every alarm on: the row's 报警1 stays off, and 应用
    // stores the row's digits.
    SettingsWindow& w = open(defaultPlan());
    w.loadSavedPlan(saved, std::nullopt, std::nullopt);
    EXPECT_FALSE(w.stageBoxes[1]->isChecked());
    EXPECT_TRUE(w.stageBoxes[2]->isChecked());
    EXPECT_EQ(w.modeList->currentIndex(), 1);
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedPlan().checkone, "1011110");
    EXPECT_EQ(storedPlan().combolist, "010");

    // A long-term current plan: loading a normal plan gives back its stage boxes.
    ClockPlan longTerm = defaultPlan();
    longTerm.checkone = "0000001";
    longTerm.combolist = "201";
    SettingsWindow& again = open(longTerm);
    again.loadSavedPlan(saved, std::nullopt, std::nullopt);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(again.stageBoxes[i]->isChecked(), saved.plan.checkone[i] == QLatin1Char('1')) << i;
        EXPECT_TRUE(again.stageBoxes[i]->isEnabled()) << i;
    }
    ASSERT_TRUE(again.apply());
    EXPECT_EQ(storedPlan().checkone, "1011110");
}

} // namespace
} // namespace orvalen::test
