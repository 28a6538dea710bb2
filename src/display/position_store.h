#pragma once
#include <vector>

namespace orvalen {

struct AppContext;

// Keeps the place of display element N (twips): [clocksite] pictureleftN /
// picturetopN in TimeData.db and the same two 32-bit values in the per-user
// store. The two files are written independently, each in one save; a failure
// is told once per file (saveFile's failure handler). N = 9 holds the
// on-screen buttons flag (left 1 or 0, top 0).
void save_element_position(AppContext& ctx, int element, int left, int top);

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
void saveElementPositions(AppContext& ctx, const std::vector<ElementPlace>& places);

SavedPosition readElementPosition(const AppContext& ctx, int element);

} // namespace orvalen
