#include "services/spreadsheet_export.h"

#include "platform/notifier.h"
#include "platform/program_folder.h"
#include "platform/runtime_library.h"
#include "services/help_links.h"
#include "services/xlsxwriter_library.h"

#include <QDebug>
#include <QStandardPaths>

namespace orvalen {

namespace {

const QString kXlsxType = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

// WPS Office installs its spreadsheet program as "et".
bool wpsInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("et")).isEmpty();
}

void tell_csv_instead(Notifier& notifier)
{
    if (wpsInstalled())
        notifier.notice(QStringLiteral("1)WPS是早期版本，只能导出为csv文件，请升级到最新版本\r\r"
                                       "2)配置工具【兼容设置】要选中WPS Office兼容第三方系统和软件\r\r"
                                       "本次导出为csv文件，请升级WPS程序或更新设置"),
                        Notifier::Icon::Warning, 0, QStringLiteral("WPS程序提示"));
    else
        notifier.notice(QStringLiteral("没有安装WPS或Excel程序，导出为.csv文件"));
}

} // namespace

SpreadsheetExport exportToSpreadsheet(const ProgramFolder& folder, const ExportTable& table, Launcher& launcher,
                                        Notifier& notifier)
{
    if (table.rows.isEmpty()) {
        notifier.notice(QStringLiteral("没有要导出的数据"));
        return SpreadsheetExport::NoData;
    }
    const QString base = folder.file(table.sheetName);
    if (launcher.defaultApplication(kXlsxType).isEmpty()) {
        tell_csv_instead(notifier);
    } else {
        QString why;
        const QString workbook = base + QStringLiteral(".xlsx");
        if (writeXlsx(workbook, table, &why)) {
            openLinkOrFile(workbook, launcher, notifier);
            return SpreadsheetExport::Workbook;
        }
        qWarning().noquote() << "export: the workbook" << workbook << "was not written:" << why;
        // The spreadsheet program is there: a missing libxlsxwriter is named.
        QString unavailable;
        if (!xlsxwriterLibrary(&unavailable))
            notifier.notice(missingLibraryText(unavailable) + QStringLiteral("\r\r本次导出为csv文件"),
                            Notifier::Icon::Warning);
        else
            tell_csv_instead(notifier);
    }
    QString why;
    const QString csv = base + QStringLiteral(".csv");
    if (!writeCsv(csv, table, &why)) {
        qWarning().noquote() << "export:" << csv << "was not written:" << why;
        notifier.notice(why);
        return SpreadsheetExport::Failed;
    }
    openLinkOrFile(csv, launcher, notifier);
    return SpreadsheetExport::Csv;
}

} // namespace orvalen
