#pragma once
#include <QColor>
#include <QString>

namespace orvalen {

// Colours are stored as the decimal text of a 32-bit colour value: 0x00BBGGRR
// for a plain colour, 0x80000000 | index for a system colour.

// The colour of a 32-bit value. System colours map to the application
// palette (5 window background, 8 window text, 4 menu, ...). A value that is
// neither (other high bits set, or an unknown system index) gives `fallback`.
QColor colourFromValue(qint64 value, const QColor& fallback = QColor());
// The colour of a stored text: its leading number as a 32-bit value.
// Returns an invalid QColor when the text names no usable colour.
QColor colourFromText(const QString& text);
// The stored form of a plain colour: the decimal text of
// red + 256 * green + 65536 * blue.
QString colourToText(const QColor& colour);

// A colour of a plan (or of the display's settings): the text it is stored
// as, kept as read (a system colour such as "-2147483640", or a damaged
// text), so writing it back stores it unchanged. Only the stores read or
// write that text; everyone else paints with colour().
struct PlanColour {
    QString text;

    static PlanColour fromText(const QString& stored) { return {stored}; }
    // A chosen plain colour, stored as colourToText(chosen).
    static PlanColour fromColour(const QColor& chosen) { return {colourToText(chosen)}; }
    // A colour of the desktop palette by its system index (5 the window
    // background, 8 the window text, ...), which follows the palette.
    static PlanColour fromSystemIndex(int index);

    // What it paints with, resolved when asked (a system colour follows the
    // palette of that moment); `fallback` (invalid unless given) when the
    // text names no usable colour. The one reading of the stored text.
    QColor colour(const QColor& fallback = QColor()) const;
    // The colour as the editor writes it back: the text's leading whole
    // number as a 32-bit value ("0" when it has none).
    PlanColour asWholeValue() const;
    // The text's leading number with its fraction dropped, as the background
    // window keeps a planned colour ("0" when it names no number).
    PlanColour asLeadingWhole() const;
    // A colour stored as a whole number; "0" when the text is none.
    static PlanColour fromWholeNumber(const QString& stored);
    bool operator==(const PlanColour&) const = default;
};

} // namespace orvalen
