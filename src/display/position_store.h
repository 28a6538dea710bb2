#pragma once
#include <optional>
#include <vector>

namespace orvalen {

struct AppContext;

// Keeps the place of display element N (twips): [clocksite] pictureleftN /
// picturetopN in TimeData.db and the same two 32-bit values in the per-user
// store. The two files are written independently, each in one save; a failure
// is told once per file (saveFile's failure handler). N = 9 holds the
// on-screen buttons flag (left 1 or 0, top 0).
void save_element_position(AppContext& ctx, int element, int left, int top);

// The elements that have a place: 0..7 and the buttons 10..14 (9 is a flag).
inline constexpr int kPlacedElements[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14};

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
// screenwidth / screenheight (none when either is missing or not positive).
struct PlacesScreen {
    int width = 0;
    int height = 0;
    bool operator==(const PlacesScreen&) const = default;
};
std::optional<PlacesScreen> readPlacesScreen(const AppContext& ctx);

// Several places at once, in one save of each file; `madeFor` is stored
// beside them in the same save of TimeData.db.
void saveElementPositions(AppContext& ctx, const std::vector<ElementPlace>& places,
                          std::optional<PlacesScreen> madeFor = std::nullopt);

SavedPosition readElementPosition(const AppContext& ctx, int element);

} // namespace orvalen
