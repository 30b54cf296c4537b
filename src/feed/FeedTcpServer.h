#pragma once

#include "feed/RequestHead.h"

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

namespace kestrane {

// The listening socket of the feed and every connection it accepts, with
// their limits: at most kMaxConnections open connections; a request head
// complete within kHeadTimeoutMs, checked by RequestHead before anything
// else sees it; plain answers gone within kHttpLifetimeMs; afterwards only a
// WebSocket may stay open.
//
// Each accepted connection holds one slot from its accept until its socket
// is gone, whatever became of it: the count cannot drift, however a
// connection ends.
//
// One device on the hall network may hold at most kMaxPerAddress of the
// slots, so that a faulty or hostile one cannot lock the others out; a
// connection past that is closed at once. This PC's own connections (the
// streaming software's overlay, the operator's browser) are not limited.
class FeedTcpServer final : public QTcpServer {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 1024;
    static constexpr int kMaxPerAddress = 64;
    static constexpr int kHeadTimeoutMs = 5000;
    static constexpr int kHttpLifetimeMs = 15000;
    // Set on a socket that became a WebSocket: it stays past the lifetime.
    static constexpr const char* kWebSocketProperty = "feedWebSocket";

    explicit FeedTcpServer(QObject* parent = nullptr);
    // Connections accepted whose socket is still there.
    int openConnections() const { return m_open; }
    int maxConnections() const { return m_maxConnections; }
    int headTimeoutMs() const { return m_headTimeoutMs; }
    // Tests shorten the limits; loopbackToo lets a test on loopback stand
    // for a device on the network.
    void setLimits(int maxConnections, int headTimeoutMs, int httpLifetimeMs);
    void setPerAddressLimit(int limit, bool loopbackToo);

    // Gets every request whose head passed the check, the head still unread
    // on the socket; it answers (answer()) or hands the socket on to become a
    // WebSocket.
    std::function<void(QTcpSocket*, const RequestHead::Head&)> onRequest;

    // A complete plain answer, then the end of the connection. `headers` are
    // extra lines, each ending in "\r\n".
    void answer(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body,
                const QByteArray& headers = {});
    // Closes after the last bytes written; by force when the client does not
    // take them within the head timeout.
    void finish(QTcpSocket* socket);

protected:
    void incomingConnection(qintptr handle) override;

private:
    void readHead(QTcpSocket* socket);

    int m_open = 0;
    QHash<QHostAddress, int> m_openPerAddress; // of the limited addresses only
    int m_maxPerAddress = kMaxPerAddress;
    bool m_limitLoopback = false;
    int m_maxConnections = kMaxConnections;
    int m_headTimeoutMs = kHeadTimeoutMs;
    int m_httpLifetimeMs = kHttpLifetimeMs;
};

} // namespace kestrane
