// Places that follow the screen: the stored places were made for one screen
// size; on a screen of another size every element goes to the same share of
// it, and the places are stored again for this screen.
#include "display/display_window.h"
#include "display/fonts.h"
#include "services/app_context.h"
#include "stores/places_in_proportion.h"
#include "stores/screen_shares.h"
#include "stores/time_data_keys.h"

#include <cmath>
#include <utility>

namespace orvalen {

void DisplayWindow::carryPlacesToThisScreen()
{
    const double tppX = m_layout.tppX(), tppY = m_layout.tppY();
    const PlacesScreen now{wholeTwips(tppX * screenWidthPx()), wholeTwips(tppY * screenHeightPx())};
    if (now.width <= 0 || now.height <= 0)
        return;
    const std::optional<PlacesScreen> then = readPlacesScreen(m_ctx.ini);
    if (then == now)
        return;
    // Places kept without their screen move nowhere: they are kept for this
    // screen, at once or after the start-up's first frame.
    if (!then && m_placesRecordWaits)
        return;
    std::vector<ElementPlace> places;
    if (then) {
        // Every element, the logo and the scrolling line's panel included,
        // is drawn at the screen's text scale.
        const double scaleThen = screenTextScale(int(std::lround(then->width / tppX)),
                                                 int(std::lround(then->height / tppY)));
        const double scaleNow = screenTextScale(int(std::lround(screenWidthPx())), int(std::lround(screenHeightPx())));
        for (int element : kPlacedElements) {
            // A place still kept as a share is made for every screen.
            if (storedShare(m_ctx.ini, time_data::pictureLeftKey(element))
                || storedShare(m_ctx.ini, time_data::pictureTopKey(element)))
                continue;
            const SavedPosition saved = readElementPosition(m_ctx.ini, m_ctx.registry, element);
            const QWidget* box = elementBox(DisplayElement(element));
            if ((saved.left <= 0 && saved.top <= 0) || !box)
                continue;
            const double widthNow = m_layout.twipsRect(box).width();
            const double widthThen = widthNow * scaleThen / scaleNow;
            places.push_back({element, placeInProportion(saved, *then, now, widthThen, widthNow)});
        }
    }
    saveElementPositions(m_ctx.ini, m_ctx.registry, places, now);
}

void DisplayWindow::recordPlacesForThisScreen()
{
    if (!std::exchange(m_placesRecordWaits, false) || m_screen.fullWidthPx <= 0 || m_screen.fullHeightPx <= 0)
        return;
    // Places shipped as shares of the screen become twips of this screen
    // (with the screen); places kept without one are kept for this one.
    storeSharesAsTwips(m_ctx.ini, m_ctx.registry, m_layout.tppX() * m_screen.fullWidthPx,
                       m_layout.tppY() * m_screen.fullHeightPx);
    carryPlacesToThisScreen();
}

} // namespace orvalen
