#include "timing/stage_tracker.h"

#include <gtest/gtest.h>

namespace orvalen {
namespace {

TEST(StageTracker, onTimeTicks_fireEachAlarmOnceAtItsSecond)
{
    const std::array<int, 6> stages{0, 50, 40, 30, 20, 10};
    StageTracker t;
    t.reset(60);
    EXPECT_TRUE(t.reach(60, 60, stages).empty());
    EXPECT_TRUE(t.reach(51, 60, stages).empty());
    EXPECT_EQ(t.reach(50, 60, stages), std::vector<int>{1});
    // A second tick within the same second fires nothing again.
    EXPECT_TRUE(t.reach(50, 60, stages).empty());
    EXPECT_TRUE(t.reach(49, 60, stages).empty());
}

TEST(StageTracker, lateTick_firesEveryPassedAlarmHighestFirst)
{
    const std::array<int, 6> stages{0, 50, 40, 30, 20, 10};
    StageTracker t;
    t.reset(60);
    EXPECT_EQ(t.reach(35, 60, stages), (std::vector<int>{1, 2}));
    // The clock going back never fires a second time.
    EXPECT_TRUE(t.reach(45, 60, stages).empty());
    EXPECT_EQ(t.reach(30, 60, stages), std::vector<int>{3});
}

TEST(StageTracker, equalAlarmsAndTheLength_onlyTheLowestStageFires)
{
    const std::array<int, 6> stages{0, 60, 40, 40, 20, 0};
    StageTracker t;
    t.reset(60);
    EXPECT_EQ(t.reach(1, 60, stages), (std::vector<int>{2, 4}));
}

} // namespace
} // namespace orvalen
