#pragma once

#include "feed/FeedHosts.h"
#include "feed/RequestHead.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QTcpSocket;

namespace kestrane {

class BoardFeed;
class FeedTcpServer;

// The feed's routes, all GET and all read-only: the board page "/", the
// overlay strip "/overlay", their script and style files (compiled in),
// "/state?w=&h=", "/results" when the operator allows it, and the WebSocket
// "/live?w=&h=" that pushes the state on connect and after every change.
// Nothing on disk is ever served, and only requests under this PC's own
// names are answered (FeedHosts).
//
// A live client gets the newest state when it can take it, never a queue of
// old ones: each holds at most one state in the program beyond the one being
// written, shared with every client of its size. A client that takes nothing
// for kStuckMs is dropped.
//
// Window sizes cost one board build per change each, so at most
// kMaxBuiltSizes are built per change: the sizes most clients ask for; every
// other client gets the nearest built one and its page scales it.
class FeedHttpServer final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxBuiltSizes = 12;
    static constexpr int kStuckMs = 10000;
    // Past this many live clients an upgrade is closed with 1013 (try again
    // later): the rest of the slots stay for pages and /state.
    static constexpr int kMaxLiveClients = 1000;

    FeedHttpServer(BoardFeed& feed, FeedTcpServer& tcp, const FeedHosts& hosts,
                   QObject* parent = nullptr);
    ~FeedHttpServer() override;

    int liveClients() const { return static_cast<int>(m_clients.size()); }
    // Bytes of states the program holds for live clients, unsent.
    qint64 bufferedBytes() const;
    // Distinct sizes built at the last change.
    int builtSizes() const { return static_cast<int>(m_frames.size()); }
    void setLiveLimits(int maxClients, int stuckMs);

    // What the feed cost the console's thread: per change (building and
    // handing out the states) and per request, in nanoseconds of the
    // thread's CPU time.
    struct Costs {
        qint64 changes = 0;
        qint64 changeNs = 0;
        qint64 changeMaxNs = 0;
        qint64 requests = 0;
        qint64 requestNs = 0;
        qint64 requestMaxNs = 0;
    };
    const Costs& costs() const { return m_costs; }

    // What "/results" answers while serving it is on; nothing set: 404.
    void setResultsProvider(std::function<QByteArray()> provider);
    void setServeResults(bool on) { m_serveResults = on; }
    FeedHosts& hosts() { return m_hosts; }

private:
    struct Client {
        int w = 0;
        int h = 0;
        quint64 sentKey = 0; // the size whose states it gets
        QByteArray sent;     // the last frame given to the socket (shared)
        QByteArray pending;  // the newest frame, while the socket is still busy
        qint64 lastEmpty = 0;
    };
    void request(QTcpSocket* socket, const RequestHead::Head& head);
    void answerRequest(QTcpSocket* socket, const RequestHead::Head& head);
    void upgrade(QTcpSocket* socket, const RequestHead::Head& head, int w, int h);
    void clientSays(QTcpSocket* socket);
    void assignSizes();
    QByteArray frameFor(quint64 key);
    void offer(QTcpSocket* socket, Client& c, const QByteArray& frame);
    void written(QTcpSocket* socket);
    void sweep();
    void broadcast();
    void close(QTcpSocket* socket, quint16 code, const QByteArray& why);

    BoardFeed& m_feed;
    FeedTcpServer& m_tcp;
    FeedHosts m_hosts;
    QHash<QTcpSocket*, Client> m_clients;
    // Per built size: its JSON and frame at the last change.
    QHash<quint64, QPair<QByteArray, QByteArray>> m_frames;
    QTimer m_sweep;
    qint64 m_lastRefresh = 0;
    int m_maxLive = kMaxLiveClients;
    int m_stuckMs = kStuckMs;
    std::function<QByteArray()> m_results;
    bool m_serveResults = false;
    Costs m_costs;
};

} // namespace kestrane
