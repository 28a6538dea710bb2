#include "startup/stop_signals.h"

#include "stores/plan_repository.h"
#include "support/built_program.h"
#include "support/temp_program.h"
#include "support/wait_until.h"

#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

using namespace orvalen;

TEST(StopSignals, interruptAndHangUp_areEachAnnouncedFromTheEventLoop)
{
    StopSignals stop;
    ASSERT_TRUE(stop.isActive());
    int announced = 0;
    QObject::connect(&stop, &StopSignals::stopRequested, [&announced] { ++announced; });
    for (const int number : {SIGINT, SIGHUP}) {
        const int before = announced;
        ASSERT_EQ(std::raise(number), 0);
        EXPECT_TRUE(test::wait_until([&] { return announced > before; })) << number;
    }
}

TEST(StopSignals, signalsAfterTheListenerWent_areIgnored_neverEndTheProcess)
{
    {
        StopSignals closing;
        ASSERT_TRUE(closing.isActive());
    }
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        ASSERT_EQ(std::raise(number), 0); // the process lives on
    StopSignals next;
    int announced = 0;
    QObject::connect(&next, &StopSignals::stopRequested, [&announced] { ++announced; });
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 0);
}

TEST(ProgramStop, sigtermThenSighup_closeTheRunningProgramAsExitDoes_exitZero_andDeskDataHoldsThePlans)
{
    const QString exe = test::builtProgram();
    if (exe.isEmpty())
        GTEST_SKIP() << "the built program is not there";

    test::TempProgram p;
    {
        PlanRepository plans(p.context.folder);
        ASSERT_TRUE(plans.save(QStringLiteral("最后的计划"), QString(), ClockPlan::defaults(QDate(2026, 12, 9))).ok());
    }
    QProcess program;
    test::startOnFolder(program, exe, p.path());
    ASSERT_TRUE(program.waitForStarted());
    // The program writes its process id into its lock once it holds it,
    // after it has taken over the stop signals.
    const QByteArray pid = QByteArray::number(program.processId()) + '\n';
    const bool locked = test::wait_until([&] { return p.readFile(".orvalen.lock") == pid; }, 60000);
    // A second signal right behind the first, during the close-down,
    // changes nothing.
    if (locked) {
        program.terminate();
        ::kill(pid_t(program.processId()), SIGHUP);
    }
    const bool finished = program.waitForFinished(60000);
    if (!finished) {
        program.kill();
        program.waitForFinished();
    }
    ASSERT_TRUE(locked);
    ASSERT_TRUE(finished);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    QTemporaryDir venue;
    ASSERT_TRUE(QFile::copy(p.file("DeskData.db"), venue.filePath("DeskData.db")));
    PlanRepository carried{ProgramFolder(venue.path())};
    QList<PlanListEntry> entries;
    ASSERT_TRUE(carried.list(&entries).ok());
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.last().name, QStringLiteral("最后的计划"));
}
