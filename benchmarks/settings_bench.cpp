// Figures for the settings window, on the whole program:
//   - the desktop menu's 设置 to the first painted frame of the settings window
//   - 应用 to the display painted with the applied plan
// Each over 20 runs in one process; prints median and maximum in ms.
//   - 应用 itself (checks and stores) with a TimeData.db of 10 MB, each
//     stored key changed, over 10 runs; prints minimum, median and maximum
//     in ms.
#include "bench_support.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "startup/desktop_windows.h"
#include "platform/save_file.h"
#include "settings/settings_window.h"
#include "startup/program_windows.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

// A control of the settings window by the name screen readers give it.
template <typename T>
static T* named(const QWidget* window, const char* name)
{
    for (T* child : window->findChildren<T*>())
        if (child->accessibleName() == QString::fromUtf8(name))
            return child;
    return nullptr;
}

using namespace orvalen;
using namespace orvalen::bench;

namespace {

// Calls `onPaint` once after the first paint of a widget inside `window`.
class PaintWatch final : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (armed && e->type() == QEvent::Paint) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && (w == target || target->isAncestorOf(w))) {
                armed = false;
                QMetaObject::invokeMethod(qApp, onPaint, Qt::QueuedConnection);
            }
        }
        return false;
    }
    QWidget* target = nullptr;
    bool armed = false;
    std::function<void()> onPaint;
};

template <typename T>
T* find_top()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            return t;
    return nullptr;
}

void report(const char* what, std::vector<double> ms)
{
    std::printf("%s: median %.1f ms, max %.1f ms over %zu runs\n", what, median(ms),
                *std::max_element(ms.begin(), ms.end()), ms.size());
}

// Opens the settings window from the desktop menu and calls `onPainted`
// with it after its first paint; returns when the window has closed.
void open_settings(QApplication& app, PaintWatch& watch, QAction* settingsItem,
                   const std::function<void(SettingsWindow*)>& onPainted)
{
    QMetaObject::invokeMethod(
        &app,
        [&] {
            auto* w = find_top<SettingsWindow>();
            watch.target = w;
            watch.armed = true;
            watch.onPaint = [&, w] { onPainted(w); };
        },
        Qt::QueuedConnection);
    settingsItem->trigger();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SystemClock clock;
    QtTimerFactory timers;
    BenchProgram program(clock, timers);
    auto windows = buildProgramWindows(program.context, makeDesktopWindows);
    auto* display = find_top<DisplayWindow>();
    QAction* settingsItem = nullptr;
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == QLatin1String("desktopMenu"))
            settingsItem = w->findChild<QAction*>(QStringLiteral("settingsItem"));
    if (!display || !settingsItem)
        return 1;

    PaintWatch watch;
    app.installEventFilter(&watch);
    const int runs = 20;
    std::vector<double> open, applied;
    QElapsedTimer t;
    for (int run = 0; run < runs; ++run) {
        t.start();
        open_settings(app, watch, settingsItem, [&](SettingsWindow* w) {
            open.push_back(t.nsecsElapsed() / 1e6);
            // 应用 with a new length, then wait for the clock panel to paint it.
            named<QLineEdit>(w, "总时长 分")->setText(QString::number(2 + run % 2));
            watch.target = display->findChild<Panel*>(QStringLiteral("clockPanel"));
            watch.armed = true;
            watch.onPaint = [&, w] {
                applied.push_back(t.nsecsElapsed() / 1e6);
                w->reject();
            };
            t.start();
            named<QPushButton>(w, "应用")->click();
        });
    }
    report("menu 设置 to the painted settings window", open);
    report("应用 to the display painted with the new plan", applied);

    // The same settings with 10 MB of other sections behind them.
    QByteArray padding = "[Padding]\n";
    for (int i = 0; padding.size() < 10 * 1024 * 1024; ++i)
        padding += "entry" + QByteArray::number(i) + '=' + QByteArray(100, 'x') + '\n';
    QFile current(program.ini->file());
    if (!current.open(QIODevice::ReadOnly) || !saveFile(program.ini->file(), current.readAll() + padding))
        return 1;
    current.close();
    std::vector<double> bigApply;
    for (int run = 0; run < 10; ++run) {
        open_settings(app, watch, settingsItem, [&](SettingsWindow* w) {
            // Every stored key changes, so that each one has to be written.
            const QString n = QString::number(2 + run % 2);
            named<QLineEdit>(w, "总时长 分")->setText(n);
            for (const char* field : {"延时 秒", "LOGO 宽", "LOGO 高", "动态文本 宽", "滚动速度"})
                named<QLineEdit>(w, field)->setText(n);
            named<QLineEdit>(w, "开始 热键")->setText(QStringLiteral("F") + n);
            named<QLineEdit>(w, "停止 热键")->setText(QStringLiteral("F1") + n);
            named<QLineEdit>(w, "暂停/继续 热键")->setText(QStringLiteral("F2") + n);
            t.start();
            named<QPushButton>(w, "应用")->click();
            bigApply.push_back(t.nsecsElapsed() / 1e6);
            w->reject();
        });
    }
    std::sort(bigApply.begin(), bigApply.end());
    std::printf("应用 with a 10 MB TimeData.db: min %.1f ms, median %.1f ms, max %.1f ms over %zu runs\n",
                bigApply.front(), median(bigApply), bigApply.back(), bigApply.size());
    return 0;
}
