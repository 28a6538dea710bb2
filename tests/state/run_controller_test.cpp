#include "state/run_controller.h"
#include "timing/run_writer.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

RunState announced(const QSignalSpy& spy, int i)
{
    return spy.at(i).at(0).value<RunState>();
}

TEST(RunControllerTest, legalTransitions_moveAndAnnounceEachNewState)
{
    RunController run;
    QSignalSpy spy(&run, &RunController::stateChanged);
    EXPECT_TRUE(RunWriter(run).start());
    EXPECT_TRUE(RunWriter(run).start()); // a running count started again stays running, unannounced
    EXPECT_TRUE(RunWriter(run).pause());
    EXPECT_TRUE(RunWriter(run).resume());
    EXPECT_TRUE(RunWriter(run).finish());
    EXPECT_TRUE(RunWriter(run).clear());
    ASSERT_EQ(spy.count(), 5);
    const RunState expected[] = {RunState::Running, RunState::Paused, RunState::Running, RunState::Finished,
                                 RunState::Ready};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(announced(spy, i), expected[i]) << i;

    // A plan chosen after a stop starts at once; new settings reset any run.
    RunWriter(run).start();
    RunWriter(run).finish();
    EXPECT_TRUE(RunWriter(run).start());
    RunWriter(run).pause();
    RunWriter(run).markEnd();
    RunWriter(run).reset();
    EXPECT_EQ(run.state(), RunState::Ready);
    EXPECT_FALSE(run.endMarked());
}

TEST(RunControllerTest, illegalTransitions_changeNothingAndAnnounceNothing)
{
    RunController run;
    QSignalSpy spy(&run, &RunController::stateChanged);
    const auto refused = [&](RunState from, auto command) {
        const int announcedBefore = spy.count();
        EXPECT_FALSE((RunWriter(run).*command)()) << int(from);
        EXPECT_EQ(run.state(), from);
        EXPECT_EQ(spy.count(), announcedBefore);
    };
    for (auto command : {&RunWriter::pause, &RunWriter::resume, &RunWriter::finish, &RunWriter::clear})
        refused(RunState::Ready, command);

    RunWriter(run).start();
    for (auto command : {&RunWriter::resume, &RunWriter::clear})
        refused(RunState::Running, command);

    RunWriter(run).pause();
    for (auto command : {&RunWriter::start, &RunWriter::pause, &RunWriter::clear})
        refused(RunState::Paused, command);

    RunWriter(run).finish();
    for (auto command : {&RunWriter::pause, &RunWriter::resume, &RunWriter::finish})
        refused(RunState::Finished, command);
}

} // namespace
} // namespace orvalen::test
