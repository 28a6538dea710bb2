#pragma once
#include "stores/position_store.h"

#include <QString>
#include <optional>
#include <span>

namespace orvalen {

class IniStore;
class RegistryStore;

// Places kept as shares of the screen. The program folder as built holds
// its [clocksite] places as shares ("picturetop5=40%": 40 % of the screen's
// height down; "pictureleft5=0" centres as always), so the first start can
// put the elements where they belong on whatever screen it finds. It then
// keeps them as twips, like every place the operator sets.

// The share the stored value of `key` holds (0.4 for "40%"), or none when
// it holds twips or nothing.
std::optional<double> storedShare(const IniStore& ini, const QString& key);
// The saved place of element N with shares taken on a screen of the given
// size in twips.
SavedPosition positionOnScreen(const IniStore& ini, const RegistryStore& registry, int element, double widthTwips,
                               double heightTwips);
// Turns every place of `elements` kept as a share into twips of that screen
// and keeps it, with that screen as the one the places are made for. False
// when TimeData.db was not saved; `report` says who tells the operator of that.
bool storeSharesAsTwips(IniStore& ini, RegistryStore& registry, std::span<const int> elements, double widthTwips,
                        double heightTwips, SaveReport report);

} // namespace orvalen
