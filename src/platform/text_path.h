#pragma once
#include <QString>

namespace orvalen {

// Text after the last "\" or "/"; the whole text when there is none.
QString fileNameOfPath(const QString& path);
// Cuts the text before its first character with code 13, 10, 9 or 0.
QString cutAtControlChar(const QString& text);
// Text after the last "." when no "\" or "/" follows it; else empty.
QString fileExtension(const QString& path);
// Width in full-width cells: a-z, A-Z, 0-9 and "." count 0.5, others 1.
double textDisplayWidth(const QString& text);
// The leading decimal number of a text: optional blanks, a sign, digits and
// one decimal point, skipping blanks inside it.
// "12ab" -> 12, "1 2" -> 12, "abc" -> 0, "" -> 0.
double leadingNumber(const QString& text);
// leadingNumber rounded to an int (half to even), clamped to 32 bits.
int leadingInt(const QString& text);

} // namespace orvalen
