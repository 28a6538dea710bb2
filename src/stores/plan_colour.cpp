#include "stores/plan_colour.h"

#include "platform/text_path.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace orvalen {
namespace {

// The system colour indices of the desktop palette, by role.
QColor systemColour(int index, const QColor& fallback)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0: return pal.color(QPalette::Window);           // scroll bar
    case 1: return pal.color(QPalette::Window);           // desktop
    case 2: return pal.color(QPalette::Highlight);        // active caption
    case 3: return pal.color(QPalette::Mid);              // inactive caption
    case 4: return pal.color(QPalette::Window);           // menu
    case 5: return pal.color(QPalette::Base);             // window background
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 7: return pal.color(QPalette::WindowText);       // menu text
    case 8: return pal.color(QPalette::Text);             // window text
    case 9: return pal.color(QPalette::HighlightedText);  // caption text
    case 10: case 11: return pal.color(QPalette::Mid);    // borders
    case 12: return pal.color(QPalette::Dark);            // MDI background
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::PlaceholderText); // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::WindowText);      // inactive caption text
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 21: return pal.color(QPalette::Shadow);          // 3D dark shadow
    case 22: return pal.color(QPalette::Midlight);        // 3D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return fallback;
    }
}

} // namespace

QColor colourFromValue(qint64 value, const QColor& fallback)
{
    if (value < 0)
        value += 0x100000000LL; // the 32-bit pattern of a negative long
    if (value < 0 || value > 0xFFFFFFFFLL)
        return fallback;
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u) {
        if ((v & 0x7FFFFF00u) != 0)
            return fallback;
        return systemColour(int(v & 0xFFu), fallback);
    }
    if (v > 0x00FFFFFFu)
        return fallback;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor colourFromText(const QString& text)
{
    const double n = leadingNumber(text);
    if (!std::isfinite(n) || n < -2147483648.0 || n > 2147483647.0)
        return QColor();
    return colourFromValue(static_cast<qint64>(std::nearbyint(n)));
}

QColor PlanColour::colour(const QColor& fallback) const
{
    const QColor c = colourFromText(text);
    return c.isValid() ? c : fallback;
}

PlanColour PlanColour::fromSystemIndex(int index)
{
    return {QString::number(qint32(0x80000000u | quint32(index & 0xFF)))};
}

PlanColour PlanColour::asWholeValue() const
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    while (end < t.size() && (t[end].isDigit() || (end == 0 && t[end] == u'-')))
        ++end;
    bool ok = false;
    const qint64 v = t.left(end).toLongLong(&ok);
    return {QString::number(qint32(ok ? v : 0))};
}

PlanColour PlanColour::asLeadingWhole() const
{
    const double n = leadingNumber(text);
    return {QString::number(std::isfinite(n) ? qint64(n) : 0)};
}

PlanColour PlanColour::fromWholeNumber(const QString& stored)
{
    bool ok = false;
    const qint64 v = stored.toLongLong(&ok);
    return {QString::number(ok ? v : 0)};
}

QString colourToText(const QColor& colour)
{
    const qint64 v = qint64(colour.red()) | (qint64(colour.green()) << 8) | (qint64(colour.blue()) << 16);
    return QString::number(v);
}

} // namespace orvalen
