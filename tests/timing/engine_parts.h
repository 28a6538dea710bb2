#pragma once
#include "stores/current_plan.h"
#include "state/run_state.h"
#include "support/temp_program.h"
#include "timing/count_session.h"
#include "timing/engine_context.h"
#include "timing/fake_count_view.h"

namespace orvalen::test {

// What the run commands and the hotkeys are built on, without a display: a
// temporary program folder, the run state, the current plan, the count
// session, a view without widgets and the engine's timers on the folder's
// fake timers.
struct EngineParts {
    EngineContext context() { return {program.context, host, currentPlan, session, view, timers}; }

    TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    CountSession session;
    FakeCountView view;
    EngineTimers timers{program.timers};
};

} // namespace orvalen::test
