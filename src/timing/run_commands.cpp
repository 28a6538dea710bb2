#include "timing/run_commands.h"

#include "display/count_view.h"
#include "platform/clock.h"
#include "platform/notifier.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/sound_player.h"
#include "services/time_conversions.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"
#include "stores/current_plan.h"
#include "stores/pending_runs.h"
#include "stores/plan_store.h"
#include "stores/registry_values.h"
#include "state/run_state.h"
#include "timing/clock_source.h"
#include "timing/pending_runs_retry.h"
#include "timing/count_session.h"
#include "timing/run_record.h"
#include "state/run_controller.h"

#include <QDebug>
#include <QMetaObject>
#include <cmath>
#include <limits>

namespace orvalen {
namespace {

constexpr qint64 kDayMs = 86'400'000;

// The sequence keys are held as signed 16-bit numbers; a stored value that
// does not fit counts as absent.
int readInt16(const IniStore& ini, const QString& key, int absent)
{
    const double v = leadingNumber(ini.read(time_data::kMarquee, key, QString::number(absent)));
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return absent;
    return int(r);
}

} // namespace

RunCommands::RunCommands(const EngineContext& engine)
    : m_engine(engine), m_timers(engine.timers), m_view(engine.view)
{
    m_stateShown = QObject::connect(&host().run, &RunController::stateChanged, &m_receiver, [this] { showRunState(); });
    // A new run has no row yet, whichever command started it (start, a plan
    // chosen after a stop, the plan sequence, a delayed restart).
    m_runStarted = QObject::connect(&host().run, &RunController::runStarted, &m_receiver, [this] { m_recorded = false; });
}

RunCommands::~RunCommands()
{
    QObject::disconnect(m_stateShown);
    QObject::disconnect(m_runStarted);
    // The retry goes with this object: a row held in memory is stored now
    // if space came back since.
    storeHeldRuns(context().folder);
}

HostState& RunCommands::host() { return m_engine.host; }
CountSession& RunCommands::session() { return m_engine.session; }
AppContext& RunCommands::context() { return m_engine.app; }

void RunCommands::prepareOnlyNext() { session().setPrepareOnly(true); }

OvertimeAction RunCommands::overtimeAction() const
{
    return m_engine.plan.plan().overtimeAction;
}

int RunCommands::lastPlanIndex() const
{
    return m_plans ? m_plans->planCount() - 1 : -1;
}

QString RunCommands::endSoundPath() const
{
    const ProgramFolder& folder = m_engine.app.folder;
    const QString name = QStringLiteral("sounds/") + m_engine.plan.plan().stages[Stage::End].sound;
    const QString found = folder.resolve(name);
    return found.isEmpty() ? folder.file(name) : found;
}

// --- start / clear ------------------------------------------------------------

void RunCommands::startTiming() { startOrClear(true); }

void RunCommands::startTimingAfterRunEnd() { startOrClear(false); }

void RunCommands::startOrClear(bool stopEndSound)
{
    HostState& h = host();
    if (h.run.isUnderWay())
        return;

    session().setPrepareOnly(false);
    h.menus.setAdjustMode(false);
    m_view.clearPromptText();
    m_view.removePlaceholders();

    if (h.run.state() == RunState::Finished) {
        m_timers.stopCounting();
        h.run.runStateWriter().clear();
        if (stopEndSound)
            context().sound().stopSound(endSoundPath());
        session().setPrepareOnly(true);
        if (overtimeAction() == OvertimeAction::NextPlan)
            stepPlanSequence();
    }

    h.run.runStateWriter().tickRan(CountTick::Down);
    h.run.runStateWriter().clearCounts();
    queueSetUp();
}

void RunCommands::showReady()
{
    RunController& run = host().run;
    const bool wasReady = run.state() == RunState::Ready;
    run.runStateWriter().reset(); // a change of state shows itself
    if (wasReady)
        showRunState();
}

void RunCommands::readClockSource()
{
    host().run.runStateWriter().useClockSource(registry_values::clockmode(context().registry));
}

void RunCommands::takePlan(const ClockPlan& plan, PlanTaken how)
{
    HostState& h = host();
    // In overtime or after the end the new plan only waits for the start; a
    // run still in its overtime first ends as a stop ends it, with its row.
    const bool pastTheCount = h.run.stage() >= Stage::Overtime;
    if (how == PlanTaken::KeepRun && pastTheCount)
        finishTiming();
    m_engine.plan.replace(plan);
    stopCounting();
    if (how == PlanTaken::StopRun)
        cancelSetUp();
    h.run.runStateWriter().clearCounts();
    if (how == PlanTaken::StopRun) {
        prepareOnlyNext();
        showReady();
    } else {
        // A run paused under the old plan: the new plan starts unpaused, so
        // the next pause press must pause, not account a pause that never
        // happened.
        if (h.run.state() == RunState::Paused)
            h.run.runStateWriter().resume();
        if (pastTheCount)
            prepareOnlyNext();
    }
    // The display's set-up runs as soon as the caller's event is handled.
    queueSetUp();
}

void RunCommands::setElementStyle(DisplayElement e, StyleChoice choice, const QString& family, double size,
                                  const PlanColour& colour)
{
    const bool font = choice == StyleChoice::Font;
    ClockPlan plan = m_engine.plan.plan();
    StyleFields fields;
    switch (e) {
    case DisplayElement::DateLine:
        plan.stagefont = family;
        plan.stagecolour = colour;
        if (font)
            plan.setFontSize(StyleSlot::DateLine, size);
        fields = font ? StyleFields::DateLineLookAndSizes : StyleFields::DateLineLook;
        break;
    case DisplayElement::Clock:
        plan.setFontSize(StyleSlot::Clock, size);
        plan.clockFont = family;
        plan.clockcolour = colour;
        fields = font ? StyleFields::ClockLookAndSizes : StyleFields::ClockColour;
        break;
    default:
        return;
    }
    // The values of one choice go to the store together, in one save.
    if (!saveStyleFields(context().registry, plan, fields))
        qWarning() << "Element style: the font, colour and size could not be stored";
    m_engine.plan.replace(plan);
}

// Every change of the run state brings the plan item back into the menu.
void RunCommands::showRunState() { host().menus.showPlanItem(); }

void RunCommands::stepPlanSequence()
{
    IniStore& ini = context().ini;
    const int cur = readInt16(ini, time_data::kCurrentRow, time_data::kCurrentRowDefault.toInt());
    const int cyc = readInt16(ini, time_data::kCheckCycle, time_data::kCheckCycleDefault.toInt());
    const int last = lastPlanIndex();
    const int checked = m_plans ? m_plans->checkedPlan() : -1;
    const int i = (checked >= 0 && checked <= last) ? checked : -1;
    if (i >= 0 && !ini.write(time_data::kMarquee, time_data::kCurrentRow, QString::number(i + 1)))
        qWarning() << "Plan sequence: currentrow could not be written to" << ini.file();

    int next = -1;
    if (cur == i + 1 && cur <= last)
        next = i + 1; // the plan run was item i and not the last
    else if (cur == last + 1)
        next = 0; // the plan run was the last: back to the first
    if (next > last)
        next = -1; // no plan items at all

    if (cyc == 1) {
        if (next >= 0) {
            m_plans->selectPlan(next);
            session().setPrepareOnly(false); // the set-up starts the next plan at once
        }
    } else if (cyc == 0) {
        if (next >= 0)
            m_plans->selectPlan(next);
        m_timers.stopCounting();
        session().setPrepareOnly(true);
        queueSetUp();
    }
}

// --- stop / finish --------------------------------------------------------------

void RunCommands::stopTiming() { endRun(true); }

void RunCommands::finishTiming() { endRun(false); }

void RunCommands::endRun(bool endSequence)
{
    HostState& h = host();
    if (!h.run.isUnderWay())
        return;
    h.run.runStateWriter().markEnd();
    if (h.run.state() == RunState::Paused)
        pauseTiming(); // close the open pause first, so it is counted
    h.run.runStateWriter().finish();
    if (endSequence && overtimeAction() == OvertimeAction::NextPlan) {
        IniStore& ini = context().ini;
        const int pastLast = lastPlanIndex() + time_data::kCurrentRowPastLastWhenStopped;
        if (!ini.write(time_data::kMarquee, time_data::kCurrentRow, QString::number(pastLast)))
            qWarning() << "Stop: currentrow could not be written to" << ini.file();
    }
    closeEndedRun();
}

void RunCommands::closeEndedRun()
{
    // The tick that counts the run closes it now, not at its next second:
    // it keeps the values of its last firing, stops and writes the run's
    // statistics row. Whatever follows the stop (a plan chosen, a clear, the
    // exit) finds the run recorded. An end the run itself reached has
    // already stopped its ticks.
    for (EngineTimer* tick : {m_timers.longTermTick.get(), m_timers.countdownTick.get(), m_timers.countupTick.get()}) {
        if (tick->isEnabled()) {
            tick->runNow();
            return;
        }
    }
}

// --- pause / continue -------------------------------------------------------------

void RunCommands::pauseTiming()
{
    HostState& h = host();
    if (!h.run.isUnderWay())
        return;
    const bool pausing = h.run.state() == RunState::Running;
    const bool tickOne = h.run.tick() == CountTick::Up;

    if (m_engine.plan.plan().longTerm) {
        // A long-term plan: only the date tick stops and goes on; no time is
        // accounted.
        if (pausing)
            h.run.runStateWriter().pause();
        else
            h.run.runStateWriter().resume();
        if (h.run.tick() == CountTick::Down)
            m_timers.longTermTick->setEnabled(!pausing);
        return;
    }

    // Bank what the tick has counted so far.
    RunRecord& record = session().record();
    if (tickOne) {
        record.countedUpMs = h.run.countedUpMs();
    } else {
        record.countedDownMs = h.run.countedDownMs();
        record.countedUpMs = 0;
    }

    const int source = h.run.clockSource();
    const bool knownSource = source >= 0 && source <= 2;
    const Clock& clock = context().clock;
    const qint64 now = knownSource ? clockSourceNowMs(clock, source) : 0;
    CountSession& s = session();

    if (!pausing && knownSource) {
        // Continuing: the pause lasted from the reference taken at the pause
        // until now.
        qint64 total = record.pausedMs + now - s.startReferenceMs();
        if (source != 0 && total < 0)
            total += kDayMs; // the pause went past midnight
        record.pausedMs = total;
    }
    if (knownSource)
        s.setStartReferenceMs(now);
    s.setStartTimeOfDay(wholeSeconds(clock.now().time()));

    if (pausing)
        h.run.runStateWriter().pause();
    else
        h.run.runStateWriter().resume();
    (tickOne ? m_timers.countupTick : m_timers.countdownTick)->setEnabled(!pausing);
}

// --- run record -------------------------------------------------------------------

void RunCommands::recordRun()
{
    if (m_recorded)
        return; // this run already has its row
    AppContext& ctx = context();
    QString error;
    const RecordResult result = orvalen::recordRun(ctx, session().record(), &error);
    if (result == RecordResult::Off)
        return;
    m_recorded = true; // the row is kept: never a second one (nor a second notice) for this run
    if (result == RecordResult::Written)
        return;
    retryPendingRunsLater(&m_receiver, ctx.folder);
    // Shown after the tick that records has returned, so no message loop
    // runs inside a count tick.
    Notifier& notifier = ctx.notifier;
    const QString text = result == RecordResult::Pending
        ? QStringLiteral("本次计时暂未记入统计：%1\n记录已保存在 %2，数据库可写入时自动补记。")
              .arg(error, pendingRunsPath(ctx.folder))
        : QStringLiteral("本次计时暂未记入统计：%1\n记录暂存在内存中，腾出磁盘空间后自动补记；"
                         "在此之前退出程序，这条记录会丢失。")
              .arg(error);
    QMetaObject::invokeMethod(
        &m_receiver, [&notifier, text] { notifier.notice(text, Notifier::Icon::Warning, 5000); },
        Qt::QueuedConnection);
}

} // namespace orvalen
