#pragma once
#include <QByteArray>
#include <QString>

namespace orvalen {

// Decodes the bytes of a settings file: a leading UTF-8 BOM is skipped; a
// UTF-16 file (with its BOM) is read as UTF-16; the text is UTF-8, or, when
// its non-ASCII bytes are mostly not UTF-8, GB18030 (a file copied from a
// Chinese Windows system). UTF-8 with a few damaged bytes reads with U+FFFD in
// their place. `clean` is false when any byte could not be decoded; such a
// text must never be written back over the file.
QString decodeSettingsText(QByteArray bytes, bool* clean, bool* hadBom = nullptr);

} // namespace orvalen
