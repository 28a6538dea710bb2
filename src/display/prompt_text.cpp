#include "display/prompt_text.h"

namespace orvalen {

std::optional<QString> promptFor(std::optional<Stage> stage, const ClockPlan& plan)
{
    if (!stage)
        return std::nullopt;
    const bool shown = plan.showsPromptAt(*stage) && (!isTimed(*stage) || plan.stageOn(*stage));
    return shown ? plan.stages[*stage].prompt : QString();
}

} // namespace orvalen
