#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/BoardFeed.h"
#include "feed/BoardJson.h"
#include "feed/FeedAddress.h"
#include "feed/FeedHosts.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "feed/FeedTcpServer.h"
#include "support/TestMain.h"

#include <QHostInfo>
#include <QWebSocket>

using namespace kestrane;
using namespace kestrane::test;

// The feed's board against the console's own, and hostile clients on
// loopback: the feed answers and drops what it must, and the console and a
// well-behaved client carry on.
class TestFeed : public QObject {
    Q_OBJECT

    std::unique_ptr<TestConsole> m_c;
    LabelMeasure m_measure;
    std::unique_ptr<FeedService> m_feed;
    std::unique_ptr<QWebSocket> m_good; // on a window as large as the audience screen
    QStringList m_goodGot;

    QByteArray host() const { return "127.0.0.1:" + QByteArray::number(m_feed->port()); }
    QByteArray upgrade(const QByteArray& target = "/live?w=1920&h=1080",
                       const QByteArray& more = {}) const
    {
        return "GET " + target + " HTTP/1.1\r\nHost: " + host() +
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n" +
               more + "\r\n";
    }
    // A WebSocket client on /live?`query`, each message it gets handed to `got`.
    std::unique_ptr<QWebSocket> live(const QString& query,
                                     const std::function<void(const QString&)>& got = {})
    {
        auto ws = std::make_unique<QWebSocket>();
        if (got)
            connect(ws.get(), &QWebSocket::textMessageReceived, this, got);
        ws->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live?").arg(m_feed->port()) + query));
        return ws;
    }
    QString sized(int w, int h) const { return QStringLiteral("w=%1&h=%2").arg(w).arg(h); }
    std::unique_ptr<QTcpSocket> connectRaw(const QByteArray& request)
    {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QHostAddress::LocalHost, m_feed->port());
        s->write(request);
        return s;
    }
    // All the server answers until it closes.
    QByteArray exchange(const QByteArray& request)
    {
        const auto s = connectRaw(request);
        QByteArray got;
        const auto closed = [&] {
            got += s->readAll();
            return s->state() == QTcpSocket::UnconnectedState;
        };
        return QTest::qWaitFor(closed, 3000) ? got + s->readAll() : "<still open>";
    }
    QByteArray get(const QByteArray& target)
    {
        return exchange("GET " + target + " HTTP/1.1\r\nHost: " + host() + "\r\n\r\n");
    }
    // A change on the console reaches the good client as one message.
    void goodClientGets(const std::function<void()>& change)
    {
        const qsizetype before = m_goodGot.size();
        change();
        QTRY_COMPARE(m_goodGot.size(), before + 1);
        QTest::qWait(20);
        QCOMPARE(m_goodGot.size(), before + 1);
    }
    void setCaption(int i) { m_c->s.Text1.setText(QString::number(i)), m_c->s.Command12.click(); }

private Q_SLOTS:
    void init()
    {
        // Sockets closing under the server's feet must not fill stderr.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QIODevice|QAbstractSocket")));
        m_c = std::make_unique<TestConsole>();
        m_c->k.boards.setTextMeasure(&m_measure);
        m_c->k.startUp.Form_Load();
        useAudienceScreen(*m_c, 1920, 1080);
        m_feed = FeedService::start({m_c->k.state, m_c->k.competitors, m_c->k.boards},
                                    QStringLiteral("127.0.0.1:0"));
        m_feed->tcp().setLimits(40, 300, 600);
        m_goodGot.clear();
        m_good = live(sized(1920, 1080), [this](const QString& text) { m_goodGot << text; });
        QTRY_COMPARE(m_goodGot.size(), 1);
    }
    void cleanup()
    {
        m_good.reset();
        m_feed.reset();
        m_c.reset();
    }

    // While the board is closed the feed shows what the next opening shows;
    // while it is shown, each change of it, once per handler.
    void followsTheBoard()
    {
        MatchState& s = m_c->s;
        goodClientGets([&] { s.Command6.click(); });
        goodClientGets([&] { s.Check26.setValue(1); }); // WUKF letters, mirrored, scaled
        goodClientGets([&] { s.Check23.setValue(1); });
        goodClientGets([&] { s.fsch.setText(QStringLiteral("2")); });
        const QString closed = m_goodGot.last();
        goodClientGets([&] { s.command1.click(); });
        const auto shown = [this] {
            return BoardJson::toJson(*m_c->k.boards.current(), true, 1920, 1080, true);
        };
        QCOMPARE(QString(closed).replace("\"shown\":false", "\"shown\":true"), shown());
        s.fsch.setText(QStringLiteral("1"));              // waits for the next opening
        goodClientGets([&] { s.check(11).setValue(1); }); // lamps and the "S"
        goodClientGets([&] { s.Timer3.tick(); });         // the blinking colour
        goodClientGets([&] { s.Command6.click(); });
        goodClientGets([&] { s.Command11.click(); }); // the KO count
        goodClientGets([&] { s.Timer2.tick(); });
        goodClientGets([&] { setCaption(7); }); // written to the board only
        QCOMPARE(m_goodGot.last(), shown());
        // Nothing of the console changes here: only the board's own observers see it.
        goodClientGets([&] { m_c->k.boards.current()->Label4.setCaption(QStringLiteral("9")); });
        QCOMPARE(m_goodGot.last(), shown());
        // The names, cut for the feed's size as for the board's.
        goodClientGets([&] {
            m_c->k.competitors.set({QStringLiteral("Maximiliana Konstantinopoulou-Alexandrova"),
                                    QStringLiteral("GRE")},
                                   {QStringLiteral("山田"), {}});
        });
        QCOMPARE(m_goodGot.last(), QString::fromUtf8(shown()));
        QVERIFY(m_goodGot.last().contains(
            "\"competitors\":{\"aka\":{\"club\":\"GRE\",\"name\":\"Maximiliana "
            "Konstantinopoulou-Alexandrova\"},\"shiro\":{\"club\":\"\",\"name\":\"山田\"}}"));
        goodClientGets([&] { s.Command2.click(); });
        QVERIFY(m_goodGot.last().contains("\"shown\":false"));
        goodClientGets([&] { m_c->k.competitors.clear(); });
        QVERIFY(m_goodGot.last().contains("\"aka\":{\"club\":\"\",\"name\":\"\"}"));
    }

    // Raw requests answered with their status, or closed without a word;
    // "@" clients that do more than send are dropped. "HOST" is this feed's.
    void hostileClients_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray v = " HTTP/1.1\r\nHost: HOST\r\n\r\n";
        const QByteArray get = "GET / HTTP/1.1\r\n";
        QByteArray many = get;
        for (int i = 0; i < 60; ++i)
            many += "X" + QByteArray::number(i) + ": 1\r\n";
        const std::pair<QByteArray, const char*> rows[] = {
            {"GET /" + v, "200"}, // the page: scripts of its own only
            {"GET /../../etc/passwd" + v, "404"},
            {"GET /%2e%2e/kumite.ini" + v, "404"},
            {"POST /" + v, "405"},
            {"GET /state?w=0&h=10" + v, "400"},
            {"GET /state?w=99999&h=1" + v, "400"},
            {"GET /" + v + "GET /" + v, "400"}, // one request a connection
            {get + "Transfer-Encoding: chunked\r\n\r\n", "400"},
            {"GET / HTTP/1.1\nHost: x\r\n\r\n", "400"},
            {many + "\r\n", "431"},
            {QByteArray(20000, 'G'), "431"},
            {get + "Host: HOST", ""}, // never ends its head
            {"GET /live?w=1920&h=1080 HTTP/1.1\r\nHost: HOST\r\nUpgrade: websocket\r\n"
             "Connection: Upgrade\r\nSec-WebSocket-Version: 8\r\n\r\n",
             "426"},
            {"@flood", ""},
            {"@never reads", ""},
            {"@text", ""},
            {"@large", ""},
        };
        int row = 0;
        for (const auto& [request, answer] : rows)
            QTest::addRow("%d %s", row++, request.left(24).toPercentEncoding().constData())
                << request << QByteArray(answer);
    }
    void hostileClients()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        request.replace("HOST", host());
        const QString scores = m_c->s.scri.caption();
        if (request == "@flood") { // more connections than the limit, all silent
            std::vector<std::unique_ptr<QTcpSocket>> idle(45);
            for (auto& s : idle)
                s = connectRaw({});
            QTRY_VERIFY(m_feed->tcp().openConnections() >= 40);
            QTRY_COMPARE(m_feed->tcp().openConnections(), 1); // the good client stays
        } else if (request == "@never reads") {               // its states pile up, then it goes
            m_feed->http().setLiveLimits(100, 500);
            auto slow = connectRaw(upgrade());
            slow->setReadBufferSize(1);
            QTRY_COMPARE(m_feed->http().liveClients(), 2);
            for (int i = 0; i < 3000 && m_feed->http().liveClients() == 2; ++i) {
                m_c->s.Label3.setCaption(QString::number(i % 10));
                QTest::qWait(1);
            }
            QCOMPARE(m_feed->http().liveClients(), 1);
            QTRY_VERIFY(get("/state?w=1920&h=1080").endsWith(m_goodGot.last().toUtf8()));
        } else if (request.startsWith('@')) { // the feed only talks: a message ends that client
            const auto bad = live({});
            QTRY_COMPARE(bad->state(), QAbstractSocket::ConnectedState);
            bad->sendTextMessage(request == "@text" ? "{\"set\":\"scri\"}" : QString(70000, 'x'));
            QTRY_COMPARE(bad->state(), QAbstractSocket::UnconnectedState);
            QCOMPARE(m_feed->http().liveClients(), 1);
        } else {
            const QByteArray got = exchange(request);
            QVERIFY2(answer.isEmpty() ? got.isEmpty() : got.startsWith("HTTP/1.1 " + answer),
                     got.left(200));
            QVERIFY(answer.isEmpty() || got.contains("X-Content-Type-Options: nosniff"));
            QVERIFY(answer != "200" || got.contains("default-src 'none'; script-src 'self'"));
        }
        QCOMPARE(m_c->s.scri.caption(), scores);
        goodClientGets([this] { m_c->s.Command6.click(); });
        QVERIFY(get("/state").startsWith("HTTP/1.1 200"));
    }

    // Only this PC's names, and no other web site's pages.
    void sameOriginOnly_data()
    {
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<bool>("live");
        QTest::addColumn<QByteArray>("answer");
        const std::tuple<const char*, bool, const char*> rows[] = {
            {"Host: 127.0.0.1:PORT\r\n", false, "200"},
            {"Host: localhost:PORT\r\n", false, "200"},
            {"Host: LOCALHOST:PORT\r\n", false, "200"},
            {"Host: [::1]:PORT\r\n", false, "200"},
            {"Host: attacker.example\r\n", false, "421"},
            {"Host: attacker.example:PORT\r\n", false, "421"},
            {"Host: 127.0.0.1\r\n", false, "421"}, // port 80 is not this feed's
            {"Host: 127.0.0.1:1PORT\r\n", false, "421"},
            {"Host: 0.0.0.0:PORT\r\n", false, "421"},
            {"", false, "400"},
            {"Host: 127.0.0.1:PORT\r\nHost: 127.0.0.1:PORT\r\n", false, "400"},
            {"Host: 127.0.0.1:PORT\r\n", true, "101"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: http://127.0.0.1:PORT\r\n", true, "101"},
            {"Host: localhost:PORT\r\nOrigin: http://localhost:PORT\r\n", true, "101"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: http://attacker.example\r\n", true, "403"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: http://localhost:PORT\r\n", true, "403"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: http://127.0.0.1:1PORT\r\n", true, "403"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: null\r\n", true, "403"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: https://127.0.0.1:PORT\r\n", true, "403"},
            {"Host: 127.0.0.1:PORT\r\nOrigin: http://attacker.example\r\n", false, "403"},
        };
        for (const auto& [headers, live, answer] : rows)
            QTest::addRow("%s%s", live ? "live " : "", headers)
                << QByteArray(headers) << live << QByteArray(answer);
    }
    void sameOriginOnly()
    {
        QFETCH(QByteArray, headers);
        QFETCH(bool, live);
        QFETCH(QByteArray, answer);
        headers.replace("PORT", QByteArray::number(m_feed->port()));
        const QByteArray request =
            live ? "GET /live HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                 : "GET /state HTTP/1.1\r\n";
        const auto s = connectRaw(request + headers + "\r\n");
        QTRY_VERIFY(s->bytesAvailable() >= 12);
        QCOMPARE(s->read(12), "HTTP/1.1 " + answer);
        QCOMPARE(m_feed->http().liveClients(), answer == "101" ? 2 : 1);
    }

    // Bound to every network, the PC's names and addresses count too, never
    // the "any" address, which no browser can reach.
    void wideBindNames()
    {
        FeedHosts hosts(QHostAddress(QHostAddress::AnyIPv4), 8080);
        const QByteArray name = QHostInfo::localHostName().toLower().toUtf8();
        QVERIFY(hosts.acceptsHost(name + ":8080"));
        QVERIFY(hosts.acceptsHost(name + ".local:8080"));
        QVERIFY(hosts.acceptsHost("localhost:8080"));
        QVERIFY(!hosts.acceptsHost(name + ".example:8080"));
        QVERIFY(!hosts.acceptsHost("0.0.0.0:8080"));
        QVERIFY(!hosts.pageAddresses().join(' ').contains("0.0.0.0"));
        FeedHosts loopback(QHostAddress(QHostAddress::LocalHost), 80);
        QVERIFY(loopback.acceptsHost("localhost"));
        QVERIFY(!loopback.acceptsHost(name));
        QCOMPARE(loopback.pageAddresses(), QStringList{"http://127.0.0.1/"});
    }

    // One device holds at most its share of the slots: its next connection
    // is closed at once, a slot it held comes back when that connection ends,
    // and this PC's own connections are not limited.
    void oneDeviceHoldsItsShare()
    {
        m_feed->tcp().setLimits(40, 5000, 5000);
        m_feed->tcp().setPerAddressLimit(3, true); // loopback standing for a device
        const int before = m_feed->tcp().openConnections();
        std::vector<std::unique_ptr<QTcpSocket>> held;
        const auto closed = [&] {
            return std::count_if(held.begin(), held.end(), [](const auto& s) {
                return s->state() == QTcpSocket::UnconnectedState;
            });
        };
        for (int i = 0; i < 4; ++i)
            held.push_back(connectRaw("GET / HTTP/1.1\r\n")); // heads never finished
        QTRY_COMPARE(closed(), 1);
        QTRY_COMPARE(m_feed->tcp().openConnections(), before + 3);
        std::erase_if(held, [](const auto& s) { return s->state() != QTcpSocket::ConnectedState; });
        held.front()->abort();
        QTRY_COMPARE(m_feed->tcp().openConnections(), before + 2);
        held.push_back(connectRaw("GET / HTTP/1.1\r\n"));
        QTRY_COMPARE(m_feed->tcp().openConnections(), before + 3);
        QTest::qWait(50);
        QCOMPARE(closed(), 1); // the one aborted here
        m_feed->tcp().setPerAddressLimit(3, false);
        QVERIFY(get("/").startsWith("HTTP/1.1 200"));
    }

    // Every kind of upgrade, and the slots all come back: the page is still
    // served and the count is where it started.
    void everySlotComesBack()
    {
        m_feed->tcp().setLimits(60, 2000, 2000);
        m_feed->http().setLiveLimits(20, 60000);
        const int before = m_feed->tcp().openConnections();
        const QByteArray kinds[] = {
            upgrade(),                                                       // kept, then closed
            upgrade("/live?w=1&h=1", "Origin: http://attacker.example\r\n"), // 403
            upgrade("/live?w=-1"),                                           // 400
            upgrade().replace("Version: 13", "Version: 7"),                  // 426
            upgrade().replace("dGhlIHNhbXBsZSBub25jZQ==", "short"),          // 400
            upgrade().left(40),                                              // never ends
        };
        int reset = 0;
        for (int round = 0; round < 5000 / 50; ++round) {
            std::vector<std::unique_ptr<QTcpSocket>> batch;
            for (int i = 0; i < 50; ++i)
                batch.push_back(connectRaw(kinds[(round + i) % std::size(kinds)]));
            QTRY_VERIFY(std::all_of(batch.begin(), batch.end(), [](const auto& s) {
                return s->bytesAvailable() > 0 || s->bytesToWrite() == 0;
            }));
            QTest::qWait(5);
            // Some end politely, some abruptly: a reset or a close.
            for (auto& s : batch)
                ++reset % 2 ? s->abort() : s->disconnectFromHost();
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_feed->tcp().openConnections(), before, 5000);
        QCOMPARE(m_feed->http().liveClients(), 1);
        QTRY_COMPARE(m_feed->http().findChildren<QWebSocket*>().size(), 1); // none kept either
        QVERIFY(get("/").startsWith("HTTP/1.1 200"));
        // Past the live limit an upgrade hears "try again later" (1013).
        m_feed->http().setLiveLimits(1, 60000);
        const auto busy = connectRaw(upgrade());
        QTRY_VERIFY(busy->peek(4096).contains("\r\n\r\n\x88"));
        const QByteArray all = busy->readAll();
        QCOMPARE(all.mid(all.indexOf("\r\n\r\n") + 6, 2), QByteArray("\x03\xf5", 2));
        // Its slot comes back though it never answers the close.
        QTRY_COMPARE(m_feed->tcp().openConnections(), before);
    }

    // Every window size is served, the console builds only a few of them per
    // change, and every client gets every change; /state stays exact.
    void anySize()
    {
        m_feed->tcp().setLimits(300, 5000, 5000);
        std::vector<std::unique_ptr<QWebSocket>> clients(200);
        std::vector<QStringList> got(clients.size());
        for (size_t i = 0; i < clients.size(); ++i) {
            clients[i] = live(sized(320 + int(i) * 7, 240 + int(i) * 3),
                              [&got, i](const QString& t) { got[i] << t; });
            if (i % 40 == 39)
                QTRY_COMPARE(m_feed->http().liveClients(), int(i) + 2);
        }
        QTRY_VERIFY(std::all_of(got.begin(), got.end(), [](const auto& g) { return !g.empty(); }));
        for (int change = 0; change < 3; ++change) {
            setCaption(10 + change);
            QTRY_VERIFY_WITH_TIMEOUT(
                std::all_of(got.begin(), got.end(),
                            [&](const auto& g) { return g.size() == change + 2; }),
                20000);
            QVERIFY(m_feed->http().builtSizes() <= FeedHttpServer::kMaxBuiltSizes);
        }
        const QByteArray exact = get("/state?w=1001&h=777");
        QVERIFY(exact.contains("\"width\":1001") && exact.contains("\"height\":777"));
    }

    // A change builds the size most clients get at once and every other one
    // in a turn of its own, and hands it to a few clients a turn: the console
    // is never held for all of them.
    void oneBuildPerTurn()
    {
        const QSize sizes[] = {{800, 600}, {800, 600}, {800, 600}, {1024, 768}, {640, 480}};
        std::vector<std::unique_ptr<QWebSocket>> clients;
        int got = 0;
        for (const QSize& size : sizes)
            clients.push_back(live(sized(size.width(), size.height()), [&](auto) { ++got; }));
        QTRY_COMPARE(got, 5);
        BoardFeed& feed = m_feed->board();
        m_feed->http().setOffersPerTurn(2);
        QObject probe; // after the server's own handler
        QString builtInTheChange;
        int handedOut = 0;
        connect(&feed, &BoardFeed::changed, &probe, [&] {
            for (const QSize& s :
                 {QSize(800, 600), QSize(1920, 1080), QSize(1024, 768), QSize(640, 480)})
                builtInTheChange += feed.isCached(s.width(), s.height()) ? '1' : '0';
            // Written in this turn: still in the sockets' buffers.
            for (const QWebSocket* ws : m_feed->http().findChildren<QWebSocket*>())
                handedOut += ws->bytesToWrite() > 0;
        });
        goodClientGets([this] { setCaption(3); });
        QCOMPARE(builtInTheChange, QStringLiteral("1000"));
        QCOMPARE(handedOut, 2);
        QTRY_COMPARE(got, 10);
    }

    // Clients that never read: the program keeps at most the newest state
    // for each, while a reading client gets every change.
    void neverReadingClients()
    {
        m_feed->tcp().setLimits(1100, 60000, 60000);
        m_feed->http().setLiveLimits(1050, 120000);
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < 1000; ++i) {
            idle.push_back(connectRaw(upgrade("/live?w=1920&h=1080")));
            idle.back()->setReadBufferSize(1);
            if (i % 100 == 99)
                QTRY_COMPARE_WITH_TIMEOUT(m_feed->http().liveClients(), i + 2, 10000);
        }
        const qint64 frameSize = m_goodGot.last().toUtf8().size() + 16;
        const qint64 bound = 1001 * (frameSize + 1024) + 4 * frameSize;
        qint64 peak = 0;
        const qsizetype before = m_goodGot.size();
        for (int i = 0; i < 1000; ++i) {
            setCaption(i);
            // Without polling steps: 1,000 of them would take most of the time.
            QEventLoop loop;
            const auto got = connect(m_good.get(), &QWebSocket::textMessageReceived, &loop,
                                     &QEventLoop::quit, Qt::QueuedConnection);
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            if (m_goodGot.size() < before + i + 1)
                loop.exec();
            disconnect(got);
            QCOMPARE(m_goodGot.size(), before + i + 1);
            peak = std::max(peak, m_feed->http().bufferedBytes());
            QVERIFY2(peak <= bound, qPrintable(QString::number(peak)));
        }
        QCOMPARE(m_feed->http().liveClients(), 1001);
        qInfo("program-side buffers, peak: %lld bytes for 1001 clients (bound %lld)", peak, bound);
    }

    // "/results" only while the operator allows it, and only with something
    // to serve.
    void results()
    {
        m_feed->setServeResults(true);
        QVERIFY(get("/results").startsWith("HTTP/1.1 404"));
        m_feed->setResultsProvider([] { return QByteArray("[{\"match\":1}]"); });
        QVERIFY(get("/results").endsWith("\r\n\r\n[{\"match\":1}]"));
        QVERIFY(exchange("GET /results HTTP/1.1\r\nHost: attacker.example\r\n\r\n")
                    .startsWith("HTTP/1.1 421"));
        m_feed->setServeResults(false);
        QVERIFY(get("/results").startsWith("HTTP/1.1 404"));
    }

    // The address on the command line: a bare port is loopback only.
    void address()
    {
        const std::pair<QString, QString> cases[] = {
            {"8080", "127.0.0.1:8080"}, {"[::]:80", "[::]:80"}, {"::1:80", ""}, {"1.2.3:80", ""},
            {"localhost:80", ""},       {"65536", ""},          {"+80", ""},
        };
        for (const auto& [text, parsed] : cases) {
            const auto a = FeedAddress::parse(text, nullptr);
            QCOMPARE(a ? FeedAddress::format(a->host, a->port) : QString(), parsed);
        }
    }
};

KESTRANE_TEST_MAIN(TestFeed)
#include "tst_feed.moc"
