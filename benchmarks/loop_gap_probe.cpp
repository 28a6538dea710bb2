// A Qt generic plugin that any Qt program loads with
// QT_QPA_GENERIC_PLUGINS=loopgap (and QT_PLUGIN_PATH naming the folder above
// generic/): once the first exposure of one of the program's windows has
// been painted (its first frame) it follows the event loop for 500 ms with a 1 ms timer and
// prints the longest time between two turns, the time the loop was held:
//
//   loop_gap_ms <longest gap, ms> turns <number of turns>
//
// The line goes to standard output once; the program runs on.
#include <QElapsedTimer>
#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QMetaObject>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

constexpr qint64 kFollowedNs = 500'000'000;

class LoopGapProbe final : public QObject {
public:
    LoopGapProbe()
    {
        qApp->installEventFilter(this);
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(1);
        connect(&m_tick, &QTimer::timeout, this, [this] { turn(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow*>(watched)->isExposed()) {
            qApp->removeEventFilter(this);
            // The exposure paints the window after this filter: the
            // following starts once that frame is done.
            QMetaObject::invokeMethod(this, [this] {
                m_since.start();
                m_tick.start();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void turn()
    {
        const qint64 now = m_since.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
        ++m_turns;
        if (now < kFollowedNs)
            return;
        m_tick.stop();
        std::printf("loop_gap_ms %.1f turns %d\n", double(m_longest) / 1e6, m_turns);
        std::fflush(stdout);
    }

    QTimer m_tick;
    QElapsedTimer m_since;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_turns = 0;
};

class LoopGapPlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "loop_gap_probe.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("loopgap"), Qt::CaseInsensitive) == 0 ? new LoopGapProbe : nullptr;
    }
};

} // namespace

#include "loop_gap_probe.moc"
