#pragma once
#include "timing/count_session.h"
#include "timing/engine_context.h"

#include <QList>
#include <QUrl>
#include <functional>
#include <memory>

namespace orvalen {

class CountEngine;
class DelayedRestart;
class LongTermDisplay;
class NetworkProbes;
class RunCommands;
class SystemClockSetter;

struct EngineLinks {
    // The network time's probes and the clock setter; without them the
    // real ones (web requests of the deferred network module, timed by the
    // context's timers; the system clock).
    NetworkProbes* probes = nullptr;
    SystemClockSetter* setter = nullptr;
    QList<QUrl> portals; // empty: defaultTimePortals()
    // Makes the run commands (tests count what they are asked); without
    // it, the plain RunCommands.
    std::function<std::unique_ptr<RunCommands>(const EngineContext&)> makeCommands;
};

// The engine behind a display, wired as the program runs it: the engine's
// timers, the run commands, the count engine, the long-term display with its
// network time calibration, and the delayed restart. The program and the
// tests build it the same way.
class DisplayEngine {
public:
    DisplayEngine(AppContext& app, HostState& host, CurrentPlan& plan, CountView& view, EngineLinks links = {});
    ~DisplayEngine();
    DisplayEngine(const DisplayEngine&) = delete;
    DisplayEngine& operator=(const DisplayEngine&) = delete;

    // Once the display has loaded: a long-term plan's set-up is queued.
    void displayLoaded();

    const EngineContext& context() const { return m_context; }
    CountSession& session() { return m_session; }
    EngineTimers& timers() { return m_timers; }
    RunCommands& commands() { return *m_commands; }
    CountEngine& counts() { return *m_counts; }
    LongTermDisplay& longTerm() { return *m_longTerm; }

private:
    EngineTimers m_timers;
    CountSession m_session;
    EngineContext m_context;
    std::unique_ptr<NetworkProbes> m_ownProbes;
    std::unique_ptr<SystemClockSetter> m_ownSetter;
    std::unique_ptr<RunCommands> m_commands;
    std::unique_ptr<CountEngine> m_counts;
    std::unique_ptr<LongTermDisplay> m_longTerm;
    std::unique_ptr<DelayedRestart> m_restart;
};

} // namespace orvalen
