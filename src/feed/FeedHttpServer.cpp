#include "feed/FeedHttpServer.h"

#include "feed/BoardFeed.h"
#include "feed/FeedTcpServer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QTcpSocket>
#include <QUrlQuery>

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

// "?w=1920&h=1080", or neither (design twips). Anything else is refused.
std::optional<Size> sizeOf(const QByteArray& target)
{
    const qsizetype q = target.indexOf('?');
    const QUrlQuery query(q < 0 ? QString() : QString::fromLatin1(target.mid(q + 1)));
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

quint64 keyOf(int w, int h)
{
    return (quint64(quint32(w)) << 32) | quint32(h);
}
int widthOf(quint64 key)
{
    return static_cast<int>(key >> 32);
}
int heightOf(quint64 key)
{
    return static_cast<int>(key & 0xffffffffU);
}

// A WebSocket frame from the server: final, unmasked.
QByteArray frame(quint8 opcode, const QByteArray& payload)
{
    QByteArray f;
    f.reserve(payload.size() + 10);
    f.append(static_cast<char>(0x80 | opcode));
    const quint64 n = static_cast<quint64>(payload.size());
    if (n < 126) {
        f.append(static_cast<char>(n));
    } else if (n < 65536) {
        f.append(static_cast<char>(126));
        f.append(static_cast<char>(n >> 8)).append(static_cast<char>(n & 0xff));
    } else {
        f.append(static_cast<char>(127));
        for (int shift = 56; shift >= 0; shift -= 8)
            f.append(static_cast<char>((n >> shift) & 0xff));
    }
    return f + payload;
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

struct Page {
    const char* route;
    const char* resource;
    const char* type;
};

constexpr Page kPages[] = {
    {"/", ":/feed/board.html", "text/html; charset=utf-8"},
    {"/overlay", ":/feed/overlay.html", "text/html; charset=utf-8"},
    {"/feed.js", ":/feed/feed.js", "text/javascript; charset=utf-8"},
    {"/board.js", ":/feed/board.js", "text/javascript; charset=utf-8"},
    {"/overlay.js", ":/feed/overlay.js", "text/javascript; charset=utf-8"},
    {"/feed.css", ":/feed/feed.css", "text/css; charset=utf-8"},
};

const QByteArray kText = "text/plain; charset=utf-8";
const QByteArray kJson = "application/json";

} // namespace

FeedHttpServer::FeedHttpServer(BoardFeed& feed, FeedTcpServer& tcp, const FeedHosts& hosts,
                               QObject* parent)
    : QObject(parent), m_feed(feed), m_tcp(tcp), m_hosts(hosts)
{
    m_tcp.onRequest = [this](QTcpSocket* s, const RequestHead::Head& h) { request(s, h); };
    connect(&feed, &BoardFeed::changed, this, &FeedHttpServer::broadcast);
    connect(&m_sweep, &QTimer::timeout, this, &FeedHttpServer::sweep);
    m_sweep.start(std::max(50, m_stuckMs / 4));
}

FeedHttpServer::~FeedHttpServer()
{
    m_tcp.onRequest = nullptr;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        it.key()->disconnect(this);
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
    // Pending frames are shared with the built ones: counted once.
    for (const auto& f : m_frames)
        n += f.first.size() + f.second.size();
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
    for (const Page& p : kPages) {
        if (route != p.route)
            continue;
        QFile f(QString::fromLatin1(p.resource));
        if (!f.open(QIODevice::ReadOnly)) {
            m_tcp.answer(socket, 404, kText, "404 Not Found\n");
            return;
        }
        m_tcp.answer(socket, 200, p.type, f.readAll());
        return;
    }
    const std::optional<Size> size = sizeOf(head.target);
    if (route == "/state") {
        if (!size)
            m_tcp.answer(socket, 400, kText, "400 w and h must be whole numbers of pixels\n");
        else
            m_tcp.answer(socket, 200, kJson, m_feed.state(size->w, size->h));
        return;
    }
    if (route == "/results") {
        if (m_serveResults && m_results)
            m_tcp.answer(socket, 200, kJson, m_results());
        else
            m_tcp.answer(socket, 404, kText, "404 Not Found\n");
        return;
    }
    // "/live"
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
    const QByteArray key = head.value("sec-websocket-key");
    const auto decoded =
        QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != 16 || !size) {
        m_tcp.answer(socket, 400, kText, "400 Bad WebSocket request\n");
        return;
    }
    const QByteArray accept = QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                                       QCryptographicHash::Sha1)
                                  .toBase64();
    socket->setProperty(FeedTcpServer::kWebSocketProperty, true);
    socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\n"
                  "Connection: Upgrade\r\nSec-WebSocket-Accept: " +
                  accept + "\r\n\r\n");
    upgrade(socket, head, size->w, size->h);
}

void FeedHttpServer::upgrade(QTcpSocket* socket, const RequestHead::Head&, int w, int h)
{
    if (liveClients() >= m_maxLive) {
        close(socket, 1013, "busy, try again later");
        return;
    }
    // The kernel keeps little for a client that does not read, either.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 64 * 1024);
    Client c;
    c.w = w;
    c.h = h;
    c.lastEmpty = nowMs();
    m_clients.insert(socket, c);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { clientSays(socket); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { written(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { m_clients.remove(socket); });
    assignSizes();
    Client& mine = m_clients[socket];
    offer(socket, mine, frameFor(mine.sentKey));
}

// The sizes most clients ask for are built; every other client gets the
// nearest built one (its page scales it). Design twips are a size of their
// own, never a stand-in for pixels.
void FeedHttpServer::assignSizes()
{
    QHash<quint64, int> counts;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it)
        ++counts[keyOf(it->w, it->h)];
    std::vector<std::pair<int, quint64>> bySize;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        bySize.emplace_back(-it.value(), it.key());
    std::sort(bySize.begin(), bySize.end());
    std::vector<quint64> built;
    for (const auto& [count, key] : bySize) {
        if (key != 0 && static_cast<int>(built.size()) < kMaxBuiltSizes)
            built.push_back(key);
    }
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        const quint64 own = keyOf(it->w, it->h);
        if (own == 0 || std::find(built.begin(), built.end(), own) != built.end()) {
            it->sentKey = own;
            continue;
        }
        double best = 1e9;
        for (const quint64 k : built) {
            const double d = std::abs(std::log(double(widthOf(k)) / it->w)) +
                             std::abs(std::log(double(heightOf(k)) / it->h));
            if (d < best) {
                best = d;
                it->sentKey = k;
            }
        }
    }
}

QByteArray FeedHttpServer::frameFor(quint64 key)
{
    const auto it = m_frames.constFind(key);
    if (it != m_frames.constEnd())
        return it->second;
    const QByteArray json = m_feed.state(widthOf(key), heightOf(key));
    const QByteArray f = frame(0x1, json);
    m_frames.insert(key, {json, f});
    return f;
}

void FeedHttpServer::offer(QTcpSocket* socket, Client& c, const QByteArray& f)
{
    const QByteArray& last = c.pending.isEmpty() ? c.sent : c.pending;
    if (last.constData() == f.constData())
        return;
    if (socket->bytesToWrite() > 0) {
        c.pending = f; // replaces an older one: only the newest is worth sending
        return;
    }
    socket->write(f);
    c.sent = f;
    c.pending.clear();
    c.lastEmpty = nowMs();
}

void FeedHttpServer::written(QTcpSocket* socket)
{
    const auto it = m_clients.find(socket);
    if (it == m_clients.end() || socket->bytesToWrite() > 0)
        return;
    it->lastEmpty = nowMs();
    if (!it->pending.isEmpty()) {
        socket->write(it->pending);
        it->sent = it->pending;
        it->pending.clear();
    }
}

void FeedHttpServer::sweep()
{
    const qint64 now = nowMs();
    QList<QTcpSocket*> stuck;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        if (it.key()->bytesToWrite() > 0 && now - it->lastEmpty > m_stuckMs)
            stuck << it.key();
    }
    for (QTcpSocket* s : stuck) {
        m_clients.remove(s);
        s->abort();
    }
}

// One build per change and built size; clients of a size share its frame.
void FeedHttpServer::broadcast()
{
    const qint64 start = threadNs();
    assignSizes();
    QHash<quint64, QPair<QByteArray, QByteArray>> frames;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        if (frames.contains(it->sentKey))
            continue;
        const QByteArray json = m_feed.state(widthOf(it->sentKey), heightOf(it->sentKey));
        const auto old = m_frames.constFind(it->sentKey);
        frames.insert(it->sentKey, old != m_frames.constEnd() && old->first == json
                                       ? *old
                                       : QPair<QByteArray, QByteArray>{json, frame(0x1, json)});
    }
    m_frames = frames;
    const QList<QTcpSocket*> sockets = m_clients.keys();
    for (QTcpSocket* s : sockets) {
        const auto it = m_clients.find(s);
        if (it != m_clients.end())
            offer(s, *it, m_frames.value(it->sentKey).second);
    }
    const qint64 ns = threadNs() - start;
    ++m_costs.changes;
    m_costs.changeNs += ns;
    m_costs.changeMaxNs = std::max(m_costs.changeMaxNs, ns);
}

// The feed only talks: a client's close is answered, anything else ends it.
void FeedHttpServer::clientSays(QTcpSocket* socket)
{
    const QByteArray first = socket->read(1);
    if (first.isEmpty())
        return;
    const int opcode = static_cast<quint8>(first[0]) & 0x0f;
    if (opcode == 0x8)
        close(socket, 1000, "");
    else
        close(socket, 1008, "the feed only sends");
}

void FeedHttpServer::close(QTcpSocket* socket, quint16 code, const QByteArray& why)
{
    m_clients.remove(socket);
    socket->disconnect(this);
    QByteArray payload;
    payload.append(static_cast<char>(code >> 8)).append(static_cast<char>(code & 0xff));
    socket->write(frame(0x8, payload + why));
    m_tcp.finish(socket);
}

} // namespace kestrane
