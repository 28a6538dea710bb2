#include "timing/stage_tracker.h"

#include <gtest/gtest.h>

namespace orvalen {
namespace {

TEST(StageTracker, onTimeTicks_fireEachAlarmOnceAtItsSecond)
{
    const PerStage<int> stages{{0, 50, 40, 30, 20, 10}};
    StageTracker t;
    t.reset(60);
    EXPECT_TRUE(t.reach(60, 60, stages).empty());
    EXPECT_TRUE(t.reach(51, 60, stages).empty());
    EXPECT_EQ(t.reach(50, 60, stages), std::vector<Stage>{Stage::Alarm1});
    // A second tick within the same second fires nothing again.
    EXPECT_TRUE(t.reach(50, 60, stages).empty());
    EXPECT_TRUE(t.reach(49, 60, stages).empty());
}

TEST(StageTracker, lateTick_firesEveryPassedAlarmHighestFirst)
{
    const PerStage<int> stages{{0, 50, 40, 30, 20, 10}};
    StageTracker t;
    t.reset(60);
    EXPECT_EQ(t.reach(35, 60, stages), (std::vector<Stage>{Stage::Alarm1, Stage::Alarm2}));
    // The clock going back never fires a second time.
    EXPECT_TRUE(t.reach(45, 60, stages).empty());
    EXPECT_EQ(t.reach(30, 60, stages), std::vector<Stage>{Stage::Alarm3});
}

TEST(StageTracker, equalAlarmsAndTheLength_onlyTheLowestStageFires)
{
    const PerStage<int> stages{{0, 60, 40, 40, 20, 0}};
    StageTracker t;
    t.reset(60);
    EXPECT_EQ(t.reach(1, 60, stages), (std::vector<Stage>{Stage::Alarm2, Stage::SecondsCountDown}));
}

} // namespace
} // namespace orvalen
