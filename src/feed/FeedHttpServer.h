#pragma once

#include "feed/FeedHosts.h"
#include "feed/RequestHead.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QWebSocketServer>

#include <functional>
#include <memory>

class QTcpSocket;
class QWebSocket;

namespace kestrane {

class BoardFeed;
class FeedTcpServer;

// The feed's routes (FeedRoutes), all GET and all read-only: the board page
// "/", the overlay strip "/overlay", their script and style files (compiled
// in), "/state?w=&h=", "/results" when the operator allows it, and the
// WebSocket "/live?w=&h=" that pushes the state on connect and after every
// change. Nothing on disk is ever served, and only requests under this PC's
// own names are answered (FeedHosts). Plain answers are written here; an
// upgrade that passed every check is handed to Qt's WebSocket server.
//
// A live client gets the newest state when it can take it, never a queue of
// old ones: each holds at most one state in the program beyond the one being
// written, shared with every client of its size. A client that takes nothing
// for kStuckMs is dropped.
//
// Window sizes cost one board build per change each, so at most
// kMaxBuiltSizes are built: the sizes most clients ask for; every other
// client gets the nearest built one and its page scales it. The console
// never waits for them all: one size is built per turn of the event loop,
// the most wanted first, the rest in the turns after (sizes left longest
// first, so none starves while changes keep coming), and a turn hands the
// state out until it has spent kTurnBudgetNs of the thread's time doing so
// (to one client at least, at most kOffersPerTurn).
class FeedHttpServer final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxBuiltSizes = 12;
    static constexpr int kStuckMs = 10000;
    // Past this many live clients an upgrade is closed with 1013 (try again
    // later): the rest of the slots stay for pages and /state.
    static constexpr int kMaxLiveClients = 1000;
    // The feed only talks; what a client says ends it, and it may not say much.
    static constexpr int kMaxIncomingFrame = 1024;
    // Handing a state to a client costs its encoding, framing and the write:
    // a turn hands out states until its time is spent, and never more than
    // this many; the rest wait for the next turns.
    static constexpr int kOffersPerTurn = 1000;
    static constexpr qint64 kTurnBudgetNs = 2000000;

    FeedHttpServer(BoardFeed& feed, FeedTcpServer& tcp, const FeedHosts& hosts,
                   QObject* parent = nullptr);
    ~FeedHttpServer() override;

    int liveClients() const { return static_cast<int>(m_clients.size()); }
    // Bytes of states the program holds for live clients, unsent.
    qint64 bufferedBytes() const;
    // Distinct sizes built since the last change.
    int builtSizes() const { return static_cast<int>(m_frames.size()); }
    void setLiveLimits(int maxClients, int stuckMs);
    void setOffersPerTurn(int n) { m_offersPerTurn = n; }
    void setTurnBudgetNs(qint64 ns) { m_turnBudgetNs = ns; }

    // What the feed cost the console's thread: per turn of its work after a
    // change (at most one board build and handing that state out) and per
    // request, in nanoseconds of the thread's CPU time.
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
    // A client holds no state of its own: only which one it has and whether
    // a newer one waits for its socket to empty.
    struct Client {
        quint64 ownKey = 0;  // the size its window has
        quint64 sentKey = 0; // the size whose states it gets
        qint64 sent = -1;    // the serial of the last state given to the socket
        bool pending = false;
        qint64 lastEmpty = 0;
    };
    struct Built {
        QString json;
        qint64 serial = 0;  // a new one for each different state
        qint64 change = -1; // the change it shows
    };
    void request(QTcpSocket* socket, const RequestHead::Head& head);
    void answerRequest(QTcpSocket* socket, const RequestHead::Head& head);
    void adopt();
    void assignSizes();
    const Built& frameFor(quint64 key);
    void offer(QWebSocket* ws, Client& c);
    void written(QWebSocket* ws);
    void sweep();
    void changed();
    void buildTurn();
    void offerSome();
    void close(QWebSocket* ws, int code, const QString& why);

    BoardFeed& m_feed;
    FeedTcpServer& m_tcp;
    FeedHosts m_hosts;
    QWebSocketServer m_ws;
    QHash<QWebSocket*, Client> m_clients;
    // Per built size: its state and the change it shows.
    QHash<quint64, Built> m_frames;
    QHash<quint64, int> m_wanted; // built size -> clients that get it
    qint64 m_change = 0;
    qint64 m_serial = 0;
    bool m_reassign = false;
    QList<QWebSocket*> m_toOffer; // clients of a size just built, not yet handed it
    int m_offersPerTurn = kOffersPerTurn;
    qint64 m_turnBudgetNs = kTurnBudgetNs;
    QTimer m_turn;
    QTimer m_sweep;
    qint64 m_lastRefresh = 0;
    int m_maxLive = kMaxLiveClients;
    int m_stuckMs = kStuckMs;
    std::function<QByteArray()> m_results;
    bool m_serveResults = false;
    Costs m_costs;
};

} // namespace kestrane
