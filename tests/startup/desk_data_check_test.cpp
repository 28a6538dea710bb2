#include "services/app_context.h"
#include "startup/desk_data_check.h"
#include "startup/open_windows.h"
#include "startup/start_notices.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/pending_runs.h"
#include "support/file_size_limit.h"
#include "support/read_only_folder.h"
#include "support/temp_program.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

using namespace orvalen;
using orvalen::test::TempProgram;

namespace {

class DeskDataCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(p.file("DeskData.db"));
        ASSERT_TRUE(createDeskData(p.file("DeskData.db")));
    }
    void replaceDatabase(const QByteArray& content)
    {
        QFile::remove(p.file("DeskData.db"));
        ASSERT_TRUE(p.writeFile("DeskData.db", content));
    }
    TempProgram p;
};

} // namespace

TEST_F(DeskDataCheckTest, unusableDatabase_oneMessageNamingTheFileAndTheCause)
{
    checkDeskData(p.context);
    EXPECT_TRUE(p.notifier.shown.empty());

    const QByteArray whole = p.readFile("DeskData.db");
    const QList<QByteArray> broken{QByteArray(), QByteArray(8192, 'x'), whole.left(whole.size() / 2)};
    for (const QByteArray& content : broken) {
        SCOPED_TRACE(content.size());
        p.notifier.shown.clear();
        replaceDatabase(content);
        checkDeskData(p.context);
        ASSERT_EQ(p.notifier.shown.size(), 1u);
        EXPECT_TRUE(p.notifier.shown[0].text.contains(p.file("DeskData.db")));
    }

    // Keyed as ours, but without our tables.
    p.notifier.shown.clear();
    QFile::remove(p.file("DeskData.db"));
    {
        Database foreign;
        ASSERT_TRUE(foreign.open(p.file("DeskData.db"), databasePassword(), Database::Mode::CreateIfMissing));
        ASSERT_TRUE(foreign.exec("CREATE TABLE other (x)"));
    }
    checkDeskData(p.context);
    ASSERT_EQ(p.notifier.shown.size(), 1u);
    EXPECT_TRUE(p.notifier.shown[0].text.contains("deskclock"));
}

TEST_F(DeskDataCheckTest, fullDisk_oneMessageNamingTheFullDiskForEveryFailedSave)
{
    {
        test::FileSizeLimit fullDisk(0);
        ASSERT_TRUE(fullDisk.active());
        checkDeskData(p.context);
        checkDeskData(p.context, {{p.file("TimeData.db"), "TimeData.db 无法写入"},
                                    {p.registryPath(), "registry.reg 无法写入"}});
    }
    ASSERT_EQ(p.notifier.shown.size(), 2u);
    for (const auto& shown : p.notifier.shown) {
        EXPECT_TRUE(shown.text.startsWith("磁盘已满")) << shown.text.toStdString();
        EXPECT_FALSE(shown.text.contains("只读")) << shown.text.toStdString();
        EXPECT_EQ(shown.text.count("磁盘已满"), 1);
    }
}

// Windows that keep the places of this screen once the first frame is shown.
class PlacesKeepingWindows final : public ProgramWindows {
public:
    explicit PlacesKeepingWindows(AppContext& context) : m_context(context) {}
    void closeDown() override {}
    void firstFrameShown() override { m_context.ini.write("clocksite", "screenwidth", "28800"); }

private:
    AppContext& m_context;
};

TEST_F(DeskDataCheckTest, firstStartOnAFullDisk_oneNoticeForTheDiskAndThePlaces)
{
    StartNotices notices(p.notifier);
    PlacesKeepingWindows windows(p.context);
    bool followed = false;
    {
        test::FileSizeLimit fullDisk(0);
        ASSERT_TRUE(fullDisk.active());
        windows.firstFrameShown();
        notices.deskDataReady(p.context, &windows, [&followed] { followed = true; });
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    EXPECT_TRUE(followed);
    ASSERT_EQ(p.notifier.shown.size(), 1u) << p.notifier.texts().join("\n---\n").toStdString();
    EXPECT_EQ(p.notifier.shown[0].text.count("磁盘已满"), 1);
}

TEST_F(DeskDataCheckTest, readOnlyFolder_plansStayReadableAndTheOperatorIsTold)
{
    {
        Database db = openDeskData(p.context.folder);
        ASSERT_TRUE(db.exec("INSERT INTO deskclock (ID, clockname) VALUES (1, '述职')"));
    }
    test::ReadOnlyFolder readOnly(p.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    QString error;
    Database db = openDeskData(p.context.folder, &error);
    ASSERT_TRUE(db.isOpen()) << error.toStdString();
    Statement names(db, "SELECT clockname FROM deskclock");
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.text("clockname"), "述职");
    EXPECT_TRUE(deskDataProblem(p.context.folder).contains(p.file("DeskData.db")));
}

TEST_F(DeskDataCheckTest, rowsThatWaited_areWrittenAtStart)
{
    RunRow waiting;
    waiting.setTime = waiting.useTime = "00:01:00";
    waiting.outTime = waiting.pauseTime = "00:00:00";
    waiting.filename = "早会";
    ASSERT_EQ(queuePendingRun(p.context.folder, waiting, nullptr), QueuedIn::File);
    checkDeskData(p.context);
    EXPECT_TRUE(readPendingRuns(p.context.folder).empty());
    Database db = openDeskData(p.context.folder);
    Statement row(db, "SELECT filename FROM timesum");
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.text("filename"), "早会");
}
