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

// A colour of a plan: the text it is stored as, and the colour it paints
// with. The text is kept as read (a system colour such as "-2147483640",
// or a damaged text), so writing the plan back stores it unchanged; the
// colour is invalid when the text names no usable colour.
struct PlanColour {
    QString text;
    QColor colour;

    static PlanColour fromText(const QString& stored);
    // A chosen plain colour, stored as colourToText(colour).
    static PlanColour fromColour(const QColor& chosen);

    // The text decides: the colour follows from it.
    bool operator==(const PlanColour& other) const { return text == other.text; }
};

} // namespace orvalen
