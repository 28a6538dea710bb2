#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

namespace orvalen {

// The public web sites whose Date header the clock display trusts, in the
// order they are asked. All are reached over HTTPS. The host of the first
// is the one whose reachability is probed before a calibration.
QList<QUrl> defaultTimePortals();

// "host" or "host:port" of an address, for pingHost; the port is the
// address's own or the default of its scheme (443 for https, 80 for http).
QString reachabilityTarget(const QUrl& address);

// What fetchWebDate learnt from one address.
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
    virtual void pingHost(const QString& hosts, std::function<void(bool)> done) = 0;
    // GETs the address and reports the instant of the response's Date
    // header. Redirects are not followed: any response carries a Date.
    virtual void fetchWebDate(const QUrl& address, std::function<void(WebDate)> done) = 0;
};

} // namespace orvalen
