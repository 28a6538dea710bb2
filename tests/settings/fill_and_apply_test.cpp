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
    setStored(plan, "checktwo", "211111111111111111111");
    setStored(plan, "checkthree", "201111");
    setStored(plan, "sizethree", "90/8//100/30/30/");
    setStored(plan, "highsetfour", "0\\65535\\");
    setStored(plan, "background", "-2147483643\\1.jpg");
    program.ini.write("Marquee", "checkcycle", "1");
    const QByteArray before = program.readFile("TimeData.db");
    open(plan);

    EXPECT_EQ(field("总时长 时")->text(), "1");
    EXPECT_EQ(field("总时长 分")->text(), "30");
    EXPECT_EQ(field("报警1 秒")->text(), "50");
    EXPECT_FALSE(box("开始 提示文字")->isChecked()); // digit 2 is not a tick
    EXPECT_EQ(box("时间颜色、背景按精准设置")->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(list("主标题 大小")->currentText(), "90");
    EXPECT_EQ(list("副标题 大小")->currentText(), "10");
    EXPECT_EQ(list("时间 大小")->currentText(), "80"); // an empty size: the display's own
    EXPECT_EQ(swatch("读秒 时间颜色")->colour().text, "0");
    EXPECT_EQ(swatch("读秒 背景颜色")->colour().text, "65535");
    EXPECT_EQ(swatch("背景色/图")->colour(), kWindowColour);
    EXPECT_EQ(swatch("背景色/图")->text(), "1.jpg");
    EXPECT_EQ(hotkey("开始 热键")->text(), "无");
    EXPECT_EQ(list("滚动方式")->currentText(), "不滚动");
    EXPECT_EQ(field("动态文本 宽")->text(), "5000");
    EXPECT_TRUE(box("自动循环")->isChecked());
    EXPECT_EQ(program.readFile("TimeData.db"), before); // opening writes nothing
}

TEST_F(FillTest, fontsKeepThePlansOwnName)
{
    ClockPlan plan = defaultPlan();
    plan.firstfont = "No Such Font Family";
    SettingsWindow& w = open(plan);
    EXPECT_EQ(list("主标题 字体")->currentText(), "No Such Font Family");
    EXPECT_EQ(list("天数 字体")->count(), 7);
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
        EXPECT_EQ(reminderProblems(in), r.expected);
    }
}

TEST_F(ApplyTest, refusedTimes_changeNothing)
{
    SettingsWindow& w = open(defaultPlan());
    view().setElementText(DisplayElement::ScrollingText, "滚动中");
    const QByteArray ini = program.readFile("TimeData.db");
    field("报警2 秒")->setText("50"); // alarm 2 = alarm 1
    EXPECT_FALSE(w.apply());
    EXPECT_EQ(program.notifier.texts(), QStringList{"报警1和报警2提醒时间不能相同，请修改"});
    EXPECT_EQ(storedPlan(), defaultPlan());
    EXPECT_EQ(currentPlan.plan(), defaultPlan());
    EXPECT_EQ(view().elementText(DisplayElement::ScrollingText), "滚动中");
    EXPECT_EQ(program.readFile("TimeData.db"), ini);
    EXPECT_EQ(readyShown, 0);
}

TEST_F(ApplyTest, acceptedPlan_isStoredWithItsIniKeysAndTheDisplayMadeReady)
{
    program.ini.write("Marquee", "currentrow", "3");
    SettingsWindow& w = open(defaultPlan());
    field("总时长 分")->setText("2");
    hotkey("开始 热键")->setText("F5");
    hotkey("停止 热键")->setText("F5");
    box("阶段热键 Alt")->setChecked(true);
    ASSERT_TRUE(w.apply());
    const ClockPlan stored = storedPlan();
    EXPECT_EQ(stored.Time_all, QTime(0, 2, 0));
    EXPECT_EQ(stored.time_date, QDate(2000, 1, 1));
    EXPECT_EQ(storedText(stored, "checkfour"), "0000");
    EXPECT_EQ(currentPlan.plan(), stored);
    EXPECT_EQ(program.ini.read("Hotkey", "opentogetherstop", ""), "1");
    EXPECT_EQ(program.ini.read("Hotkey", "often", ""), "01");
    EXPECT_EQ(program.ini.read("Marquee", "currentrow", "absent"), "absent");
    EXPECT_EQ(program.ini.read("pictureset", "Delaytime", ""), "2");
    EXPECT_TRUE(session.prepareOnly());
    EXPECT_TRUE(timers.countSetup->isEnabled());
    EXPECT_EQ(readyShown, 1);
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST_F(ApplyTest, greyedBoxes_areStoredBackGreyedUnlessTicked)
{
    ClockPlan plan = defaultPlan();
    setStored(plan, "checkthree", "202211");
    SettingsWindow& w = open(plan);
    box("显示动态文本")->setCheckState(Qt::Checked);
    box("主标题 居中")->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "checkthree"), "201211");
    EXPECT_EQ(storedPlan().stageLooks, Switch::Greyed);
    open();
    EXPECT_EQ(box("时间颜色、背景按精准设置")->checkState(), Qt::PartiallyChecked);
}

TEST_F(ApplyTest, unreadableSizes_keepTheirTextAndDrawAtTheDisplaysOwnSize)
{
    auto titleDrawn = [&] {
        display->countView().styleForCount("01:00", QString());
        return view().elementFont(DisplayElement::MainTitle).pointSizeF();
    };
    for (const QString sizes : {"abc/80/150/100/30/30/", "1e999/80/150/100/30/30/", "99999999999/80/150/100/30/30/",
                                "-5/80/150/100/30/30/", "/80/150/100/30/30/"}) {
        SettingsWindow& before = open(defaultPlan());
        ASSERT_TRUE(before.apply());
        ASSERT_EQ(titleDrawn(), 90);
        ClockPlan plan = defaultPlan();
        setStored(plan, "sizethree", sizes);
        SettingsWindow& w = open(plan);
        EXPECT_EQ(list("主标题 大小")->currentText(), "72");
        ASSERT_TRUE(w.apply());
        EXPECT_EQ(storedText(storedPlan(), "sizethree"), sizes);
        EXPECT_EQ(titleDrawn(), 72) << sizes.toStdString();
    }
    // A size the operator types is stored as the whole number typed, even
    // one far beyond any font, which is drawn at the display's own size.
    list("主标题 大小")->setEditText("099999999999");
    ASSERT_TRUE(settings->apply());
    EXPECT_EQ(storedText(storedPlan(), "sizethree"), "99999999999/80/150/100/30/30/");
    EXPECT_EQ(titleDrawn(), 72);
    open();
    EXPECT_EQ(list("主标题 大小")->currentText(), "72");
    list("主标题 大小")->setEditText("60");
    ASSERT_TRUE(settings->apply());
    EXPECT_EQ(storedText(storedPlan(), "sizethree"), "60/80/150/100/30/30/");
    EXPECT_EQ(titleDrawn(), 60);
}

TEST_F(ApplyTest, sizesShownRoundedOrRaised_keepTheirStoredTextUntilChanged)
{
    ClockPlan plan = defaultPlan();
    setStored(plan, "sizethree", "90/8/150.5/100/30/30/");
    SettingsWindow& w = open(plan);
    EXPECT_EQ(list("副标题 大小")->currentText(), "10");
    EXPECT_EQ(list("时间 大小")->currentText(), "150");
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "sizethree"), "90/8/150.5/100/30/30/");
    list("时间 大小")->setEditText("160");
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "sizethree"), "90/8/160/100/30/30/");
}

TEST_F(ApplyTest, unwritableStore_isReportedAndThePlanKept)
{
    SettingsWindow& w = open(defaultPlan());
    field("总时长 分")->setText("3");
    hotkey("开始 热键")->setText("F5");
    const QByteArray ini = program.readFile("TimeData.db");
    ReadOnlyFolder locked(QFileInfo(program.registryPath()).absolutePath());
    if (!locked.active())
        GTEST_SKIP() << "cannot make the store's folder read-only here";
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    EXPECT_FALSE(w.apply());
    setSaveFailureHandler({});
    EXPECT_TRUE(told.isEmpty()); // 应用 names the cause itself, in its one message
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.texts()[0].contains("权限")) << program.notifier.texts()[0].toStdString();
    EXPECT_EQ(program.readFile("TimeData.db"), ini); // put back
    EXPECT_EQ(currentPlan.plan().Time_all, QTime(0, 1, 0));
    EXPECT_FALSE(timers.countSetup->isEnabled());
}

TEST_F(ApplyTest, readOnlySettingsFile_changesNoFileNorTheDisplayAndIsToldOnce)
{
    SettingsWindow& w = open(defaultPlan());
    view().setElementText(DisplayElement::ScrollingText, "滚动中");
    field("总时长 分")->setText("3");
    hotkey("开始 热键")->setText("F5");
    const QByteArray ini = program.readFile("TimeData.db");
    ASSERT_TRUE(QFile::setPermissions(program.ini.file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QStringList told;
    setSaveFailureHandler([&told](const QString& path, const QString&) { told << path; });
    EXPECT_FALSE(w.apply());
    setSaveFailureHandler({});
    EXPECT_EQ(program.notifier.shown.size() + told.size(), 1u);
    EXPECT_TRUE(program.notifier.texts().value(0).contains("只读")) << program.notifier.texts().value(0).toStdString();
    EXPECT_EQ(storedPlan(), defaultPlan());
    EXPECT_EQ(currentPlan.plan(), defaultPlan());
    EXPECT_EQ(view().elementText(DisplayElement::ScrollingText), "滚动中");
    EXPECT_EQ(program.readFile("TimeData.db"), ini);
    EXPECT_EQ(readyShown, 0);
}

TEST_F(FillTest, numberFields_checkRangesWhileTypingAndOnLeaving)
{
    open(defaultPlan());
    field("总时长 分")->setText("75");
    EXPECT_EQ(field("总时长 分")->text(), "0");
    EXPECT_EQ(program.notifier.texts().value(0), "取值范围0-59之间");
    field("总时长 时")->setText("05");
    EXPECT_EQ(field("总时长 时")->text(), "5");
    field("总时长 时")->setText("99999999999"); // saturates: out of range, not 0 silently
    EXPECT_EQ(program.notifier.texts().value(1), "取值范围0-23之间");
    field("总时长 秒")->setText("ab");
    EXPECT_EQ(field("总时长 秒")->text(), "0");
    field("LOGO 高")->setText("ab");
    EXPECT_EQ(field("LOGO 高")->text(), "100");
    field("提醒持续 秒")->setText("0");
    field("提醒持续 秒")->leaveCheck();
    EXPECT_EQ(field("提醒持续 秒")->text(), "3");
    EXPECT_EQ(program.notifier.texts().last(), "取值范围1-30之间");
    field("报警1 分")->setText("");
    field("报警1 分")->leaveCheck();
    EXPECT_EQ(field("报警1 分")->text(), "0");
}

TEST_F(FillTest, dateFields_keepTheDayInsideTheMonth)
{
    open(defaultPlan());
    field("到期日期 年")->setText("2024");
    field("到期日期 月")->setText("2");
    field("到期日期 日")->setText("29");
    field("到期日期 年")->setText("2023");
    EXPECT_EQ(field("到期日期 日")->text(), "28");
    field("到期日期 月")->setText("13");
    EXPECT_EQ(field("到期日期 月")->text(), "12");
    field("到期日期 年")->setText("3000");
    EXPECT_EQ(field("到期日期 年")->text(), QString::number(program.clock.now().date().year()));
    EXPECT_EQ(program.notifier.texts().value(0), "取值范围2000-2999之间");
    EXPECT_EQ(monthLastDay(QDate(2024, 3, 15), MonthOf::Before), QDate(2024, 2, 29));
}

TEST_F(FillTest, hotkeyFields_captureKeysAndRefuseClashes)
{
    open(defaultPlan());
    HotkeyField* start = hotkey("开始 热键");
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
    QTest::keyClick(hotkey("暂停/继续 热键"), Qt::Key_Q);
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
    setStored(saved.plan, "sizethree", "90/80/150/100/30/"); // malformed: the default list
    setStored(saved.plan, "combolist", "402");
    setStored(saved.plan, "highsetstart", "0\\65535\\");
    saved.plan.stagefont = "黑体";
    w.loadSavedPlan(saved, StoredDateLineStyle{QStringLiteral("楷体"), std::nullopt, 77, 77.0});
    EXPECT_EQ(w.planName(), "决赛");
    EXPECT_EQ(w.movingText(), "欢迎");
    EXPECT_EQ(list("主标题 大小")->currentText(), "80");
    EXPECT_EQ(list("天数 大小")->currentText(), "77");
    EXPECT_EQ(list("天数 字体")->currentText(), "楷体");
    EXPECT_EQ(list("时间格式")->currentIndex(), 1);
    EXPECT_EQ(list("计时方式")->currentIndex(), 0);
    EXPECT_EQ(list("超时动作")->currentIndex(), 2);
    EXPECT_EQ(swatch("开始 背景颜色")->colour().text, "65535");
    EXPECT_EQ(swatch("开始 背景颜色")->text(), "");

    setStored(saved.plan, "checkone", "1111111");
    w.loadSavedPlan(saved, StoredDateLineStyle{});
    EXPECT_FALSE(list("计时方式")->isEnabled());
    EXPECT_EQ(list("超时动作")->currentIndex(), 1);
    EXPECT_EQ(currentPlan.plan().stagefont, "楷体"); // a failed read leaves it
    const auto edited = w.editedPlan(nullptr);
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(storedText(*edited, "checkone"), "0000001");
}

TEST_F(ApplyTest, loadedRow_keepsItsOwnStageDigitsWhateverPlanIsCurrent)
{
    SavedPlan saved;
    saved.name = "初赛";
    saved.plan = defaultPlan();
    setStored(saved.plan, "checkone", "1011110"); // 报警1 off
    setStored(saved.plan, "combolist", "010");

    // Current plan with every alarm on: the row's 报警1 stays off, and 应用
    // stores the row's digits.
    SettingsWindow& w = open(defaultPlan());
    w.loadSavedPlan(saved, StoredDateLineStyle{});
    EXPECT_FALSE(box("报警1 剩余")->isChecked());
    EXPECT_TRUE(box("报警2 剩余")->isChecked());
    EXPECT_EQ(list("计时方式")->currentIndex(), 1);
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "checkone"), "1011110");
    EXPECT_EQ(storedText(storedPlan(), "combolist"), "010");

    // A long-term current plan: loading a normal plan gives back its stage boxes.
    ClockPlan longTerm = defaultPlan();
    setStored(longTerm, "checkone", "0000001");
    setStored(longTerm, "combolist", "201");
    SettingsWindow& again = open(longTerm);
    again.loadSavedPlan(saved, StoredDateLineStyle{});
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(stageSwitches()[i]->isChecked(), storedText(saved.plan, "checkone")[i] == QLatin1Char('1')) << i;
        EXPECT_TRUE(stageSwitches()[i]->isEnabled()) << i;
    }
    ASSERT_TRUE(again.apply());
    EXPECT_EQ(storedText(storedPlan(), "checkone"), "1011110");
}

TEST_F(ApplyTest, loadedRow_keepsTheSizesItCannotReadAndDrawsThemAtTheDisplaysOwn)
{
    SettingsWindow& w = open(defaultPlan());
    display->countView().styleForCount("01:00", QString());
    ASSERT_EQ(view().elementFont(DisplayElement::MainTitle).pointSizeF(), 90);
    SavedPlan saved;
    saved.name = "复赛";
    saved.plan = defaultPlan();
    const QString sizes = "abc/1e999/99999999999/100/-5//";
    setStored(saved.plan, "sizethree", sizes);
    w.loadSavedPlan(saved, StoredDateLineStyle{});
    EXPECT_EQ(list("主标题 大小")->currentText(), "72");
    EXPECT_EQ(list("时间 大小")->currentText(), "80");
    ASSERT_TRUE(w.apply());
    EXPECT_EQ(storedText(storedPlan(), "sizethree"), sizes);
    display->countView().styleForCount("01:00", QString());
    EXPECT_EQ(view().elementFont(DisplayElement::MainTitle).pointSizeF(), 72);
    EXPECT_EQ(view().elementFont(DisplayElement::Clock).pointSizeF(), 80.25);
}

} // namespace
} // namespace orvalen::test
