#pragma once
#include <QObject>

namespace orvalen {

// Where a run stands. Ready: nothing runs, start begins a run. Running and
// Paused: a count is under way. Finished: the run has ended and start
// clears the display back to ready.
enum class RunState { Ready, Running, Paused, Finished };

// What a count-down does when it reaches zero: the plan's overtime action
// digit, read at the set-up, or Ended once the run has been closed (by a
// command, by a passed target, or by the end itself). A digit without a name
// here records the run and stops the ticks.
enum class EndAction : int { Overtime = 0, Stop = 1, Reset = 2, NextPlan = 3, Ended = 5 };

// The count tick that ran last: none yet in this run, the count-down tick
// (a count against the plan length) or the count-up tick (the overtime).
enum class CountTick { None, Down, Up };

// Owns the run state and announces its changes. The run commands derive the
// desktop menu's captions and enabled items and the on-screen buttons from
// it; nobody reads the state back from a caption or a label.
class RunController : public QObject {
    Q_OBJECT
public:
    RunState state() const { return m_state; }
    // A run is under way: running or paused.
    bool isUnderWay() const { return m_state == RunState::Running || m_state == RunState::Paused; }
    void setState(RunState state)
    {
        if (state == m_state)
            return;
        m_state = state;
        emit stateChanged(state);
    }

    // A command (or a passed target, or the overtime limit) has ended the
    // run: the next count tick closes it with the values of the last one.
    // A new set-up clears the mark.
    bool endMarked() const { return m_endMarked; }
    void setEndMarked(bool marked) { m_endMarked = marked; }

    // The stage the run has reached: 0 start, 1..3 the alarms, 4 the seconds
    // count-down, 5 overtime, 6 the end; -1 before the first run. The
    // prompt line shows the stage's text.
    int stage() const { return m_stage; }
    void setStage(int stage)
    {
        m_stage = stage;
        emit stageChanged(stage);
    }

    // The current plan counts to a date or shows the live clock (a
    // long-term plan) rather than counting its length. Each set-up says
    // which, and the menus follow (the weekday item belongs to long-term
    // plans).
    bool isLongTerm() const { return m_longTerm; }
    void setLongTerm(bool longTerm)
    {
        m_longTerm = longTerm;
        emit kindChanged(longTerm);
    }

    EndAction endAction() const { return m_endAction; }
    void setEndAction(EndAction action) { m_endAction = action; }

    CountTick tick() const { return m_tick; }
    void setTick(CountTick tick) { m_tick = tick; }

    // The clock that measures a count (the registry value clockmode): 0 the
    // monotonic clock, 1 the time of day in milliseconds, 2 the time of day
    // in whole seconds. Any other number measures nothing.
    int clockSource() const { return m_clockSource; }
    void setClockSource(int source) { m_clockSource = source; }

    // The counts of the last tick, in milliseconds: what the count-down tick
    // has counted, what the count-up tick has counted, and the count shown
    // (for a count-down, the time left).
    qint64 countedDownMs() const { return m_countedDownMs; }
    qint64 countedUpMs() const { return m_countedUpMs; }
    qint64 shownMs() const { return m_shownMs; }
    void setCountedDownMs(qint64 ms) { setCount(m_countedDownMs, ms); }
    void setCountedUpMs(qint64 ms) { setCount(m_countedUpMs, ms); }
    void setShownMs(qint64 ms) { setCount(m_shownMs, ms); }
    void clearCounts()
    {
        setCountedDownMs(0);
        setCountedUpMs(0);
        setShownMs(0);
    }

signals:
    void stateChanged(RunState state);
    void countChanged();
    void stageChanged(int stage);
    void kindChanged(bool longTerm);
    // A menu item's caption, check mark, enabled or visible flag changed.
    void menusChanged();

private:
    void setCount(qint64& count, qint64 ms)
    {
        if (count == ms)
            return;
        count = ms;
        emit countChanged();
    }

    RunState m_state = RunState::Ready;
    bool m_endMarked = false;
    int m_stage = -1;
    bool m_longTerm = false;
    EndAction m_endAction = EndAction::Overtime;
    CountTick m_tick = CountTick::None;
    int m_clockSource = 0;
    qint64 m_countedDownMs = 0;
    qint64 m_countedUpMs = 0;
    qint64 m_shownMs = 0;
};

} // namespace orvalen
