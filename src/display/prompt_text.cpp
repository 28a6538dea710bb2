#include "display/prompt_text.h"

namespace orvalen {

std::optional<QString> prompt_for(int code, const ClockPlan& plan)
{
    switch (code) {
    case 0:
        return flag_on(plan.checktwo, 1) ? plan.stageText[0] : QString();
    case 1: case 2: case 3: case 4: case 5:
        return flag_on(plan.checkone, code + 1) && flag_on(plan.checktwo, code + 1) ? plan.stageText[code] : QString();
    case 6:
        return flag_on(plan.checktwo, 7) ? plan.stageText[6] : QString();
    case 7:
        return QString();
    default:
        return std::nullopt;
    }
}

} // namespace orvalen
