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
#include "stores/run_state.h"
#include "timing/clock_source.h"
#include "timing/pending_runs.h"
#include "timing/run_record.h"

#include <QDebug>
#include <QMetaObject>
#include <cmath>
#include <limits>

namespace orvalen {
namespace {

const QString kStartWord = QStringLiteral("开始");
const QString kClearWord = QStringLiteral("清零");
const QString kPauseWord = QStringLiteral("暂停");
const QString kContinueWord = QStringLiteral("继续");
constexpr qint64 kDayMs = 86'400'000;

// The sequence keys are held as signed 16-bit numbers; a stored value that
// does not fit counts as absent.
int read_int16(const IniStore& ini, const QString& key, int absent)
{
    const double v = leading_number(ini.read(time_data::kMarquee, key, QString::number(absent)));
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
    QObject::connect(&host().run, &RunController::kindChanged, &m_receiver, [this](bool longTerm) {
        host().clockset[4].visible = longTerm; // "显示星期"
        host().menusChanged();
    });
}

RunCommands::~RunCommands()
{
    QObject::disconnect(m_stateShown);
}

HostState& RunCommands::host() { return m_engine.host; }
ModuleState& RunCommands::module() { return m_engine.module; }
AppContext& RunCommands::context() { return m_engine.app; }

void RunCommands::setCommandWord(QString& caption, const QString& word)
{
    caption = word + caption.mid(2);
}

int RunCommands::overtimeAction() const
{
    return m_engine.module.clock_plan.overtimeAction();
}

int RunCommands::lastPlanIndex() const
{
    return m_plans ? m_plans->planCount() - 1 : -1;
}

QString RunCommands::endSoundPath() const
{
    const ProgramFolder& folder = m_engine.app.folder;
    const QString name = QStringLiteral("sounds/") + m_engine.module.clock_plan.stageMusic[6];
    const QString found = folder.resolve(name);
    return found.isEmpty() ? folder.file(name) : found;
}

// --- start / clear ------------------------------------------------------------

void RunCommands::start_timing() { startOrClear(true); }

void RunCommands::start_timing_after_run_end() { startOrClear(false); }

void RunCommands::startOrClear(bool stopEndSound)
{
    HostState& h = host();
    if (h.run.isUnderWay())
        return;

    h.prepare_only = false;
    h.item(DesktopItem::AdjustMode).checked = false;
    m_view.clearPromptText();
    m_view.removePlaceholders();

    if (h.run.state() == RunState::Finished) {
        // A stop just before this clear may have left its tick waiting to
        // record the run; finish that end now, so that no tick counts on in
        // the ready state and the run keeps its row.
        endPendingForcedEnd();
        m_timers.stopCounting();
        h.run.setState(RunState::Ready);
        if (stopEndSound)
            context().sound().stopSound(endSoundPath());
        h.prepare_only = true;
        if (overtimeAction() == 3)
            stepPlanSequence();
    }

    h.run.setTick(CountTick::Down);
    h.run.clearCounts();
    m_recorded = false; // a new run (or the next prepared one) has no row yet
    h.menusChanged();
    queueSetUp();
}

void RunCommands::endPendingForcedEnd()
{
    HostState& h = host();
    if (!h.run.endMarked())
        return;
    if (m_timers.countdownTick->isEnabled()) {
        h.run_record.countedDownMs = h.run.countedDownMs();
        record_run();
    } else if (m_timers.countupTick->isEnabled()) {
        h.run_record.countedUpMs = h.run.countedUpMs();
        record_run();
    } else if (m_timers.longTermTick->isEnabled()) {
        const ClockPlan& plan = module().clock_plan;
        if (plan.time_date != QDate(2000, 1, 1)) {
            // A long-term count: the used time runs from its set-up instant.
            const QDateTime& setUp = h.run_record.setUpInstant;
            if (setUp.isValid())
                h.run_record.countedDownMs = 1000 * setUp.secsTo(context().clock.now());
            record_run();
        }
        m_timers.longTermTick->setEnabled(false);
    } else {
        return;
    }
    m_timers.countdownTick->setEnabled(false);
    m_view.setScrolling(false);
    m_timers.countupTick->setEnabled(false);
    m_timers.networkTimeTick->setEnabled(false);
}

void RunCommands::showReady()
{
    RunController& run = host().run;
    if (run.state() == RunState::Ready)
        showRunState();
    else
        run.setState(RunState::Ready);
}

// The one place where the desktop menu's run items and the on-screen buttons
// follow the run state.
void RunCommands::showRunState()
{
    switch (host().run.state()) {
    case RunState::Ready: writeIdleState(true); break;
    case RunState::Finished: writeIdleState(false); break;
    case RunState::Running: writeRunningState(false); break;
    case RunState::Paused: writeRunningState(true); break;
    }
    host().menusChanged();
}

// No run is on: ready to start, or finished and waiting to be cleared.
void RunCommands::writeIdleState(bool ready)
{
    HostState& h = host();
    using enum DesktopItem;
    h.item(Start).enabled = true;
    setCommandWord(h.item(Start).caption, ready ? kStartWord : kClearWord);
    m_view.setButton(0, ready ? QStringLiteral(" 开始 ") : QStringLiteral(" 清零 "), true);
    h.item(Stop).enabled = false;
    m_view.setButtonEnabled(1, false);
    h.item(Pause).enabled = false;
    setCommandWord(h.item(Pause).caption, kPauseWord);
    m_view.setButton(2, QStringLiteral(" 暂停 "), false);
    h.item(Reset).enabled = false;
    h.item(Plans).visible = true;
    h.item(Settings).enabled = ready;
    m_view.setButtonEnabled(3, ready);
    h.item(AdjustMode).enabled = true;
    if (ready)
        h.item(Buttons).enabled = true;
    h.item(Minimise).enabled = true;
    for (DesktopItem i : {Statistics, Help, About, Exit})
        h.item(i).visible = true;
    h.item(Exit).enabled = true;
    m_view.setButtonEnabled(4, true);
}

// A run is under way, counting or paused.
void RunCommands::writeRunningState(bool paused)
{
    HostState& h = host();
    using enum DesktopItem;
    h.item(Start).enabled = false;
    m_view.setButtonEnabled(0, false);
    h.item(Stop).enabled = true;
    m_view.setButtonEnabled(1, true);
    h.item(Pause).enabled = true;
    setCommandWord(h.item(Pause).caption, paused ? kContinueWord : kPauseWord);
    m_view.setButton(2, paused ? QStringLiteral(" 继续 ") : QStringLiteral(" 暂停 "), true);
    h.item(Reset).enabled = true;
    h.item(Plans).visible = true;
    h.item(Settings).enabled = false;
    m_view.setButtonEnabled(3, false);
    h.item(AdjustMode).enabled = true;
    h.item(Minimise).enabled = true;
    for (DesktopItem i : {Statistics, Help, About, Exit})
        h.item(i).visible = false;
    h.item(Exit).enabled = false;
    m_view.setButtonEnabled(4, false);
}

void RunCommands::stepPlanSequence()
{
    HostState& h = host();
    IniStore& ini = context().ini;
    const int cur = read_int16(ini, time_data::kCurrentRow, time_data::kCurrentRowDefault.toInt());
    const int cyc = read_int16(ini, time_data::kCheckCycle, time_data::kCheckCycleDefault.toInt());
    const int last = lastPlanIndex();
    const int checked = m_plans ? m_plans->checkedPlan() : -1;
    const int i = (checked >= 0 && checked <= last) ? checked : -1;
    if (i >= 0)
        ini.write(time_data::kMarquee, time_data::kCurrentRow, QString::number(i + 1));

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
            h.prepare_only = false; // the set-up starts the next plan at once
        }
    } else if (cyc == 0) {
        if (next >= 0)
            m_plans->selectPlan(next);
        m_timers.stopCounting();
        h.prepare_only = true;
        queueSetUp();
    }
}

// --- stop / finish --------------------------------------------------------------

void RunCommands::stop_timing() { endRun(true); }

void RunCommands::finish_timing() { endRun(false); }

void RunCommands::endRun(bool endSequence)
{
    HostState& h = host();
    if (!h.run.isUnderWay())
        return;
    h.run.setEndMarked(true);
    if (h.run.state() == RunState::Paused)
        pause_timing(); // close the open pause first, so it is counted
    h.run.setState(RunState::Finished);
    // The long-term tick ends the run: at once, not at the next second.
    if (m_timers.longTermTick->isEnabled())
        m_timers.longTermTick->post();
    if (endSequence && overtimeAction() == 3)
        context().ini.write(time_data::kMarquee, time_data::kCurrentRow, QString::number(lastPlanIndex() + 11));
}

// --- pause / continue -------------------------------------------------------------

void RunCommands::pause_timing()
{
    HostState& h = host();
    if (!h.run.isUnderWay())
        return;
    const bool pausing = h.run.state() == RunState::Running;
    const bool tickOne = h.run.tick() == CountTick::Up;

    if (module().clock_plan.isLongTerm()) {
        // A long-term plan: only the date tick stops and goes on; no time is
        // accounted.
        h.run.setState(pausing ? RunState::Paused : RunState::Running);
        if (h.run.tick() == CountTick::Down)
            m_timers.longTermTick->setEnabled(!pausing);
        return;
    }

    // Bank what the tick has counted so far.
    if (tickOne) {
        h.run_record.countedUpMs = h.run.countedUpMs();
    } else {
        h.run_record.countedDownMs = h.run.countedDownMs();
        h.run_record.countedUpMs = 0;
    }

    const int source = h.run.clockSource();
    const bool knownSource = source >= 0 && source <= 2;
    const Clock& clock = context().clock;
    const qint64 now = knownSource ? clock_source_now_ms(clock, source) : 0;
    ModuleState& m = module();

    if (!pausing && knownSource) {
        // Continuing: the pause lasted from the reference taken at the pause
        // until now.
        qint64 total = h.run_record.pausedMs + now - m.start_reference_ms;
        if (source != 0 && total < 0)
            total += kDayMs; // the pause went past midnight
        h.run_record.pausedMs = total;
    }
    if (knownSource)
        m.start_reference_ms = now;
    m.start_time_of_day = whole_seconds(clock.now().time());

    h.run.setState(pausing ? RunState::Paused : RunState::Running);
    (tickOne ? m_timers.countupTick : m_timers.countdownTick)->setEnabled(!pausing);
}

// --- run record -------------------------------------------------------------------

void RunCommands::record_run()
{
    if (m_recorded)
        return; // this run already has its row
    AppContext& ctx = context();
    QString error;
    const RecordResult result = orvalen::record_run(ctx, host().run_record, &error);
    if (result == RecordResult::Written || result == RecordResult::Pending)
        m_recorded = true; // the row is kept: never a second one for this run
    if (result == RecordResult::Pending)
        retry_pending_runs_later(&m_receiver, ctx.folder);
    if (result == RecordResult::Off || result == RecordResult::Written)
        return;
    m_recorded = true; // one notice per run, not one per retry
    // Shown after the tick that records has returned, so no message loop
    // runs inside a count tick.
    Notifier& notifier = ctx.notifier;
    const QString text = result == RecordResult::Pending
        ? QStringLiteral("本次计时暂未记入统计：%1\n记录已保存在 %2，数据库可写入时自动补记。")
              .arg(error, pending_runs_path(ctx.folder))
        : QStringLiteral("本次计时未能记入统计：%1").arg(error);
    QMetaObject::invokeMethod(
        &m_receiver, [&notifier, text] { notifier.notice(text, Notifier::Icon::Warning, 5000); },
        Qt::QueuedConnection);
}

} // namespace orvalen
