#pragma once

#include <QTcpServer>

class QTcpSocket;

namespace kestrane {

// The listening socket under the feed's HTTP server, enforcing the limits
// that server has none of: at most kMaxConnections open connections; a
// request head complete within kHeadTimeoutMs, checked by RequestHead
// before it is handed on; plain HTTP answers gone within kHttpLifetimeMs;
// afterwards only a WebSocket may stay open.
class FeedTcpServer final : public QTcpServer {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 1024;
    static constexpr int kHeadTimeoutMs = 5000;
    static constexpr int kHttpLifetimeMs = 15000;
    // Set by the HTTP server on a socket it hands on as a WebSocket.
    static constexpr const char* kWebSocketProperty = "feedWebSocket";

    explicit FeedTcpServer(QObject* parent = nullptr);
    int openConnections() const { return m_open; }
    // Tests shorten the limits.
    void setLimits(int maxConnections, int headTimeoutMs, int httpLifetimeMs);

protected:
    void incomingConnection(qintptr handle) override;

private:
    void readHead(QTcpSocket* socket);
    void reject(QTcpSocket* socket, int status);

    int m_open = 0;
    int m_maxConnections = kMaxConnections;
    int m_headTimeoutMs = kHeadTimeoutMs;
    int m_httpLifetimeMs = kHttpLifetimeMs;
};

} // namespace kestrane
