#include "timing/stage_tracker.h"

#include <algorithm>

namespace orvalen {

void StageTracker::reset(int planSeconds)
{
    m_lowestTested = static_cast<long long>(planSeconds) + 1;
}

std::vector<Stage> StageTracker::reach(int current, int planSeconds, const PerStage<int>& alarmSeconds)
{
    // Without a run start (a tick that was never set up), only the second
    // reached now is tested.
    const long long lowest = m_lowestTested.value_or(static_cast<long long>(current) + 1);
    std::vector<Stage> stages;
    if (current >= lowest)
        return stages; // nothing new (or the clock went back: never test twice)
    m_lowestTested = current;

    // The seconds in [current, lowest - 1] that name an alarm, highest first.
    std::vector<int> seconds;
    for (Stage alarm : kAlarmStages) {
        const int s = alarmSeconds[alarm];
        if (s >= current && s < lowest && std::find(seconds.begin(), seconds.end(), s) == seconds.end())
            seconds.push_back(s);
    }
    std::sort(seconds.begin(), seconds.end(), std::greater<int>());
    for (int s : seconds) {
        if (s == planSeconds)
            continue;
        for (Stage alarm : kAlarmStages) {
            if (alarmSeconds[alarm] == s) {
                stages.push_back(alarm);
                break;
            }
        }
    }
    return stages;
}

} // namespace orvalen
