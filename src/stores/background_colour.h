#pragma once
#include "stores/ini_store.h"
#include "stores/plan_colour.h"

namespace orvalen {

// The display's background colour as 背景设置 keeps it in TimeData.db: a
// whole number (its stored text's leading whole number; "0" when it has
// none).
PlanColour readBackgroundColour(const IniStore& ini);
void writeBackgroundColour(IniEdit& edit, const PlanColour& colour);

} // namespace orvalen
