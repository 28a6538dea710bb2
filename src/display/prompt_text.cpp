#include "display/prompt_text.h"

namespace orvalen {

std::optional<QString> promptFor(int code, const ClockPlan& plan)
{
    switch (code) {
    case 0:
        return plan.showsPromptAt(0) ? plan.stages[0].prompt : QString();
    case 1: case 2: case 3: case 4: case 5:
        return plan.stageOn(code) && plan.showsPromptAt(code) ? plan.stages[code].prompt : QString();
    case 6:
        return plan.showsPromptAt(6) ? plan.stages[6].prompt : QString();
    case 7:
        return QString();
    default:
        return std::nullopt;
    }
}

} // namespace orvalen
