#pragma once
#include "state/run_controller.h"

namespace orvalen {

// The one door to the run controller's commands: the run commands, the
// engine's set-ups and ticks write the run state through it; everyone else
// reads the state and follows stateChanged.
class RunWriter {
public:
    explicit RunWriter(RunController& run) : m_run(run) {}

    bool start() { return m_run.start(); }
    bool pause() { return m_run.pause(); }
    bool resume() { return m_run.resume(); }
    bool finish() { return m_run.finish(); }
    bool clear() { return m_run.clear(); }
    void reset() { m_run.reset(); }
    void markEnd() { m_run.markEnd(); }
    void clearEndMark() { m_run.clearEndMark(); }
    void prepare(OvertimeAction action) { m_run.prepare(action); }
    void closeCount() { m_run.closeCount(); }
    void enterStage(Stage stage) { m_run.enterStage(stage); }
    void tickRan(CountTick tick) { m_run.tickRan(tick); }
    void useClockSource(int source) { m_run.useClockSource(source); }
    void countedDown(qint64 countedMs, qint64 shownMs) { m_run.countedDown(countedMs, shownMs); }
    void countedUp(qint64 countedMs, qint64 shownMs) { m_run.countedUp(countedMs, shownMs); }
    void clearCounts() { m_run.clearCounts(); }

private:
    RunController& m_run;
};

} // namespace orvalen
