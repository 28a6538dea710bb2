#pragma once
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QUrl>

namespace orvalen {

class CalibratedClock;
class EngineTimer;
class NetworkProbes;
class SystemClockSetter;
struct HostState;
struct WebDate;

// Network time for the long-term display (the tick of networkTimeTick, about once a
// minute while the display runs). It asks whether the first portal is
// reachable, then asks the portals in order for their Date header; the
// first usable answer wins. Where the program may set the system clock it
// sets it in one step from that UTC instant; otherwise the display's clock
// keeps the measured offset, so the live clock and the count-down show
// portal time. All of it runs on the event loop: the display never waits
// for the network, and a tick that comes while a calibration is under way
// does nothing.
class ClockCalibration : public QObject {
    Q_OBJECT
public:
    ClockCalibration(HostState& host, EngineTimer& calibrationTick, NetworkProbes& probes,
                     SystemClockSetter& setter, CalibratedClock& clock, QList<QUrl> portals,
                     QObject* parent = nullptr);

    // The networkTimeTick tick.
    void tick();
    // A calibration is under way.
    bool busy() const { return m_busy; }

    // The largest correction taken from a portal while our own clock looks
    // set (after 2024): a Date further off is not believed.
    static constexpr qint64 kMaxCorrectionMs = 30LL * 24 * 3600 * 1000;

signals:
    // A calibration ended: `applied` when it set the clock or changed the
    // offset, false when the clock was already right or no portal helped.
    void finished(bool applied);

private:
    void askPortal(int index);
    void takeAnswer(int index, qint64 sentMs, const WebDate& answer);
    bool believable(const QDateTime& portalUtc, QString* why) const;
    bool apply(const QDateTime& estimateUtc, qint64 roundTripMs);
    void end(bool applied);
    void report(const QUrl& portal, const QString& problem);

    HostState& m_host;
    EngineTimer& m_calibrationTick;
    NetworkProbes& m_probes;
    SystemClockSetter& m_setter;
    CalibratedClock& m_clock;
    QList<QUrl> m_portals;
    bool m_busy = false;
    QHash<QString, QString> m_lastProblem; // per portal: what was logged last
};

} // namespace orvalen
