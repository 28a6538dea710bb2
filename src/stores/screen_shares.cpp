#include "stores/screen_shares.h"

#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <cmath>

namespace orvalen {
namespace {

int twipsOf(double share, double extent)
{
    const double v = std::nearbyint(share * extent);
    return std::isfinite(v) && std::abs(v) < 2e9 ? int(v) : 0;
}

} // namespace

std::optional<double> storedShare(const IniStore& ini, const QString& key)
{
    const QString text = ini.read(time_data::kClockSite, key, QString()).trimmed();
    if (!text.endsWith(u'%'))
        return std::nullopt;
    bool ok = false;
    const double percent = text.chopped(1).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(percent) || percent < 0 || percent > 100)
        return std::nullopt;
    return percent / 100.0;
}

SavedPosition positionOnScreen(const IniStore& ini, const RegistryStore& registry, int element, double widthTwips,
                               double heightTwips)
{
    const auto left = storedShare(ini, time_data::pictureLeftKey(element));
    const auto top = storedShare(ini, time_data::pictureTopKey(element));
    SavedPosition p = readElementPosition(ini, registry, element);
    if (left)
        p.left = twipsOf(*left, widthTwips);
    if (top)
        p.top = twipsOf(*top, heightTwips);
    return p;
}

bool storeSharesAsTwips(IniStore& ini, RegistryStore& registry, std::span<const int> elements, double widthTwips,
                        double heightTwips, SaveReport report)
{
    std::vector<ElementPlace> places;
    for (int element : elements) {
        if (storedShare(ini, time_data::pictureLeftKey(element)) || storedShare(ini, time_data::pictureTopKey(element)))
            places.push_back({element, positionOnScreen(ini, registry, element, widthTwips, heightTwips)});
    }
    if (places.empty())
        return true;
    // The places are now made for this screen.
    const PlacesScreen screen{twipsOf(1.0, widthTwips), twipsOf(1.0, heightTwips)};
    return saveElementPositions(ini, registry, places, screen, report); // one save of each file
}

} // namespace orvalen
