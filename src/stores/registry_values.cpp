#include "stores/registry_values.h"

#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "stores/time_data_keys.h"

namespace orvalen::registry_values {

std::optional<int> readNumber(const RegistryStore& r, const QString& name)
{
    const auto value = r.read(name);
    if (!value)
        return std::nullopt;
    switch (value->type) {
    case RegistryStore::Type::Dword: return value->dword;
    case RegistryStore::Type::String: return leadingInt(value->text);
    case RegistryStore::Type::Other: break;
    }
    return std::nullopt;
}

int clockmode(const RegistryStore& r)
{
    const int mode = readNumber(r, QStringLiteral("clockmode")).value_or(0);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

bool setClockmode(RegistryStore& r, int mode)
{
    return r.writeDword(QStringLiteral("clockmode"), mode);
}

bool simple(const RegistryStore& r)
{
    return readNumber(r, QStringLiteral("simple")).value_or(0) != 0;
}

bool setSimple(RegistryStore& r, bool on)
{
    return r.writeDword(QStringLiteral("simple"), on ? 1 : 0);
}

bool timeRecord(const RegistryStore& r)
{
    return readNumber(r, QStringLiteral("Time_Record")).value_or(0) != 0;
}

bool setTimeRecord(RegistryStore& r, bool on)
{
    return r.writeDword(QStringLiteral("Time_Record"), on ? 1 : 0);
}

int positionLeft(const RegistryStore& r, int element, int fallback)
{
    return readNumber(r, time_data::pictureLeftKey(element)).value_or(fallback);
}

int positionTop(const RegistryStore& r, int element, int fallback)
{
    return readNumber(r, time_data::pictureTopKey(element)).value_or(fallback);
}

bool setPosition(RegistryStore& r, int element, int left, int top)
{
    return r.writeValues({{time_data::pictureLeftKey(element), RegistryStore::Value::ofDword(left)},
                          {time_data::pictureTopKey(element), RegistryStore::Value::ofDword(top)}});
}

std::optional<QString> vision(const RegistryStore& r)
{
    return r.readText(QStringLiteral("vision"));
}

bool setVision(RegistryStore& r, const QString& version)
{
    return r.writeText(QStringLiteral("vision"), version);
}

} // namespace orvalen::registry_values
