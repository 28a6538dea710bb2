#pragma once
#include "support/wait_until.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <memory>
#include <vector>

namespace orvalen::test {

// A small web server on 127.0.0.1 that answers every GET with the Date
// header a test chooses (or none, or bytes that are no HTTP at all, or
// nothing: it keeps the connection open and never answers).
class DateServer final : public QObject {
public:
    enum class Mode { Answer, Garbage, Silent };

    DateServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }
    ~DateServer() override
    {
        for (const QPointer<QTcpSocket>& s : m_sockets)
            if (s)
                s->abort();
    }

    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port())); }

    // Answers with this Date header; an empty one sends no Date header.
    void answer(const QByteArray& dateHeader)
    {
        m_mode = Mode::Answer;
        m_date = dateHeader;
    }
    void answerGarbage() { m_mode = Mode::Garbage; }
    void stayQuiet() { m_mode = Mode::Silent; }

    // Connections accepted (reachability probes count too) and GET
    // requests received.
    int connections() const { return m_connections; }
    int requests() const { return m_requests; }
    // The connections made so far: connects once itself and runs the event
    // loop until that marker connection is counted, so that every connection
    // made before it has been counted too. The marker does not count. -1 when
    // the marker does not arrive.
    int connectionsSoFar()
    {
        QTcpSocket marker;
        marker.connectToHost(QHostAddress::LocalHost, port());
        const bool arrived = wait_until([&] { return marker.localPort() != 0 && m_peerPorts.contains(marker.localPort()); });
        if (!arrived)
            return -1;
        marker.abort();
        return --m_connections;
    }
    QByteArray lastRequest() const { return m_lastRequest; }

private:
    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            ++m_connections;
            m_peerPorts.insert(socket->peerPort());
            m_sockets.emplace_back(socket);
            socket->setParent(this);
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (!buffer->contains("\r\n\r\n"))
                    return;
                ++m_requests;
                m_lastRequest = *buffer;
                buffer->clear();
                respond(socket);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }
    void respond(QTcpSocket* socket)
    {
        switch (m_mode) {
        case Mode::Silent:
            return;
        case Mode::Garbage:
            socket->write("this is no web server\r\n\r\n");
            break;
        case Mode::Answer: {
            QByteArray reply = "HTTP/1.1 200 OK\r\n";
            if (!m_date.isEmpty())
                reply += "Date: " + m_date + "\r\n";
            reply += "Content-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
            socket->write(reply);
            break;
        }
        }
        socket->flush();
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::vector<QPointer<QTcpSocket>> m_sockets;
    Mode m_mode = Mode::Answer;
    QByteArray m_date;
    int m_connections = 0;
    QSet<quint16> m_peerPorts;
    int m_requests = 0;
    QByteArray m_lastRequest;
};

// A port on 127.0.0.1 where nothing listens (connections are refused).
inline quint16 closed_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace orvalen::test
