#pragma once
#include "stores/clock_plan.h"

#include <QString>
#include <optional>

namespace orvalen {

class Statement;

// The 54 deskclock columns by name, comma-separated, for a SELECT.
QString deskclockSelectList();

// The plan of the current row of a statement that selected the deskclock
// columns: the 51 plan fields over `base`, and movetext into *movetext.
// nullopt with *error when a column is NULL or holds no valid value, so a
// damaged row is never taken half. A target date before 2000-01-01 reads as
// 2000-01-01 (no target date).
std::optional<ClockPlan> readDeskclockPlan(const Statement& row, const ClockPlan& base, QString* movetext,
                                             QString* error);

} // namespace orvalen
