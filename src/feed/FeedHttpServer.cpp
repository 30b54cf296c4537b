#include "feed/FeedHttpServer.h"

#include "feed/BoardFeed.h"
#include "feed/FeedRoutes.h"
#include "feed/FeedSizeKey.h"
#include "feed/FeedTcpServer.h"

#include <QDateTime>
#include <QFile>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>

namespace kestrane {

namespace {

struct Size {
    int w = 0;
    int h = 0;
};

// "w=1920&h=1080", or neither (design twips). Anything else is refused.
std::optional<Size> sizeOf(const QString& queryText)
{
    const QUrlQuery query(queryText);
    const bool hasW = query.hasQueryItem(QStringLiteral("w"));
    const bool hasH = query.hasQueryItem(QStringLiteral("h"));
    if (!hasW && !hasH)
        return Size{};
    bool okW = false;
    bool okH = false;
    const int w = query.queryItemValue(QStringLiteral("w")).toInt(&okW);
    const int h = query.queryItemValue(QStringLiteral("h")).toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > BoardFeed::kMaxWidth || h > BoardFeed::kMaxHeight)
        return std::nullopt;
    return Size{w, h};
}

// The console thread's own CPU time: what the feed costs it, without the
// time it waited for a core on a busy machine.
qint64 threadNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

bool hasToken(const QByteArray& list, const QByteArray& token)
{
    for (const QByteArray& t : list.split(',')) {
        if (t.trimmed().toLower() == token)
            return true;
    }
    return false;
}

const QByteArray kText = "text/plain; charset=utf-8";
const QByteArray kJson = "application/json";

} // namespace

FeedHttpServer::FeedHttpServer(BoardFeed& feed, FeedTcpServer& tcp, const FeedHosts& hosts,
                               QObject* parent)
    : QObject(parent), m_feed(feed), m_tcp(tcp), m_hosts(hosts),
      m_ws(QString(), QWebSocketServer::NonSecureMode)
{
    m_tcp.onRequest = [this](QTcpSocket* s, const RequestHead::Head& h) { request(s, h); };
    // It never listens: it only takes over sockets whose head passed the checks.
    m_ws.setMaxPendingConnections(FeedTcpServer::kMaxConnections);
    m_ws.setHandshakeTimeout(FeedTcpServer::kHeadTimeoutMs);
    connect(&m_ws, &QWebSocketServer::newConnection, this, &FeedHttpServer::adopt);
    connect(&feed, &BoardFeed::changed, this, &FeedHttpServer::changed);
    m_turn.setSingleShot(true);
    m_turn.setInterval(0);
    connect(&m_turn, &QTimer::timeout, this, &FeedHttpServer::buildTurn);
    connect(&m_sweep, &QTimer::timeout, this, &FeedHttpServer::sweep);
    m_sweep.start(std::max(50, m_stuckMs / 4));
}

FeedHttpServer::~FeedHttpServer()
{
    m_tcp.onRequest = nullptr;
    const QList<QWebSocket*> clients = m_clients.keys();
    m_clients.clear();
    for (QWebSocket* ws : clients) {
        ws->disconnect(this);
        delete ws;
    }
}

void FeedHttpServer::setLiveLimits(int maxClients, int stuckMs)
{
    m_maxLive = maxClients;
    m_stuckMs = stuckMs;
    m_sweep.start(std::max(50, m_stuckMs / 4));
}

void FeedHttpServer::setResultsProvider(std::function<QByteArray()> provider)
{
    m_results = std::move(provider);
}

qint64 FeedHttpServer::bufferedBytes() const
{
    qint64 n = 0;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        n += it.key()->bytesToWrite();
    for (const Built& b : m_frames)
        n += b.json.size() * qint64(sizeof(QChar));
    return n;
}

void FeedHttpServer::request(QTcpSocket* socket, const RequestHead::Head& head)
{
    const qint64 start = threadNs();
    answerRequest(socket, head);
    const qint64 ns = threadNs() - start;
    ++m_costs.requests;
    m_costs.requestNs += ns;
    m_costs.requestMaxNs = std::max(m_costs.requestMaxNs, ns);
}

void FeedHttpServer::answerRequest(QTcpSocket* socket, const RequestHead::Head& head)
{
    if (head.count("host") != 1) {
        m_tcp.answer(socket, 400, kText, "400 A request needs exactly one Host header\n");
        return;
    }
    const QByteArray host = head.value("host");
    if (!m_hosts.acceptsHost(host) && nowMs() - m_lastRefresh > 5000) {
        // An address may have come since: look once more, not for every request.
        m_lastRefresh = nowMs();
        m_hosts.refresh();
    }
    if (!m_hosts.acceptsHost(host)) {
        m_tcp.answer(socket, 421, kText,
                     "421 This feed answers only under this PC's own names and addresses\n");
        return;
    }
    if (head.count("origin") > 1 || !m_hosts.acceptsOrigin(head.value("origin"), host)) {
        m_tcp.answer(socket, 403, kText, "403 Requests from other web sites are refused\n");
        return;
    }
    const QByteArray route = RequestHead::route(head.target);
    if (const FeedRoutes::File* file = FeedRoutes::file(route)) {
        QFile f(QString::fromLatin1(file->resource));
        if (!f.open(QIODevice::ReadOnly))
            m_tcp.answer(socket, 404, kText, "404 Not Found\n");
        else
            m_tcp.answer(socket, 200, file->type, f.readAll());
        return;
    }
    const qsizetype q = head.target.indexOf('?');
    const std::optional<Size> size =
        sizeOf(q < 0 ? QString() : QString::fromLatin1(head.target.mid(q + 1)));
    if (route == FeedRoutes::kState) {
        if (!size)
            m_tcp.answer(socket, 400, kText, "400 w and h must be whole numbers of pixels\n");
        else
            m_tcp.answer(socket, 200, kJson, m_feed.state(size->w, size->h));
        return;
    }
    if (route == FeedRoutes::kResults) {
        if (m_serveResults && m_results)
            m_tcp.answer(socket, 200, kJson, m_results());
        else
            m_tcp.answer(socket, 404, kText, "404 Not Found\n");
        return;
    }
    // "/live": our own checks first, then Qt's handshake reads the head again.
    if (head.value("upgrade").toLower() != "websocket" ||
        !hasToken(head.value("connection"), "upgrade")) {
        m_tcp.answer(socket, 426, kText, "426 /live is a WebSocket\n",
                     "Upgrade: websocket\r\nSec-WebSocket-Version: 13\r\n");
        return;
    }
    if (head.value("sec-websocket-version") != "13") {
        m_tcp.answer(socket, 426, kText, "426 WebSocket version 13 only\n",
                     "Sec-WebSocket-Version: 13\r\n");
        return;
    }
    const auto decoded = QByteArray::fromBase64Encoding(head.value("sec-websocket-key"),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != 16 || !size) {
        m_tcp.answer(socket, 400, kText, "400 Bad WebSocket request\n");
        return;
    }
    socket->setProperty(FeedTcpServer::kWebSocketProperty, true);
    // The kernel keeps little for a client that does not read, either.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 64 * 1024);
    m_ws.setHandshakeTimeout(m_tcp.headTimeoutMs());
    m_ws.handleConnection(socket);
}

void FeedHttpServer::adopt()
{
    while (QWebSocket* ws = m_ws.nextPendingConnection()) {
        const qint64 start = threadNs();
        ws->setParent(this);
        connect(ws, &QWebSocket::disconnected, this, [this, ws] {
            m_clients.remove(ws);
            ws->deleteLater();
        });
        const std::optional<Size> size = sizeOf(ws->requestUrl().query());
        if (liveClients() >= m_maxLive) {
            close(ws, 1013, QStringLiteral("busy, try again later"));
            continue;
        }
        if (!size) {
            close(ws, 1008, QStringLiteral("bad size"));
            continue;
        }
        ws->setMaxAllowedIncomingFrameSize(kMaxIncomingFrame);
        ws->setMaxAllowedIncomingMessageSize(kMaxIncomingFrame);
        const auto says = [this, ws] { close(ws, 1008, QStringLiteral("the feed only sends")); };
        connect(ws, &QWebSocket::textMessageReceived, this, says);
        connect(ws, &QWebSocket::binaryMessageReceived, this, says);
        connect(ws, &QWebSocket::bytesWritten, this, [this, ws] { written(ws); });
        Client c;
        c.ownKey = FeedSizeKey::of(size->w, size->h);
        c.lastEmpty = nowMs();
        m_clients.insert(ws, c);
        assignSizes();
        offer(ws, m_clients[ws]);
        const qint64 ns = threadNs() - start;
        m_costs.requestNs += ns;
        m_costs.requestMaxNs = std::max(m_costs.requestMaxNs, ns);
    }
}

// The sizes most clients ask for are built; every other client gets the
// nearest built one (its page scales it). Design twips are a size of their
// own, never a stand-in for pixels.
void FeedHttpServer::assignSizes()
{
    QHash<quint64, int> counts;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        ++counts[it->ownKey];
    std::vector<std::pair<int, quint64>> bySize;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        bySize.emplace_back(-it.value(), it.key());
    std::sort(bySize.begin(), bySize.end());
    std::vector<quint64> built;
    for (const auto& [count, key] : bySize) {
        if (key != 0 && static_cast<int>(built.size()) < kMaxBuiltSizes)
            built.push_back(key);
    }
    m_wanted.clear();
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        if (it->ownKey == 0 || std::find(built.begin(), built.end(), it->ownKey) != built.end()) {
            it->sentKey = it->ownKey;
        } else {
            double best = 1e9;
            const int w = FeedSizeKey::width(it->ownKey);
            const int h = FeedSizeKey::height(it->ownKey);
            for (const quint64 k : built) {
                const double d = std::abs(std::log(double(FeedSizeKey::width(k)) / w)) +
                                 std::abs(std::log(double(FeedSizeKey::height(k)) / h));
                if (d < best) {
                    best = d;
                    it->sentKey = k;
                }
            }
        }
        ++m_wanted[it->sentKey];
    }
    m_frames.removeIf([this](const auto& f) { return !m_wanted.contains(f.key()); });
}

// The state for a built size: the one at hand, however old (a newer one is
// on its way when it is stale), or built now for a size new to the feed.
const FeedHttpServer::Built& FeedHttpServer::frameFor(quint64 key)
{
    auto it = m_frames.find(key);
    if (it == m_frames.end()) {
        const QByteArray json = m_feed.state(FeedSizeKey::width(key), FeedSizeKey::height(key));
        it = m_frames.insert(key, Built{QString::fromUtf8(json), ++m_serial, m_change});
    }
    return *it;
}

void FeedHttpServer::offer(QWebSocket* ws, Client& c)
{
    const Built& b = frameFor(c.sentKey);
    if (c.sent == b.serial) {
        c.pending = false;
        return;
    }
    if (ws->bytesToWrite() > 0) {
        c.pending = true; // only the newest is worth sending, when the socket empties
        return;
    }
    ws->sendTextMessage(b.json);
    c.sent = b.serial;
    c.pending = false;
    c.lastEmpty = nowMs();
}

void FeedHttpServer::written(QWebSocket* ws)
{
    const auto it = m_clients.find(ws);
    if (it == m_clients.end() || ws->bytesToWrite() > 0)
        return;
    it->lastEmpty = nowMs();
    if (it->pending)
        offer(ws, *it);
}

void FeedHttpServer::sweep()
{
    const qint64 now = nowMs();
    QList<QWebSocket*> stuck;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        if (it.key()->bytesToWrite() > 0 && now - it->lastEmpty > m_stuckMs)
            stuck << it.key();
    }
    for (QWebSocket* ws : stuck) {
        m_clients.remove(ws);
        ws->abort();
    }
}

void FeedHttpServer::changed()
{
    ++m_change;
    m_reassign = true;
    buildTurn();
}

// One turn of the feed's work: at most one board build, handed to the
// clients of its size. The size left longest goes first, then the one most
// clients get; the next turn is queued behind whatever else the console has.
void FeedHttpServer::buildTurn()
{
    const qint64 start = threadNs();
    if (m_reassign) {
        m_reassign = false;
        assignSizes();
    }
    const auto done = [&] {
        const qint64 ns = threadNs() - start;
        ++m_costs.changes;
        m_costs.changeNs += ns;
        m_costs.changeMaxNs = std::max(m_costs.changeMaxNs, ns);
    };
    if (!m_toOffer.isEmpty()) {
        offerSome();
        m_turn.start(); // sizes may wait too
        return done();
    }
    std::optional<std::tuple<qint64, int, quint64>> next; // (change, -count, key)
    int stale = 0;
    for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it) {
        const auto f = m_frames.constFind(it.key());
        const qint64 change = f == m_frames.cend() ? -1 : f->change;
        if (change == m_change)
            continue;
        ++stale;
        const auto candidate = std::make_tuple(change, -it.value(), it.key());
        if (!next || candidate < *next)
            next = candidate;
    }
    if (!next)
        return;
    const quint64 key = std::get<2>(*next);
    const QString json =
        QString::fromUtf8(m_feed.state(FeedSizeKey::width(key), FeedSizeKey::height(key)));
    Built& b = m_frames[key];
    if (b.json != json)
        b = Built{json, ++m_serial, m_change};
    else
        b.change = m_change;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        if (it->sentKey == key)
            m_toOffer << it.key();
    }
    if (stale > 1)
        m_turn.start();
    offerSome();
    done();
}

void FeedHttpServer::offerSome()
{
    const qint64 start = threadNs();
    qsizetype n = 0;
    while (n < m_toOffer.size() && n < m_offersPerTurn &&
           (n == 0 || threadNs() - start < m_turnBudgetNs)) {
        QWebSocket* ws = m_toOffer.at(n++);
        const auto it = m_clients.find(ws);
        if (it != m_clients.end())
            offer(ws, *it);
    }
    m_toOffer.remove(0, n);
    if (!m_toOffer.isEmpty())
        m_turn.start();
}

void FeedHttpServer::close(QWebSocket* ws, int code, const QString& why)
{
    m_clients.remove(ws);
    ws->disconnect(this);
    connect(ws, &QWebSocket::disconnected, ws, &QObject::deleteLater);
    // Qt ends the connection itself after the close, answered or not.
    ws->close(static_cast<QWebSocketProtocol::CloseCode>(code), why);
}

} // namespace kestrane
