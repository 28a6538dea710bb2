#include "display/display_values.h"

#include <cmath>

namespace orvalen {

std::optional<int> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return int(r);
}

std::optional<int> toInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return int(r);
}

std::optional<double> sizeEntry(const QString& sizes, int k)
{
    const QStringList parts = sizes.split(QLatin1Char('/'));
    if (k < 0 || k >= parts.size())
        return std::nullopt;
    bool ok = false;
    const double v = parts.at(k).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= 0 || v > 2048)
        return std::nullopt;
    return v;
}

bool isBareFileName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1String(".."));
}

} // namespace orvalen
