#include "stores/places_in_proportion.h"

#include <cmath>

namespace orvalen {
namespace {

// Within this share of the screen's width of the middle counts as centred:
// the width an element had on the other screen is only estimated.
constexpr double kCentredTolerance = 0.01;

} // namespace

int wholeTwips(double v)
{
    const double r = std::nearbyint(v);
    return std::isfinite(r) && std::abs(r) < 2e9 ? int(r) : 0;
}

SavedPosition placeInProportion(SavedPosition saved, PlacesScreen from, PlacesScreen to, double widthThen,
                                double widthNow)
{
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0)
        return saved;
    SavedPosition moved = saved;
    if (saved.left > 0) {
        const double offCentre = saved.left + widthThen / 2.0 - from.width / 2.0;
        if (std::abs(offCentre) <= from.width * kCentredTolerance)
            moved.left = wholeTwips((to.width - widthNow) / 2.0);
        else
            moved.left = wholeTwips(double(saved.left) * to.width / from.width);
    }
    if (saved.top > 0)
        moved.top = wholeTwips(double(saved.top) * to.height / from.height);
    return moved;
}

} // namespace orvalen
