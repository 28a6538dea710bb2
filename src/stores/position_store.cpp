#include "stores/position_store.h"

#include "platform/registry_store.h"
#include "platform/save_file.h"
#include "platform/text_path.h"
#include "stores/ini_store.h"
#include "stores/registry_values.h"
#include "stores/time_data_keys.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace orvalen {
namespace {

int iniInt(const IniStore& ini, const QString& key)
{
    using namespace time_data;
    const QString text = ini.read(kClockSite, key, kPositionUnsaved);
    const double v = leadingNumber(text);
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        return 0;
    return int(r);
}

// A stored length in twips: a whole number and nothing else.
std::optional<int> wholeTwipsOf(const IniStore& ini, const QString& key)
{
    bool ok = false;
    const int v = ini.read(time_data::kClockSite, key, QString()).trimmed().toInt(&ok);
    return ok ? std::optional(v) : std::nullopt;
}

} // namespace

void saveElementPosition(IniStore& ini, RegistryStore& registry, int element, int left, int top)
{
    saveElementPositions(ini, registry, {{element, {left, top}}});
}

bool PlacesScreen::isReal() const
{
    // 160 pixels a side at 96 dpi; 1,000,000 twips is some 70,000 pixels.
    constexpr int kShortestSide = 2400;
    constexpr int kLongestSide = 1'000'000;
    constexpr int kLongestShape = 10;
    const int shorter = std::min(width, height), longer = std::max(width, height);
    return shorter >= kShortestSide && longer <= kLongestSide && longer <= kLongestShape * shorter;
}

std::optional<PlacesScreen> readPlacesScreen(const IniStore& ini)
{
    const std::optional<int> width = wholeTwipsOf(ini, time_data::kPlacesScreenWidth);
    const std::optional<int> height = wholeTwipsOf(ini, time_data::kPlacesScreenHeight);
    if (!width || !height)
        return std::nullopt;
    const PlacesScreen screen{*width, *height};
    return screen.isReal() ? std::optional(screen) : std::nullopt;
}

bool saveElementPositions(IniStore& ini, RegistryStore& registry, const std::vector<ElementPlace>& places,
                          std::optional<PlacesScreen> madeFor, SaveReport report)
{
    if (places.empty() && !madeFor)
        return true;
    IniEdit edit(ini);
    for (const ElementPlace& p : places)
        edit.write(time_data::kClockSite, time_data::pictureLeftKey(p.element), QString::number(p.place.left))
            .write(time_data::kClockSite, time_data::pictureTopKey(p.element), QString::number(p.place.top));
    if (madeFor)
        edit.write(time_data::kClockSite, time_data::kPlacesScreenWidth, QString::number(madeFor->width))
            .write(time_data::kClockSite, time_data::kPlacesScreenHeight, QString::number(madeFor->height));
    QString error;
    const bool saved = edit.save(&error);
    if (!saved && report == SaveReport::Once)
        reportSaveFailure(ini.file(), error);
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    for (const ElementPlace& p : places) {
        values.emplace_back(time_data::pictureLeftKey(p.element), RegistryStore::Value::ofDword(p.place.left));
        values.emplace_back(time_data::pictureTopKey(p.element), RegistryStore::Value::ofDword(p.place.top));
    }
    if (!values.empty())
        registry.writeValues(values);
    return saved;
}

SavedPosition readElementPosition(const IniStore& ini, const RegistryStore& registry, int element)
{
    SavedPosition p;
    p.left = iniInt(ini, time_data::pictureLeftKey(element));
    p.top = iniInt(ini, time_data::pictureTopKey(element));
    if (p.left == -100 || p.top == -100) {
        p.left = registry_values::positionLeft(registry, element, 0);
        p.top = registry_values::positionTop(registry, element, 0);
    }
    return p;
}

} // namespace orvalen
