#include "feed/FeedTcpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <unistd.h>

namespace kestrane {

namespace {
const char* kHeadProperty = "feedHead";

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 421:
        return "Misdirected Request";
    case 426:
        return "Upgrade Required";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Service Unavailable";
    }
}

// Past the limit a connection gets a short 503; this far past it, not even
// that (a flood of connects must not cost the console more).
constexpr int kSilentMargin = 256;
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

void FeedTcpServer::setPerAddressLimit(int limit, bool loopbackToo)
{
    m_maxPerAddress = limit;
    m_limitLoopback = loopbackToo;
}

void FeedTcpServer::incomingConnection(qintptr handle)
{
    if (m_open >= m_maxConnections + kSilentMargin) {
        ::close(static_cast<int>(handle));
        return;
    }
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        ::close(static_cast<int>(handle));
        return;
    }
    // The slot is the socket's: it comes back when the socket goes, and the
    // socket goes when its connection ends, however it ends. A child of the
    // socket holds it, not a link of the socket's own: whoever takes the
    // socket over may cut those (the WebSocket handshake does).
    const QHostAddress peer = socket->peerAddress();
    const bool limited = m_limitLoopback || !peer.isLoopback();
    if (limited && m_openPerAddress.value(peer) >= m_maxPerAddress) {
        socket->abort();
        delete socket;
        return;
    }
    ++m_open;
    if (limited)
        ++m_openPerAddress[peer];
    connect(new QObject(socket), &QObject::destroyed, this, [this, limited, peer] {
        --m_open;
        if (limited && --m_openPerAddress[peer] == 0)
            m_openPerAddress.remove(peer);
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        socket->deleteLater();
        return;
    }
    if (m_open > m_maxConnections) {
        answer(socket, 503, "text/plain; charset=utf-8", "503 Busy, try again\n");
        return;
    }
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
    if (socket->property(kHeadProperty).toBool() || !socket->isOpen())
        return;
    const QByteArray bytes = socket->peek(socket->bytesAvailable());
    RequestHead::Head head;
    const RequestHead::Verdict v = RequestHead::check(bytes, &head);
    if (v == RequestHead::Verdict::Incomplete)
        return;
    socket->setProperty(kHeadProperty, true);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    // The head stays unread: a WebSocket handshake reads it again.
    if (v != RequestHead::Verdict::Accept) {
        const int status = RequestHead::status(v);
        answer(socket, status, "text/plain; charset=utf-8",
               QByteArray::number(status) + ' ' + reason(status) + '\n',
               status == 405 ? "Allow: GET\r\n" : "");
        return;
    }
    // Plain answers are written within moments; a client that never reads
    // its answer is dropped. A socket that became a WebSocket stays.
    QTimer::singleShot(m_httpLifetimeMs, socket, [socket] {
        if (!socket->property(kWebSocketProperty).toBool())
            socket->abort();
    });
    if (onRequest)
        onRequest(socket, head);
    else
        answer(socket, 503, "text/plain; charset=utf-8", "503 Not ready\n");
}

void FeedTcpServer::answer(QTcpSocket* socket, int status, const QByteArray& type,
                           const QByteArray& body, const QByteArray& headers)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    out += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\n"
           "X-Content-Type-Options: nosniff\r\n"
           "Content-Security-Policy: default-src 'none'; script-src 'self'; style-src 'self'; "
           "connect-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'\r\n"
           "Referrer-Policy: no-referrer\r\n"
           "Cache-Control: no-store\r\n"
           "Connection: close\r\n";
    if (status == 503)
        out += "Retry-After: 1\r\n";
    out += headers + "\r\n" + body;
    socket->write(out);
    finish(socket);
}

void FeedTcpServer::finish(QTcpSocket* socket)
{
    socket->setProperty(kHeadProperty, true);
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    // A client that reads nothing of the answer does not hold the socket.
    QTimer::singleShot(m_headTimeoutMs, socket, [socket] { socket->abort(); });
    socket->disconnectFromHost();
}

} // namespace kestrane
