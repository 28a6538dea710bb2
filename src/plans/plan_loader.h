#pragma once
#include "plans/plan_save_checks.h"

#include <QString>
#include <optional>

namespace orvalen {

class CurrentPlan;
class PlanEditor;
class PlanRepository;
class RegistryStore;

// Loads the saved plan named `name` into the editor. The row is read whole
// first; then the date line's font and colour of the current plan are read
// again from the per-user store (each replaced only when its read succeeded),
// a malformed size list of the current plan becomes the default one, and the
// editor is filled, given the store's date line font and size list. Nothing is
// written anywhere. Returns the message to show when the plan could not be
// read (the editor and the current plan then stay as they were); *error
// holds the real cause for the log.
std::optional<PlanMessage> loadNamedPlan(const PlanRepository& plans, const RegistryStore& registry,
                                           CurrentPlan& currentPlan, PlanEditor& editor, const QString& name,
                                           QString* error);

} // namespace orvalen
