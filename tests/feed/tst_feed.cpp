#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/BoardJson.h"
#include "feed/FeedAddress.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "feed/FeedTcpServer.h"
#include "support/TestMain.h"

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

    // All the server answers until it closes.
    QByteArray exchange(const QByteArray& request)
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_feed->port());
        s.write(request);
        QByteArray got;
        const auto closed = [&] {
            got += s.readAll();
            return s.state() == QTcpSocket::UnconnectedState;
        };
        return QTest::qWaitFor(closed, 3000) ? got + s.readAll() : "<still open>";
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

private Q_SLOTS:
    void init()
    {
        m_c = std::make_unique<TestConsole>();
        m_c->k.boards.setTextMeasure(&m_measure);
        m_c->k.startUp.Form_Load();
        useAudienceScreen(*m_c, 1920, 1080);
        m_feed = FeedService::start(m_c->k, QStringLiteral("127.0.0.1:0"));
        m_feed->tcp().setLimits(40, 300, 600);
        m_good = std::make_unique<QWebSocket>();
        m_goodGot.clear();
        connect(m_good.get(), &QWebSocket::textMessageReceived, this,
                [this](const QString& text) { m_goodGot << text; });
        const QString url = QStringLiteral("ws://127.0.0.1:%1/live?w=1920&h=1080");
        m_good->open(QUrl(url.arg(m_feed->port())));
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
    // "@" clients that do more than send are dropped.
    void hostileClients_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray v = " HTTP/1.1\r\nHost: x\r\n\r\n";
        const QByteArray get = "GET / HTTP/1.1\r\n";
        QByteArray many = get;
        for (int i = 0; i < 60; ++i)
            many += "X" + QByteArray::number(i) + ": 1\r\n";
        const std::pair<QByteArray, const char*> rows[] = {
            {"GET /" + v, "200"}, // the page: scripts of its own only
            {"GET /state?w=1920&h=1080" + v, "200"},
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
            {get + "Host: x", ""}, // never ends its head
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
        const QString scores = m_c->s.scri.caption();
        if (request == "@flood") { // more connections than the limit, all silent
            std::vector<std::unique_ptr<QTcpSocket>> idle(45);
            for (auto& s : idle) {
                s = std::make_unique<QTcpSocket>();
                s->connectToHost(QHostAddress::LocalHost, m_feed->port());
            }
            QTRY_COMPARE(m_feed->tcp().openConnections(), 40);
            QTRY_COMPARE(m_feed->tcp().openConnections(), 1); // the good client stays
        } else if (request == "@never reads") {               // its answers pile up on the server
            QTcpSocket slow;
            slow.setReadBufferSize(1);
            slow.connectToHost(QHostAddress::LocalHost, m_feed->port());
            slow.write("GET /live?w=1920&h=1080 HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                       "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                       "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n");
            QTRY_COMPARE(m_feed->http().liveClients(), 2);
            for (int i = 0; i < 2000 && m_feed->http().liveClients() == 2; ++i) {
                m_c->s.Label3.setCaption(QString::number(i % 10));
                QCoreApplication::processEvents();
            }
            QCOMPARE(m_feed->http().liveClients(), 1);
            const QByteArray now = exchange("GET /state?w=1920&h=1080 HTTP/1.1\r\n\r\n");
            QTRY_VERIFY(now.endsWith(m_goodGot.last().toUtf8())); // the good client caught up
        } else if (request.startsWith('@')) { // the feed only talks: a message ends that client
            QWebSocket bad;
            bad.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(m_feed->port())));
            QTRY_COMPARE(bad.state(), QAbstractSocket::ConnectedState);
            bad.sendTextMessage(request == "@text" ? "{\"set\":\"scri\"}" : QString(70000, 'x'));
            QTRY_COMPARE(bad.state(), QAbstractSocket::UnconnectedState);
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
        QVERIFY(exchange("GET /state HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
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
