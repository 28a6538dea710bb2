#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <optional>

namespace orvalen {

// The prompt text of stage code `code` (0 start .. 6 end, 7 clear) when the
// plan's flags allow it, else ""; nullopt (leave the prompt as it is) for
// any other code.
std::optional<QString> promptFor(int code, const ClockPlan& plan);

} // namespace orvalen
