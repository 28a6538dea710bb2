#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + "/prog";
        QDir().mkpath(root + "/sounds");
        QDir().mkpath(root + "/Picture");
        for (const char* f : {"help.chm", "TimeData.db", "sounds/Timeout.WAV", "Picture/1.jpg"})
            touch(root + "/" + f);
        touch(dir.path() + "/outside.txt");
    }
    static void touch(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
    }
    QTemporaryDir dir;
    QString root;
};

} // namespace

TEST_F(ProgramFolderTest, path_hasExactlyOneTrailingSlash)
{
    EXPECT_EQ(ProgramFolder(root).path(), root + "/");
    EXPECT_EQ(ProgramFolder(root + "//").path(), root + "/");
    EXPECT_EQ(ProgramFolder(root).file("TimeData.db"), root + "/TimeData.db");
    EXPECT_EQ(ProgramFolder("/").path(), "/");
}

TEST_F(ProgramFolderTest, resolve_findsNamesInAnyCase)
{
    const ProgramFolder folder(root);
    EXPECT_EQ(folder.resolve("help.CHM"), root + "/help.chm");
    EXPECT_EQ(folder.resolve("timedata.db"), root + "/TimeData.db");
    EXPECT_EQ(folder.resolve("sounds/timeout.wav"), root + "/sounds/Timeout.WAV");
    EXPECT_EQ(folder.resolve("SOUNDS\\Timeout.wav"), root + "/sounds/Timeout.WAV");
    EXPECT_EQ(folder.resolve("picture\\1.jpg"), root + "/Picture/1.jpg");
    EXPECT_EQ(folder.resolve("picture"), root + "/Picture");
    EXPECT_TRUE(folder.exists("DeskData.db") == false);
    EXPECT_EQ(folder.resolve("sounds/alarm.wav"), "");
    EXPECT_EQ(folder.resolve(""), "");
}

TEST_F(ProgramFolderTest, resolve_neverLeavesTheFolder)
{
    const ProgramFolder folder(root);
    ASSERT_TRUE(QFile::link(dir.path() + "/outside.txt", root + "/link.txt"));
    EXPECT_EQ(folder.resolve("../outside.txt"), "");
    EXPECT_EQ(folder.resolve("sounds/../../outside.txt"), "");
    EXPECT_EQ(folder.resolve("..\\outside.txt"), "");
    EXPECT_EQ(folder.resolve(dir.path() + "/outside.txt"), "");
    EXPECT_EQ(folder.resolve("\\etc\\passwd"), "");
    EXPECT_EQ(folder.resolve("C:\\help.chm"), "");
    EXPECT_EQ(folder.resolve("link.txt"), "");
    EXPECT_EQ(folder.resolve("."), "");
    EXPECT_EQ(ProgramFolder(root + "/missing").resolve("help.chm"), "");
    EXPECT_EQ(ProgramFolder().resolve("help.chm"), "");
}

TEST_F(ProgramFolderTest, fromEnvironment_optionThenVariableThenExecutableFolder)
{
    const QByteArray old = qgetenv("ORVALEN_HOME");
    qputenv("ORVALEN_HOME", QFile::encodeName(root + "/sounds"));
    EXPECT_EQ(ProgramFolder::fromEnvironment({"orvalen", "--program-folder", root}).path(), root + "/");
    EXPECT_EQ(ProgramFolder::fromEnvironment({"orvalen", "--program-folder=" + root}).path(), root + "/");
    EXPECT_EQ(ProgramFolder::fromEnvironment({"orvalen"}).path(), root + "/sounds/");
    qunsetenv("ORVALEN_HOME");
    EXPECT_EQ(ProgramFolder::fromEnvironment({"orvalen"}).path(),
              QCoreApplication::applicationDirPath() + "/");
    if (!old.isNull())
        qputenv("ORVALEN_HOME", old);
}
