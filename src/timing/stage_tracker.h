#pragma once
#include "stores/stage.h"

#include <array>
#include <optional>
#include <vector>

namespace orvalen {

// Decides which alarm stages a count-down tick brings. The tick tests the
// remaining whole seconds against the plan's alarm times; here every whole
// second that the count has newly reached since the previous tick is tested
// once, highest first, so a late tick misses no alarm and two ticks within
// one second never fire a stage twice.
class StageTracker {
public:
    // A new run of a plan of this length: nothing has been tested yet.
    void reset(int planSeconds);

    // The alarm stages to change to, in order, now that the count has
    // reached `current` whole seconds. A second equal to the plan length
    // brings no stage; of alarms with equal times only the lowest fires.
    // alarmSeconds holds the alarm times (the other stages' are not read).
    std::vector<Stage> reach(int current, int planSeconds, const PerStage<int>& alarmSeconds);

private:
    // The lowest second tested so far (nothing below it is tested yet).
    std::optional<long long> m_lowestTested;
};

} // namespace orvalen
