#pragma once
#include "services/network_probes.h"

#include <QByteArray>
#include <memory>

namespace orvalen {

class TimerFactory;

// The instant of an HTTP Date header ("Mon, 07 Dec 2026 15:04:05 GMT",
// letter case ignored, the weekday optional) as UTC. Read with the C
// locale, whatever the user's locale is. Any other form gives an invalid
// QDateTime and, when `why` is given, says what was wrong.
QDateTime parseHttpDate(const QByteArray& header, QString* why = nullptr);

// The real probes: QTcpSocket and QNetworkAccessManager, with their
// timeouts on timers of the given factory (so tests drive them from a fake
// clock).
class QtNetworkProbes final : public NetworkProbes {
public:
    explicit QtNetworkProbes(TimerFactory& timers, int connectTimeoutMs = 2000,
                             int transferTimeoutMs = 5000);
    ~QtNetworkProbes() override;
    void pingHost(const QString& hosts, std::function<void(bool)> done) override;
    void fetchWebDate(const QUrl& address, std::function<void(WebDate)> done) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace orvalen
