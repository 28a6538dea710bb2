// The real network probes (Qt Network), part of the deferred module.
#include "deferred/qt_network_probes.h"

#include "platform/engine_timer.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimeZone>
#include <memory>

namespace orvalen {

QDateTime parseHttpDate(const QByteArray& header, QString* why)
{
    // IMF-fixdate, the form every current server sends. The weekday is not
    // checked (the date says which day it is).
    static const QRegularExpression form(
        R"(^\s*(?:[A-Za-z]{3,9},\s*)?(\d{1,2})\s+([A-Za-z]{3})\s+(\d{4})\s+(\d{2}):(\d{2}):(\d{2})\s+GMT\s*$)",
        QRegularExpression::CaseInsensitiveOption);
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return QDateTime();
    };
    if (header.trimmed().isEmpty())
        return fail(QStringLiteral("empty Date header"));
    const QString text = QString::fromLatin1(header.left(200));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return fail(QStringLiteral("Date header in an unknown form: \"%1\"").arg(text.simplified()));
    // Month names are English whatever the user's locale is: read them with
    // the C locale, written the way it spells them.
    const QString month = m.captured(2).left(1).toUpper() + m.captured(2).mid(1).toLower();
    const QString normal = QStringLiteral("%1 %2 %3 %4:%5:%6")
                               .arg(m.captured(1), month, m.captured(3), m.captured(4),
                                    m.captured(5), m.captured(6));
    QDateTime utc = QLocale::c().toDateTime(normal, QStringLiteral("d MMM yyyy HH:mm:ss"));
    if (!utc.isValid())
        return fail(QStringLiteral("Date header names no real instant: \"%1\"").arg(text.simplified()));
    utc.setTimeZone(QTimeZone::utc());
    return utc;
}

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
        result.utc = parseHttpDate(m_reply->rawHeader("Date"), &result.failure);
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
    : m_impl(std::make_unique<Impl>(timers, connectTimeoutMs, transferTimeoutMs))
{
}

QtNetworkProbes::~QtNetworkProbes() = default;

void QtNetworkProbes::pingHost(const QString& hosts, std::function<void(bool)> done)
{
    QStringList list = hosts.split(';', Qt::SkipEmptyParts);
    // Answer on the event loop, never from inside this call.
    QMetaObject::invokeMethod(
        &m_impl->owner, [this, list, done = std::move(done)]() mutable { m_impl->pingFrom(list, 0, false, std::move(done)); },
        Qt::QueuedConnection);
}

void QtNetworkProbes::fetchWebDate(const QUrl& address, std::function<void(WebDate)> done)
{
    if (!m_impl->nam)
        m_impl->nam = std::make_unique<QNetworkAccessManager>();
    auto* fetch = new DateFetch(&m_impl->owner, m_impl->timers, m_impl->transferTimeoutMs, std::move(done));
    QMetaObject::invokeMethod(
        fetch, [this, fetch, address] { fetch->start(*m_impl->nam, address); }, Qt::QueuedConnection);
}

} // namespace orvalen
