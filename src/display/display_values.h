#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace orvalen {

// A number rounded half-to-even to a 16-bit integer; nullopt when it does not
// fit (the conversion fails and its target stays as it was).
std::optional<int> toInt16(double value);
// The same for 32 bits.
std::optional<int> toInt32(double value);

// True when a stored picture name is a bare file name: not empty, without
// "/", "\" or "..", so it can only name a file inside picture/.
bool isBareFileName(const QString& name);

} // namespace orvalen
