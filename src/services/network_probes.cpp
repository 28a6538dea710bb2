#include "services/network_probes.h"

namespace orvalen {

QList<QUrl> defaultTimePortals()
{
    // Large sites that answer from many places of the world; all over
    // HTTPS, so nobody on the way can hand the display a wrong time.
    return {QUrl("https://www.baidu.com/"),     QUrl("https://www.qq.com/"),
            QUrl("https://www.bing.com/"),      QUrl("https://www.cloudflare.com/"),
            QUrl("https://www.microsoft.com/"), QUrl("https://www.google.com/")};
}

QString reachabilityTarget(const QUrl& address)
{
    const int defaultPort = address.scheme().compare("http", Qt::CaseInsensitive) == 0 ? 80 : 443;
    QString host = address.host();
    if (host.contains(':'))
        host = '[' + host + ']';
    return host + ':' + QString::number(address.port(defaultPort));
}

} // namespace orvalen
