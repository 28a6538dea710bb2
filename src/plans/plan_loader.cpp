#include "plans/plan_loader.h"

#include "plans/plan_editor.h"
#include "plans/plan_table.h"
#include "platform/registry_store.h"

namespace orvalen {

namespace {
const QString kDefaultSizeList = QStringLiteral("80/50/100/50/30/30/");

// Six sizes, each followed by "/".
bool size_list_well_formed(const QString& sizes)
{
    return sizes.split(QLatin1Char('/')).size() == 7;
}
} // namespace

std::optional<PlanMessage> load_named_plan(const PlanTable& table, const RegistryStore& registry,
                                           ClockPlan& currentPlan, PlanEditor& editor, const QString& name,
                                           QString* error)
{
    SavedPlan saved;
    const PlanTableResult read = table.read(name, &saved);
    *error = read.error;
    switch (read.status) {
    case PlanTableStatus::Done:
        break;
    case PlanTableStatus::MissingFile:
        return PlanMessage{kMissingDeskDataText};
    case PlanTableStatus::Incomplete:
        return PlanMessage{QStringLiteral("请保持文件完整，重新安装程序"), 800, QString()};
    case PlanTableStatus::NameTaken:
    case PlanTableStatus::NotFound:
    case PlanTableStatus::Failed:
        return PlanMessage{QStringLiteral("标准用户或来宾用户权限限制，请用管理员账户设置"), 1200, QString()};
    }

    std::optional<QString> stageFont;
    std::optional<QString> sizeList;
    stageFont = registry.readText(QStringLiteral("stagefont"));
    sizeList = registry.readText(QStringLiteral("sizethree"));
    if (stageFont)
        currentPlan.stagefont = *stageFont;
    if (const std::optional<QString> colour = registry.readText(QStringLiteral("stagecolour")))
        currentPlan.stagecolour = *colour;
    if (!size_list_well_formed(currentPlan.sizethree))
        currentPlan.sizethree = kDefaultSizeList;
    editor.loadSavedPlan(saved, stageFont, sizeList);
    return std::nullopt;
}

} // namespace orvalen
