#include "platform/program_folder.h"
#include "stores/cipher_key_cache.h"
#include "stores/database.h"
#include "stores/desk_data_key.h"
#include "stores/desk_data_schema.h"
#include "support/wait_until.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace orvalen;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// How many descriptors of this process are open on the file.
int descriptorsOn(const QString& path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    int count = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System))
        count += fd.symLinkTarget() == file ? 1 : 0;
    return count;
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("DeskData.db"));
        QString error;
        ASSERT_TRUE(createDeskData(path, &error)) << error.toStdString();
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(DatabaseTest, rightKey_opensWithTheTablesInColumnOrder)
{
    Database db;
    ASSERT_TRUE(db.open(path, databasePassword())) << db.lastError().toStdString();

    QStringList deskclock;
    Statement info(db, QStringLiteral("PRAGMA table_info(deskclock)"));
    while (info.next())
        deskclock << info.text(QStringLiteral("NAME")); // names match without regard to case
    ASSERT_EQ(deskclock.size(), 54);
    EXPECT_EQ(deskclock, deskclockColumns());
    EXPECT_EQ(deskclock.mid(0, 4), (QStringList{"ID", "clockname", "movetext", "Time_all"}));
    EXPECT_EQ(deskclock.last(), QStringLiteral("highsetend"));

    QStringList timesum;
    Statement sumInfo(db, QStringLiteral("PRAGMA table_info(timesum)"));
    while (sumInfo.next())
        timesum << sumInfo.text(QStringLiteral("name"));
    EXPECT_EQ(timesum, timesumColumns());
}

TEST_F(DatabaseTest, wrongKeyOrForeignFile_isRefusedWithAClearErrorAndLeftUntouched)
{
    const QByteArray before = readAll(path);
    Database db;
    EXPECT_FALSE(db.open(path, QStringLiteral("not-the-key")));
    EXPECT_FALSE(db.isOpen());
    EXPECT_TRUE(db.lastError().contains(QStringLiteral("密码不符"))) << db.lastError().toStdString();
    EXPECT_EQ(readAll(path), before);

    // A plain SQLite file (not encrypted) is not ours either.
    const QString plain = dir.filePath(QStringLiteral("plain.db"));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(plain.toUtf8().constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE deskclock (clockname TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    const QByteArray plainBefore = readAll(plain);
    EXPECT_FALSE(db.open(plain, databasePassword()));
    EXPECT_EQ(readAll(plain), plainBefore);

    // Random bytes and an empty file.
    const QString junk = dir.filePath(QStringLiteral("junk.db"));
    const QByteArray junkBytes = QByteArray(5000, '\x5a') + QByteArray("SQLite format 3");
    writeAll(junk, junkBytes);
    EXPECT_FALSE(db.open(junk, databasePassword()));
    EXPECT_EQ(readAll(junk), junkBytes);
    const QString empty = dir.filePath(QStringLiteral("empty.db"));
    writeAll(empty, QByteArray());
    EXPECT_FALSE(db.open(empty, databasePassword()));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST_F(DatabaseTest, missingFileOrEmptyKey_isRefusedAndCreatesNothing)
{
    const QString missing = dir.filePath(QStringLiteral("missing.db"));
    Database db;
    EXPECT_FALSE(db.open(missing, databasePassword()));
    EXPECT_TRUE(db.lastError().contains(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));

    // An empty key would make a plaintext file: refused even when creating.
    EXPECT_FALSE(db.open(missing, QString(), Database::Mode::CreateIfMissing));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(db.open(path, QString()));

    // The schema tool never overwrites an existing file.
    const QByteArray before = readAll(path);
    EXPECT_FALSE(createDeskData(path));
    EXPECT_EQ(readAll(path), before);
}

TEST_F(DatabaseTest, chineseAndInjectionLookingNames_roundTripThroughBoundParameters)
{
    const QStringList names{QStringLiteral("正方一辩发言"), QStringLiteral("x'); DROP TABLE deskclock; --"),
                            QStringLiteral("O'Neil \"引号\" ; --"), QStringLiteral("")};
    Database db;
    ASSERT_TRUE(db.open(path, databasePassword()));
    int id = 1;
    for (const QString& name : names) {
        Statement insert(db, QStringLiteral("INSERT INTO deskclock (ID, clockname, movetext, tixingtime) "
                                            "VALUES (?1, ?2, ?3, ?4)"));
        insert.bindInt(1, id++);
        insert.bindText(2, name);
        insert.bindText(3, name + QStringLiteral("滚动"));
        insert.bindInt(4, -7);
        ASSERT_TRUE(insert.run()) << insert.error().toStdString();
    }
    db.close();

    Database again;
    ASSERT_TRUE(again.open(path, databasePassword()));
    for (const QString& name : names) {
        Statement select(again, QStringLiteral("SELECT ID, clockname, movetext, tixingtime, secondtext "
                                               "FROM deskclock WHERE clockname = ?1"));
        select.bindText(1, name);
        ASSERT_TRUE(select.next()) << name.toStdString();
        EXPECT_EQ(select.text(QStringLiteral("clockname")), name);
        EXPECT_EQ(select.text(QStringLiteral("MoveText")), name + QStringLiteral("滚动"));
        EXPECT_EQ(select.integer(QStringLiteral("tixingtime")), -7);
        EXPECT_TRUE(select.isNull(QStringLiteral("secondtext")));
        EXPECT_TRUE(select.text(QStringLiteral("secondtext")).isNull());
        EXPECT_EQ(select.integer(QStringLiteral("no_such_column"), 99), 99);
        EXPECT_FALSE(select.next());
    }
    Statement count(again, QStringLiteral("SELECT count(*) AS n FROM deskclock"));
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.integer(QStringLiteral("n")), names.size());
}

TEST_F(DatabaseTest, transaction_rollsBackUnlessCommitted)
{
    Database db;
    ASSERT_TRUE(db.open(path, databasePassword()));
    auto rows = [&db] {
        Statement count(db, QStringLiteral("SELECT count(*) AS n FROM timesum"));
        return count.next() ? count.integer(QStringLiteral("n"), -1) : -1;
    };
    auto insert = [&db](const QString& label) {
        Statement s(db, QStringLiteral("INSERT INTO timesum (set_time, filename) VALUES (?1, ?2)"));
        s.bindText(1, QStringLiteral("00:01:00"));
        s.bindText(2, label);
        return s.run();
    };
    {
        Transaction t(db);
        ASSERT_TRUE(t.isActive());
        ASSERT_TRUE(insert(QStringLiteral("dropped")));
    }
    EXPECT_EQ(rows(), 0);
    {
        Transaction t(db);
        ASSERT_TRUE(insert(QStringLiteral("kept")));
        EXPECT_TRUE(t.commit());
    }
    EXPECT_EQ(rows(), 1);
    EXPECT_GT(db.lastInsertRowId(), 0);
}

TEST_F(DatabaseTest, badStatement_reportsAnErrorWithoutCrashing)
{
    Database db;
    ASSERT_TRUE(db.open(path, databasePassword()));
    Statement bad(db, QStringLiteral("SELECT nothing FROM no_such_table WHERE x = ?1"));
    EXPECT_FALSE(bad.isValid());
    EXPECT_FALSE(bad.bindText(1, QStringLiteral("x")));
    EXPECT_EQ(bad.step(), Statement::Step::Error);
    EXPECT_FALSE(bad.error().isEmpty());

    Database closed;
    Statement onClosed(closed, QStringLiteral("SELECT 1"));
    EXPECT_EQ(onClosed.step(), Statement::Step::Error);
}

TEST_F(DatabaseTest, openDeskData_findsTheFileWithoutRegardToCase)
{
    ASSERT_TRUE(QFile::rename(path, dir.filePath(QStringLiteral("deskdata.DB"))));
    QString error;
    Database db = openDeskData(ProgramFolder(dir.path()), &error);
    EXPECT_TRUE(db.isOpen()) << error.toStdString();

    QTemporaryDir emptyDir;
    Database none = openDeskData(ProgramFolder(emptyDir.path()), &error);
    EXPECT_FALSE(none.isOpen());
    EXPECT_TRUE(error.contains(QStringLiteral("DeskData.db")));
    EXPECT_FALSE(QFileInfo::exists(emptyDir.filePath(QStringLiteral("DeskData.db"))));

    // No folder at all never falls back to the working directory.
    error.clear();
    EXPECT_FALSE(openDeskData(ProgramFolder(), &error).isOpen());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DatabaseTest, saveStaysInTheFileWhenTheProgramOpensItAgainAndAnotherProgramReadsIt)
{
    auto save = [](Database& db, const QString& name) {
        Statement insert(db, QStringLiteral("INSERT INTO deskclock (clockname) VALUES (?1)"));
        insert.bindText(1, name);
        return insert.run();
    };
    // A backup or sync tool: when it closes the file and finds no other
    // process holding it, it folds the write-ahead log in and deletes it.
    auto anotherProgramReads = [this] {
        QProcess reader;
        reader.start(QStringLiteral(ORVALEN_DESK_DATA_READER), {path});
        EXPECT_TRUE(reader.waitForFinished(60000));
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        return QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };

    Database program;
    ASSERT_TRUE(program.open(path, databasePassword()));
    EXPECT_EQ(descriptorsOn(path), 1);
    ASSERT_TRUE(save(program, QStringLiteral("D")));
    {
        // Another part of the program opens the file while the first
        // connection stays open; keying it must not touch the file outside
        // SQLite (closing such a descriptor drops the process's locks).
        Database menu;
        ASSERT_TRUE(menu.open(path, databasePassword()));
        // Nor does reading the salt to derive the key ahead.
        EXPECT_EQ(deskDataSalt(ProgramFolder(dir.path())).size(), kCipherSaltBytes);
    }
    EXPECT_EQ(anotherProgramReads(), QStringList{QStringLiteral("D")});
    ASSERT_TRUE(save(program, QStringLiteral("E")));
    EXPECT_EQ(anotherProgramReads(), (QStringList{QStringLiteral("D"), QStringLiteral("E")}));
    EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral("-wal")));
}

TEST_F(DatabaseTest, deskDataKey_isReadyWhenDerivedFromTheFilesSalt_orAtOnceWithoutAFile)
{
    const ProgramFolder folder(dir.path());
    EXPECT_EQ(deskDataSalt(folder), readAll(path).left(kCipherSaltBytes));
    QTemporaryDir emptyDir;
    for (const ProgramFolder& f : {folder, ProgramFolder(emptyDir.path())}) {
        DeskDataKey key(f);
        bool ready = false;
        QObject::connect(&key, &DeskDataKey::ready, [&ready] { ready = true; });
        key.prepare();
        EXPECT_TRUE(test::wait_until([&ready] { return ready; })) << f.path().toStdString();
    }
    EXPECT_TRUE(deriveRawKeyAhead(deskDataSalt(folder), databasePassword().toUtf8()).isFinished());
    Database db;
    EXPECT_TRUE(db.open(path, databasePassword())) << db.lastError().toStdString();
}
