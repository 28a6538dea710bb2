#pragma once
#include "platform/save_file.h"
#include "stores/clock_plan.h"

#include <QStringList>

namespace orvalen {
class RegistryStore;

// The current plan mirrored in the registry store, one value per field,
// named as the fields (all text except tixingtime, a 32-bit value). All 51
// values go to the store in one atomic write. Returns false when the store
// could not be written.
bool savePlan(RegistryStore& registry, const ClockPlan& plan, QString* error = nullptr,
               SaveReport report = SaveReport::Once);
// Reads the stored plan into `plan`. When every value is there and converts,
// they are taken as stored (no further checks). Otherwise, when checkone is
// absent or not 7 characters, the whole plan becomes ClockPlan::defaults(today);
// else every stored value is taken (an absent text becomes "", a time, date
// or number that does not convert keeps what `plan` held). A time_date before
// 2000-01-01 becomes 2000-01-01.
void loadPlan(const RegistryStore& registry, ClockPlan& plan, const QDate& today);
// Removes the 51 values; removing from an empty store succeeds.
bool deletePlan(RegistryStore& registry);

// Some fields are also stored or read one by one (the element menu's font,
// colour and size choices, the clock set-up's date-line style), under the
// same names. Unknown names fail.
bool savePlanFields(RegistryStore& registry, const ClockPlan& plan, const QStringList& names);
// Takes one stored field into `plan`; false (field unchanged) when it is
// absent or does not convert.
bool loadPlanField(const RegistryStore& registry, ClockPlan& plan, const QString& name);

} // namespace orvalen
