#include "plans/plan_loader.h"

#include "plans/plan_editor.h"
#include "platform/registry_store.h"
#include "stores/current_plan.h"
#include "stores/plan_repository.h"
#include "stores/plan_store.h"

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
    case PlanStatus::NoLibrary:
    case PlanStatus::Failed:
        return namingMissingLibrary(
            {QStringLiteral("标准用户或来宾用户权限限制，请用管理员账户设置"), 1200, QString()}, read);
    }

    ClockPlan plan = currentPlan.plan();
    const StoredDateLineStyle dateLine = loadDateLineStyle(registry);
    if (dateLine.font)
        plan.stagefont = *dateLine.font;
    if (dateLine.colour)
        plan.stagecolour = *dateLine.colour;
    plan.completeFontSizes();
    currentPlan.replace(plan);
    editor.loadSavedPlan(SavedPlan{row.id, row.name, row.movingText, row.plan}, dateLine);
    return std::nullopt;
}

} // namespace orvalen
