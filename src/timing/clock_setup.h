#pragma once
#include "timing/engine_context.h"

#include <QString>
#include <functional>

namespace orvalen {

class Clock;
class LongTermTargetReader;

// The set-up of the long-term display (clockSetup, a queued call): for a
// plan whose long-term flag is set, it works out where the target stands,
// writes the first texts of the date line and of both clocks, styles every
// element from the plan and, unless the display is only being prepared,
// puts the menus into their running state and starts the long-term tick
// (longTermTick). A target that has already passed starts the tick even
// then, so the display shows the end at once.
class ClockSetup {
public:
    ClockSetup(const EngineContext& engine, const Clock& clock, LongTermTargetReader& targets);

    void setUpClock();

    // Called at the end of every set-up (the long-term tick repaints then).
    void setOnDone(std::function<void()> done) { m_onDone = std::move(done); }

private:
    QString promptText() const;
    void writeRunningState();

    EngineContext m_engine;
    const Clock& m_clock;
    LongTermTargetReader& m_targets;
    std::function<void()> m_onDone;
};

} // namespace orvalen
