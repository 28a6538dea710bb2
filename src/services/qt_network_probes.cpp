// The real network probes (Qt Network). The program does not link them: they
// come with the deferred module, loaded after the first frame.
#include "services/network_probes.h"

#include "platform/engine_timer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTcpSocket>
#include <memory>

namespace orvalen {

namespace {

// One TCP connection attempt with a timeout; reports once, then deletes
// itself.
class TcpProbe final : public QObject {
public:
    TcpProbe(QObject* parent, TimerFactory& timers, QString host, quint16 port, int timeoutMs,
             std::function<void(bool)> done)
        : QObject(parent), m_host(std::move(host)), m_port(port), m_done(std::move(done))
    {
        m_timer = timers.create(QStringLiteral("reachability"));
        m_timer->setHandler([this] { finish(false); });
        m_timeoutMs = timeoutMs;
        connect(&m_socket, &QTcpSocket::connected, this, [this] { finish(true); });
        connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(false); });
    }
    ~TcpProbe() override { m_socket.disconnect(this); }
    void start()
    {
        m_timer->startOnce(m_timeoutMs);
        m_socket.connectToHost(m_host, m_port);
    }

private:
    void finish(bool reached)
    {
        if (!m_done)
            return;
        auto done = std::move(m_done);
        m_done = nullptr;
        m_timer->setEnabled(false);
        m_socket.disconnect(this);
        m_socket.abort();
        deleteLater();
        done(reached);
    }

    QTcpSocket m_socket;
    QString m_host;
    quint16 m_port;
    int m_timeoutMs = 0;
    std::unique_ptr<EngineTimer> m_timer;
    std::function<void(bool)> m_done;
};

// One GET that reads the Date header of the first response and drops the
// body; reports once, then deletes itself.
class DateFetch final : public QObject {
public:
    DateFetch(QObject* parent, TimerFactory& timers, int timeoutMs, std::function<void(WebDate)> done)
        : QObject(parent), m_timeoutMs(timeoutMs), m_done(std::move(done))
    {
        m_timer = timers.create(QStringLiteral("web date"));
        m_timer->setHandler([this] { finish({QDateTime(), QStringLiteral("no answer in time")}); });
    }
    ~DateFetch() override
    {
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
            m_reply->deleteLater();
        }
    }
    void start(QNetworkAccessManager& nam, const QUrl& address)
    {
        QNetworkRequest request(address);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setRawHeader("If-Modified-Since", "0");
        request.setRawHeader("Cache-Control", "no-cache");
        request.setRawHeader("Connection", "close");
        m_timer->startOnce(m_timeoutMs);
        m_reply = nam.get(request);
        connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
            if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
                takeHeaders();
        });
        connect(m_reply, &QNetworkReply::finished, this, [this] {
            if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
                takeHeaders();
            else
                finish({QDateTime(), m_reply->errorString()});
        });
    }

private:
    void takeHeaders()
    {
        if (!m_reply->hasRawHeader("Date")) {
            finish({QDateTime(), QStringLiteral("no Date header")});
            return;
        }
        WebDate result;
        result.utc = parse_http_date(m_reply->rawHeader("Date"), &result.failure);
        finish(result);
    }
    void finish(WebDate result)
    {
        if (!m_done)
            return;
        auto done = std::move(m_done);
        m_done = nullptr;
        m_timer->setEnabled(false);
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
            m_reply->deleteLater();
            m_reply = nullptr;
        }
        deleteLater();
        done(std::move(result));
    }

    int m_timeoutMs;
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<EngineTimer> m_timer;
    std::function<void(WebDate)> m_done;
};

} // namespace

struct QtNetworkProbes::Impl {
    Impl(TimerFactory& t, int connectMs, int transferMs)
        : timers(t), connectTimeoutMs(connectMs), transferTimeoutMs(transferMs)
    {
    }
    TimerFactory& timers;
    int connectTimeoutMs;
    int transferTimeoutMs;
    std::unique_ptr<QNetworkAccessManager> nam;
    QObject owner; // parent of the requests in flight; goes before the manager

    void pingFrom(QStringList hosts, int index, bool lastAnswer, std::function<void(bool)> done)
    {
        if (index >= hosts.size()) {
            done(lastAnswer);
            return;
        }
        const QUrl target(QStringLiteral("tcp://") + hosts.at(index).trimmed());
        const int port = target.port(443);
        auto* probe = new TcpProbe(&owner, timers, target.host(), quint16(port), connectTimeoutMs,
                                   [this, hosts, index, done](bool reached) {
                                       pingFrom(hosts, index + 1, reached, done);
                                   });
        probe->start();
    }
};

QtNetworkProbes::QtNetworkProbes(TimerFactory& timers, int connectTimeoutMs, int transferTimeoutMs)
    : d(std::make_unique<Impl>(timers, connectTimeoutMs, transferTimeoutMs))
{
}

QtNetworkProbes::~QtNetworkProbes() = default;

void QtNetworkProbes::ping_host(const QString& hosts, std::function<void(bool)> done)
{
    QStringList list = hosts.split(';', Qt::SkipEmptyParts);
    // Answer on the event loop, never from inside this call.
    QMetaObject::invokeMethod(
        &d->owner, [this, list, done = std::move(done)]() mutable { d->pingFrom(list, 0, false, std::move(done)); },
        Qt::QueuedConnection);
}

void QtNetworkProbes::fetch_web_date(const QUrl& address, std::function<void(WebDate)> done)
{
    if (!d->nam)
        d->nam = std::make_unique<QNetworkAccessManager>();
    auto* fetch = new DateFetch(&d->owner, d->timers, d->transferTimeoutMs, std::move(done));
    QMetaObject::invokeMethod(
        fetch, [this, fetch, address] { fetch->start(*d->nam, address); }, Qt::QueuedConnection);
}

} // namespace orvalen
