#include "stores/plan_repository.h"

#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/desk_data_folder.h"
#include "stores/plan_codec.h"
#include "stores/run_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

struct PlanRepositoryTest : test::DeskDataFolder {
    PlanRepository plans{folder};

    void save(const QString& name, const ClockPlan& plan = ClockPlan::defaults(QDate(2026, 12, 9)))
    {
        const PlanResult r = plans.save(name, "text of " + name, plan);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
    }
    // (ID, name) of every plan in order.
    QStringList listed() const
    {
        QList<PlanListEntry> entries;
        EXPECT_TRUE(plans.list(&entries).ok());
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
        ASSERT_TRUE(db.open(folder.file("DeskData.db"), databasePassword(), Database::Mode::CreateIfMissing));
        columns[0] = "ID INTEGER";
        ASSERT_TRUE(db.exec("CREATE TABLE deskclock (" + columns.join(", ") + ")"));
        ASSERT_TRUE(db.exec("INSERT INTO deskclock (ID, clockname) VALUES " + rows));
    }
    PlanListEntry entry(int position) const
    {
        QList<PlanListEntry> entries;
        plans.list(&entries);
        return entries.value(position);
    }
};

} // namespace

TEST_F(PlanRepositoryTest, save_storesAwkwardNamesWhole_andReadsTheRowBack)
{
    const QString longName(300, QChar(0x540D));
    const QStringList names{"O'Neil\"; DROP TABLE deskclock; --", "tab\there", "line\r\nbreak", longName};
    ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan.time_date = QDate(2027, 5, 6);
    plan.stages[Stage::Alarm2].prompt = "007";
    for (const QString& name : names)
        save(name, plan);
    EXPECT_EQ(listed(), QStringList({"1 " + names[0], "2 " + names[1], "3 " + names[2], "4 " + names[3]}));

    for (const QString& name : names) {
        PlanRow saved;
        ASSERT_TRUE(plans.read(name, ClockPlan{}, &saved).ok());
        EXPECT_EQ(saved.name, name);
        EXPECT_EQ(saved.movingText, "text of " + name);
        EXPECT_EQ(saved.plan, plan);
    }
    PlanRow missing;
    EXPECT_EQ(plans.read("tab", ClockPlan{}, &missing).status, PlanStatus::NotFound);
}

TEST_F(PlanRepositoryTest, save_refusesANameDifferingOnlyInCaseAndAnInvalidDate_andDropsTheDateWithoutLongTerm)
{
    ClockPlan plan = ClockPlan::defaults(QDate(2026, 12, 9));
    plan_codec::setFieldText(plan, "checkone", "1111110");
    plan.time_date = QDate(2030, 1, 1);
    save("ABC", plan);
    EXPECT_EQ(plans.save("abc", "", plan).status, PlanStatus::NameTaken);
    plan_codec::setFieldText(plan, "checkone", "1111111");
    plan.time_date = QDate();
    EXPECT_EQ(plans.save("no date", "", plan).status, PlanStatus::Failed);
    EXPECT_EQ(listed(), QStringList{"1 ABC"});
    QList<QStringList> rows;
    ASSERT_TRUE(plans.exportRows(&rows).ok());
    EXPECT_EQ(rows, QList<QStringList>{(QStringList{"1", "ABC", "text of ABC", "00:01:00", ""})});
}

TEST_F(PlanRepositoryTest, moveAndDelete_keepIdsOneToN)
{
    for (const QString name : {"A", "B", "C", "D"})
        save(name);
    ASSERT_TRUE(plans.move(entry(2), -1).ok());
    ASSERT_TRUE(plans.move(entry(1), -1).ok());
    EXPECT_EQ(listed(), QStringList({"1 C", "2 A", "3 B", "4 D"}));
    ASSERT_TRUE(plans.move(entry(3), +1).ok());  // at the edge: nothing moves
    ASSERT_TRUE(plans.remove({entry(3), entry(1)}).ok());
    EXPECT_EQ(listed(), QStringList({"1 C", "2 B"}));
    save("E");
    EXPECT_EQ(listed(), QStringList({"1 C", "2 B", "3 E"}));
}

TEST_F(PlanRepositoryTest, olderFileWithEqualIds_listsInRowOrder_andRenumbers)
{
    makeOlderFile(deskclockColumns(), "(2, 'X'), (1, 'Y'), (2, 'Z'), (NULL, 'W')");

    EXPECT_EQ(listed(), QStringList({"null W", "1 Y", "2 X", "2 Z"}));
    ASSERT_TRUE(plans.remove({entry(0)}).ok());
    EXPECT_EQ(listed(), QStringList({"1 Y", "2 X", "3 Z"}));
    PlanRow saved;
    EXPECT_EQ(plans.read("Y", ClockPlan{}, &saved).status, PlanStatus::Failed);  // NULL columns
}

TEST_F(PlanRepositoryTest, missingLockedOrForeignFile_isReportedAndChangesNothing)
{
    save("A");
    {
        Database other = openDeskData(folder);
        ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
        const PlanResult locked = plans.save("B", "", ClockPlan::defaults(QDate(2026, 12, 9)));
        EXPECT_EQ(locked.status, PlanStatus::Failed);
        EXPECT_EQ(locked.refusal, WriteRefusal::Locked);
        ASSERT_TRUE(other.exec("ROLLBACK"));
    }
    EXPECT_EQ(listed(), QStringList{"1 A"});

    QFile::remove(folder.file("DeskData.db"));
    QList<PlanListEntry> entries;
    EXPECT_EQ(plans.list(&entries).status, PlanStatus::MissingFile);

    Database foreign;
    ASSERT_TRUE(foreign.open(folder.file("DeskData.db"), "another key", Database::Mode::CreateIfMissing));
    ASSERT_TRUE(foreign.exec("CREATE TABLE deskclock (ID INTEGER, clockname TEXT)"));
    foreign.close();
    EXPECT_EQ(plans.list(&entries).status, PlanStatus::Failed);
}

TEST_F(PlanRepositoryTest, tableLackingColumns_isIncomplete)
{
    makeOlderFile(deskclockColumns().mid(0, 53), "(1, 'A')");
    PlanRow saved;
    EXPECT_EQ(plans.read("A", ClockPlan{}, &saved).status, PlanStatus::Incomplete);
}

// DeskData.db carried away alone, while the program still has it open (or
// was killed): its write-ahead log stays behind.
TEST_F(PlanRepositoryTest, savedMovedDeletedPlansAndARecordedRun_areInTheFileWithoutItsLog)
{
    QTemporaryDir venue;
    const ProgramFolder carried(venue.path());
    auto carry = [&] {
        QFile::remove(carried.file("DeskData.db"));
        EXPECT_TRUE(QFile::copy(folder.file("DeskData.db"), carried.file("DeskData.db")));
    };
    auto carriedPlans = [&] {
        carry();
        PlanRepository copy(carried);
        QList<PlanListEntry> entries;
        EXPECT_TRUE(copy.list(&entries).ok());
        QStringList names;
        for (const PlanListEntry& e : entries)
            names << e.name;
        return names;
    };
    save("A");
    save("B");
    EXPECT_EQ(carriedPlans(), QStringList({"A", "B"}));
    ASSERT_TRUE(plans.move(entry(1), -1).ok());
    EXPECT_EQ(carriedPlans(), QStringList({"B", "A"}));
    ASSERT_TRUE(plans.remove({entry(0)}).ok());
    EXPECT_EQ(carriedPlans(), QStringList({"A"}));

    RunLog runs(folder);
    QString error;
    ASSERT_TRUE(runs.append({RunRow{.setTime = "00:01:00", .useTime = "00:01:00", .outTime = "00:00:00",
                                    .pauseTime = "00:00:00", .filename = "run", .queueKey = {}}},
                            &error))
        << error.toStdString();
    carry();
    QList<RunRow> carriedRuns;
    EXPECT_EQ(RunLog(carried).list(&carriedRuns, &error), RunLog::Listing::Loaded) << error.toStdString();
    ASSERT_EQ(carriedRuns.size(), 1);
    EXPECT_EQ(carriedRuns[0].filename, "run");
}
