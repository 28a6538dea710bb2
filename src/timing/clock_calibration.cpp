#include "timing/clock_calibration.h"

#include "platform/engine_timer.h"
#include "platform/system_clock_setter.h"
#include "services/network_probes.h"
#include "state/run_state.h"
#include "timing/calibrated_clock.h"
#include "timing/long_term_log.h"

#include <QPointer>
#include <QTimeZone>
#include <cstdlib>

namespace orvalen {
namespace {

// Our own clock before this date has plainly never been set (a flat
// clock battery starts in 1970 or 2000); then any portal date after it is
// believed.
const QDateTime kClockSetFloor(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc());

} // namespace

ClockCalibration::ClockCalibration(HostState& host, EngineTimer& calibrationTick, NetworkProbes& probes,
                                   SystemClockSetter& setter, CalibratedClock& clock,
                                   QList<QUrl> portals, QObject* parent)
    : QObject(parent), m_host(host), m_calibrationTick(calibrationTick), m_probes(probes), m_setter(setter),
      m_clock(clock), m_portals(std::move(portals))
{
}

void ClockCalibration::tick()
{
    // Nothing runs: the calibration rests until the long-term tick wakes it
    // again.
    if (!m_host.run.isUnderWay()) {
        m_calibrationTick.setEnabled(false);
        return;
    }
    if (m_busy || m_portals.isEmpty())
        return;
    m_busy = true;
    QPointer<ClockCalibration> self(this);
    m_probes.pingHost(reachabilityTarget(m_portals.first()), [self](bool reached) {
        if (!self)
            return;
        if (!reached) {
            // No network: rest until the long-term tick enables the timer
            // again, which starts a fresh minute.
            self->m_calibrationTick.setEnabled(false);
            self->end(false);
            return;
        }
        self->askPortal(0);
    });
}

void ClockCalibration::askPortal(int index)
{
    if (index >= m_portals.size()) {
        end(false);
        return;
    }
    const qint64 sentMs = m_clock.monotonicMs();
    QPointer<ClockCalibration> self(this);
    m_probes.fetchWebDate(m_portals.at(index), [self, index, sentMs](WebDate answer) {
        if (self)
            self->takeAnswer(index, sentMs, answer);
    });
}

void ClockCalibration::takeAnswer(int index, qint64 sentMs, const WebDate& answer)
{
    const QUrl& portal = m_portals.at(index);
    if (!answer.ok()) {
        report(portal, answer.failure);
        askPortal(index + 1);
        return;
    }
    QString why;
    if (!believable(answer.utc, &why)) {
        report(portal, why);
        askPortal(index + 1);
        return;
    }
    // A Date of exactly midnight (our time of day) is passed over, as a
    // failed answer; the next portal is asked.
    if (answer.utc.toLocalTime().time() == QTime(0, 0)) {
        askPortal(index + 1);
        return;
    }
    m_lastProblem.remove(portal.toString());
    // The header is cut to whole seconds and was written somewhere during
    // the round trip: the best guess of the time now is half a second and
    // half the round trip later.
    const qint64 roundTrip = qMax<qint64>(0, m_clock.monotonicMs() - sentMs);
    const QDateTime estimate = answer.utc.addMSecs(500 + roundTrip / 2);
    end(apply(estimate, roundTrip));
}

bool ClockCalibration::believable(const QDateTime& portalUtc, QString* why) const
{
    const QDateTime ours = m_clock.base().now();
    if (portalUtc < kClockSetFloor || portalUtc > kClockSetFloor.addYears(100)) {
        *why = QStringLiteral("Date %1 is not a believable time").arg(portalUtc.toString(Qt::ISODate));
        return false;
    }
    if (ours >= kClockSetFloor && std::llabs(ours.msecsTo(portalUtc)) > kMaxCorrectionMs) {
        *why = QStringLiteral("Date %1 is more than 30 days away from our clock (%2)")
                   .arg(portalUtc.toString(Qt::ISODate), ours.toUTC().toString(Qt::ISODate));
        return false;
    }
    return true;
}

bool ClockCalibration::apply(const QDateTime& estimateUtc, qint64 roundTripMs)
{
    // The header is good to about half a second plus half the round trip;
    // a smaller difference is no reason to move the clock (moving it every
    // minute would make the display stutter).
    const qint64 tolerance = 1000 + roundTripMs / 2;
    const qint64 correction = m_clock.now().msecsTo(estimateUtc);
    if (std::llabs(correction) <= tolerance)
        return false;

    QString why;
    if (m_setter.maySetClock(&why)) {
        if (m_setter.setClock(estimateUtc.toUTC())) {
            m_clock.setOffsetMs(0);
            qCInfo(lcLongTerm).noquote() << "system clock set to" << estimateUtc.toUTC().toString(Qt::ISODateWithMs)
                                         << "from the network time";
            return true;
        }
        why = QStringLiteral("the system refused to set the clock");
    }
    const qint64 offset = m_clock.base().now().msecsTo(estimateUtc);
    m_clock.setOffsetMs(offset);
    qCInfo(lcLongTerm).noquote() << "the clock display runs" << offset << "ms from the system clock ("
                                 << why << ")";
    return true;
}

void ClockCalibration::end(bool applied)
{
    m_busy = false;
    emit finished(applied);
}

void ClockCalibration::report(const QUrl& portal, const QString& problem)
{
    // One line per portal and kind of trouble, not one a minute.
    QString& last = m_lastProblem[portal.toString()];
    if (last == problem)
        return;
    last = problem;
    qCWarning(lcLongTerm).noquote() << "network time from" << portal.toString() << "not used:" << problem;
}

} // namespace orvalen
