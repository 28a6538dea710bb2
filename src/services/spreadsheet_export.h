#pragma once
#include "services/table_export.h"

namespace orvalen {

class Launcher;
class Notifier;
class ProgramFolder;

enum class SpreadsheetExport {
    NoData,   // the table has no data rows: "没有要导出的数据"
    Workbook, // <folder>/<sheet name>.xlsx written and handed to the spreadsheet program
    Csv,      // <folder>/<sheet name>.csv written and opened
    Failed,   // nothing could be written; the operator was told why
};

// The program's one spreadsheet export. With a spreadsheet program
// registered for xlsx files the table becomes <folder>/<sheet name>.xlsx,
// which that program opens. Without one (or when the workbook cannot be
// written, which is logged) the operator is told that a CSV file is written
// instead (naming libxlsxwriter when it is what is missing), and
// <folder>/<sheet name>.csv is written and opened with the desktop. A file
// that failed to write is never opened.
SpreadsheetExport exportToSpreadsheet(const ProgramFolder& folder, const ExportTable& table, Launcher& launcher,
                                        Notifier& notifier);

} // namespace orvalen
