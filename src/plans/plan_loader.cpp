#include "plans/plan_loader.h"

#include "plans/plan_editor.h"
#include "platform/registry_store.h"
#include "stores/current_plan.h"
#include "stores/plan_repository.h"

namespace orvalen {

std::optional<PlanMessage> loadNamedPlan(const PlanRepository& plans, const RegistryStore& registry,
                                           CurrentPlan& currentPlan, PlanEditor& editor, const QString& name,
                                           QString* error)
{
    PlanRow row;
    const PlanResult read = plans.read(name, ClockPlan{}, &row);
    *error = read.error;
    switch (read.status) {
    case PlanStatus::Done:
        break;
    case PlanStatus::MissingFile:
        return PlanMessage{kMissingDeskDataText};
    case PlanStatus::Incomplete:
        return PlanMessage{QStringLiteral("请保持文件完整，重新安装程序"), 800, QString()};
    case PlanStatus::NameTaken:
    case PlanStatus::NotFound:
    case PlanStatus::Failed:
        return PlanMessage{QStringLiteral("标准用户或来宾用户权限限制，请用管理员账户设置"), 1200, QString()};
    }

    std::optional<QString> stageFont;
    std::optional<QString> sizeList;
    ClockPlan plan = currentPlan.plan();
    stageFont = registry.readText(QStringLiteral("stagefont"));
    sizeList = registry.readText(QStringLiteral("sizethree"));
    if (stageFont)
        plan.stagefont = *stageFont;
    if (const std::optional<QString> colour = registry.readText(QStringLiteral("stagecolour")))
        plan.stagecolour = PlanColour::fromText(*colour);
    plan.completeFontSizes();
    currentPlan.replace(plan);
    editor.loadSavedPlan(SavedPlan{row.id, row.name, row.movingText, row.plan}, stageFont, sizeList);
    return std::nullopt;
}

} // namespace orvalen
