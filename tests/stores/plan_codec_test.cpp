#include "stores/plan_codec.h"

#include "platform/program_folder.h"
#include "platform/registry_store.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/deskclock_rows.h"
#include "stores/plan_store.h"
#include "support/temp_program.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// A stored plan: its 51 field texts in field order.
using StoredRow = QStringList;

StoredRow defaultRow()
{
    return {"00:01:00", "00:00:50", "00:00:40", "00:00:30", "00:00:20", "00:00:10", "2026-12-08",
            "1111110", "111111111111111111111",
            "开始计时", "阶段一", "阶段二", "阶段三", "读秒", "已超时", "时间到",
            "alarm.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Timeout.wav", "Stop.wav",
            "新宋体", "-2147483640", "中层干部年终述职考评会", "新宋体", "-2147483640", "",
            "新宋体", "-2147483640", "-2147483643\\1.jpg", "新宋体", "-2147483640", "新宋体",
            "-2147483640", "新宋体", "-2147483640", "90/80/150/100/30/30/", "011111", "0000",
            "100", "", "5",
            "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg", "0\\-2147483643\\1.jpg",
            "0\\65535\\", "0\\65535\\", "0\\255\\"};
}

// The default row with some fields changed.
StoredRow defaultRowWith(std::initializer_list<std::pair<int, const char*>> changes)
{
    StoredRow row = defaultRow();
    for (const auto& [field, text] : changes)
        row[field] = QString::fromUtf8(text);
    return row;
}

StoredRow longTermRow()
{
    return defaultRowWith({{0, "08:30:00"}, {6, "2027-02-01"}, {7, "0000001"},
                           {8, "100000000000010000001"}, // the start's prompt, the end's sound and blink
                           {31, "255\\春天.jpg"}, {38, "80/50/120.5/60/30/30/"}, {39, "110111"}, {40, "0101"},
                           {41, "501"}, {44, "16711680\\65280\\年会.png"}});
}

// Damage as it is met in old files: short and odd flag texts, a list digit
// beyond its list, text where a size or a colour belongs, parts missing or
// one too many.
StoredRow damagedRow()
{
    return defaultRowWith({{7, "11"}, {8, "1x12"}, {24, "99999999999"}, {27, "abc"}, {30, "-2147483633"},
                           {31, "nopicture"}, {38, "abc/0/150"}, {39, "2"}, {40, ""}, {41, "9x"},
                           {44, "1\\2\\3\\4"}, {50, ""}});
}

StoredRow textsOf(const ClockPlan& plan)
{
    StoredRow row;
    for (int i = 0; i < plan_codec::kFieldCount; ++i)
        row << plan_codec::fieldText(plan, i);
    return row;
}

// The row as the program stores it in DeskData.db, read back into a plan.
std::optional<ClockPlan> throughDeskclockRow(const StoredRow& row)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DeskData.db"));
    if (!createDeskData(path))
        return std::nullopt;
    Database db;
    if (!db.open(path, databasePassword()))
        return std::nullopt;
    QStringList marks;
    for (int i = 1; i <= deskclockColumns().size(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    Statement insert(db, QStringLiteral("INSERT INTO deskclock (%1) VALUES (%2)")
                             .arg(deskclockSelectList(), marks.join(QStringLiteral(", "))));
    insert.bindInt(1, 1);
    insert.bindText(2, QStringLiteral("方案"));
    insert.bindText(3, QString());
    for (int i = 0; i < row.size(); ++i)
        insert.bindText(i + 4, row[i]);
    if (!insert.run())
        return std::nullopt;
    Statement select(db, QStringLiteral("SELECT %1 FROM deskclock").arg(deskclockSelectList()));
    if (!select.next())
        return std::nullopt;
    QString movetext, error;
    return readDeskclockPlan(select, ClockPlan{}, &movetext, &error);
}

} // namespace

TEST(PlanCodec, fieldNames_keepTheStoredOrder)
{
    // The order is that of the registry values and of the deskclock columns.
    const QStringList& names = plan_codec::fieldNames();
    ASSERT_EQ(names.size(), plan_codec::kFieldCount);
    EXPECT_EQ(names[0], "Time_all");
    EXPECT_EQ(names[6], "time_date");
    EXPECT_EQ(names[29], "clockFont");
    EXPECT_EQ(names[43], "tixingtime");
    EXPECT_EQ(names[50], "highsetend");
    EXPECT_EQ(plan_codec::fieldIndex("textend"), 15);
    EXPECT_EQ(plan_codec::fieldIndex("clockfont"), -1); // exact spelling
    EXPECT_EQ(textsOf(ClockPlan::defaults(QDate(2026, 12, 8))), defaultRow());
}

TEST(PlanCodec, storedRows_readIntoTheirValuesAndWriteBackTheSameTexts)
{
    const std::optional<ClockPlan> defaults = throughDeskclockRow(defaultRow());
    ASSERT_TRUE(defaults);
    EXPECT_EQ(*defaults, ClockPlan::defaults(QDate(2026, 12, 8)));
    EXPECT_EQ(textsOf(*defaults), defaultRow());

    const std::optional<ClockPlan> longTerm = throughDeskclockRow(longTermRow());
    ASSERT_TRUE(longTerm);
    EXPECT_TRUE(longTerm->longTerm);
    EXPECT_FALSE(longTerm->continuousReminder);
    EXPECT_FALSE(longTerm->stageOn(Stage::Alarm1));
    EXPECT_TRUE(longTerm->stages[Stage::Start].showsPrompt);
    EXPECT_FALSE(longTerm->stages[Stage::End].showsPrompt);
    EXPECT_TRUE(longTerm->playsSoundAt(Stage::End));
    EXPECT_TRUE(longTerm->blinksAt(Stage::End));
    EXPECT_EQ(longTerm->timeFormat, TimeFormat::DaysMinutesSeconds);
    EXPECT_EQ(longTerm->timingMode, TimingMode::CountDown);
    EXPECT_EQ(longTerm->overtimeAction, OvertimeAction::Stop);
    EXPECT_TRUE(isOn(longTerm->stageLooks) && isOn(longTerm->showsWeekday) && !isOn(longTerm->showsScrollingText));
    EXPECT_TRUE(isOn(longTerm->endTextOnClock) && isOn(longTerm->customLogoSize) && !isOn(longTerm->restartsAfterDelay));
    EXPECT_EQ(longTerm->fontSize(StyleSlot::Clock), 120.5);
    EXPECT_EQ(longTerm->backgroundColour.colour(), QColor(255, 0, 0));
    EXPECT_EQ(longTerm->backgroundPicture, "春天.jpg");
    EXPECT_EQ(longTerm->stages[Stage::Start].look.timeColour.colour(), QColor(0, 0, 255));
    EXPECT_EQ(longTerm->stages[Stage::Start].look.backgroundPicture, "年会.png");
    EXPECT_EQ(textsOf(*longTerm), longTermRow());

    // A damaged row reads as the digits, sizes and colours it holds, and is
    // written back as it was; only a list digit beyond its list reads as its
    // fallback.
    const std::optional<ClockPlan> damaged = throughDeskclockRow(damagedRow());
    ASSERT_TRUE(damaged);
    EXPECT_TRUE(damaged->continuousReminder && damaged->stageOn(Stage::Alarm1) && !damaged->stageOn(Stage::Alarm2));
    EXPECT_EQ(damaged->stageLooks, Switch::Greyed); // a stored "2"
    EXPECT_EQ(damaged->timeFormat, TimeFormat::Seconds);
    EXPECT_EQ(damaged->fontSize(StyleSlot::MainTitle), std::nullopt);
    EXPECT_EQ(damaged->fontSize(StyleSlot::Clock), 150);
    EXPECT_FALSE(damaged->fontSizesComplete);
    EXPECT_FALSE(damaged->firstcolour.colour().isValid());
    EXPECT_TRUE(damaged->clockcolour.colour().isValid()); // a system colour
    EXPECT_EQ(damaged->backgroundColour.text, "nopicture");
    StoredRow expected = damagedRow();
    expected[41] = "0x";
    EXPECT_EQ(textsOf(*damaged), expected);

    // The same through the registry values of the current plan.
    test::TempProgram program;
    ASSERT_TRUE(savePlan(program.registry, *damaged));
    ClockPlan loaded;
    loadPlan(program.registry, loaded, QDate(2026, 12, 8));
    EXPECT_EQ(textsOf(loaded), expected);
}

TEST(PlanCodec, changedValues_replaceOnlyTheirOwnDigitsAndParts)
{
    const std::optional<ClockPlan> read = throughDeskclockRow(damagedRow());
    ASSERT_TRUE(read);
    ClockPlan plan = *read;
    plan.stages[Stage::Alarm3].on = true;       // past the end of "11"
    plan.showsWeekday = Switch::On;             // after a "2"
    plan.stages[Stage::Start].look.backgroundPicture = "新.jpg";
    plan.backgroundPicture = "bg.png";
    plan.setFontSize(StyleSlot::Clock, 36);     // an incomplete list starts again
    plan.clockcolour = PlanColour::fromColour(QColor(255, 0, 0));
    EXPECT_EQ(plan_codec::fieldText(plan, "checkone"), "1101");
    EXPECT_EQ(plan_codec::fieldText(plan, "combolist"), "0x");
    plan.overtimeAction = OvertimeAction::NextPlan; // after an unknown digit
    EXPECT_EQ(plan_codec::fieldText(plan, "combolist"), "0x3");
    EXPECT_EQ(plan_codec::fieldText(plan, "checkthree"), "21");
    EXPECT_EQ(plan_codec::fieldText(plan, "highsetstart"), "1\\2\\新.jpg\\4");
    EXPECT_EQ(plan_codec::fieldText(plan, "background"), "nopicture\\bg.png");
    EXPECT_EQ(plan_codec::fieldText(plan, "sizethree"), "80/50/36/50/30/30/");
    EXPECT_EQ(plan_codec::fieldText(plan, "clockcolour"), "255");
    // A plan made here is written in full.
    ClockPlan fresh;
    fresh.longTerm = true;
    EXPECT_EQ(plan_codec::fieldText(fresh, "checkone"), "1111111");
}

TEST(PlanCodec, setFieldText_readsStoredFormsAndKeepsTheFieldOnBadInput)
{
    ClockPlan plan;
    EXPECT_TRUE(plan_codec::setFieldText(plan, 0, "1:02:03"));
    EXPECT_EQ(plan.Time_all, QTime(1, 2, 3));
    EXPECT_TRUE(plan_codec::setFieldText(plan, 1, "1899-12-30 00:05:00"));
    EXPECT_EQ(plan.Time_one, QTime(0, 5, 0));
    EXPECT_FALSE(plan_codec::setFieldText(plan, 0, "25:00:00"));
    EXPECT_FALSE(plan_codec::setFieldText(plan, 0, ""));
    EXPECT_EQ(plan.Time_all, QTime(1, 2, 3));

    EXPECT_TRUE(plan_codec::setFieldText(plan, 6, "2027/1/5"));
    EXPECT_EQ(plan.time_date, QDate(2027, 1, 5));
    EXPECT_FALSE(plan_codec::setFieldText(plan, 6, "2027-02-30"));
    EXPECT_EQ(plan.time_date, QDate(2027, 1, 5));

    EXPECT_TRUE(plan_codec::setFieldText(plan, 43, "12"));
    EXPECT_EQ(plan.tixingtime, 12);
    EXPECT_FALSE(plan_codec::setFieldText(plan, 43, "twelve"));
    EXPECT_EQ(plan.tixingtime, 12);
    EXPECT_TRUE(plan_codec::setFieldText(plan, 43, "70000"));
    EXPECT_EQ(plan.tixingtime, 32767); // held at the 16-bit limit, no overflow

    EXPECT_TRUE(plan_codec::setFieldText(plan, 28, "副标题\n第二行"));
    EXPECT_EQ(plan.secondtext, "副标题\n第二行");
    EXPECT_FALSE(plan_codec::setFieldText(plan, 51, "x"));
    EXPECT_FALSE(plan_codec::setFieldText(plan, -1, "x"));
    EXPECT_EQ(plan_codec::fieldText(plan, 51), "");
}

TEST(PlanCodec, listDigitsOutsideTheirLists_fallBack_sizesThePlanCannotRead_stayAsStored)
{
    ClockPlan plan;
    ASSERT_TRUE(plan_codec::setFieldText(plan, "combolist", "999"));
    EXPECT_EQ(plan_codec::fieldText(plan, "combolist"), "000");
    ASSERT_TRUE(plan_codec::setFieldText(plan, "combolist", "109"));
    EXPECT_EQ(plan_codec::fieldText(plan, "combolist"), "100");
    ASSERT_TRUE(plan_codec::setFieldText(plan, "combolist", "523"));
    EXPECT_EQ(plan.timeFormat, TimeFormat::DaysMinutesSeconds); // a long-term format
    EXPECT_EQ(plan.timingMode, TimingMode::TimeOfDay);
    EXPECT_EQ(plan.overtimeAction, OvertimeAction::NextPlan);
    const QString unreadable = "0/-3/1e999/99999999999/x//";
    ASSERT_TRUE(plan_codec::setFieldText(plan, "sizethree", unreadable));
    for (StyleSlot slot : kStyleSlots)
        EXPECT_EQ(plan.fontSize(slot), std::nullopt) << slotIndex(slot);
    EXPECT_EQ(plan_codec::fieldText(plan, "sizethree"), unreadable);
    ASSERT_TRUE(plan_codec::setFieldText(plan, "sizethree", " 90/10.5/2048/2049/0.5/030/"));
    EXPECT_EQ(plan.fontSize(StyleSlot::MainTitle), 90);
    EXPECT_EQ(plan.fontSize(StyleSlot::Subtitle), 10.5);
    EXPECT_EQ(plan.fontSize(StyleSlot::Clock), 2048);
    EXPECT_EQ(plan.fontSize(StyleSlot::DateLine), std::nullopt);
    EXPECT_EQ(plan.fontSize(StyleSlot::ScrollingText), 30);
}

TEST(PlanCodec, setFontSize_replacesOneEntryAndResetsAnIncompleteList)
{
    auto withSize = [](const QString& list, StyleSlot entry, double size) {
        ClockPlan plan;
        plan_codec::setFieldText(plan, "sizethree", list);
        plan.setFontSize(entry, size);
        return plan_codec::fieldText(plan, "sizethree");
    };
    EXPECT_EQ(withSize("90/80/150/100/30/30/", StyleSlot::Clock, 200), "90/80/200/100/30/30/");
    EXPECT_EQ(withSize("90/80/150/100/30/30/", StyleSlot::Clock, 10.5), "90/80/10.5/100/30/30/");
    EXPECT_EQ(withSize("90/80/150/100/30/30", StyleSlot::Clock, 36), "80/50/36/50/30/30/");
    EXPECT_EQ(withSize("", StyleSlot::Clock, 36), "80/50/36/50/30/30/");
    EXPECT_EQ(withSize("1/2/3/4/5/6/7/", StyleSlot::MainTitle, 9), "9/50/100/50/30/30/");
}
