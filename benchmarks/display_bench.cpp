// Figures for the display: time to the first painted frame, the cost of one
// clock repaint over a full-screen background picture, and idle CPU.
//   display_bench first-frame   prints the wall-clock ms (epoch) of the first paint
//   display_bench repaint N     prints the mean ms of N clock repaints
//   display_bench idle S        prints the CPU % used over S idle seconds
#include "bench_support.h"
#include "display/display_window.h"
#include "state/run_state.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <cstdio>

using namespace orvalen;
using namespace orvalen::bench;

namespace {

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !done) {
            done = true;
            // Report after this paint has been handled.
            QTimer::singleShot(0, [] {
                std::printf("%lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }
    bool done = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("first-frame");
    const int count = argc > 2 ? std::max(1, atoi(argv[2])) : 0;

    SystemClock clock;
    QtTimerFactory timers;
    BenchProgram program(clock, timers);
    if (mode == QLatin1String("repaint")) {
        // A full-screen photo-like background, as picture/1.jpg of the default plan.
        QImage bg(1920, 1080, QImage::Format_RGB32);
        QPainter p(&bg);
        QLinearGradient g(0, 0, 1920, 1080);
        g.setColorAt(0, Qt::darkBlue);
        g.setColorAt(1, Qt::yellow);
        p.fillRect(bg.rect(), g);
        p.end();
        bg.save(program.folder() + "picture/1.jpg", "JPG");
    }
    HostState host;
    CurrentPlan currentPlan;
    QuietHost displayHost;

    DisplayWindow window(program.context, host, currentPlan, displayHost);
    FirstPaint first;
    if (mode == QLatin1String("first-frame"))
        window.findChild<QWidget*>("backgroundBox")->installEventFilter(&first);
    window.load();

    if (mode == QLatin1String("first-frame"))
        return app.exec();

    if (mode == QLatin1String("repaint")) {
        // Let the first frame settle, then time new digits on the clock.
        for (int i = 0; i < 20; ++i)
            app.processEvents();
        const int n = count > 0 ? count : 500;
        CountView& view = window.countView();
        const BackgroundView& background = window.backgroundView();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) {
            const int s = 3599 - i % 3600;
            // Painted and onto the screen now, not at the next event round.
            view.showClockText(QString::asprintf("%02d:%02d", s / 60, s % 60));
        }
        std::printf("%.3f %d\n", t.nsecsElapsed() / 1e6 / n, background.backgroundIsPicture() ? 1 : 0);
        return 0;
    }

    // idle
    for (int i = 0; i < 20; ++i)
        app.processEvents();
    const int seconds = count > 0 ? count : 5;
    const double cpu0 = cpu_seconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%.3f\n", 100.0 * (cpu_seconds() - cpu0) / (wall.nsecsElapsed() / 1e9));
    return 0;
}
