// Figures for the count engine.
//   timing_bench real S   a real run of the default plan with a length of S
//                         seconds on the screen: digit-change latency
//                         (median, max), seconds skipped or shown twice, CPU
//                         while counting, and the shown count against the
//                         monotonic clock at the end.
//   timing_bench fake S   an S-second run on a simulated clock whose timers
//                         fire 0..50 ms late (and once stall for 1.5 s): the
//                         largest difference between the shown count and the
//                         monotonic clock's, and the stages fired.
#include "bench_support.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "platform/clock.h"
#include "platform/engine_timer.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "timing/display_engine.h"
#include "timing/run_commands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

// CLOCK_MONOTONIC in microseconds: the same clock as SystemClock's
// milliseconds, finer.
qint64 monotonic_us()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

// "mm:ss" -> seconds, or -1.
int shown_seconds(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return -1;
    bool a = false, b = false;
    const int m = parts[0].toInt(&a), s = parts[1].toInt(&b);
    return a && b ? m * 60 + s : -1;
}

// --- a simulated clock whose timers fire late ------------------------------------

class SimClock final : public Clock {
public:
    qint64 monotonicMs() const override { return mono; }
    QDateTime now() const override { return start.addMSecs(mono - 1'000'000); }
    qint64 mono = 1'000'000;
    QDateTime start{QDate(2026, 12, 8), QTime(9, 0, 0)};
};

class SimTimers;

class SimTimer final : public EngineTimer {
public:
    explicit SimTimer(SimTimers& owner) : m_owner(owner) {}
    void setInterval(int ms) override { m_interval = std::max(ms, 1); }
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override;
    bool isEnabled() const override { return m_on; }
    void startOnce(int delayMs) override;
    void trigger()
    {
        if (m_once) {
            m_on = false;
            m_once = false;
        } else {
            due += m_interval;
        }
        fire();
    }
    qint64 due = 0;
    bool m_on = false;

private:
    SimTimers& m_owner;
    int m_interval = 1000;
    bool m_once = false;
};

class SimTimers final : public TimerFactory {
public:
    explicit SimTimers(SimClock& clock) : clock(clock) {}
    std::unique_ptr<EngineTimer> create(const QString&) override
    {
        auto t = std::make_unique<SimTimer>(*this);
        all.push_back(t.get());
        return t;
    }
    // Runs until `end`, each timer firing 0..50 ms after it is due, and all
    // of them held up for 1.5 s once at `stallAt`.
    template <typename AfterFire>
    void runUntil(qint64 end, qint64 stallAt, AfterFire after)
    {
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> late(0, 50);
        bool stalled = false;
        for (;;) {
            SimTimer* next = nullptr;
            for (SimTimer* t : all)
                if (t->m_on && (!next || t->due < next->due))
                    next = t;
            if (!next || next->due > end)
                break;
            qint64 at = std::max(clock.mono, next->due + late(random));
            if (!stalled && at >= stallAt) {
                stalled = true;
                at += 1500;
            }
            clock.mono = at;
            next->trigger();
            after(next);
        }
        clock.mono = std::max(clock.mono, end);
    }
    SimClock& clock;
    std::vector<SimTimer*> all;
};

void SimTimer::setEnabled(bool on)
{
    if (!on) {
        m_on = false;
        m_once = false;
    } else if (!m_on) {
        m_on = true;
        m_once = false;
        due = m_owner.clock.mono + m_interval;
    }
}

void SimTimer::startOnce(int delayMs)
{
    m_on = true;
    m_once = true;
    due = m_owner.clock.mono + std::max(delayMs, 0);
}

// --- the program pieces a run needs ---------------------------------------------------

struct Bench {
    Bench(Clock& clock, TimerFactory& timers, int seconds) : program(clock, timers)
    {
        ClockPlan plan = ClockPlan::defaults(clock.now().date());
        plan.Time_all = QTime(0, 0, 0).addSecs(seconds);
        savePlan(*program.registry, plan);
        window = std::make_unique<DisplayWindow>(program.context, host, currentPlan, displayHost);
        engine = std::make_unique<DisplayEngine>(program.context, host, currentPlan, window->countView());
        commands = &engine->commands();
        clockText = window->findChild<QLabel*>(QStringLiteral("clockText"));
        clockPanel = window->findChild<Panel*>(QStringLiteral("clockPanel"));
    }
    BenchProgram program;
    HostState host;
    CurrentPlan currentPlan;
    QuietHost displayHost;
    std::unique_ptr<DisplayWindow> window;
    std::unique_ptr<DisplayEngine> engine;
    RunCommands* commands = nullptr;
    QLabel* clockText = nullptr;  // the clock's text and panel, by their object names
    Panel* clockPanel = nullptr;
};

// --- real run on the screen -----------------------------------------------------------

class PaintWatch final : public QObject {
public:
    PaintWatch(Bench& b, int length) : m_b(b), m_length(length) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        // From the start of the run to the paint of zero.
        if (e->type() != QEvent::Paint || !started || m_last == 0)
            return false;
        const qint64 nowUs = monotonic_us();
        const int value = shown_seconds(m_b.clockText->text());
        if (value < 0 || value == m_last)
            return false;
        values.push_back(value);
        m_last = value;
        const int k = m_length - value; // whole seconds of the count reached
        const double crossingMs = double(m_b.engine->session().startReferenceMs()) + k * 1000.0;
        if (k > 0)
            latencies.push_back(nowUs / 1000.0 - crossingMs);
        return false;
    }
    std::vector<int> values;
    std::vector<double> latencies;
    bool started = false;

private:
    Bench& m_b;
    int m_length;
    int m_last = -1;
};

int real_run(int seconds)
{
    SystemClock clock;
    QtTimerFactory timers;
    Bench b(clock, timers, seconds);
    b.window->load();
    PaintWatch watch(b, seconds);
    b.clockPanel->installEventFilter(&watch);
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents();

    double cpu0 = 0, cpuEnd = 0;
    qint64 wall0 = 0, wallEnd = 0;
    int driftAtEnd = 0;
    QTimer::singleShot(500, [&] {
        b.commands->startTiming();
        watch.started = true;
        cpu0 = cpu_seconds();
        wall0 = monotonic_us();
    });
    // Just before the count reaches zero: CPU and the shown count against
    // the monotonic clock.
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (wall0 == 0 || wallEnd != 0)
            return;
        const qint64 elapsedMs = clock.monotonicMs() - b.engine->session().startReferenceMs();
        if (b.engine->timers().countdownTick->isEnabled() && elapsedMs >= (seconds - 1) * 1000LL + 500) {
            cpuEnd = cpu_seconds();
            wallEnd = monotonic_us();
            const int expected = seconds - int(elapsedMs / 1000);
            driftAtEnd = shown_seconds(b.clockText->text()) - expected;
            QTimer::singleShot(1500, &QCoreApplication::quit);
        }
    });
    poll.start();
    QCoreApplication::exec();

    int skipped = 0, twice = 0;
    for (size_t i = 1; i < watch.values.size(); ++i) {
        const int step = watch.values[i - 1] - watch.values[i];
        if (step > 1)
            skipped += step - 1;
        if (step <= 0)
            ++twice;
    }
    const std::vector<double>& lat = watch.latencies;
    const double worst = lat.empty() ? 0 : *std::max_element(lat.begin(), lat.end());
    const double wallS = (wallEnd - wall0) / 1e6;
    std::printf("digit changes: %zu over %d s; latency median %.2f ms, max %.2f ms\n", lat.size(), seconds,
                median(lat), worst);
    std::printf("seconds skipped: %d, shown twice: %d (first %d, last %d)\n", skipped, twice,
                watch.values.empty() ? -1 : watch.values.front(), watch.values.empty() ? -1 : watch.values.back());
    std::printf("CPU while counting: %.2f %% of one core (%.1f s)\n", wallS > 0 ? 100.0 * (cpuEnd - cpu0) / wallS : 0.0,
                wallS);
    std::printf("shown count minus monotonic count after %d s: %d s\n", seconds - 1, driftAtEnd);
    return 0;
}

// --- simulated run -------------------------------------------------------------------------

int fake_run(int seconds)
{
    SimClock clock;
    SimTimers timers(clock);
    Bench b(clock, timers, seconds);
    b.window->load();
    b.commands->startTiming();
    timers.runUntil(clock.mono + 100, 0, [](SimTimer*) {}); // the set-up
    const qint64 reference = b.engine->session().startReferenceMs();

    int worst = 0, off = 0, ticks = 0, last = -1, skipped = 0, twice = 0;
    QStringList stages;
    const EngineTimer* tick = b.engine->timers().countdownTick.get();
    timers.runUntil(reference + seconds * 1000LL - 1, reference + seconds * 500LL, [&](SimTimer* fired) {
        if (fired != tick)
            return;
        const int value = shown_seconds(b.clockText->text());
        if (value < 0)
            return;
        ++ticks;
        // The count shown for the monotonic clock's whole seconds.
        const int expected = seconds - int((clock.mono - reference) / 1000);
        const int diff = std::abs(value - expected);
        worst = std::max(worst, diff);
        if (diff)
            ++off;
        if (last >= 0 && value != last) {
            if (last - value > 1)
                skipped += last - value - 1;
            if (value > last)
                ++twice;
        }
        last = value;
        const std::optional<Stage> reached = b.window->hostState().run.stage();
        const QString stage = reached ? stageName(*reached) : QStringLiteral("-");
        if (stages.isEmpty() || stages.last() != stage)
            stages << stage;
    });
    const int expectedEnd = seconds - int((clock.mono - reference) / 1000);
    std::printf("simulated %d s run, ticks 0..50 ms late, one 1.5 s stall half-way: %d count ticks\n", seconds,
                ticks);
    std::printf("end of the run: shown %d s, monotonic clock %d s\n", last, expectedEnd);
    std::printf("ticks whose count differs from the monotonic whole seconds: %d (largest %d s; a tick more than "
                "0.5 s late shows the nearer second)\n", off, worst);
    std::printf("seconds skipped (during the stall): %d, shown twice: %d; stages: %s\n", skipped, twice,
                qPrintable(stages.join(u' ')));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("real");
    const int seconds = argc > 2 ? std::max(2, atoi(argv[2])) : (mode == QLatin1String("fake") ? 600 : 60);
    return mode == QLatin1String("fake") ? fake_run(seconds) : real_run(seconds);
}
