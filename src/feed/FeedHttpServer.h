#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>

#include <vector>

class QWebSocket;

namespace kestrane {

class BoardFeed;

// The feed's routes, all GET and all read-only: the board page "/", the
// overlay strip "/overlay", their script and style files (compiled in),
// "/state?w=&h=" and the WebSocket "/live?w=&h=" that pushes the state on
// connect and after every change. Nothing on disk is ever served.
class FeedHttpServer final : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit FeedHttpServer(BoardFeed& feed, QObject* parent = nullptr);
    ~FeedHttpServer() override;

    int liveClients() const { return static_cast<int>(m_clients.size()); }

    // A WebSocket client whose unsent backlog passes this is dropped: it
    // reads too slowly to follow the board.
    static constexpr qint64 kMaxBacklog = 512 * 1024;
    // Distinct window sizes the live clients may ask for at once: each costs
    // a board build per change.
    static constexpr int kMaxLiveSizes = 16;
    // Board builds for sizes not asked before, per second.
    static constexpr int kNewSizesPerSecond = 40;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct Client {
        QWebSocket* socket;
        int w;
        int h;
    };
    void acceptWebSockets();
    void broadcast();
    bool send(const Client& c, const QString& text);
    void drop(QWebSocket* socket, bool abort);
    bool mayBuild(int w, int h);
    void answer(QTcpSocket* socket, const QHttpServerRequest& request, int status,
                const QByteArray& type, const QByteArray& body);

    BoardFeed& m_feed;
    std::vector<Client> m_clients;
    QHash<quint64, QByteArray> m_lastSent;
    QElapsedTimer m_second;
    int m_buildsThisSecond = 0;
};

} // namespace kestrane
