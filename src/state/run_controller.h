#pragma once
#include "state/run_state_writer.h"
#include "stores/clock_plan.h"

#include <QObject>
#include <initializer_list>
#include <optional>

namespace orvalen {

// Where a run stands. Ready: nothing runs, start begins a run. Running and
// Paused: a count is under way. Finished: the run has ended and start
// clears the display back to ready.
enum class RunState { Ready, Running, Paused, Finished };

// The count tick that ran last: none yet in this run, the count-down tick
// (a count against the plan length) or the count-up tick (the overtime).
enum class CountTick { None, Down, Up };

// Owns the run state and announces its changes. The state moves only
// through its writer side (RunStateWriter), which the timing folder alone
// holds. The menus and the
// on-screen buttons follow stateChanged; nobody reads the state back from a
// caption or a label.
class RunController : public QObject, private RunStateWriter {
    Q_OBJECT
public:
    // The writer side: the timing folder's alone (a source test checks it).
    RunStateWriter& runStateWriter() { return *this; }

    RunState state() const { return m_state; }
    // A run is under way: running or paused.
    bool isUnderWay() const { return m_state == RunState::Running || m_state == RunState::Paused; }

    // A command (or a passed target, or the overtime limit) has ended the
    // run: its tick closes it with the values of its last firing (run at
    // once by the stop command).
    // A new set-up clears the mark; so does the live clock, which never ends.
    bool endMarked() const { return m_endMarked; }
    // What a count-down does when it reaches zero: the plan's overtime
    // action, read at the set-up; none once the run has been closed (by a
    // command, by a passed target, or by the end itself).
    std::optional<OvertimeAction> endAction() const { return m_endAction; }

    // The stage the run has reached; none before the first run. The prompt
    // line shows the stage's text.
    std::optional<Stage> stage() const { return m_stage; }

    CountTick tick() const { return m_tick; }

    // The clock that measures a count (the registry value clockmode): 0 the
    // monotonic clock, 1 the time of day in milliseconds, 2 the time of day
    // in whole seconds. Any other number measures nothing.
    int clockSource() const { return m_clockSource; }

    // The counts of the last tick, in milliseconds: what the count-down tick
    // has counted, what the count-up tick has counted, and the count shown
    // (for a count-down, the time left).
    qint64 countedDownMs() const { return m_countedDownMs; }
    qint64 countedUpMs() const { return m_countedUpMs; }
    qint64 shownMs() const { return m_shownMs; }

signals:
    void stateChanged(RunState state);
    // A new run has begun: a start from ready or over a finished run (not a
    // paused run going on, nor a running one whose plan was replaced).
    void runStarted();

private:
    bool start() override
    {
        if (m_state == RunState::Running)
            return true;
        if (!moveTo(RunState::Running, {RunState::Ready, RunState::Finished}, "start"))
            return false;
        emit runStarted();
        return true;
    }
    bool pause() override { return moveTo(RunState::Paused, {RunState::Running}, "pause"); }
    bool resume() override { return moveTo(RunState::Running, {RunState::Paused}, "resume"); }
    bool finish() override { return moveTo(RunState::Finished, {RunState::Running, RunState::Paused}, "finish"); }
    bool clear() override { return moveTo(RunState::Ready, {RunState::Finished}, "clear"); }
    void reset() override
    {
        m_endMarked = false;
        moveTo(RunState::Ready, {RunState::Ready, RunState::Running, RunState::Paused, RunState::Finished}, "reset");
    }

    void markEnd() override { m_endMarked = true; }
    void clearEndMark() override { m_endMarked = false; }
    void prepare(OvertimeAction action) override
    {
        m_endAction = action;
        m_endMarked = false;
    }
    void closeCount() override { m_endAction.reset(); }

    void enterStage(Stage stage) override { m_stage = stage; }
    void tickRan(CountTick tick) override { m_tick = tick; }
    void useClockSource(int source) override { m_clockSource = source; }
    void countedDown(qint64 countedMs, qint64 shownMs) override
    {
        m_countedDownMs = countedMs;
        m_shownMs = shownMs;
    }
    void countedUp(qint64 countedMs, qint64 shownMs) override
    {
        m_countedUpMs = countedMs;
        m_shownMs = shownMs;
    }
    void clearCounts() override { m_countedDownMs = m_countedUpMs = m_shownMs = 0; }

    bool moveTo(RunState to, std::initializer_list<RunState> from, const char* command);

    RunState m_state = RunState::Ready;
    bool m_endMarked = false;
    std::optional<Stage> m_stage;
    std::optional<OvertimeAction> m_endAction = OvertimeAction::CountOn;
    CountTick m_tick = CountTick::None;
    int m_clockSource = 0;
    qint64 m_countedDownMs = 0;
    qint64 m_countedUpMs = 0;
    qint64 m_shownMs = 0;
};

} // namespace orvalen
