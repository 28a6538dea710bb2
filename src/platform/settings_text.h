#pragma once
#include <QByteArray>
#include <QString>

namespace orvalen {

// Decodes the bytes of a settings file: a leading UTF-8 BOM is skipped; the
// text is UTF-8, or, when it is not valid UTF-8, GB18030 (a file copied from
// a Chinese Windows system). `clean` is false when the bytes are neither.
QString decode_settings_text(QByteArray bytes, bool* clean, bool* hadBom = nullptr);

} // namespace orvalen
