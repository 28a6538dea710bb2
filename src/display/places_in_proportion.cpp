// Places that follow the screen: the stored places were made for one screen
// size; on a screen of another size every element goes to the same share of
// it, and the places are stored again for this screen.
#include "display/places_in_proportion.h"

#include "display/display_window.h"
#include "display/fonts.h"
#include "display/screen_shares.h"
#include "stores/time_data_keys.h"

#include <cmath>

namespace orvalen {
namespace {

int wholeTwips(double v)
{
    const double r = std::nearbyint(v);
    return std::isfinite(r) && std::abs(r) < 2e9 ? int(r) : 0;
}

// Within this share of the screen's width of the middle counts as centred:
// the width an element had on the other screen is only estimated.
constexpr double kCentredTolerance = 0.01;

} // namespace

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

void DisplayWindow::carryPlacesToThisScreen()
{
    const double tppX = m_layout.tppX(), tppY = m_layout.tppY();
    const PlacesScreen now{wholeTwips(tppX * screenWidthPx()), wholeTwips(tppY * screenHeightPx())};
    if (now.width <= 0 || now.height <= 0)
        return;
    const std::optional<PlacesScreen> then = readPlacesScreen(m_ctx);
    if (then == now)
        return;
    std::vector<ElementPlace> places;
    if (then) {
        // The texts, clocks and buttons are drawn at the screen's text scale;
        // the logo and the scrolling line keep their sizes.
        const double scaleThen = screenTextScale(int(std::lround(then->width / tppX)),
                                                 int(std::lround(then->height / tppY)));
        const double scaleNow = screenTextScale(int(std::lround(screenWidthPx())), int(std::lround(screenHeightPx())));
        for (int element : kPlacedElements) {
            // A place still kept as a share is made for every screen.
            if (storedShare(m_ctx, time_data::pictureLeftKey(element))
                || storedShare(m_ctx, time_data::pictureTopKey(element)))
                continue;
            const SavedPosition saved = readElementPosition(m_ctx, element);
            const QWidget* box = elementBox(DisplayElement(element));
            if ((saved.left <= 0 && saved.top <= 0) || !box)
                continue;
            const auto e = DisplayElement(element);
            const bool fixedSize = e == DisplayElement::Logo || e == DisplayElement::ScrollingText;
            const double widthNow = m_layout.twipsRect(box).width();
            const double widthThen = fixedSize ? widthNow : widthNow * scaleThen / scaleNow;
            places.push_back({element, placeInProportion(saved, *then, now, widthThen, widthNow)});
        }
    }
    saveElementPositions(m_ctx, places, now);
}

} // namespace orvalen
