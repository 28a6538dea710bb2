#pragma once
#include "stores/clock_plan.h"

namespace orvalen {
class RegistryStore;

// The current plan mirrored in the registry store, one value per field,
// named as the fields (all text except tixingtime, a 32-bit value).
void save_plan(RegistryStore& registry, const ClockPlan& plan);
// Reads the stored plan into `plan`. When nothing usable is stored (checkone
// absent or not 7 characters) the whole plan becomes ClockPlan::defaults(today);
// otherwise every stored value is taken (an absent text becomes "", a time or
// date that does not convert keeps what `plan` held). A time_date before
// 2000-01-01 becomes 2000-01-01.
void load_plan(const RegistryStore& registry, ClockPlan& plan, const QDate& today);
void delete_plan(RegistryStore& registry);

} // namespace orvalen
