#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <optional>

namespace orvalen {

// The prompt text of a stage when the plan's flags allow it (a timed stage
// also needs its switch), else ""; nullopt (leave the prompt as it is)
// before the first run has reached a stage.
std::optional<QString> promptFor(std::optional<Stage> stage, const ClockPlan& plan);

} // namespace orvalen
