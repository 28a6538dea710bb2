#pragma once
#include "platform/save_file.h"

#include <optional>
#include <vector>

namespace orvalen {

class IniStore;
class RegistryStore;

// Keeps the place of display element N (twips): [clocksite] pictureleftN /
// picturetopN in TimeData.db (`ini`) and the same two 32-bit values in the
// per-user store (`registry`). The two files are written independently, each
// in one save; a failure is told once per file (saveFile's failure handler).
// N = 9 holds the on-screen buttons flag (left 1 or 0, top 0).
void saveElementPosition(IniStore& ini, RegistryStore& registry, int element, int left, int top);

// The saved place of element N as the layout reads it: the INI values
// (default -100, leading number rounded half-to-even); when either is -100,
// both come from the per-user store (absent = 0).
struct SavedPosition {
    int left = 0;
    int top = 0;
};

// Several places at once, in one save of each file.
struct ElementPlace {
    int element = 0;
    SavedPosition place;
};
// The screen the stored places were made for, in twips: [clocksite]
// screenwidth / screenheight.
struct PlacesScreen {
    int width = 0;
    int height = 0;
    bool operator==(const PlacesScreen&) const = default;
    // A size some real screen has: from a small screen to a wall of them,
    // neither side more than ten times the other.
    bool isReal() const;
};
// None when either key is missing, is no whole number or the two make no
// real screen: the places are then taken as made for the screen they are
// shown on.
std::optional<PlacesScreen> readPlacesScreen(const IniStore& ini);

// Several places at once, in one save of each file; `madeFor` is stored
// beside them in the same save of TimeData.db. False when TimeData.db was
// not saved; `report` says who tells the operator of that.
bool saveElementPositions(IniStore& ini, RegistryStore& registry, const std::vector<ElementPlace>& places,
                          std::optional<PlacesScreen> madeFor = std::nullopt, SaveReport report = SaveReport::Once);

SavedPosition readElementPosition(const IniStore& ini, const RegistryStore& registry, int element);

} // namespace orvalen
