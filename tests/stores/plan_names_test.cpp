#include "platform/program_folder.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/plan_names.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class PlanNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(createDeskData(dir.filePath(QStringLiteral("DeskData.db"))));
        folder = ProgramFolder(dir.path());
    }

    void addPlan(const QString& name)
    {
        QString error;
        Database db = openDeskData(folder, &error);
        ASSERT_TRUE(db.isOpen()) << error.toStdString();
        Statement insert(db, QStringLiteral("INSERT INTO deskclock (clockname) VALUES (?1)"));
        insert.bindText(1, name);
        ASSERT_TRUE(insert.run()) << insert.error().toStdString();
    }

    QTemporaryDir dir;
    ProgramFolder folder;
};

} // namespace

TEST_F(PlanNamesTest, storedName_isTakenAndNewName_isFree)
{
    addPlan(QStringLiteral("正方一辩"));
    EXPECT_EQ(clockNameIsFree(folder, QStringLiteral("正方一辩")), NameLookup::Taken);
    EXPECT_EQ(clockNameIsFree(folder, QStringLiteral("反方一辩")), NameLookup::Free);
}

TEST_F(PlanNamesTest, nameWithQuotes_isLookedUpNotExecuted)
{
    const QString name = QStringLiteral("O'Neil' OR '1'='1");
    EXPECT_EQ(clockNameIsFree(folder, name), NameLookup::Free);
    addPlan(QStringLiteral("anything"));
    EXPECT_EQ(clockNameIsFree(folder, name), NameLookup::Free);
    addPlan(name);
    EXPECT_EQ(clockNameIsFree(folder, name), NameLookup::Taken);
}

TEST_F(PlanNamesTest, namesDifferingOnlyInLetterCase_collide)
{
    addPlan(QStringLiteral("Round A"));
    EXPECT_EQ(clockNameIsFree(folder, QStringLiteral("ROUND a")), NameLookup::Taken);
}

TEST_F(PlanNamesTest, unreadableDatabase_isAnErrorNeverTakenOrFree)
{
    QTemporaryDir empty;
    QString error;
    EXPECT_EQ(clockNameIsFree(ProgramFolder(empty.path()), QStringLiteral("x"), &error),
              NameLookup::DatabaseError);
    EXPECT_FALSE(error.isEmpty());

    // Another key.
    QTemporaryDir other;
    {
        Database db;
        ASSERT_TRUE(db.open(other.filePath(QStringLiteral("DeskData.db")), QStringLiteral("other"),
                            Database::Mode::CreateIfMissing));
        ASSERT_TRUE(db.exec(QStringLiteral("CREATE TABLE deskclock (clockname TEXT)")));
    }
    error.clear();
    EXPECT_EQ(clockNameIsFree(ProgramFolder(other.path()), QStringLiteral("x"), &error),
              NameLookup::DatabaseError);
    EXPECT_TRUE(error.contains(QStringLiteral("密码不符")));

    // The right key but no deskclock table.
    QTemporaryDir bare;
    {
        Database db;
        ASSERT_TRUE(db.open(bare.filePath(QStringLiteral("DeskData.db")), databasePassword(),
                            Database::Mode::CreateIfMissing));
        ASSERT_TRUE(db.exec(QStringLiteral("CREATE TABLE other (x TEXT)")));
    }
    error.clear();
    EXPECT_EQ(clockNameIsFree(ProgramFolder(bare.path()), QStringLiteral("x"), &error),
              NameLookup::DatabaseError);
    EXPECT_TRUE(error.contains(QStringLiteral("deskclock")));
}
