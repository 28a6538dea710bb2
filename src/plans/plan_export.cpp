#include "plans/plan_export.h"

#include "plans/plan_table.h"
#include "platform/notifier.h"
#include "services/environment_probes.h"
#include "services/help_links.h"
#include "services/table_export.h"

#include <QDebug>

namespace orvalen {

namespace {

const QString kCR = QStringLiteral("\r");

// Writes the table where the desktop can open it, or says why not.
void export_to_excel(const ExportTable& table, const ProgramFolder& folder, SystemQuery& system,
                     Launcher& launcher, Notifier& notifier)
{
    if (table.rows.isEmpty()) {
        notifier.notice(QStringLiteral("没有要导出的数据"));
        return;
    }
    QString path;
    QString error;
    bool written = false;
    if (reg_value_exists(system, QStringLiteral("Excel.Sheet\\CurVer"), QString())) {
        path = folder.file(table.sheetName + QStringLiteral(".xlsx"));
        written = write_xlsx(path, table, &error);
    } else {
        if (wps_installed(system)) {
            notifier.notice(QStringLiteral("1)WPS是早期版本，只能导出为csv文件，请升级到最新版本") + kCR + kCR
                                + QStringLiteral("2)配置工具【兼容设置】要选中WPS Office兼容第三方系统和软件") + kCR + kCR
                                + QStringLiteral("本次导出为csv文件，请升级WPS程序或更新设置"),
                            Notifier::Icon::Warning, 0, QStringLiteral("WPS程序提示"));
        } else {
            notifier.notice(QStringLiteral("没有安装WPS或Excel程序，导出为.csv文件"));
        }
        path = folder.file(table.sheetName + QStringLiteral(".csv"));
        written = write_csv(path, table, &error);
    }
    if (!written) {
        qWarning().noquote() << "Plan export: writing" << path << "failed:" << error;
        notifier.notice(QStringLiteral("无法写入文件 %1：%2").arg(path, error));
        return;
    }
    open_url(path, launcher, notifier);
}

} // namespace

void export_plan_table(const PlanTable& table, const ProgramFolder& folder, SystemQuery& system,
                       Launcher& launcher, Notifier& notifier)
{
    ExportTable sheet;
    sheet.sheetName = QStringLiteral("sheet1");
    sheet.headers = QStringList{QStringLiteral("序号"), QStringLiteral("阶段名称"), QStringLiteral("动态文本"),
                                QStringLiteral("总时长"), QStringLiteral("长期计时")};
    const PlanTableResult read = table.exportRows(&sheet.rows);
    if (!read.ok()) {
        qWarning().noquote() << "Plan export: the plans cannot be read:" << read.error;
        notifier.notice(read.status == PlanTableStatus::MissingFile ? kMissingDeskDataText
                                                                    : QStringLiteral("操作系统是精简版本，不支持本功能"));
        return;
    }
    if (sheet.rows.isEmpty()) {
        notifier.notice(QStringLiteral("没有记录可导出"), Notifier::Icon::None, 800);
        return;
    }
    export_to_excel(sheet, folder, system, launcher, notifier);
}

} // namespace orvalen
