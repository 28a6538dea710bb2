#pragma once
#include <QString>

namespace orvalen {
class RegistryStore;

// The program's registry values outside the current plan.
namespace registry_values {
int clockmode(const RegistryStore& r);          // clock source 0..2; absent = 0
void set_clockmode(RegistryStore& r, int mode);
bool simple(const RegistryStore& r);
void set_simple(RegistryStore& r, bool on);
bool time_record(const RegistryStore& r);       // statistics on when non-zero
void set_time_record(RegistryStore& r, bool on);
// Copy of a saved element position (twips); absent -> fallback.
int position_left(const RegistryStore& r, int element, int fallback);
int position_top(const RegistryStore& r, int element, int fallback);
void set_position(RegistryStore& r, int element, int left, int top);
} // namespace registry_values

} // namespace orvalen
