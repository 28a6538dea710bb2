#include "timing/display_engine.h"

#include "platform/system_clock_setter.h"
#include "services/app_context.h"
#include "services/deferred_module.h"
#include "services/network_probes.h"
#include "stores/current_plan.h"
#include "state/run_state.h"
#include "timing/count_engine.h"
#include "timing/delayed_restart.h"
#include "timing/long_term_display.h"
#include "timing/run_commands.h"

namespace orvalen {

DisplayEngine::DisplayEngine(AppContext& app, HostState& host, CurrentPlan& plan, CountView& view, EngineLinks links)
    : m_timers(app.timers), m_context{app, host, plan, m_session, view, m_timers}
{
    if (!links.probes) {
        m_ownProbes = std::make_unique<DeferredNetworkProbes>(app.timers);
        links.probes = m_ownProbes.get();
    }
    if (!links.setter) {
        m_ownSetter = std::make_unique<LinuxSystemClockSetter>();
        links.setter = m_ownSetter.get();
    }
    m_commands = links.makeCommands ? links.makeCommands(m_context) : std::make_unique<RunCommands>(m_context);
    m_counts = std::make_unique<CountEngine>(m_context, *m_commands);
    m_longTerm = std::make_unique<LongTermDisplay>(m_context, *m_commands, *links.probes, *links.setter,
                                                   links.portals);
    m_restart = std::make_unique<DelayedRestart>(m_context, *m_commands);
    m_timers.restartTick->setHandler([restart = m_restart.get()] { restart->advanceRestart(); });
}

DisplayEngine::~DisplayEngine()
{
    // Every timer stops before the parts its handlers call go.
    m_timers.restartTick->setHandler({});
    m_restart.reset();
    m_longTerm.reset();
    m_counts.reset();
    m_commands.reset();
}

void DisplayEngine::displayLoaded()
{
    if (m_context.plan.plan().longTerm)
        m_timers.clockSetup->post();
}

} // namespace orvalen
