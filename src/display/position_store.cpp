#include "display/position_store.h"

#include "platform/registry_store.h"
#include "platform/save_file.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "stores/ini_store.h"
#include "stores/registry_values.h"
#include "stores/time_data_keys.h"

#include <QString>
#include <cmath>

namespace orvalen {
namespace {

int iniInt(const AppContext& ctx, const QString& key)
{
    using namespace time_data;
    const QString text = ctx.ini.read(kClockSite, key, kPositionUnsaved);
    const double v = leadingNumber(text);
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        return 0;
    return int(r);
}

} // namespace

void save_element_position(AppContext& ctx, int element, int left, int top)
{
    saveElementPositions(ctx, {{element, {left, top}}});
}

std::optional<PlacesScreen> readPlacesScreen(const AppContext& ctx)
{
    const PlacesScreen screen{iniInt(ctx, time_data::kPlacesScreenWidth), iniInt(ctx, time_data::kPlacesScreenHeight)};
    if (screen.width <= 0 || screen.height <= 0)
        return std::nullopt;
    return screen;
}

void saveElementPositions(AppContext& ctx, const std::vector<ElementPlace>& places, std::optional<PlacesScreen> madeFor)
{
    if (places.empty() && !madeFor)
        return;
    IniEdit edit(ctx.ini);
    for (const ElementPlace& p : places)
        edit.write(time_data::kClockSite, time_data::pictureLeftKey(p.element), QString::number(p.place.left))
            .write(time_data::kClockSite, time_data::pictureTopKey(p.element), QString::number(p.place.top));
    if (madeFor)
        edit.write(time_data::kClockSite, time_data::kPlacesScreenWidth, QString::number(madeFor->width))
            .write(time_data::kClockSite, time_data::kPlacesScreenHeight, QString::number(madeFor->height));
    QString error;
    if (!edit.save(&error))
        reportSaveFailure(ctx.ini.file(), error);
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    for (const ElementPlace& p : places) {
        values.emplace_back(time_data::pictureLeftKey(p.element), RegistryStore::Value::ofDword(p.place.left));
        values.emplace_back(time_data::pictureTopKey(p.element), RegistryStore::Value::ofDword(p.place.top));
    }
    if (!values.empty())
        ctx.registry.writeValues(values);
}

SavedPosition readElementPosition(const AppContext& ctx, int element)
{
    SavedPosition p;
    p.left = iniInt(ctx, time_data::pictureLeftKey(element));
    p.top = iniInt(ctx, time_data::pictureTopKey(element));
    if (p.left == -100 || p.top == -100) {
        p.left = registry_values::positionLeft(ctx.registry, element, 0);
        p.top = registry_values::positionTop(ctx.registry, element, 0);
    }
    return p;
}

} // namespace orvalen
