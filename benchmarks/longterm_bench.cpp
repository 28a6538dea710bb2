// A long-term display left up for a day, on the fake clock: a count-down to a
// date three days ahead with the weekday shown, and the network time asked
// every minute (from a portal that answers at once). Reports the resident
// memory after a warm-up minute and at the end, and how late the clock text
// ever was behind the clock (one tick of the long-term display is 300 ms).
//   longterm_bench [hours]      default 24
#include "bench_support.h"
#include "display/display_window.h"
#include "platform/system_clock_setter.h"
#include "services/network_probes.h"
#include "stores/plan_store.h"
#include "state/run_state.h"
#include "support/temp_program.h"
#include "timing/calibrated_clock.h"
#include "timing/display_engine.h"
#include "timing/long_term_display.h"
#include "timing/long_term_texts.h"
#include "timing/run_commands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTimeZone>
#include <cstdio>
#include <cstdlib>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

// A portal that is always there and tells our own time.
class PromptPortal final : public NetworkProbes {
public:
    explicit PromptPortal(const Clock& clock) : m_clock(clock) {}
    void pingHost(const QString&, std::function<void(bool)> done) override
    {
        QMetaObject::invokeMethod(&m_context, [done] { done(true); }, Qt::QueuedConnection);
    }
    void fetchWebDate(const QUrl&, std::function<void(WebDate)> done) override
    {
        ++fetches;
        const QDateTime now = m_clock.now().toUTC();
        QMetaObject::invokeMethod(&m_context, [done, now] { done(WebDate{now, QString()}); },
                                  Qt::QueuedConnection);
    }
    int fetches = 0;

private:
    const Clock& m_clock;
    QObject m_context;
};

class NoClockSetting final : public SystemClockSetter {
public:
    bool maySetClock(QString*) override { return false; }
    bool setClock(const QDateTime&) override { return false; }
};

long rss_kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void run_posted_events()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_MEDIA_BACKEND");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("orvalen.longterm.info=false"));
    const int hours = argc > 1 ? std::max(1, std::atoi(argv[1])) : 24;

    test::TempProgram program;
    HostState host;
    CurrentPlan currentPlan;
    QuietHost quietHost;

    const QDateTime target = program.clock.now().addDays(3);
    ClockPlan plan = ClockPlan::defaults(program.clock.now().date());
    plan.longTerm = true;
    plan.time_date = target.date();
    plan.Time_all = target.time();
    plan.timeFormat = TimeFormat::Seconds;
    plan.overtimeAction = OvertimeAction::Stop;
    savePlan(program.registry, plan);
    host.menus.setWeekdayChecked(true);

    DisplayWindow window(program.context, host, currentPlan, quietHost);
    ScreenMetrics screen;
    screen.fullWidthPx = screen.screenWidthPx = 1920;
    screen.fullHeightPx = 1080;
    window.setScreenMetrics(screen);
    PromptPortal portal(program.clock);
    NoClockSetting setter;
    EngineLinks links;
    links.probes = &portal;
    links.setter = &setter;
    links.portals = {QUrl(QStringLiteral("https://portal.invalid/"))};
    DisplayEngine engine(program.context, host, currentPlan, window.countView(), links);
    LongTermDisplay& longTerm = engine.longTerm();
    window.load();
    engine.displayLoaded();
    program.timers.advance(100);
    // The shown texts, by their object names.
    const QLabel* clockText = window.findChild<QLabel*>(QStringLiteral("clockText"));
    const QLabel* dateLine = window.findChild<QLabel*>(QStringLiteral("textLabel2"));
    const QLabel* prompt = window.findChild<QLabel*>(QStringLiteral("textLabel3"));

    qint64 maxLateMs = 0;
    qint64 steps = 0;
    auto runFor = [&](qint64 seconds, bool measure) {
        for (qint64 i = 0; i < seconds * 10; ++i) {
            program.timers.advance(100);
            ++steps;
            if (steps % 50 == 0)
                run_posted_events(); // let the network answer
            if (!measure)
                continue;
            const QDateTime now = longTerm.clock().now();
            const QString expected = countdownTexts(remainingSeconds(now, target), TimeFormat::Seconds).clock;
            if (clockText->text() != expected)
                maxLateMs = std::max<qint64>(maxLateMs, now.time().msec());
        }
    };

    QElapsedTimer wall;
    wall.start();
    runFor(60, false);
    run_posted_events();
    const long before = rss_kb();
    runFor(qint64(hours) * 3600, true);
    run_posted_events();
    const long after = rss_kb();

    std::printf("long-term display, %d simulated hours (%lld steps of 100 ms, %d network calibrations) in %.1f s\n",
                hours, static_cast<long long>(steps), portal.fetches, wall.elapsed() / 1000.0);
    std::printf("RSS after the first minute: %ld kB; after %d h: %ld kB (%+ld kB)\n", before, hours, after,
                after - before);
    std::printf("clock text at most %lld ms behind the fake clock, sampled at its 100 ms steps (a step size, not a\n"
                "screen figure: benchmarks/screen_clock_bench.sh measures the screen)\n",
                static_cast<long long>(maxLateMs));
    std::printf("shown at the end: %s %s, prompt %s\n", qPrintable(dateLine->text()),
                qPrintable(clockText->text()), qPrintable(prompt->text()));
    return maxLateMs <= 300 ? 0 : 1;
}
