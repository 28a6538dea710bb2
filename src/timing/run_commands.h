#pragma once
#include "display/display_element.h"
#include "stores/clock_plan.h"
#include "stores/plan_colour.h"
#include "timing/engine_context.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

namespace orvalen {

struct ClockPlan;

// How a plan taken in leaves the run. A plan chosen from the plan submenu
// lets a count go on with the new plan (paused runs go on unpaused; in
// overtime or after the end it only waits for start); new settings stop
// whatever ran and leave the display ready.
enum class PlanTaken { KeepRun, StopRun };

// The plan submenu as the run commands see it when a plan sequence steps on:
// how many plan items there are, which one is checked, and the selection of
// one of them. The plan submenu implements it; without one there are no
// plans.
class PlanSequence {
public:
    virtual ~PlanSequence() = default;
    // Number of plan items in the submenu (0 when there are none). The
    // submenu may read its plans first, so asking is not const.
    virtual int planCount() = 0;
    // Highest index of a checked plan item, or -1 when none is checked.
    virtual int checkedPlan() = 0;
    // Selects and loads plan item `index`.
    virtual void selectPlan(int index) = 0;
    // True while the reading of the plans is put off until the start-up has
    // the key of DeskData.db: asking planCount() now would read them at once,
    // on this thread.
    virtual bool planListWaiting() const { return false; }
};

// The run commands and the run record: start (or clear after a run ended),
// stop, finish, pause/continue, and the statistics row of a finished run.
// They change the run state shown by the menus and the on-screen buttons and
// hand the start of a run to the count-mode set-up (countSetup).
//
// Each command reads the run state of HostState::run, so any command may be
// sent at any time; a command that does not fit the state does nothing. The
// desktop menu's run items and the buttons follow every change of that state.
class RunCommands {
public:
    explicit RunCommands(const EngineContext& engine);
    virtual ~RunCommands();
    RunCommands(const RunCommands&) = delete;
    RunCommands& operator=(const RunCommands&) = delete;

    // Start command; on a finished run ("清零") it clears the display back to
    // ready instead, stopping the end sound.
    virtual void startTiming();
    // The clear that the end of a reset or next-plan run runs by itself: the
    // same as startTiming, except that the end sound just started keeps
    // playing. The count ticks call this one, never the operator's.
    virtual void startTimingAfterRunEnd();
    // Stop command: the run ends and its tick closes it at once, writing
    // its statistics row.
    virtual void stopTiming();
    virtual void finishTiming();
    virtual void pauseTiming();
    // Appends one row to timesum when statistics are on; at most once per
    // run (a second call before the next run starts writes nothing).
    virtual void recordRun();
    // Back to the ready state, the end mark taken off, shown in the menus and
    // on-screen buttons: the display has loaded, or new settings stopped
    // whatever ran.
    virtual void showReady();
    // Reads the clock that measures a count (the registry value clockmode).
    void readClockSource();
    // Makes `plan` the current plan and sets the display up for it: the
    // count ticks stop, the counts are cleared and the set-up is queued.
    void takePlan(const ClockPlan& plan, PlanTaken how);
    // Shows what the menus show beside the run state (the on-screen
    // buttons follow the state themselves).
    void showRunState();
    // For a plan or settings just chosen: the count ticks stop, and the
    // count set-up is queued (runs when control returns to the event loop)
    // or a queued one is cancelled.
    void stopCounting() { m_timers.stopCounting(); }
    void queueSetUp() { m_timers.countSetup->post(); }
    void cancelSetUp() { m_timers.countSetup->setEnabled(false); }
    // The next set-up only prepares the display and starts no run.
    void prepareOnlyNext();

    // The element menu's font or colour of the clock or the date line (other
    // elements keep no style in the plan): the current plan takes `family`,
    // `size` and `colour`, and the values of the choice are stored together
    // (a font: family, colour and the size list; the clock's colour: the
    // colour alone, its family and size kept in memory only; the date line's
    // colour: family and colour).
    enum class StyleChoice { Font, Colour };
    void setElementStyle(DisplayElement e, StyleChoice choice, const QString& family, double size,
                         const PlanColour& colour);

    // The plan submenu used by the plan sequence (may be null).
    void setPlanSequence(PlanSequence* plans) { m_plans = plans; }

protected:
    void startOrClear(bool stopEndSound);
    void stepPlanSequence();
    void endRun(bool endSequence);
    void closeEndedRun();
    OvertimeAction overtimeAction() const;
    int lastPlanIndex() const;
    QString endSoundPath() const;

    HostState& host();
    CountSession& session();
    AppContext& context();

    EngineContext m_engine;
    EngineTimers& m_timers;
    CountView& m_view;
    QObject m_receiver; // context of the queued calls and connections
    PlanSequence* m_plans = nullptr;
    bool m_recorded = false; // the current run has its statistics row
    QMetaObject::Connection m_stateShown;
    QMetaObject::Connection m_runStarted;
};

} // namespace orvalen
