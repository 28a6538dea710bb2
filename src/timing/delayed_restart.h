#pragma once
#include "timing/engine_context.h"

namespace orvalen {

class RunCommands;

// The delay after a run that ended with reset or next plan (restartTick, every
// second). The end of the run leaves the delay in whole seconds in the
// count session's restart seconds; each tick counts it down by one, and the
// tick after it reached 0 starts the next run. With the delay switched off
// (the plan's restartsAfterDelay) the first tick starts it.
class DelayedRestart {
public:
    DelayedRestart(const EngineContext& engine, RunCommands& commands);

    void advanceRestart();

private:
    EngineContext m_engine;
    RunCommands& m_commands;
};

} // namespace orvalen
