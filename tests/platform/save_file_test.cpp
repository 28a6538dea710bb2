#include "platform/save_file.h"

#include "support/file_size_limit.h"
#include "support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvalen;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("TimeData.db");
        ASSERT_TRUE(saveFile(path, old));
    }
    QTemporaryDir dir;
    QString path;
    const QByteArray old = QByteArray("[Marquee]\nMode=1\n").repeated(200);
};

} // namespace

TEST_F(SaveFileTest, save_replacesWholeContentAndLeavesNoTemporaryFile)
{
    EXPECT_TRUE(saveFile(path, QByteArray("new")));
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(entries(dir.path()), QStringList{"TimeData.db"});
}

TEST_F(SaveFileTest, writerFailsHalfway_oldFileStaysWhole)
{
    QString error;
    const bool saved = saveFile(path, [](QIODevice& d) {
        d.write("[Marquee]\nMo");
        return false;
    }, &error);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(path), old);
    EXPECT_EQ(entries(dir.path()), QStringList{"TimeData.db"});
}

TEST_F(SaveFileTest, writerThrows_oldFileStaysWholeAndTheErrorSaysWhy)
{
    QString error;
    EXPECT_FALSE(saveFile(path, [](QIODevice& d) -> bool {
        d.write("partial");
        throw std::runtime_error("boom");
    }, &error));
    EXPECT_EQ(contents(path), old);
    EXPECT_TRUE(error.contains("boom")) << qPrintable(error);
}

TEST_F(SaveFileTest, deviceFailsMidWrite_oldFileStaysWhole)
{
    // The disk "fills up" after 4 KiB: further writes fail with EFBIG.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = saveFile(path, QByteArray(64 * 1024, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(contents(path), old);
    EXPECT_EQ(entries(dir.path()), QStringList{"TimeData.db"});
}

TEST_F(SaveFileTest, fullDiskWithAContentThatFitsTheBuffer_oldFileStaysAndTheFailureIsToldOnce)
{
    QStringList told;
    setSaveFailureHandler([&told](const QString& p, const QString&) { told << p; });
    {
        test::FileSizeLimit fullDisk(16);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(saveFile(path, QByteArray(1446, 'r')));
        EXPECT_FALSE(saveFile(path, QByteArray(229, 't')));
    }
    EXPECT_EQ(contents(path), old);
    EXPECT_EQ(entries(dir.path()), QStringList{"TimeData.db"});
    EXPECT_EQ(told, QStringList{path});

    // Told again only after a save of the file worked once more.
    ASSERT_TRUE(saveFile(path, QByteArray("ok")));
    {
        test::FileSizeLimit fullDisk(0);
        EXPECT_FALSE(saveFile(path, QByteArray(100, 'x')));
    }
    EXPECT_EQ(told.size(), 2);
    setSaveFailureHandler({});
}

TEST_F(SaveFileTest, readOnlyFile_isNeverReplaced)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(saveFile(path, QByteArray("new")));
    EXPECT_EQ(contents(path), old);
    EXPECT_EQ(QFile::permissions(path) & QFileDevice::WriteOwner, 0);
}

TEST_F(SaveFileTest, crashBetweenWriteAndRename_oldFileStaysWhole)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        saveFile(path, [](QIODevice& d) {
            d.write(QByteArray(100000, 'n'));
            static_cast<QFileDevice&>(d).flush();
            _exit(7); // the process dies before the rename
            return true;
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(contents(path), old);
}

TEST_F(SaveFileTest, readOnlyFolder_saveFailsAndFileIsUntouched)
{
    test::ReadOnlyFolder readOnly(dir.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    EXPECT_FALSE(saveFile(path, QByteArray("new")));
    EXPECT_EQ(contents(path), old);
}

TEST_F(SaveFileTest, missingFolder_saveFails)
{
    EXPECT_FALSE(saveFile(dir.filePath("no/such/folder/x.db"), QByteArray("x")));
}

TEST_F(SaveFileTest, keepAsideAsBad_neverOverwritesAnEarlierBadFile)
{
    EXPECT_EQ(keepAsideAsBad(path), path + ".bad");
    ASSERT_TRUE(saveFile(path, QByteArray("second")));
    EXPECT_EQ(keepAsideAsBad(path), path + ".bad.2");
    EXPECT_EQ(contents(path + ".bad"), old);
    EXPECT_EQ(contents(path + ".bad.2"), "second");
    EXPECT_FALSE(QFile::exists(path));
}
