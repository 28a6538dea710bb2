#pragma once
#include "platform/save_file.h"
#include "stores/clock_plan.h"

#include <QStringList>

namespace orvalen {
class CurrentPlan;
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

// The element menu's choices, each stored in one write: the date line's
// font and colour (with or without the size list), the clock's font,
// colour and size list, the clock's colour alone.
enum class StyleFields { DateLineLook, DateLineLookAndSizes, ClockLookAndSizes, ClockColour };
bool saveStyleFields(RegistryStore& registry, const ClockPlan& plan, StyleFields fields);

// The date line's look as the element menu stored it, apart from the plan
// in memory. A part not stored as a text is absent.
struct StoredDateLineStyle {
    std::optional<QString> font;
    std::optional<PlanColour> colour;
    // The date line's entry of the stored size list, when the list has one:
    // its leading digits (0 when none, at most 2^31-1) ...
    std::optional<int> sizeDigits;
    // ... and the size it draws at, when it reads as one (fontSizeOfText).
    std::optional<double> size;
};
StoredDateLineStyle loadDateLineStyle(const RegistryStore& registry);
// A long-term plan's date line shows the font and colour stored for it, not
// the plan's own: `plan` takes them (an absent font is "", an absent colour
// the empty colour).
void takeStoredDateLineStyle(const RegistryStore& registry, ClockPlan& plan);

// The program start: the current plan becomes the stored plan laid over it
// (loadPlan), a long-term plan with its stored date-line style.
void loadCurrentPlan(const RegistryStore& registry, CurrentPlan& current, const QDate& today);

} // namespace orvalen
