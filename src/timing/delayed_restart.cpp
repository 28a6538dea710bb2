#include "timing/delayed_restart.h"

#include "stores/current_plan.h"
#include "state/run_state.h"
#include "timing/count_session.h"
#include "timing/run_commands.h"

namespace orvalen {

DelayedRestart::DelayedRestart(const EngineContext& engine, RunCommands& commands)
    : m_engine(engine), m_commands(commands)
{
}

void DelayedRestart::advanceRestart()
{
    EngineTimers& timers = m_engine.timers;
    CountSession& session = m_engine.session;
    timers.restartTick->setEnabled(false);
    if (m_engine.plan.plan().restartsAfterDelay == Switch::On && session.restartSecondsLeft() > 0) {
        session.setRestartSecondsLeft(session.restartSecondsLeft() - 1);
        // Off and on again: the next second starts now.
        timers.restartTick->setEnabled(true);
        return;
    }
    timers.blinkTick->setEnabled(false);
    // The run ended and its clear has already put the display back to
    // ready, so this starts the next run (or does nothing when the
    // operator started one meanwhile).
    m_commands.startTiming();
}

} // namespace orvalen
