#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

namespace orvalen {

class TimerFactory;

// The public web sites whose Date header the clock display trusts, in the
// order they are asked. All are reached over HTTPS. The host of the first
// is the one whose reachability is probed before a calibration.
QList<QUrl> default_time_portals();

// "host" or "host:port" of an address, for ping_host; the port is the
// address's own or the default of its scheme (443 for https, 80 for http).
QString reachability_target(const QUrl& address);

// The instant of an HTTP Date header ("Mon, 07 Dec 2026 15:04:05 GMT",
// letter case ignored, the weekday optional) as UTC. Read with the C
// locale, whatever the user's locale is. Any other form gives an invalid
// QDateTime and, when `why` is given, says what was wrong.
QDateTime parse_http_date(const QByteArray& header, QString* why = nullptr);

// What fetch_web_date learnt from one address.
struct WebDate {
    QDateTime utc;      // the server's Date header as UTC; invalid when none
    QString failure;    // why there is none: no answer, timed out, no header, ...
    bool ok() const { return utc.isValid(); }
};

// The two network probes of the clock display. Both answer later, on the
// event loop, never from inside the call; the caller's callback runs
// exactly once.
class NetworkProbes {
public:
    virtual ~NetworkProbes() = default;
    // Probes each of the ";"-separated hosts ("host" or "host:port", port
    // 443 when none is given) in turn with a TCP connection and reports the
    // answer of the last one: true when it accepted the connection.
    virtual void ping_host(const QString& hosts, std::function<void(bool)> done) = 0;
    // GETs the address and reports the instant of the response's Date
    // header. Redirects are not followed: any response carries a Date.
    virtual void fetch_web_date(const QUrl& address, std::function<void(WebDate)> done) = 0;
};

// The real probes: QTcpSocket and QNetworkAccessManager, with their
// timeouts on timers of the given factory (so tests drive them from a fake
// clock).
class QtNetworkProbes final : public NetworkProbes {
public:
    explicit QtNetworkProbes(TimerFactory& timers, int connectTimeoutMs = 2000,
                             int transferTimeoutMs = 5000);
    ~QtNetworkProbes() override;
    void ping_host(const QString& hosts, std::function<void(bool)> done) override;
    void fetch_web_date(const QUrl& address, std::function<void(WebDate)> done) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace orvalen
