#pragma once
#include "stores/plan_colour.h"

namespace orvalen {

// The display's names for the stored colour readers (stores/plan_colour.h).
inline QColor colour_from_value(qint64 value, const QColor& fallback = QColor())
{
    return colourFromValue(value, fallback);
}
inline QColor colour_from_text(const QString& text)
{
    return colourFromText(text);
}
inline QString colour_to_text(const QColor& colour)
{
    return colourToText(colour);
}

} // namespace orvalen
