#include "startup/stop_signals.h"

#include "stores/plan_repository.h"
#include "support/built_program.h"
#include "support/temp_program.h"
#include "support/wait_until.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

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

TEST(ProgramStop, sigtermToTheRunningProgram_closesItAsExitDoes_andDeskDataHoldsThePlans)
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
    if (locked)
        program.terminate();
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
