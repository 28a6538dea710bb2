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
    EXPECT_TRUE(run.start());
    EXPECT_TRUE(run.start()); // a running count started again stays running, unannounced
    EXPECT_TRUE(run.pause());
    EXPECT_TRUE(run.resume());
    EXPECT_TRUE(run.finish());
    EXPECT_TRUE(run.clear());
    ASSERT_EQ(spy.count(), 5);
    const RunState expected[] = {RunState::Running, RunState::Paused, RunState::Running, RunState::Finished,
                                 RunState::Ready};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(announced(spy, i), expected[i]) << i;

    // A plan chosen after a stop starts at once; new settings reset any run.
    run.start();
    run.finish();
    EXPECT_TRUE(run.start());
    run.pause();
    run.markEnd();
    run.reset();
    EXPECT_EQ(run.state(), RunState::Ready);
    EXPECT_FALSE(run.endMarked());
}

TEST(RunControllerTest, illegalTransitions_changeNothingAndAnnounceNothing)
{
    RunController run;
    QSignalSpy spy(&run, &RunController::stateChanged);
    const auto refused = [&](RunState from, auto command) {
        const int announcedBefore = spy.count();
        EXPECT_FALSE((run.*command)()) << int(from);
        EXPECT_EQ(run.state(), from);
        EXPECT_EQ(spy.count(), announcedBefore);
    };
    for (auto command : {&RunController::pause, &RunController::resume, &RunController::finish, &RunController::clear})
        refused(RunState::Ready, command);

    run.start();
    for (auto command : {&RunController::resume, &RunController::clear})
        refused(RunState::Running, command);

    run.pause();
    for (auto command : {&RunController::start, &RunController::pause, &RunController::clear})
        refused(RunState::Paused, command);

    run.finish();
    for (auto command : {&RunController::pause, &RunController::resume, &RunController::finish})
        refused(RunState::Finished, command);
}

} // namespace
} // namespace orvalen::test
