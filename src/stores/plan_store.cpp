#include "stores/plan_store.h"

#include "platform/registry_store.h"
#include "stores/current_plan.h"
#include "stores/plan_codec.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace orvalen {

namespace {

constexpr int kCheckone = 7;

RegistryStore::Value storedValue(const ClockPlan& plan, int index)
{
    if (index == plan_codec::kTixingtimeField)
        return RegistryStore::Value::ofDword(plan.tixingtime);
    return RegistryStore::Value::ofText(plan_codec::fieldText(plan, index));
}

// Takes one stored value into the plan; false when it is absent or does not
// convert (the field then keeps what it held).
bool take(ClockPlan& plan, int index, const std::optional<RegistryStore::Value>& value)
{
    if (!value)
        return false;
    if (index == plan_codec::kTixingtimeField) {
        if (value->type == RegistryStore::Type::Dword) {
            plan.setTixingtime(value->dword);
            return true;
        }
        return value->type == RegistryStore::Type::String && plan_codec::setFieldText(plan, index, value->text);
    }
    if (value->type != RegistryStore::Type::String)
        return false;
    return plan_codec::setFieldText(plan, index, value->text);
}

void raiseOldDate(ClockPlan& plan)
{
    const QDate first(2000, 1, 1);
    if (plan.time_date.isValid() && plan.time_date < first)
        plan.time_date = first;
}

} // namespace

bool savePlan(RegistryStore& registry, const ClockPlan& plan, QString* error, SaveReport report)
{
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    values.reserve(plan_codec::kFieldCount);
    for (int i = 0; i < plan_codec::kFieldCount; ++i)
        values.emplace_back(plan_codec::fieldNames().at(i), storedValue(plan, i));
    return registry.writeValues(values, error, report); // one write: never half a plan
}

bool savePlanFields(RegistryStore& registry, const ClockPlan& plan, const QStringList& names)
{
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    for (const QString& name : names) {
        const int index = plan_codec::fieldIndex(name);
        if (index < 0)
            return false;
        values.emplace_back(name, storedValue(plan, index));
    }
    return registry.writeValues(values);
}

bool loadPlanField(const RegistryStore& registry, ClockPlan& plan, const QString& name)
{
    const int index = plan_codec::fieldIndex(name);
    return index >= 0 && take(plan, index, registry.read(name));
}

void loadPlan(const RegistryStore& registry, ClockPlan& plan, const QDate& today)
{
    std::vector<std::optional<RegistryStore::Value>> stored;
    stored.reserve(plan_codec::kFieldCount);
    for (int i = 0; i < plan_codec::kFieldCount; ++i)
        stored.push_back(registry.read(plan_codec::fieldNames().at(i)));

    // Everything stored and readable: taken as it is.
    ClockPlan attempt = plan;
    bool allRead = true;
    for (int i = 0; i < plan_codec::kFieldCount; ++i)
        allRead = take(attempt, i, stored[size_t(i)]) && allRead;
    if (allRead) {
        plan = attempt;
        raiseOldDate(plan);
        return;
    }

    // Something is missing: a checkone that is not 7 characters means no
    // usable plan is stored, and the whole plan becomes the default one.
    const auto& checkone = stored[size_t(kCheckone)];
    if (!checkone || checkone->type != RegistryStore::Type::String || checkone->text.size() != 7) {
        plan = ClockPlan::defaults(today);
        raiseOldDate(plan);
        return;
    }

    // Otherwise every field that reads is taken; a missing text becomes "",
    // a time, date or number that does not convert keeps what it held.
    for (int i = 0; i < plan_codec::kFieldCount; ++i) {
        if (take(plan, i, stored[size_t(i)]))
            continue;
        if (plan_codec::isTextField(i))
            plan_codec::setFieldText(plan, i, QString(""));
    }
    raiseOldDate(plan);
}

bool saveStyleFields(RegistryStore& registry, const ClockPlan& plan, StyleFields fields)
{
    switch (fields) {
    case StyleFields::DateLineLook: return savePlanFields(registry, plan, {"stagefont", "stagecolour"});
    case StyleFields::DateLineLookAndSizes:
        return savePlanFields(registry, plan, {"stagefont", "stagecolour", "sizethree"});
    case StyleFields::ClockLookAndSizes: return savePlanFields(registry, plan, {"clockFont", "clockcolour", "sizethree"});
    case StyleFields::ClockColour: return savePlanFields(registry, plan, {"clockcolour"});
    }
    return false;
}

StoredDateLineStyle loadDateLineStyle(const RegistryStore& registry)
{
    StoredDateLineStyle style;
    style.font = registry.readText(QStringLiteral("stagefont"));
    if (const std::optional<QString> colour = registry.readText(QStringLiteral("stagecolour")))
        style.colour = PlanColour::fromText(*colour);
    const QStringList sizes = registry.readText(QStringLiteral("sizethree")).value_or(QString()).split(u'/');
    constexpr int kDateLineEntry = 3;
    if (sizes.size() <= kDateLineEntry)
        return style;
    const QString entry = sizes.at(kDateLineEntry);
    qint64 digits = 0;
    for (const QChar c : entry) {
        if (!c.isDigit() || c.unicode() > u'9')
            break;
        digits = std::min<qint64>(digits * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    style.sizeDigits = int(digits);
    style.size = fontSizeOfText(entry);
    return style;
}

void takeStoredDateLineStyle(const RegistryStore& registry, ClockPlan& plan)
{
    const StoredDateLineStyle dateLine = loadDateLineStyle(registry);
    plan.stagefont = dateLine.font.value_or(QString());
    plan.stagecolour = dateLine.colour.value_or(PlanColour{});
}

void loadCurrentPlan(const RegistryStore& registry, CurrentPlan& current, const QDate& today)
{
    ClockPlan loaded = current.plan();
    loadPlan(registry, loaded, today);
    if (loaded.longTerm)
        takeStoredDateLineStyle(registry, loaded);
    current.replace(loaded);
}

bool deletePlan(RegistryStore& registry)
{
    return registry.removeValues(plan_codec::fieldNames());
}

} // namespace orvalen
