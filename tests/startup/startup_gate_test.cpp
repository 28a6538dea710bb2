#include "services/app_context.h"
#include "startup/program_entry.h"
#include "startup/startup_gate.h"
#include "stores/plan_store.h"
#include "support/temp_program.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

using namespace orvalen;
using orvalen::test::TempProgram;

namespace {

class StartupGateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Every required file, whatever the template holds.
        for (const char* name : {"DeskData.db", "help.chm", "TimeData.db"}) {
            if (!p.context.folder.exists(QString::fromLatin1(name))) {
                ASSERT_TRUE(p.writeFile(QString::fromLatin1(name), "x"));
            }
        }
        ClockPlan plan = ClockPlan::defaults(QDate(2026, 1, 1));
        plan.firsttext = QStringLiteral("存着的标题");
        savePlan(p.registry, plan);
    }

    bool storedPlanSurvives() const { return p.registry.readText(QStringLiteral("firsttext")).has_value(); }
    std::optional<QString> vision() const { return p.registry.readText(QStringLiteral("vision")); }

    TempProgram p;
};

class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_old); }

private:
    QLocale m_old;
};

} // namespace

TEST_F(StartupGateTest, firstRun_deletesTheStoredPlanStoresTheVersionAndPasses)
{
    EXPECT_TRUE(startupCheck(p.registry, p.context.folder, p.notifier, {4, 0}));
    EXPECT_FALSE(storedPlanSurvives());
    EXPECT_EQ(vision(), QStringLiteral("4"));
    EXPECT_TRUE(p.notifier.shown.empty());
}

TEST_F(StartupGateTest, sameVersion_keepsTheStoredPlanAndPasses)
{
    for (const char* same : {"4", "4.0", " 4.00abc"}) {
        p.registry.writeText(QStringLiteral("vision"), QString::fromLatin1(same));
        EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {4, 0})) << same;
        EXPECT_TRUE(storedPlanSurvives()) << same;
    }
    // 4.1 is not a float trap: 4.1 x 10 compares equal to 41.
    p.registry.writeText(QStringLiteral("vision"), QStringLiteral("4.1"));
    EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {4, 1}));
    EXPECT_TRUE(storedPlanSurvives());
    EXPECT_TRUE(p.notifier.shown.empty());
}

TEST_F(StartupGateTest, newerStoredVersion_refusesWithOneMessageAndSkipsTheFileCheck)
{
    p.registry.writeText(QStringLiteral("vision"), QStringLiteral("4.1"));
    ASSERT_TRUE(QFile::remove(p.file(QStringLiteral("TimeData.db"))));

    int windowsOpened = 0;
    EXPECT_FALSE(startProgram(p.context, [&] { ++windowsOpened; }));
    EXPECT_EQ(windowsOpened, 0);
    EXPECT_EQ(p.notifier.texts(), QStringList{QStringLiteral("请使用最新版本")});
    EXPECT_EQ(p.notifier.shown.front().title, QStringLiteral("Orvalen"));
    EXPECT_EQ(vision(), QStringLiteral("4.1"));
    EXPECT_TRUE(storedPlanSurvives());
}

TEST_F(StartupGateTest, storedVersionThatIsNotANumber_countsAsOnePointZero)
{
    p.registry.writeText(QStringLiteral("vision"), QStringLiteral("abc"));
    EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {4, 0}));
    EXPECT_FALSE(storedPlanSurvives());
    EXPECT_EQ(vision(), QStringLiteral("4"));

    // A program 1.0 with "abc" stored: equal, nothing is reset.
    savePlan(p.registry, ClockPlan::defaults(QDate(2026, 1, 1)));
    p.registry.writeText(QStringLiteral("vision"), QStringLiteral("abc"));
    EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {1, 0}));
    EXPECT_TRUE(storedPlanSurvives());
}

TEST_F(StartupGateTest, versionsCompareTheSameInACommaDecimalLocale)
{
    DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {4, 1}));
    EXPECT_EQ(vision(), QStringLiteral("4.1"));
    EXPECT_TRUE(checkProgramVersion(p.registry, p.notifier, {4, 1}));
    EXPECT_FALSE(checkProgramVersion(p.registry, p.notifier, {4, 0}));
    EXPECT_EQ(p.notifier.texts(), QStringList{QStringLiteral("请使用最新版本")});
}

TEST_F(StartupGateTest, requiredFiles_areFoundWithoutRegardToCase)
{
    ASSERT_TRUE(QFile::rename(p.file(QStringLiteral("DeskData.db")), p.file(QStringLiteral("deskdata.DB"))));
    ASSERT_TRUE(QFile::rename(p.file(QStringLiteral("help.chm")), p.file(QStringLiteral("HELP.CHM"))));
    EXPECT_TRUE(checkProgramFiles(p.context.folder, p.notifier));
    EXPECT_TRUE(p.notifier.shown.empty());
}

TEST_F(StartupGateTest, anyRequiredFileMissing_refusesWithOneMessage)
{
    for (const char* name : {"DeskData.db", "help.chm", "TimeData.db"}) {
        TempProgram q;
        for (const char* other : {"DeskData.db", "help.chm", "TimeData.db"}) {
            if (!q.context.folder.exists(QString::fromLatin1(other))) {
                ASSERT_TRUE(q.writeFile(QString::fromLatin1(other), "x"));
            }
        }
        ASSERT_TRUE(QFile::remove(q.file(QString::fromLatin1(name))));
        EXPECT_FALSE(checkProgramFiles(q.context.folder, q.notifier)) << name;
        ASSERT_EQ(q.notifier.texts().size(), 1) << name;
        EXPECT_TRUE(q.notifier.texts()[0].startsWith(QStringLiteral("保持程序完整，请重新安装"))) << name;
        EXPECT_TRUE(q.notifier.texts()[0].contains(QString::fromLatin1(name), Qt::CaseInsensitive)) << name;
    }

    // All three missing, or a folder in place of a file: still one message.
    TempProgram empty;
    for (const char* name : {"DeskData.db", "help.chm", "TimeData.db"})
        QFile::remove(empty.file(QString::fromLatin1(name)));
    QDir().mkpath(empty.file(QStringLiteral("TimeData.db")));
    EXPECT_FALSE(checkProgramFiles(empty.context.folder, empty.notifier));
    EXPECT_EQ(empty.notifier.shown.size(), 1u);

    // A program folder that does not exist.
    test::RecordingNotifier notifier;
    EXPECT_FALSE(checkProgramFiles(ProgramFolder(p.file(QStringLiteral("no/such/folder"))), notifier));
    EXPECT_EQ(notifier.shown.size(), 1u);
}

TEST_F(StartupGateTest, missingTimeData_versionIsHandledFirstThenTheFilesRefuse)
{
    ASSERT_TRUE(QFile::remove(p.file(QStringLiteral("TimeData.db"))));
    int windowsOpened = 0;
    EXPECT_FALSE(startProgram(p.context, [&] { ++windowsOpened; }));
    EXPECT_EQ(windowsOpened, 0);
    EXPECT_EQ(vision(), QStringLiteral("%1").arg(ORVALEN_VERSION_MAJOR) +
                            (ORVALEN_VERSION_MINOR ? QStringLiteral(".%1").arg(ORVALEN_VERSION_MINOR) : QString()));
    ASSERT_EQ(p.notifier.texts().size(), 1);
    EXPECT_TRUE(p.notifier.texts()[0].startsWith(QStringLiteral("保持程序完整，请重新安装")));
    // Forgetting the sequence position did not bring the file back.
    EXPECT_FALSE(QFile::exists(p.file(QStringLiteral("TimeData.db"))));
}

TEST_F(StartupGateTest, passingStart_forgetsTheSequencePositionAndOpensTheWindowsOnce)
{
    ASSERT_TRUE(p.writeFile(QStringLiteral("TimeData.db"),
                            "[Marquee]\r\nMode=1\r\ncurrentrow=3\r\ncheckcycle=1\r\n[clocksite]\r\npictureleft9=0\r\n"));
    int windowsOpened = 0;
    EXPECT_TRUE(startProgram(p.context, [&] { ++windowsOpened; }));
    EXPECT_EQ(windowsOpened, 1);
    EXPECT_TRUE(p.notifier.shown.empty());
    EXPECT_EQ(p.ini.read(QStringLiteral("Marquee"), QStringLiteral("currentrow"), QStringLiteral("-10")),
              QStringLiteral("-10"));
    EXPECT_EQ(p.ini.read(QStringLiteral("Marquee"), QStringLiteral("checkcycle"), QStringLiteral("0")),
              QStringLiteral("1"));
    EXPECT_EQ(p.ini.read(QStringLiteral("Marquee"), QStringLiteral("Mode"), QStringLiteral("2")), QStringLiteral("1"));
}
