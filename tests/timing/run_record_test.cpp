#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/registry_values.h"
#include "state/run_state.h"
#include "timing/engine_parts.h"
#include "timing/run_commands.h"
#include "support/file_size_limit.h"
#include "support/read_only_folder.h"
#include "platform/save_file.h"
#include "stores/pending_runs.h"
#include "timing/run_record.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

TEST(RunRecordTexts, durations_roundHalvesToEvenSeconds)
{
    EXPECT_EQ(durationText(1500), "00:00:02");
    EXPECT_EQ(durationText(2500), "00:00:02");
    EXPECT_EQ(durationText(3500), "00:00:04");
    EXPECT_EQ(durationText(20000), "00:00:20");
    EXPECT_EQ(durationText(0), "00:00:00");
    EXPECT_EQ(durationText(3599499), "00:59:59");
}

TEST(RunRecordTexts, durationsOfADayOrMore_keepHoursBeyond24)
{
    EXPECT_EQ(durationText(86400000), "24:00:00");
    EXPECT_EQ(durationText(90061000), "25:01:01");
    EXPECT_EQ(durationText(360000000000), "100000:00:00");
}

TEST(RunRecordTexts, negativeCounts_readAsZero)
{
    EXPECT_EQ(durationText(-4000), "00:00:00");
}

TEST(RunRecordTexts, emptyLabel_becomesTheRecordingInstantAndStays)
{
    RunRecord record{QTime(0, 1), {}, 1500, 0, 20000, ""};
    const QDateTime now(QDate(2026, 12, 8), QTime(9, 15, 7));
    RunRow row = timesumRow(record, now);
    EXPECT_EQ(row.setTime, "00:01:00");
    EXPECT_EQ(row.useTime, "00:00:02");
    EXPECT_EQ(row.outTime, "00:00:00");
    EXPECT_EQ(row.pauseTime, "00:00:20");
    EXPECT_EQ(row.filename, "2026-12-08 09:15:07");
    EXPECT_EQ(record.label, "2026-12-08 09:15:07");

    row = timesumRow(record, now.addSecs(60));
    EXPECT_EQ(row.filename, "2026-12-08 09:15:07");

    RunRecord unfilledRecord;
    row = timesumRow(unfilledRecord, now);
    EXPECT_EQ(row.filename, "0");
    EXPECT_EQ(row.setTime, "00:00:00");
}

class RecordRunTest : public ::testing::Test, protected EngineParts {
protected:
    void makeDatabase()
    {
        if (!program.context.folder.exists("DeskData.db")) {
            ASSERT_TRUE(createDeskData(program.file("DeskData.db")));
        }
    }
    struct Row {
        QString set, use, out, pause, name;
    };
    std::vector<Row> rows()
    {
        std::vector<Row> out;
        Database db = openDeskData(program.context.folder);
        Statement st(db, "SELECT set_time, use_time, out_time, pause_time, filename FROM timesum ORDER BY ID_auto");
        while (st.next())
            out.push_back({st.text("set_time"), st.text("use_time"), st.text("out_time"), st.text("pause_time"),
                           st.text("filename")});
        return out;
    }

    RunRecord record{QTime(0, 1), {}, 61500, 10550, 0, "0"};
};

TEST_F(RecordRunTest, statisticsOff_leavesTheDatabaseAlone)
{
    makeDatabase();
    QString error;
    EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Off);
    registry_values::setTimeRecord(program.registry, false);
    EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Off);
    EXPECT_TRUE(rows().empty());
}

TEST_F(RecordRunTest, statisticsOn_appendsOneRowWithTheRunTexts)
{
    makeDatabase();
    registry_values::setTimeRecord(program.registry, true);
    record.pausedMs = 1500;
    EXPECT_EQ(recordRun(program.context, record, nullptr), RecordResult::Written);
    const auto all = rows();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].set, "00:01:00");
    EXPECT_EQ(all[0].use, "00:01:02");
    EXPECT_EQ(all[0].out, "00:00:11");
    EXPECT_EQ(all[0].pause, "00:00:02");
    EXPECT_EQ(all[0].name, "0");
}

TEST_F(RecordRunTest, databaseThatCannotTakeTheRow_keepsItWaitingUntilItCan)
{
    registry_values::setTimeRecord(program.registry, true);
    QString error;

    // Missing: the row waits, the file is not made.
    QFile::remove(program.file("DeskData.db"));
    record.label = "first";
    EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Pending);
    EXPECT_TRUE(error.contains("DeskData.db"));
    EXPECT_FALSE(program.context.folder.exists("DeskData.db"));

    // Locked by another program: the row waits.
    makeDatabase();
    {
        Database other = openDeskData(program.context.folder);
        ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
        record.label = "second";
        EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Pending);
    }

    // A full disk: the row waits in the (small) queue.
    {
        test::FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.active());
        record.label = "third";
        EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Pending);
    }
    EXPECT_TRUE(rows().empty());
    ASSERT_EQ(readPendingRuns(program.context.folder).size(), 3u);

    // The next run writes the waiting rows first, in their order.
    record.label = "fourth";
    EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Written);
    QStringList names;
    for (const Row& r : rows())
        names << r.name;
    EXPECT_EQ(names, (QStringList{"first", "second", "third", "fourth"}));
    EXPECT_FALSE(QFile::exists(pendingRunsPath(program.context.folder)));
}

TEST_F(RecordRunTest, queueThatCannotBeRemoved_isWrittenOnceWithoutItsBadEntries)
{
    makeDatabase();
    // Left by earlier starts: a row queued before rows had keys, a keyed
    // one, and entries without valid times.
    ASSERT_TRUE(program.writeFile("PendingRuns.json", R"([
        {"set_time": "00:01:00", "use_time": "00:01:02", "out_time": "00:00:11", "pause_time": "00:00:00",
         "filename": "old"},
        {"set_time": 60, "use_time": "00:01:02", "out_time": "00:00:11", "pause_time": "00:00:00", "filename": "x"},
        {},
        {"set_time": "00:02:00", "use_time": "00:02:00", "out_time": "00:00:00", "pause_time": "00:00:01",
         "filename": "keyed", "key": "k1"}
    ])"));
    EXPECT_EQ(readPendingRuns(program.context.folder).size(), 2u);
    const QString queue = pendingRunsPath(program.context.folder);
    EXPECT_TRUE(QFile::exists(queue + ".bad"));

    auto names = [this] {
        QStringList out;
        for (const Row& r : rows())
            out << r.name;
        return out;
    };
    {
        // The write-ahead log stays while a connection is open, so the
        // database takes rows in a folder where nothing can be removed.
        Database keepOpen = openDeskData(program.context.folder);
        ASSERT_TRUE(keepOpen.exec("SELECT count(*) FROM timesum"));
        ReadOnlyFolder locked(program.path());
        if (!locked.active())
            GTEST_SKIP() << "the folder cannot be made read-only here";
        QStringList reports;
        setSaveFailureHandler([&reports](const QString& path, const QString&) { reports << path; });
        QString error;
        for (int start = 0; start < 3; ++start)
            EXPECT_TRUE(writePendingRuns(program.context.folder, {}, &error)) << error.toStdString();
        setSaveFailureHandler({});
        EXPECT_EQ(names(), (QStringList{"old", "keyed"}));
        EXPECT_TRUE(QFile::exists(queue));
        EXPECT_EQ(reports, QStringList{queue}); // said once
        // A later start finds it still there: nothing new to tell.
        setSaveFailureHandler([&reports](const QString& path, const QString&) { reports << path; });
        EXPECT_TRUE(writePendingRuns(program.context.folder, {}, &error)) << error.toStdString();
        setSaveFailureHandler({});
        EXPECT_EQ(reports, QStringList{queue});
    }
    // Once it can be removed, the queue goes, still written once.
    EXPECT_TRUE(writePendingRuns(program.context.folder, {}, nullptr));
    EXPECT_FALSE(QFile::exists(queue));
    EXPECT_EQ(names(), (QStringList{"old", "keyed"}));
}

TEST_F(RecordRunTest, fileThatIsNoDatabase_rowWaitsWithAReason)
{
    registry_values::setTimeRecord(program.registry, true);
    QFile::remove(program.file("DeskData.db"));
    ASSERT_TRUE(program.writeFile("DeskData.db", QByteArray(4096, 'x')));
    QString error;
    EXPECT_EQ(recordRun(program.context, record, &error), RecordResult::Pending);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readPendingRuns(program.context.folder).size(), 1u);
}

// --- once per run, one notice -------------------------------------------------------

class RunCommandsRecordTest : public RecordRunTest {
protected:
    RunCommandsRecordTest()
    {
        commands = std::make_unique<RunCommands>(context());
        registry_values::setTimeRecord(program.registry, true);
    }
    std::unique_ptr<RunCommands> commands;
};

TEST_F(RunCommandsRecordTest, secondRecordOfTheSameRun_writesNoSecondRow)
{
    makeDatabase();
    commands->recordRun(); // the end at the overtime limit
    commands->recordRun(); // the stop that came in the same tick
    EXPECT_EQ(rows().size(), 1u);

    host.run.runStateWriter().start(); // the next run's set-up starts it
    commands->recordRun();
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(RunCommandsRecordTest, unwritableStatistics_showOneNoticeAfterTheTick)
{
    makeDatabase();
    {
        Database db = openDeskData(program.context.folder);
        ASSERT_TRUE(db.exec("DROP TABLE timesum"));
    }
    commands->recordRun();
    EXPECT_TRUE(program.notifier.shown.empty()); // not inside the tick
    commands->recordRun();
    QCoreApplication::processEvents();
    ASSERT_EQ(program.notifier.shown.size(), 1u);
    EXPECT_TRUE(program.notifier.shown[0].text.startsWith("本次计时暂未记入统计"));
    EXPECT_EQ(readPendingRuns(program.context.folder).size(), 1u); // one row for one run
    EXPECT_GT(program.notifier.shown[0].timeoutMs, 0);
}

TEST_F(RunCommandsRecordTest, runEndedOnAFullDisk_oneNoticeAndTheRowIsStoredOnceWhenSpaceIsBack)
{
    makeDatabase();
    // As in the program, a failed save that nobody else tells is a notice.
    setSaveFailureHandler([this](const QString& path, const QString& error) {
        program.notifier.notice(path + "：" + error);
    });
    {
        test::FileSizeLimit fullDisk(0);
        ASSERT_TRUE(fullDisk.active());
        commands->recordRun();
        QCoreApplication::processEvents();
    }
    setSaveFailureHandler({});
    ASSERT_EQ(program.notifier.shown.size(), 1u) << program.notifier.texts().join("\n---\n").toStdString();
    EXPECT_TRUE(program.notifier.shown[0].text.contains("磁盘已满")) << program.notifier.shown[0].text.toStdString();
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(hasPendingRuns(program.context.folder)); // held for the retry

    // Space is back: what the retry runs stores the row, once.
    QString error;
    EXPECT_TRUE(writePendingRuns(program.context.folder, {}, &error)) << error.toStdString();
    EXPECT_TRUE(writePendingRuns(program.context.folder, {}, &error)) << error.toStdString();
    EXPECT_FALSE(hasPendingRuns(program.context.folder));
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0].name, "0");
    EXPECT_EQ(program.notifier.shown.size(), 1u);
}

} // namespace
} // namespace orvalen::test
