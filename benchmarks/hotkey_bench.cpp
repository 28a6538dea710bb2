// Hotkey press to the first changed frame on the display, under a real X
// server: the display window with its engine and run commands, the global
// hotkeys grabbed on the root window, and key presses sent through the XTEST
// extension on a connection of its own, as a keyboard would send them.
//
//   hotkey_bench [presses]      prints one line per measured command:
//   <command> n=<presses> median_ms=<m> max_ms=<x>
//
// pause:  Ctrl+Alt+P while counting; the frame is the first paint of the
//         on-screen pause button showing its new caption (继续 / 暂停).
// start:  Ctrl+Alt+S when ready; the frame is the first paint of the
//         on-screen start button greyed by the running state. This one
//         includes the count set-up that every start goes through.
#include "bench_support.h"
#include "display/display_window.h"
#include "platform/clock.h"
#include "platform/engine_timer.h"
#include "platform/x11_hotkeys.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "timing/display_engine.h"
#include "timing/global_hotkeys.h"
#include "timing/run_commands.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <vector>

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

// A keyboard on its own X connection, through XTEST.
class Keyboard {
public:
    Keyboard()
    {
        m_display = XOpenDisplay(nullptr);
        if (void* lib = dlopen("libXtst.so.6", RTLD_NOW))
            m_fake = reinterpret_cast<FakeKey>(dlsym(lib, "XTestFakeKeyEvent"));
    }
    ~Keyboard()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display && m_fake; }
    // Ctrl+Alt+<letter>: press and release, flushed to the server at once.
    void ctrlAlt(KeySym key)
    {
        const KeyCode codes[3] = {XKeysymToKeycode(m_display, XK_Control_L), XKeysymToKeycode(m_display, XK_Alt_L),
                                  XKeysymToKeycode(m_display, key)};
        for (KeyCode c : codes)
            m_fake(m_display, c, True, 0);
        for (int i = 2; i >= 0; --i)
            m_fake(m_display, codes[i], False, 0);
        XFlush(m_display);
    }

private:
    using FakeKey = int (*)(Display*, unsigned int, int, unsigned long);
    Display* m_display = nullptr;
    FakeKey m_fake = nullptr;
};

// Notes the first paint of a label after its caption or enabled state
// differs from what was painted before.
class FrameWatch final : public QObject {
public:
    explicit FrameWatch(QLabel* label) : m_label(label)
    {
        label->installEventFilter(this);
        remember();
    }
    void arm()
    {
        remember();
        m_changedAt = -1;
        m_clock.start();
    }
    qint64 changedAfterMs() const { return m_changedAt; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_changedAt < 0 && m_clock.isValid()
            && (m_label->text() != m_text || m_label->isEnabled() != m_enabled)) {
            m_changedAt = m_clock.nsecsElapsed() / 1000;  // microseconds
            remember();
        }
        return false;
    }

private:
    void remember()
    {
        m_text = m_label->text();
        m_enabled = m_label->isEnabled();
    }
    QLabel* m_label;
    QString m_text;
    bool m_enabled = true;
    QElapsedTimer m_clock;
    qint64 m_changedAt = -1;
};

bool wait_until(const std::function<bool()>& done, int limitMs = 3000)
{
    QDeadlineTimer deadline(limitMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return done();
}

void report(const char* name, const std::vector<double>& ms)
{
    if (ms.empty()) {
        std::printf("%s n=0\n", name);
        return;
    }
    std::printf("%s n=%zu median_ms=%.2f max_ms=%.2f\n", name, ms.size(), median(ms),
                *std::max_element(ms.begin(), ms.end()));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("QT_MEDIA_BACKEND");
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    SystemClock clock;
    QtTimerFactory timers;
    BenchProgram program(clock, timers);
    IniStore& ini = *program.ini;
    ini.write("Hotkey", "start", "Ctrl+Alt+S");
    ini.write("Hotkey", "stop", "Ctrl+Alt+T");
    ini.write("Hotkey", "pause", "Ctrl+Alt+P");
    ini.write("Hotkey", "often", "00");
    ClockPlan plan = ClockPlan::defaults(QDate::currentDate());
    plan.Time_all = QTime(1, 0, 0);
    savePlan(*program.registry, plan);

    AppContext& ctx = program.context;

    HostState host;
    CurrentPlan currentPlan;
    QuietHost displayHost;
    DisplayWindow window(ctx, host, currentPlan, displayHost);
    DisplayEngine engine(ctx, host, currentPlan, window.countView());
    RunCommands& commands = engine.commands();
    window.load();
    engine.displayLoaded();
    std::array<QLabel*, 5> screenButtons{};
    for (int i = 0; i < 5; ++i) {
        screenButtons[i] = window.findChild<QLabel*>(QStringLiteral("screenButton%1").arg(i));
        screenButtons[i]->setVisible(true);
    }
    X11Hotkeys backend;
    if (!backend.unavailableReason().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(backend.unavailableReason()));
        return 2;
    }
    GlobalHotkeys hotkeys(ctx, host, commands, backend);
    hotkeys.registerHotkeys();
    Keyboard keyboard;
    if (!keyboard.ok()) {
        std::fprintf(stderr, "no XTEST keyboard (libXtst.so.6)\n");
        return 2;
    }
    wait_until([] { return false; }, 500);  // let the window settle

    std::vector<double> startMs;
    std::vector<double> pauseMs;
    FrameWatch startButton(screenButtons[0]);
    FrameWatch pauseButton(screenButtons[2]);

    for (int i = 0; i < presses; ++i) {
        // From ready: the start key.
        startButton.arm();
        keyboard.ctrlAlt(XK_s);
        if (wait_until([&] { return startButton.changedAfterMs() >= 0; }))
            startMs.push_back(startButton.changedAfterMs() / 1000.0);
        wait_until([&] { return engine.timers().countdownTick->isEnabled(); });

        // While counting: pause or continue.
        pauseButton.arm();
        keyboard.ctrlAlt(XK_p);
        if (wait_until([&] { return pauseButton.changedAfterMs() >= 0; }))
            pauseMs.push_back(pauseButton.changedAfterMs() / 1000.0);

        if (qEnvironmentVariableIsSet("HOTKEY_BENCH_TRACE"))
            std::fprintf(stderr, "round %d: start %lld us, pause %lld us, state=%d\n", i,
                         startButton.changedAfterMs(), pauseButton.changedAfterMs(), int(host.run.state()));
        // Back to ready for the next round: stop, then clear.
        commands.stopTiming();
        commands.startTiming();
        wait_until([&] { return host.run.state() == RunState::Ready && !engine.timers().countSetup->isEnabled(); });
        wait_until([] { return false; }, 20);
    }
    report("pause", pauseMs);
    report("start", startMs);
    return (int(pauseMs.size()) == presses && int(startMs.size()) == presses) ? 0 : 1;
}
