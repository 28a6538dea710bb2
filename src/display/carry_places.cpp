// Places that follow the screen: the stored places were made for one screen
// size; on a screen of another size every element goes to the same share of
// it, and the places are stored again for this screen.
#include "display/display_window.h"
#include "display/fonts.h"
#include "display/placed_elements.h"
#include "services/app_context.h"
#include "stores/ini_store.h"
#include "stores/places_in_proportion.h"
#include "stores/screen_shares.h"
#include "stores/time_data_keys.h"

#include <QDebug>
#include <cmath>
#include <utility>

namespace orvalen {
namespace {

// The program keeps the places for the screen on its own: a TimeData.db that
// cannot be written is only logged here, and the operator hears of it when a
// change of theirs is not saved.
constexpr SaveReport kOwnRecord = SaveReport::ByCaller;

void logNotRecorded(const IniStore& ini)
{
    qWarning().noquote() << "The places are not recorded for this screen:" << ini.file() << "was not saved";
}

// A record that no real screen has is taken as none; said when the start
// records the places for this screen instead.
void logDamagedRecord(const IniStore& ini)
{
    if (readPlacesScreen(ini))
        return;
    const QString width = ini.read(time_data::kClockSite, time_data::kPlacesScreenWidth, QString());
    const QString height = ini.read(time_data::kClockSite, time_data::kPlacesScreenHeight, QString());
    if (!width.isEmpty() || !height.isEmpty())
        qWarning().noquote() << QStringLiteral("[clocksite] screenwidth=%1 screenheight=%2 is no screen: the places "
                                               "are taken as made for this one")
                                    .arg(width, height);
}

} // namespace

void DisplayWindow::carryPlacesToThisScreen()
{
    const double tppX = m_layout.tppX(), tppY = m_layout.tppY();
    const PlacesScreen now{wholeTwips(tppX * screenWidthPx()), wholeTwips(tppY * screenHeightPx())};
    if (!now.isReal())
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
        const double scaleNow = m_screen.textScale();
        for (int element : kPlacedElements) {
            // A place still kept as a share is made for every screen.
            if (storedShare(m_ctx.ini, time_data::pictureLeftKey(element))
                || storedShare(m_ctx.ini, time_data::pictureTopKey(element)))
                continue;
            const SavedPosition saved = readElementPosition(m_ctx.ini, m_ctx.registry, element);
            const QWidget* box = m_controls.elementBox(DisplayElement(element));
            if ((saved.left <= 0 && saved.top <= 0) || !box)
                continue;
            const double widthNow = m_layout.twipsRect(box).width();
            const double widthThen = widthNow * scaleThen / scaleNow;
            places.push_back({element, placeInProportion(saved, *then, now, widthThen, widthNow)});
        }
    }
    if (!saveElementPositions(m_ctx.ini, m_ctx.registry, places, now, kOwnRecord))
        logNotRecorded(m_ctx.ini);
}

void DisplayWindow::recordPlacesForThisScreen()
{
    if (!std::exchange(m_placesRecordWaits, false) || m_screen.fullWidthPx <= 0 || m_screen.fullHeightPx <= 0)
        return;
    logDamagedRecord(m_ctx.ini);
    // Places shipped as shares of the screen become twips of this screen
    // (with the screen); places kept without one are kept for this one.
    if (!storeSharesAsTwips(m_ctx.ini, m_ctx.registry, kPlacedElements, m_layout.tppX() * m_screen.fullWidthPx,
                            m_layout.tppY() * m_screen.fullHeightPx, kOwnRecord)) {
        logNotRecorded(m_ctx.ini);
        return;
    }
    carryPlacesToThisScreen();
}

} // namespace orvalen
