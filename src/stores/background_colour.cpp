#include "stores/background_colour.h"

#include "stores/time_data_keys.h"

namespace orvalen {

PlanColour readBackgroundColour(const IniStore& ini)
{
    const QString stored = ini.read(time_data::kMarquee, time_data::kBackgroundColor, time_data::kBackgroundColorDefault);
    return PlanColour::fromWholeNumber(stored.trimmed());
}

void writeBackgroundColour(IniEdit& edit, const PlanColour& colour)
{
    edit.write(time_data::kMarquee, time_data::kBackgroundColor, colour.text);
}

} // namespace orvalen
