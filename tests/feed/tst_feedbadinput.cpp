#include "feed/FeedAddress.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "feed/FeedTcpServer.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kestrane;
using namespace kestrane::test;

// Hostile and broken clients on loopback, each bounded in count and time:
// the feed answers what it must, serves nothing outside its routes, drops
// what it must, and the console and a well-behaved client carry on.
class TestFeedBadInput : public QObject {
    Q_OBJECT

    TestConsole* m_c = nullptr;
    std::unique_ptr<FeedService> m_feed;
    QWebSocket* m_good = nullptr;
    QStringList m_goodGot;

    QString url(const char* path) const
    {
        return QStringLiteral("ws://127.0.0.1:%1%2").arg(m_feed->port()).arg(QLatin1String(path));
    }

    // Sends raw bytes and returns all the server answers until it closes.
    QByteArray exchange(const QByteArray& request, int timeoutMs = 3000)
    {
        QTcpSocket s;
        QByteArray got;
        connect(&s, &QTcpSocket::readyRead, &s, [&] { got += s.readAll(); });
        s.connectToHost(QHostAddress::LocalHost, m_feed->port());
        if (!s.waitForConnected(2000))
            return "no connection";
        s.write(request);
        (void)QTest::qWaitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; },
                              timeoutMs);
        got += s.readAll();
        return s.state() == QAbstractSocket::UnconnectedState ? got : got + "<still open>";
    }

    // A press on the console reaches the good client, and nothing else
    // stopped working.
    void consoleAndGoodClientCarryOn()
    {
        const qsizetype before = m_goodGot.size();
        m_c->s.Command6.click();
        QTRY_VERIFY(m_goodGot.size() > before);
        QCOMPARE(m_good->state(), QAbstractSocket::ConnectedState);
        QVERIFY(exchange("GET /state HTTP/1.1\r\nHost: x\r\n\r\n").startsWith("HTTP/1.1 200"));
    }

private Q_SLOTS:
    void init()
    {
        m_c = new TestConsole;
        m_feed = FeedService::start(m_c->k, QStringLiteral("127.0.0.1:0"));
        QVERIFY(m_feed);
        m_feed->tcp().setLimits(40, 300, 600);
        m_good = new QWebSocket;
        m_goodGot.clear();
        connect(m_good, &QWebSocket::textMessageReceived, this,
                [this](const QString& t) { m_goodGot << t; });
        m_good->open(QUrl(url("/live?w=640&h=360")));
        QTRY_COMPARE(m_goodGot.size(), 1);
    }
    void cleanup()
    {
        delete m_good;
        m_feed.reset();
        delete m_c;
    }

    // Each request answered with its status and nothing else: no route
    // outside the list, no file of the machine, only GET.
    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        const QByteArray host = " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        for (const char* path : {"/", "/overlay", "/state", "/state?w=1920&h=1080", "/feed.js"})
            QTest::newRow(path) << QByteArray("GET ") + path + host << QByteArray("200");
        for (const char* path :
             {"/../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "//etc/passwd", "/feed.js/../x",
              "/state/..%2f..%2fetc%2fpasswd", "/.%2e/kumite.ini", "/kumite.ini", "/qrc:/feed"})
            QTest::newRow(path) << QByteArray("GET ") + path + host << QByteArray("404");
        for (const char* m : {"POST", "PUT", "DELETE", "HEAD", "OPTIONS", "PATCH", "CONNECT"})
            QTest::newRow(m) << QByteArray(m) + " /" + host << QByteArray("405");
        for (const char* q : {"?w=0&h=10", "?w=-1&h=10", "?w=abc&h=1", "?w=99999&h=1", "?w=10"})
            QTest::newRow(q) << QByteArray("GET /state") + q + host << QByteArray("400");
        QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << QByteArray("400");
        QTest::newRow("body") << QByteArray("GET / HTTP/1.1\r\nContent-Length: 4\r\n\r\nabcd")
                              << QByteArray("400");
        QTest::newRow("chunked") << QByteArray(
                                        "GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n")
                                 << QByteArray("400");
        QTest::newRow("pipelined")
            << QByteArray("GET /" + host + "GET /" + host) << QByteArray("400");
        QTest::newRow("header no colon")
            << QByteArray("GET / HTTP/1.1\r\nHost\r\n\r\n") << QByteArray("400");
        QTest::newRow("bare LF") << QByteArray("GET / HTTP/1.1\nHost: x\r\n\r\n")
                                 << QByteArray("400");
        QTest::newRow("long header") << "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a') + "\r\n\r\n"
                                     << QByteArray("431");
        QByteArray many = "GET / HTTP/1.1\r\n";
        for (int i = 0; i < 60; ++i)
            many += "X" + QByteArray::number(i) + ": 1\r\n";
        QTest::newRow("many headers") << many + "\r\n" << QByteArray("431");
        QTest::newRow("endless") << QByteArray(20000, 'G') << QByteArray("431");
    }
    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        const QByteArray got = exchange(request);
        QVERIFY2(got.startsWith("HTTP/1.1 " + status), got.left(200).constData());
        QVERIFY(got.contains("X-Content-Type-Options: nosniff"));
        QVERIFY(!got.contains("root:"));
        if (status == "200" && request.startsWith("GET / "))
            QVERIFY(got.contains("Content-Security-Policy: default-src 'none'; script-src 'self'"));
    }

    // Random bytes, silent clients and clients that stop mid-request are
    // all gone within the head timeout; the server is still serving.
    void garbageAndSilence()
    {
        QRandomGenerator rng(18);
        for (int i = 0; i < 6; ++i) {
            QByteArray junk(int(rng.bounded(1, 12000)), Qt::Uninitialized);
            for (char& ch : junk)
                ch = char(rng.bounded(256));
            const QByteArray got = exchange(junk);
            QVERIFY2(!got.endsWith("<still open>"), qPrintable(QString::number(i)));
        }
        QVERIFY(exchange("").isEmpty());                          // says nothing
        QVERIFY(exchange("GET / HTTP/1.1\r\nHost: x").isEmpty()); // never ends its head
        consoleAndGoodClientCarryOn();
    }

    // More connections than the limit: the extra ones are turned away, the
    // server takes new ones once the others have gone.
    void connectionLimit()
    {
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < 45; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, m_feed->port());
        }
        QTRY_COMPARE(m_feed->tcp().openConnections(), 40);
        QTRY_COMPARE(m_feed->tcp().openConnections(), 1); // head timeout; the good client stays
        idle.clear();
        consoleAndGoodClientCarryOn();
    }

    // A WebSocket client that never reads is dropped once its backlog passes
    // the bound, long before it costs much memory; the good client carries on.
    void neverReadingLiveClient()
    {
        // A plain socket with a small receive window, so that the backlog
        // builds up on the server's side.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        const int window = 4096;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(m_feed->port());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
        const QByteArray upgrade =
            "GET /live?w=1920&h=1080 HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
            "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
            "Sec-WebSocket-Version: 13\r\n\r\n";
        QCOMPARE(::send(fd, upgrade.constData(), size_t(upgrade.size()), 0), upgrade.size());
        QTRY_COMPARE(m_feed->http().liveClients(), 2);
        int changes = 0;
        for (; changes < 2000 && m_feed->http().liveClients() == 2; ++changes) {
            m_c->s.Label3.setCaption(QString::number(changes % 10));
            QCoreApplication::processEvents();
        }
        ::close(fd);
        QVERIFY2(changes < 2000, "never dropped");
        consoleAndGoodClientCarryOn();
    }

    // The feed only talks: a client's message or a large frame ends that
    // client alone.
    void clientFrames_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("binary");
        QTest::newRow("text") << QByteArray("{\"set\":\"scri\"}") << false;
        QTest::newRow("binary") << QByteArray(16, '\1') << true;
        QTest::newRow("large") << QByteArray(70000, 'x') << false;
    }
    void clientFrames()
    {
        QFETCH(QByteArray, message);
        QFETCH(bool, binary);
        QWebSocket bad;
        bad.open(QUrl(url("/live")));
        QTRY_COMPARE(bad.state(), QAbstractSocket::ConnectedState);
        QTRY_COMPARE(m_feed->http().liveClients(), 2);
        const QByteArray scores = m_c->s.scri.caption().toUtf8();
        if (binary)
            bad.sendBinaryMessage(message);
        else
            bad.sendTextMessage(QString::fromLatin1(message));
        QTRY_COMPARE(bad.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(m_feed->http().liveClients(), 1);
        QCOMPARE(m_c->s.scri.caption().toUtf8(), scores);
        consoleAndGoodClientCarryOn();
    }

    // The address on the command line.
    void address_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // empty: refused
        QTest::newRow("port") << "8080"
                              << "127.0.0.1:8080";
        QTest::newRow("all v4") << "0.0.0.0:8080"
                                << "0.0.0.0:8080";
        QTest::newRow("all v6") << "[::]:8080"
                                << "[::]:8080";
        QTest::newRow("v6 no brackets") << "::1:8080"
                                        << "";
        QTest::newRow("short v4") << "1.2.3:80"
                                  << "";
        QTest::newRow("name") << "localhost:80"
                              << "";
        QTest::newRow("big port") << "65536"
                                  << "";
        QTest::newRow("sign") << "+80"
                              << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void address()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QString error;
        const auto a = FeedAddress::parse(text, &error);
        QCOMPARE(a ? FeedAddress::format(a->host, a->port) : QString(), parsed);
        QCOMPARE(error.isEmpty(), !parsed.isEmpty());
    }
};

KESTRANE_TEST_MAIN(TestFeedBadInput)
#include "tst_feedbadinput.moc"
