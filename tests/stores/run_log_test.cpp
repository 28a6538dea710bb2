#include "stores/run_log.h"

#include "stores/database.h"
#include "stores/desk_data_folder.h"

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

struct RunLogTest : test::DeskDataFolder {
    RunLog log{folder};

    static RunRow run(const QString& label, const QString& queueKey = {})
    {
        return {.setTime = "00:01:00", .useTime = "00:01:02", .outTime = "00:00:11", .pauseTime = "00:00:02",
                .filename = label, .queueKey = queueKey};
    }
    QStringList labels()
    {
        QList<RunRow> rows;
        QString error;
        EXPECT_EQ(log.list(&rows, &error), RunLog::Listing::Loaded) << error.toStdString();
        QStringList out;
        for (const RunRow& row : rows)
            out << row.filename;
        return out;
    }
};

} // namespace

TEST_F(RunLogTest, append_storesLabelsAsTheyStand_andQueuedRowsOnce)
{
    const QString quoted = "x'); DROP TABLE timesum; --";
    QString error;
    ASSERT_TRUE(log.append({run(quoted)}, &error)) << error.toStdString();
    // A queue that could not be removed comes again: its rows are not written twice.
    ASSERT_TRUE(log.append({run("queued", "k1"), run("now")}, &error)) << error.toStdString();
    ASSERT_TRUE(log.append({run("queued", "k1"), run("next")}, &error)) << error.toStdString();
    EXPECT_EQ(labels(), (QStringList{quoted, "queued", "now", "next"}));

    QList<RunRow> rows;
    log.list(&rows, &error);
    EXPECT_EQ(rows[1].setTime, "00:01:00");
    EXPECT_EQ(rows[1].pauseTime, "00:00:02");
    EXPECT_EQ(log.remove({rows[0].id, rows[2].id}, &error), 2);
    EXPECT_EQ(labels(), (QStringList{"queued", "next"}));
}

TEST_F(RunLogTest, appendThatFailsPartWay_storesNothing)
{
    {
        Database other = openDeskData(folder);
        ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
        QString error;
        EXPECT_FALSE(log.append({run("a", "k1"), run("b")}, &error));
        EXPECT_TRUE(error.startsWith("DeskData.db："));
        ASSERT_TRUE(other.exec("ROLLBACK"));
    }
    {
        Database db = openDeskData(folder);
        ASSERT_TRUE(db.exec("CREATE TRIGGER refuse BEFORE INSERT ON timesum WHEN NEW.filename = 'bad' "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    }
    QString error;
    EXPECT_FALSE(log.append({run("good", "k2"), run("bad")}, &error));
    EXPECT_TRUE(labels().isEmpty());
    // The queued row's key went with the rolled-back rows: it is written later.
    ASSERT_TRUE(log.append({run("good", "k2")}, &error)) << error.toStdString();
    EXPECT_EQ(labels(), QStringList{"good"});
}
