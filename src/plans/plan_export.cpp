#include "plans/plan_export.h"

#include "plans/plan_save_checks.h"
#include "platform/notifier.h"
#include "services/spreadsheet_export.h"
#include "stores/plan_repository.h"

#include <QDebug>

namespace orvalen {


void exportPlanTable(const PlanRepository& plans, const ProgramFolder& folder, Launcher& launcher, Notifier& notifier)
{
    ExportTable sheet;
    sheet.sheetName = QStringLiteral("sheet1");
    sheet.headers = QStringList{QStringLiteral("序号"), QStringLiteral("阶段名称"), QStringLiteral("动态文本"),
                                QStringLiteral("总时长"), QStringLiteral("长期计时")};
    const PlanResult read = plans.exportRows(&sheet.rows);
    if (!read.ok()) {
        qWarning().noquote() << "Plan export: the plans cannot be read:" << read.error;
        notifier.notice(read.status == PlanStatus::MissingFile
                            ? kMissingDeskDataText
                            : namingMissingLibrary({QStringLiteral("操作系统是精简版本，不支持本功能")}, read).text);
        return;
    }
    if (sheet.rows.isEmpty()) {
        notifier.notice(QStringLiteral("没有记录可导出"), Notifier::Icon::None, 800);
        return;
    }
    exportToSpreadsheet(folder, sheet, launcher, notifier);
}

} // namespace orvalen
