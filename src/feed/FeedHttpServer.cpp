#include "feed/FeedHttpServer.h"

#include "feed/BoardFeed.h"
#include "feed/FeedTcpServer.h"
#include "feed/RequestHead.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <optional>

namespace kestrane {

namespace {

struct Size {
    int w = 0;
    int h = 0;
};

// "?w=1920&h=1080", or neither (design twips). Anything else is refused.
std::optional<Size> sizeOf(const QUrlQuery& query)
{
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

} // namespace

FeedHttpServer::FeedHttpServer(BoardFeed& feed, QObject* parent)
    : QAbstractHttpServer(parent), m_feed(feed)
{
    m_second.start();
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
            &FeedHttpServer::acceptWebSockets);
    connect(&feed, &BoardFeed::changed, this, &FeedHttpServer::broadcast);
}

FeedHttpServer::~FeedHttpServer()
{
    for (const Client& c : m_clients) {
        c.socket->disconnect(this);
        c.socket->abort();
        delete c.socket;
    }
}

// Building a board for a new size costs the console's thread a little;
// a flood of new sizes is turned away instead of slowing the console.
bool FeedHttpServer::mayBuild(int w, int h)
{
    if (m_feed.isCached(w, h))
        return true;
    if (m_second.elapsed() >= 1000) {
        m_second.restart();
        m_buildsThisSecond = 0;
    }
    return ++m_buildsThisSecond <= kNewSizesPerSecond;
}

void FeedHttpServer::answer(QTcpSocket* socket, const QHttpServerRequest& request, int status,
                            const QByteArray& type, const QByteArray& body)
{
    {
        QHttpServerResponder r = makeResponder(request, socket);
        r.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(status));
        r.writeHeader("Content-Type", type);
        r.writeHeader("Content-Length", QByteArray::number(body.size()));
        r.writeHeader("X-Content-Type-Options", "nosniff");
        r.writeHeader("Content-Security-Policy",
                      "default-src 'none'; script-src 'self'; style-src 'self'; "
                      "connect-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'");
        r.writeHeader("Referrer-Policy", "no-referrer");
        r.writeHeader("Cache-Control", "no-store");
        r.writeHeader("Connection", "close");
        if (status == 405)
            r.writeHeader("Allow", "GET");
        if (status == 503)
            r.writeHeader("Retry-After", "1");
        r.writeBody(body);
    }
    // One request a connection: the head check saw only this one.
    socket->disconnectFromHost();
}

bool FeedHttpServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QByteArray text = "text/plain; charset=utf-8";
    if (request.method() != QHttpServerRequest::Method::Get) {
        answer(socket, request, 405, text, "405 Method Not Allowed\n");
        return true;
    }
    const QByteArray route = request.url().path().toUtf8();
    for (const Page& p : kPages) {
        if (route != p.route)
            continue;
        QFile f(QString::fromLatin1(p.resource));
        if (!f.open(QIODevice::ReadOnly)) {
            answer(socket, request, 404, text, "404 Not Found\n");
            return true;
        }
        answer(socket, request, 200, p.type, f.readAll());
        return true;
    }
    if (route == "/state") {
        const std::optional<Size> size = sizeOf(request.query());
        if (!size)
            answer(socket, request, 400, text, "400 w and h must be whole numbers of pixels\n");
        else if (!mayBuild(size->w, size->h))
            answer(socket, request, 503, text, "503 Too many new sizes, try again\n");
        else
            answer(socket, request, 200, "application/json", m_feed.state(size->w, size->h));
        return true;
    }
    if (route == "/live") {
        // Accepted without an answer: the HTTP server then hands the
        // upgrade on as a WebSocket (newWebSocketConnection).
        // The same test as the HTTP server's own: both headers.
        if (request.value("Upgrade").toLower() == "websocket" &&
            request.value("Connection").toLower().contains("upgrade")) {
            socket->setProperty(FeedTcpServer::kWebSocketProperty, true);
            return true;
        }
        answer(socket, request, 426, text, "426 /live is a WebSocket\n");
        return true;
    }
    answer(socket, request, 404, text, "404 Not Found\n");
    return true;
}

void FeedHttpServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    answer(socket, request, 404, "text/plain; charset=utf-8", "404 Not Found\n");
}

void FeedHttpServer::acceptWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        QWebSocket* ws = nextPendingWebSocketConnection().release();
        ws->setParent(this);
        // The feed only talks: a client's message is at most a ping.
        ws->setMaxAllowedIncomingFrameSize(125);
        ws->setMaxAllowedIncomingMessageSize(125);
        const QUrl url = ws->requestUrl();
        const std::optional<Size> size = sizeOf(QUrlQuery(url));
        if (RequestHead::route(url.path().toUtf8()) != "/live" || !size) {
            ws->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("bad request"));
            ws->deleteLater();
            continue;
        }
        int sizes = 0;
        bool known = false;
        QHash<quint64, bool> seen;
        for (const Client& c : m_clients) {
            if (!seen.contains(keyOf(c.w, c.h))) {
                seen.insert(keyOf(c.w, c.h), true);
                ++sizes;
            }
            known = known || (c.w == size->w && c.h == size->h);
        }
        if ((!known && sizes >= kMaxLiveSizes) || !mayBuild(size->w, size->h)) {
            ws->close(QWebSocketProtocol::CloseCodeBadOperation, QStringLiteral("busy"));
            ws->deleteLater();
            continue;
        }
        connect(ws, &QWebSocket::textMessageReceived, this, [this, ws] { drop(ws, false); });
        connect(ws, &QWebSocket::binaryMessageReceived, this, [this, ws] { drop(ws, false); });
        connect(ws, &QWebSocket::disconnected, this, [this, ws] { drop(ws, false); });
        const Client c{ws, size->w, size->h};
        m_clients.push_back(c);
        send(c, QString::fromUtf8(m_feed.state(c.w, c.h)));
    }
}

bool FeedHttpServer::send(const Client& c, const QString& text)
{
    if (c.socket->bytesToWrite() > kMaxBacklog) {
        drop(c.socket, true);
        return false;
    }
    c.socket->sendTextMessage(text);
    return true;
}

void FeedHttpServer::drop(QWebSocket* socket, bool abort)
{
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [socket](const Client& c) { return c.socket == socket; });
    if (it == m_clients.end())
        return;
    m_clients.erase(it);
    socket->disconnect(this);
    if (abort)
        socket->abort();
    else
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
    socket->deleteLater();
}

// One push per change and window size; clients of the same size share it.
void FeedHttpServer::broadcast()
{
    QHash<quint64, QString> texts;
    const std::vector<Client> clients = m_clients; // send() may drop some
    for (const Client& c : clients) {
        const quint64 k = keyOf(c.w, c.h);
        if (!texts.contains(k)) {
            const QByteArray json = m_feed.state(c.w, c.h);
            texts.insert(k, json == m_lastSent.value(k) ? QString() : QString::fromUtf8(json));
            m_lastSent.insert(k, json);
        }
        const QString& text = texts[k];
        if (!text.isEmpty())
            send(c, text);
    }
    if (m_lastSent.size() > kMaxLiveSizes * 4)
        m_lastSent.clear();
}

} // namespace kestrane
