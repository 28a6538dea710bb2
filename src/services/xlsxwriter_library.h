#pragma once
#include <QString>

#include <xlsxwriter.h>

namespace orvalen {

// The libxlsxwriter functions the table export calls. The library is loaded
// at the first export, not when the process starts: the first frame does not
// wait for it, and most runs never export.
struct XlsxwriterLibrary {
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_close) workbookClose = nullptr;
    decltype(&workbook_validate_sheet_name) workbookValidateSheetName = nullptr;
    decltype(&workbook_add_worksheet) workbookAddWorksheet = nullptr;
    decltype(&workbook_add_format) workbookAddFormat = nullptr;
    decltype(&format_set_num_format_index) formatSetNumFormatIndex = nullptr;
    decltype(&worksheet_set_column) worksheetSetColumn = nullptr;
    decltype(&worksheet_write_string) worksheetWriteString = nullptr;
    decltype(&lxw_strerror) strerror = nullptr;
};

// The library the program was built against, loaded on the first call (once,
// from any thread). Null when it cannot be loaded; the reason is logged once
// and given in *error on every call.
const XlsxwriterLibrary* xlsxwriterLibrary(QString* error = nullptr);

} // namespace orvalen
