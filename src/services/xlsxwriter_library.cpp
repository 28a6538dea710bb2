#include "services/xlsxwriter_library.h"

#include "platform/runtime_library.h"

#include <optional>

namespace orvalen {

namespace {

bool resolveXlsxwriter(RuntimeLibrary& library, XlsxwriterLibrary& f)
{
    return library.resolve("workbook_new", f.workbookNew) && library.resolve("workbook_close", f.workbookClose)
        && library.resolve("workbook_validate_sheet_name", f.workbookValidateSheetName)
        && library.resolve("workbook_add_worksheet", f.workbookAddWorksheet)
        && library.resolve("workbook_add_format", f.workbookAddFormat)
        && library.resolve("format_set_num_format_index", f.formatSetNumFormatIndex)
        && library.resolve("worksheet_set_column", f.worksheetSetColumn)
        && library.resolve("worksheet_write_string", f.worksheetWriteString)
        && library.resolve("lxw_strerror", f.strerror);
}

std::optional<XlsxwriterLibrary> loadXlsxwriter(QString* error)
{
    RuntimeLibrary library(QStringLiteral(ORVALEN_XLSXWRITER_LIBRARY));
    XlsxwriterLibrary functions;
    if (!resolveXlsxwriter(library, functions)) {
        *error = library.error();
        return std::nullopt;
    }
    library.keep(); // the functions stay valid to the end of the process
    return functions;
}

} // namespace

const XlsxwriterLibrary* xlsxwriterLibrary(QString* error)
{
    return loadedOnce<XlsxwriterLibrary>("export: libxlsxwriter is not available:", loadXlsxwriter, error);
}

} // namespace orvalen
