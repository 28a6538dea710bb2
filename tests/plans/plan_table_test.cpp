#include "plans/plan_table.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

struct PlanTableTest : ::testing::Test {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    PlanTable table{folder};

    void SetUp() override { ASSERT_TRUE(create_desk_data(folder.file("DeskData.db"))); }

    void save(const QString& name, const ClockPlan& plan = ClockPlan::defaults(QDate(2026, 12, 9)))
    {
        const PlanTableResult r = table.save(name, "text of " + name, plan);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
    }
    // (ID, name) of every plan in order.
    QStringList listed() const
    {
        QList<PlanListEntry> entries;
        EXPECT_TRUE(table.list(&entries).ok());
        QStringList out;
        for (const PlanListEntry& e : entries)
            out << QString("%1 %2").arg(e.id ? QString::number(*e.id) : "null", e.name);
        return out;
    }
    // An older file: ID is a plain column, so two plans can share one.
    void makeOlderFile(QStringList columns, const QString& rows)
    {
        QFile::remove(folder.file("DeskData.db"));
        Database db;
        ASSERT_TRUE(db.open(folder.file("DeskData.db"), database_password(), Database::Mode::CreateIfMissing));
        columns[0] = "ID INTEGER";
        ASSERT_TRUE(db.exec("CREATE TABLE deskclock (" + columns.join(", ") + ")"));
        ASSERT_TRUE(db.exec("INSERT INTO deskclock (ID, clockname) VALUES " + rows));
    }
    PlanListEntry entry(int position) const
    {
        QList<PlanListEntry> entries;
        table.list(&entries);
        return entries.value(position);
    }
};

} // namespace

TEST_F(PlanTableTest, save_storesAwkwardNamesWhole_andReadsTheRowBack)
{
    const QString longName(300, QChar(0x540D));
    const QStringList names{"O'Neil\"; DROP TABLE deskclock; --", "tab\there", "line\r\nbreak", longName};
    ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan.time_date = QDate(2027, 5, 6);
    plan.stages[2].prompt = "007";
    for (const QString& name : names)
        save(name, plan);
    EXPECT_EQ(listed(), QStringList({"1 " + names[0], "2 " + names[1], "3 " + names[2], "4 " + names[3]}));

    for (const QString& name : names) {
        SavedPlan saved;
        ASSERT_TRUE(table.read(name, &saved).ok());
        EXPECT_EQ(saved.name, name);
        EXPECT_EQ(saved.movingText, "text of " + name);
        EXPECT_EQ(saved.plan, plan);
    }
    SavedPlan missing;
    EXPECT_EQ(table.read("tab", &missing).status, PlanTableStatus::NotFound);
}

TEST_F(PlanTableTest, save_refusesANameDifferingOnlyInCaseAndAnInvalidDate_andDropsTheDateWithoutLongTerm)
{
    ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    plan_codec::setFieldText(plan, "checkone", "1111110");
    plan.time_date = QDate(2030, 1, 1);
    save("ABC", plan);
    EXPECT_EQ(table.save("abc", "", plan).status, PlanTableStatus::NameTaken);
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan.time_date = QDate();
    EXPECT_EQ(table.save("no date", "", plan).status, PlanTableStatus::Failed);
    EXPECT_EQ(listed(), QStringList{"1 ABC"});
    QList<QStringList> rows;
    ASSERT_TRUE(table.exportRows(&rows).ok());
    EXPECT_EQ(rows, QList<QStringList>{(QStringList{"1", "ABC", "text of ABC", "00:01:00", ""})});
}

TEST_F(PlanTableTest, moveAndDelete_keepIdsOneToN)
{
    for (const QString name : {"A", "B", "C", "D"})
        save(name);
    ASSERT_TRUE(table.move(entry(2), -1).ok());
    ASSERT_TRUE(table.move(entry(1), -1).ok());
    EXPECT_EQ(listed(), QStringList({"1 C", "2 A", "3 B", "4 D"}));
    ASSERT_TRUE(table.move(entry(3), +1).ok());  // at the edge: nothing moves
    ASSERT_TRUE(table.remove({entry(3), entry(1)}).ok());
    EXPECT_EQ(listed(), QStringList({"1 C", "2 B"}));
    save("E");
    EXPECT_EQ(listed(), QStringList({"1 C", "2 B", "3 E"}));
}

TEST_F(PlanTableTest, olderFileWithEqualIds_listsInRowOrder_andRenumbers)
{
    makeOlderFile(deskclock_columns(), "(2, 'X'), (1, 'Y'), (2, 'Z'), (NULL, 'W')");

    EXPECT_EQ(listed(), QStringList({"null W", "1 Y", "2 X", "2 Z"}));
    ASSERT_TRUE(table.remove({entry(0)}).ok());
    EXPECT_EQ(listed(), QStringList({"1 Y", "2 X", "3 Z"}));
    SavedPlan saved;
    EXPECT_EQ(table.read("Y", &saved).status, PlanTableStatus::Failed);  // NULL columns
}

TEST_F(PlanTableTest, missingLockedOrForeignFile_isReportedAndChangesNothing)
{
    save("A");
    {
        Database other = open_desk_data(folder);
        ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
        EXPECT_EQ(table.save("B", "", ClockPlan::defaults(QDate(2026, 12, 9))).status, PlanTableStatus::Failed);
        ASSERT_TRUE(other.exec("ROLLBACK"));
    }
    EXPECT_EQ(listed(), QStringList{"1 A"});

    QFile::remove(folder.file("DeskData.db"));
    QList<PlanListEntry> entries;
    EXPECT_EQ(table.list(&entries).status, PlanTableStatus::MissingFile);

    Database foreign;
    ASSERT_TRUE(foreign.open(folder.file("DeskData.db"), "another key", Database::Mode::CreateIfMissing));
    ASSERT_TRUE(foreign.exec("CREATE TABLE deskclock (ID INTEGER, clockname TEXT)"));
    foreign.close();
    EXPECT_EQ(table.list(&entries).status, PlanTableStatus::Failed);
}

TEST_F(PlanTableTest, tableLackingColumns_isIncomplete)
{
    makeOlderFile(deskclock_columns().mid(0, 53), "(1, 'A')");
    SavedPlan saved;
    EXPECT_EQ(table.read("A", &saved).status, PlanTableStatus::Incomplete);
}
