#pragma once
#include <QString>
#include <optional>

namespace orvalen {
class RegistryStore;

// The program's registry values outside the current plan. Setters return
// false when the store could not be written.
namespace registry_values {
int clockmode(const RegistryStore& r);          // clock source 0..2; absent or other = 0
bool setClockmode(RegistryStore& r, int mode);
bool simple(const RegistryStore& r);
bool setSimple(RegistryStore& r, bool on);
bool timeRecord(const RegistryStore& r);       // statistics on when non-zero
bool setTimeRecord(RegistryStore& r, bool on);
// Copy of a saved element position (twips), under the same names as in
// TimeData.db (pictureleftN, picturetopN); absent -> fallback.
int positionLeft(const RegistryStore& r, int element, int fallback);
int positionTop(const RegistryStore& r, int element, int fallback);
bool setPosition(RegistryStore& r, int element, int left, int top);
// The settings version `vision` (a text holding a number); nullopt when absent.
std::optional<QString> vision(const RegistryStore& r);
bool setVision(RegistryStore& r, const QString& version);
// A 32-bit value; a text value counts with its leading number. nullopt when
// absent or of another type.
std::optional<int> readNumber(const RegistryStore& r, const QString& name);
} // namespace registry_values

} // namespace orvalen
