#pragma once
#include <QColor>
#include <QString>

namespace orvalen {

// Colours are kept as the decimal text of a 32-bit colour value: 0x00BBGGRR
// for a plain colour, 0x80000000 | index for a system colour. These turn
// such a value into a colour to paint with.

// The colour of a 32-bit value. System colours map to the application
// palette (5 window background, 8 window text, 4 menu, ...). A value that is
// neither (other high bits set, or an unknown system index) gives `fallback`.
QColor colour_from_value(qint64 value, const QColor& fallback = QColor());
// The colour of a stored text: its leading number as a 32-bit value.
// Returns an invalid QColor when the text names no usable colour, so callers
// can leave their target unchanged.
QColor colour_from_text(const QString& text);
// Back to the stored form for a plain colour: the decimal text of
// red + 256 * green + 65536 * blue.
QString colour_to_text(const QColor& colour);

} // namespace orvalen
