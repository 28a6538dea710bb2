#include "stores/current_plan.h"

namespace orvalen {

void CurrentPlan::replace(const ClockPlan& plan)
{
    if (plan == m_plan)
        return;
    m_plan = plan;
    emit changed();
}

} // namespace orvalen
