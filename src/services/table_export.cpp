#include "services/table_export.h"

#include "services/save_file.h"
#include "services/xlsxwriter_library.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <utility>

namespace orvalen {

namespace {

// libxlsxwriter's functions. Only called once writeXlsx has loaded it.
const XlsxwriterLibrary& xlsxwriter()
{
    return *xlsxwriterLibrary();
}

// Closes (and so writes) the workbook unless it was closed on purpose, so
// that an early return frees everything libxlsxwriter allocated.
struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { xlsxwriter().workbookClose(workbook); }
};
using Workbook = std::unique_ptr<lxw_workbook, WorkbookCloser>;

bool fail(QString* error, const QString& what, lxw_error code)
{
    if (error)
        *error = what + QStringLiteral(": ") + QString::fromUtf8(xlsxwriter().strerror(code));
    return false;
}

bool fail(QString* error, const QString& what)
{
    if (error)
        *error = what;
    return false;
}

lxw_error write_row(lxw_worksheet* sheet, lxw_row_t row, const QStringList& cells, lxw_format* text)
{
    for (int column = 0; column < cells.size(); ++column) {
        const QByteArray utf8 = cells.at(column).toUtf8();
        const lxw_error result = xlsxwriter().worksheetWriteString(sheet, row, static_cast<lxw_col_t>(column),
                                                                     utf8.constData(), text);
        if (result != LXW_NO_ERROR)
            return result;
    }
    return LXW_NO_ERROR;
}

// A CSV field as written. A spreadsheet program takes a field that starts
// with one of "=+-@", a tab or a carriage return as a formula: such a field
// gets a leading apostrophe, so that it reads as the text it is. NUL
// characters are left out. The field is quoted only when a reader would
// split it otherwise.
QString csv_field(const QString& cell)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    static const QString special = QStringLiteral(",\"\r\n");
    QString field = cell;
    field.remove(QChar(u'\0'));
    if (!field.isEmpty() && formulaStarts.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    bool needsQuotes = false;
    for (const QChar c : std::as_const(field))
        needsQuotes = needsQuotes || special.contains(c);
    if (!needsQuotes)
        return field;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

void append_csv_row(QByteArray& out, const QStringList& cells)
{
    QStringList fields;
    fields.reserve(cells.size());
    for (const QString& cell : cells)
        fields.append(csv_field(cell));
    out += fields.join(QLatin1Char(',')).toUtf8();
    out += "\r\n";
}

} // namespace

bool writeXlsx(const QString& path, const ExportTable& table, QString* error)
{
    if (static_cast<qint64>(table.rows.size()) + 1 > LXW_ROW_MAX)
        return fail(error, QStringLiteral("too many rows for a worksheet"));
    QString unavailable;
    if (!xlsxwriterLibrary(&unavailable))
        return fail(error, unavailable);
    // libxlsxwriter writes straight to its file name; it builds the workbook
    // in a private folder, and the save helper then puts it in place whole.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(error, QStringLiteral("no temporary folder: ") + scratch.errorString());
    const QString scratchFile = scratch.filePath(QStringLiteral("export.xlsx"));
    const QByteArray scratchName = QFile::encodeName(scratchFile);
    const QByteArray sheetName = table.sheetName.toUtf8();

    Workbook workbook(xlsxwriter().workbookNew(scratchName.constData()));
    if (!workbook)
        return fail(error, QStringLiteral("the workbook could not be created"));
    const lxw_error nameCheck = xlsxwriter().workbookValidateSheetName(workbook.get(), sheetName.constData());
    if (nameCheck != LXW_NO_ERROR)
        return fail(error, QStringLiteral("sheet name \"%1\"").arg(table.sheetName), nameCheck);
    lxw_worksheet* sheet = xlsxwriter().workbookAddWorksheet(workbook.get(), sheetName.constData());
    if (!sheet)
        return fail(error, QStringLiteral("the worksheet could not be added"));
    lxw_format* text = xlsxwriter().workbookAddFormat(workbook.get());
    if (!text)
        return fail(error, QStringLiteral("the text format could not be added"));
    xlsxwriter().formatSetNumFormatIndex(text, 49); // the built-in text format "@"

    // Every column is text, so cells typed in later stay text as well.
    lxw_error result = xlsxwriter().worksheetSetColumn(sheet, 0, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH, text);
    if (result != LXW_NO_ERROR)
        return fail(error, QStringLiteral("formatting the columns"), result);
    result = write_row(sheet, 0, table.headers, text);
    for (int row = 0; result == LXW_NO_ERROR && row < table.rows.size(); ++row)
        result = write_row(sheet, static_cast<lxw_row_t>(row + 1), table.rows.at(row), text);
    if (result != LXW_NO_ERROR)
        return fail(error, QStringLiteral("writing the cells"), result);

    result = xlsxwriter().workbookClose(workbook.release());
    if (result != LXW_NO_ERROR)
        return fail(error, QStringLiteral("writing the workbook"), result);

    QFile built(scratchFile);
    if (!built.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("reading the workbook back: ") + built.errorString());
    return saveFile(path, built.readAll(), error);
}

bool writeCsv(const QString& path, const ExportTable& table, QString* error)
{
    QByteArray out("\xEF\xBB\xBF");
    append_csv_row(out, table.headers);
    for (const QStringList& row : table.rows)
        append_csv_row(out, row);
    out += "\r\n";
    return saveFile(path, out, error);
}

} // namespace orvalen
