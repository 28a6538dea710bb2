#include "startup/single_instance.h"
#include "support/built_program.h"
#include "support/temp_program.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir locks;
    QTemporaryDir folderA;
    QTemporaryDir folderB;
};

} // namespace

TEST_F(SingleInstanceTest, secondInstanceOfTheSameFolder_isRefusedUntilTheFirstEnds)
{
    auto first = std::make_unique<SingleInstance>(folderA.path(), locks.path());
    ASSERT_TRUE(first->tryAcquire());

    SingleInstance second(folderA.path() + QStringLiteral("/"), locks.path());
    EXPECT_EQ(second.lockFilePath(), first->lockFilePath());
    EXPECT_FALSE(second.tryAcquire());

    SingleInstance otherFolder(folderB.path(), locks.path());
    EXPECT_TRUE(otherFolder.tryAcquire());

    first.reset();
    EXPECT_TRUE(second.tryAcquire());
}

TEST_F(SingleInstanceTest, emptyOrGarbledLockFile_doesNotBlock)
{
    for (const QByteArray& content : {QByteArray(), QByteArray("\xff\x00garbage\n"), QByteArray("1\nhost\n")}) {
        SingleInstance probe(folderA.path());
        {
            QFile f(probe.lockFilePath());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        }
        EXPECT_TRUE(probe.tryAcquire());
        SingleInstance another(folderA.path());
        EXPECT_FALSE(another.tryAcquire());
    }
}

TEST_F(SingleInstanceTest, oneFolder_oneInstanceWhateverTheRuntimeFolder)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(locks.path()));
    SingleInstance first(folderA.path());
    ASSERT_TRUE(first.tryAcquire());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folderB.path()));
    SingleInstance second(folderA.path());
    EXPECT_FALSE(second.tryAcquire());
    qputenv("XDG_RUNTIME_DIR", saved);
    EXPECT_TRUE(first.lockFilePath().startsWith(QDir(folderA.path()).canonicalPath()));
}

TEST_F(SingleInstanceTest, secondProgram_exitsAtOnceAndSilently)
{
    const QString exe = test::builtProgram();
    if (exe.isEmpty())
        GTEST_SKIP() << "the built program is not there";

    test::TempProgram p;
    SingleInstance running(p.path()); // the lock in the program folder, as the program uses
    ASSERT_TRUE(running.tryAcquire());

    QProcess second;
    test::startOnFolder(second, exe, p.path());
    // Had it passed the lock, it would now wait in its event loop or in a
    // message box and never finish by itself.
    const bool finished = second.waitForFinished(60000);
    if (!finished) {
        second.kill();
        second.waitForFinished();
    }
    ASSERT_TRUE(finished);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
}
