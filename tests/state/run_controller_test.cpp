#include "state/run_controller.h"

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
    EXPECT_TRUE(run.runStateWriter().start());
    EXPECT_TRUE(run.runStateWriter().start()); // a running count started again stays running, unannounced
    EXPECT_TRUE(run.runStateWriter().pause());
    EXPECT_TRUE(run.runStateWriter().resume());
    EXPECT_TRUE(run.runStateWriter().finish());
    EXPECT_TRUE(run.runStateWriter().clear());
    ASSERT_EQ(spy.count(), 5);
    const RunState expected[] = {RunState::Running, RunState::Paused, RunState::Running, RunState::Finished,
                                 RunState::Ready};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(announced(spy, i), expected[i]) << i;

    // A plan chosen after a stop starts at once; new settings reset any run.
    run.runStateWriter().start();
    run.runStateWriter().finish();
    EXPECT_TRUE(run.runStateWriter().start());
    run.runStateWriter().pause();
    run.runStateWriter().markEnd();
    run.runStateWriter().reset();
    EXPECT_EQ(run.state(), RunState::Ready);
    EXPECT_FALSE(run.endMarked());
}

TEST(RunControllerTest, illegalTransitions_changeNothingAndAnnounceNothing)
{
    RunController run;
    QSignalSpy spy(&run, &RunController::stateChanged);
    const auto refused = [&](RunState from, auto command) {
        const int announcedBefore = spy.count();
        EXPECT_FALSE((run.runStateWriter().*command)()) << int(from);
        EXPECT_EQ(run.state(), from);
        EXPECT_EQ(spy.count(), announcedBefore);
    };
    for (auto command : {&RunStateWriter::pause, &RunStateWriter::resume, &RunStateWriter::finish, &RunStateWriter::clear})
        refused(RunState::Ready, command);

    run.runStateWriter().start();
    for (auto command : {&RunStateWriter::resume, &RunStateWriter::clear})
        refused(RunState::Running, command);

    run.runStateWriter().pause();
    for (auto command : {&RunStateWriter::start, &RunStateWriter::pause, &RunStateWriter::clear})
        refused(RunState::Paused, command);

    run.runStateWriter().finish();
    for (auto command : {&RunStateWriter::pause, &RunStateWriter::resume, &RunStateWriter::finish})
        refused(RunState::Finished, command);
}

} // namespace
} // namespace orvalen::test
