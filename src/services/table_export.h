#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace orvalen {

// A table handed to a spreadsheet: one header row, then the data rows, every
// cell a text.
struct ExportTable {
    QString sheetName;
    QStringList headers;
    QList<QStringList> rows;
};

// Writes the table as an Excel workbook with one sheet named after
// sheetName. Every cell is formatted as text, so "007" stays "007". The file
// is written whole or not at all. False when anything failed; `error`
// (optional) then says what.
bool writeXlsx(const QString& path, const ExportTable& table, QString* error);

// Writes the table as comma-separated text: UTF-8 with a byte-order mark,
// CR LF after every row and one more at the end; a field is quoted (quotes
// doubled) only when it holds a comma, a quote or a line break. A field that
// starts with "=", "+", "-", "@", a tab or a carriage return gets a leading
// apostrophe, so that spreadsheet programs read it as text, never as a
// formula; NUL characters are left out.
bool writeCsv(const QString& path, const ExportTable& table, QString* error);

} // namespace orvalen
