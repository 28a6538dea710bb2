#include "stores/plan_store.h"

#include "platform/registry_store.h"

#include <utility>
#include <vector>

namespace orvalen {

namespace {

constexpr int kTixingtime = 43;
constexpr int kCheckone = 7;

RegistryStore::Value stored_value(const ClockPlan& plan, int index)
{
    if (index == kTixingtime)
        return RegistryStore::Value::ofDword(plan.tixingtime);
    return RegistryStore::Value::ofText(plan.fieldText(index));
}

// Takes one stored value into the plan; false when it is absent or does not
// convert (the field then keeps what it held).
bool take(ClockPlan& plan, int index, const std::optional<RegistryStore::Value>& value)
{
    if (!value)
        return false;
    if (index == kTixingtime) {
        if (value->type == RegistryStore::Type::Dword) {
            plan.setTixingtime(value->dword);
            return true;
        }
        return value->type == RegistryStore::Type::String && plan.setFieldText(index, value->text);
    }
    if (value->type != RegistryStore::Type::String)
        return false;
    return plan.setFieldText(index, value->text);
}

void raise_old_date(ClockPlan& plan)
{
    const QDate first(2000, 1, 1);
    if (plan.time_date.isValid() && plan.time_date < first)
        plan.time_date = first;
}

} // namespace

bool save_plan(RegistryStore& registry, const ClockPlan& plan, QString* error, SaveReport report)
{
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    values.reserve(ClockPlan::kFieldCount);
    for (int i = 0; i < ClockPlan::kFieldCount; ++i)
        values.emplace_back(ClockPlan::fieldNames().at(i), stored_value(plan, i));
    return registry.writeValues(values, error, report); // one write: never half a plan
}

bool save_plan_fields(RegistryStore& registry, const ClockPlan& plan, const QStringList& names)
{
    std::vector<std::pair<QString, RegistryStore::Value>> values;
    for (const QString& name : names) {
        const int index = ClockPlan::fieldIndex(name);
        if (index < 0)
            return false;
        values.emplace_back(name, stored_value(plan, index));
    }
    return registry.writeValues(values);
}

bool load_plan_field(const RegistryStore& registry, ClockPlan& plan, const QString& name)
{
    const int index = ClockPlan::fieldIndex(name);
    return index >= 0 && take(plan, index, registry.read(name));
}

void load_plan(const RegistryStore& registry, ClockPlan& plan, const QDate& today)
{
    std::vector<std::optional<RegistryStore::Value>> stored;
    stored.reserve(ClockPlan::kFieldCount);
    for (int i = 0; i < ClockPlan::kFieldCount; ++i)
        stored.push_back(registry.read(ClockPlan::fieldNames().at(i)));

    // Everything stored and readable: taken as it is.
    ClockPlan attempt = plan;
    bool allRead = true;
    for (int i = 0; i < ClockPlan::kFieldCount; ++i)
        allRead = take(attempt, i, stored[size_t(i)]) && allRead;
    if (allRead) {
        plan = attempt;
        raise_old_date(plan);
        return;
    }

    // Something is missing: a checkone that is not 7 characters means no
    // usable plan is stored, and the whole plan becomes the default one.
    const auto& checkone = stored[size_t(kCheckone)];
    if (!checkone || checkone->type != RegistryStore::Type::String || checkone->text.size() != 7) {
        plan = ClockPlan::defaults(today);
        raise_old_date(plan);
        return;
    }

    // Otherwise every field that reads is taken; a missing text becomes "",
    // a time, date or number that does not convert keeps what it held.
    for (int i = 0; i < ClockPlan::kFieldCount; ++i) {
        if (take(plan, i, stored[size_t(i)]))
            continue;
        if (ClockPlan::isTextField(i))
            plan.setFieldText(i, QString(""));
    }
    raise_old_date(plan);
}

bool delete_plan(RegistryStore& registry)
{
    return registry.removeValues(ClockPlan::fieldNames());
}

} // namespace orvalen
