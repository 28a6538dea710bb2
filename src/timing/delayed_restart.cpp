#include "timing/delayed_restart.h"

#include "stores/clock_plan.h"
#include "stores/run_state.h"
#include "timing/run_commands.h"

namespace orvalen {

DelayedRestart::DelayedRestart(const EngineContext& engine, RunCommands& commands)
    : m_engine(engine), m_commands(commands)
{
}

void DelayedRestart::advanceRestart()
{
    EngineTimers& timers = m_engine.timers;
    int& left = m_engine.module.restart_seconds_left;
    timers.restartTick->setEnabled(false);
    if (m_engine.module.clock_plan.restartsAfterDelay && left > 0) {
        left -= 1;
        // Off and on again: the next second starts now.
        timers.restartTick->setEnabled(true);
        return;
    }
    timers.blinkTick->setEnabled(false);
    // The run ended and its clear has already put the display back to
    // ready, so this starts the next run (or does nothing when the
    // operator started one meanwhile).
    m_commands.start_timing();
}

} // namespace orvalen
