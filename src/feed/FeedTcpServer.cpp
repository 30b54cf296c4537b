#include "feed/FeedTcpServer.h"

#include "feed/RequestHead.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace kestrane {

namespace {
const char* kHeadProperty = "feedHead";

QByteArray reason(int status)
{
    switch (status) {
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Service Unavailable";
    }
}
} // namespace

FeedTcpServer::FeedTcpServer(QObject* parent) : QTcpServer(parent)
{
    setMaxPendingConnections(kMaxConnections);
}

void FeedTcpServer::setLimits(int maxConnections, int headTimeoutMs, int httpLifetimeMs)
{
    m_maxConnections = maxConnections;
    m_headTimeoutMs = headTimeoutMs;
    m_httpLifetimeMs = httpLifetimeMs;
}

void FeedTcpServer::incomingConnection(qintptr handle)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (m_open >= m_maxConnections) {
        reject(socket, 503);
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    // Bounded reading: the head check sees at most this much at a time.
    socket->setReadBufferSize(RequestHead::kMaxSize * 2);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });
    // Slow or silent clients do not keep a connection.
    QTimer::singleShot(m_headTimeoutMs, socket, [socket] {
        if (!socket->property(kHeadProperty).toBool())
            socket->abort();
    });
}

void FeedTcpServer::readHead(QTcpSocket* socket)
{
    if (socket->property(kHeadProperty).toBool()) {
        // After the head only a WebSocket talks; the HTTP server has taken
        // the socket over then. Anything else is a second request.
        return;
    }
    const QByteArray bytes = socket->peek(socket->bytesAvailable());
    const RequestHead::Verdict v = RequestHead::check(bytes);
    if (v == RequestHead::Verdict::Incomplete)
        return;
    if (v != RequestHead::Verdict::Accept) {
        reject(socket, RequestHead::status(v));
        return;
    }
    socket->setProperty(kHeadProperty, true);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    // Plain answers are written within moments; a client that never reads
    // its answer is dropped. A socket that became a WebSocket stays.
    QTimer::singleShot(m_httpLifetimeMs, socket, [socket] {
        if (!socket->property(kWebSocketProperty).toBool())
            socket->abort();
    });
    addPendingConnection(socket);
    Q_EMIT newConnection();
    // The head is already buffered: let the HTTP server read it now.
    const QPointer<QTcpSocket> s = socket;
    QMetaObject::invokeMethod(
        socket,
        [s] {
            if (s && s->bytesAvailable() > 0)
                Q_EMIT s->readyRead();
        },
        Qt::QueuedConnection);
}

void FeedTcpServer::reject(QTcpSocket* socket, int status)
{
    socket->setProperty(kHeadProperty, true);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    const QByteArray body = QByteArray::number(status) + ' ' + reason(status) + '\n';
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (status == 405)
        answer += "Allow: GET\r\n";
    answer += "Content-Type: text/plain; charset=utf-8\r\n"
              "X-Content-Type-Options: nosniff\r\n"
              "Connection: close\r\n"
              "Content-Length: " +
              QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket->write(answer);
    socket->disconnectFromHost();
    // A client that reads nothing of the answer does not hold the socket.
    QTimer::singleShot(m_headTimeoutMs, socket, [socket] { socket->abort(); });
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

} // namespace kestrane
