#pragma once
#include "stores/clock_plan.h"
#include "stores/stage.h"

#include <QtGlobal>

namespace orvalen {

enum class CountTick;

// The writes of the run state. The run controller is the one implementation;
// only the timing folder (the run commands, the engine's set-ups and ticks)
// asks it for this side. Each command checks that it fits the state: one
// that does not changes nothing and is logged.
class RunStateWriter {
public:
    // A set-up starts the count: from ready, or over a finished run (a plan
    // chosen after a stop starts at once). Starting a running count again
    // (a plan chosen during a run) keeps it running.
    virtual bool start() = 0;
    virtual bool pause() = 0;
    virtual bool resume() = 0;
    // A command, a passed target or the overtime limit ended the run.
    virtual bool finish() = 0;
    // The display of a finished run goes back to ready.
    virtual bool clear() = 0;
    // Back to ready from anywhere, the end mark taken off: the display has
    // loaded, or new settings stopped whatever ran.
    virtual void reset() = 0;

    virtual void markEnd() = 0;
    virtual void clearEndMark() = 0;
    // A set-up: the plan's overtime action, and no end marked yet.
    virtual void prepare(OvertimeAction action) = 0;
    // The count has reached its end: no end action runs any more.
    virtual void closeCount() = 0;

    virtual void enterStage(Stage stage) = 0;
    virtual void tickRan(CountTick tick) = 0;
    virtual void useClockSource(int source) = 0;
    virtual void countedDown(qint64 countedMs, qint64 shownMs) = 0;
    virtual void countedUp(qint64 countedMs, qint64 shownMs) = 0;
    virtual void clearCounts() = 0;

protected:
    ~RunStateWriter() = default;
};

} // namespace orvalen
