#include "board/BoardRenderer.h"
#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/FeedService.h"
#include "platform/ViewUnits.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebSocket>

#include <unistd.h>

using namespace kestrane;
using namespace kestrane::test;

namespace {

// Just enough of the DevTools protocol: one page, commands and answers.
class DevTools {
public:
    bool open(const QUrl& url)
    {
        QObject::connect(&m_ws, &QWebSocket::textMessageReceived, &m_ws, [this](const QString& t) {
            const QJsonObject o = QJsonDocument::fromJson(t.toUtf8()).object();
            if (o.contains(QStringLiteral("id")))
                m_answers.insert(o.value(QStringLiteral("id")).toInt(), o);
        });
        m_ws.open(url);
        return QTest::qWaitFor([this] { return m_ws.state() == QAbstractSocket::ConnectedState; },
                               10000);
    }
    QJsonObject call(const QString& method, const QJsonObject& params = {}, int timeoutMs = 10000)
    {
        const int id = ++m_next;
        m_ws.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{"id", id}, {"method", method}, {"params", params}})
                .toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&] { return m_answers.contains(id); }, timeoutMs))
            return {};
        return m_answers.take(id).value(QStringLiteral("result")).toObject();
    }
    // A script's value; promises are awaited.
    QJsonValue eval(const QString& script, int timeoutMs = 10000)
    {
        return call(QStringLiteral("Runtime.evaluate"),
                    {{"expression", script}, {"awaitPromise", true}, {"returnByValue", true}},
                    timeoutMs)
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }
    QImage screenshot()
    {
        const QJsonObject r =
            call(QStringLiteral("Page.captureScreenshot"), {{"format", "png"}}, 20000);
        return QImage::fromData(
            QByteArray::fromBase64(r.value(QStringLiteral("data")).toString().toLatin1()), "PNG");
    }

private:
    QWebSocket m_ws;
    QHash<int, QJsonObject> m_answers;
    int m_next = 0;
};

// Waits in the page until the drawn state passes a test.
QString until(const QString& condition)
{
    return QStringLiteral("new Promise((ok, no) => { const t0 = Date.now(); const check = () => {"
                          " const s = window.kestrane && kestrane.state;"
                          " const e = (n) => s.elements.find((x) => x.name === n);"
                          " if (s && (%1)) ok(true); else if (Date.now() - t0 > 8000) ok(false);"
                          " else setTimeout(check, 5); }; check(); })")
        .arg(condition);
}

// Pixels of a colour far from the background within a box: where the
// digits are drawn.
QRect inkBox(const QImage& img, const QRect& area, QRgb background)
{
    QRect ink;
    for (int y = std::max(0, area.top()); y <= std::min(img.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(img.width() - 1, area.right()); ++x) {
            const QRgb p = img.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(background)) +
                          std::abs(qGreen(p) - qGreen(background)) +
                          std::abs(qBlue(p) - qBlue(background));
            if (d > 200)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

// The board page in a real browser (headless Chromium) against the board
// renderer's own picture, live changes, the overlay and reconnecting.
class TestFeedBrowser : public QObject {
    Q_OBJECT

    TestConsole m_c;
    std::unique_ptr<FeedService> m_feed;
    quint16 m_port = 0;
    QTemporaryDir m_profile;
    QProcess m_chromium;
    DevTools m_page;
    LabelMeasure m_measure;

    Kubord2& board() { return *m_c.k.boards.current(); }
    // KESTRANE_FEED_SHOTS=folder keeps the browser's pictures (the README's).
    static void keep(const QImage& img, const char* name)
    {
        const QString dir = qEnvironmentVariable("KESTRANE_FEED_SHOTS");
        if (!dir.isEmpty())
            img.save(QDir(dir).filePath(QLatin1String(name)));
    }
    // The page's drawn state shows what the console's board shows.
    QString same(const char* name, const char* property)
    {
        const Element& e = *board().find(QLatin1String(name));
        const QString p = QLatin1String(property);
        const QString v =
            p == QLatin1String("visible") ? QString::fromLatin1(e.visible() ? "true" : "false")
            : p == QLatin1String("color")
                ? QLatin1Char('\'') + view::toQColor(e.foreColor()).name() + QLatin1Char('\'')
                : QLatin1Char('\'') + e.caption() + QLatin1Char('\'');
        return until(QStringLiteral("e('%1').%2 === %3").arg(QLatin1String(name), p, v));
    }

    QString page(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(path));
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/install-deps.sh test)");
        // The console's board shown on a 1920 x 1080 audience screen.
        m_c.k.boards.setTextMeasure(&m_measure);
        m_c.k.startUp.Form_Load();
        useAudienceScreen(m_c, 1920, 1080);
        m_c.s.command1.click();
        QVERIFY(m_c.k.boards.isShown());
        m_feed = FeedService::start(m_c.k, QStringLiteral("127.0.0.1:0"));
        QVERIFY(m_feed);
        m_port = m_feed->port();

        QStringList args{QStringLiteral("--headless=new"),
                         QStringLiteral("--disable-gpu"),
                         QStringLiteral("--remote-debugging-port=0"),
                         QStringLiteral("--user-data-dir=") + m_profile.path(),
                         QStringLiteral("--no-first-run"),
                         QStringLiteral("--hide-scrollbars"),
                         QStringLiteral("--force-device-scale-factor=1"),
                         QStringLiteral("--disable-background-networking"),
                         QStringLiteral("--window-size=1920,1080"),
                         QStringLiteral("about:blank")};
        if (::geteuid() == 0)
            args.prepend(QStringLiteral("--no-sandbox"));
        m_chromium.setProcessChannelMode(QProcess::SeparateChannels);
        m_chromium.start(chromium, args);
        QVERIFY(m_chromium.waitForStarted(10000));
        QString err;
        const QRegularExpression devtools(QStringLiteral("ws://127\\.0\\.0\\.1:(\\d+)/"));
        QRegularExpressionMatch m;
        QVERIFY(QTest::qWaitFor(
            [&] {
                err += QString::fromUtf8(m_chromium.readAllStandardError());
                m = devtools.match(err);
                return m.hasMatch();
            },
            20000));
        // The page target's own DevTools socket.
        QTcpSocket list;
        list.connectToHost(QHostAddress::LocalHost, m.captured(1).toUShort());
        QVERIFY(list.waitForConnected(5000));
        list.write("GET /json/list HTTP/1.1\r\nHost: 127.0.0.1:" + m.captured(1).toLatin1() +
                   "\r\nConnection: close\r\n\r\n");
        QByteArray reply;
        QVERIFY(QTest::qWaitFor(
            [&] {
                list.waitForReadyRead(50);
                reply += list.readAll();
                return QJsonDocument::fromJson(reply.mid(reply.indexOf("\r\n\r\n") + 4)).isArray();
            },
            10000));
        const QJsonArray targets =
            QJsonDocument::fromJson(reply.mid(reply.indexOf("\r\n\r\n") + 4)).array();
        QString target;
        for (const QJsonValue& t : targets) {
            if (t[QStringLiteral("type")].toString() == QLatin1String("page"))
                target = t[QStringLiteral("webSocketDebuggerUrl")].toString();
        }
        QVERIFY2(m_page.open(QUrl(target)), qPrintable(target));
        m_page.call(
            QStringLiteral("Emulation.setDeviceMetricsOverride"),
            {{"width", 1920}, {"height", 1080}, {"deviceScaleFactor", 1}, {"mobile", false}});
    }
    void cleanupTestCase()
    {
        if (m_chromium.state() != QProcess::NotRunning) {
            m_chromium.terminate();
            if (!m_chromium.waitForFinished(5000)) {
                m_chromium.kill();
                m_chromium.waitForFinished(5000);
            }
        }
    }

    // The page at 1920 x 1080 and the renderer's picture of the same board:
    // the same colours almost everywhere, the digits in the same places.
    void pageMatchesRenderer()
    {
        m_c.s.Command8.click(); // Aka waza-ari
        m_c.s.check(1).setValue(1);
        m_page.call(QStringLiteral("Page.navigate"), {{"url", page("/")}});
        QVERIFY(m_page.eval(same("scrw", "caption")).toBool());
        QCOMPARE(m_page.eval(QStringLiteral("`${kestrane.state.width}x${kestrane.state.height}`"))
                     .toString(),
                 QStringLiteral("1920x1080"));
        const QImage shot =
            m_page.screenshot().convertToFormat(QImage::Format_RGB32).copy(0, 0, 1920, 1080);
        QCOMPARE(shot.size(), QSize(1920, 1080));
        keep(shot, "feed-board.png");

        Kubord2& board = this->board();
        QImage own(1920, 1080, QImage::Format_RGB32);
        QPainter painter(&own);
        BoardRenderer().paint(painter, board, own.rect());
        painter.end();

        qint64 off = 0;
        for (int y = 0; y < 1080; ++y) {
            for (int x = 0; x < 1920; ++x) {
                const QRgb a = shot.pixel(x, y);
                const QRgb b = own.pixel(x, y);
                if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                        std::abs(qBlue(a) - qBlue(b)) >
                    96)
                    ++off;
            }
        }
        const double share = double(off) / (1920.0 * 1080.0);
        qInfo("pixels of another colour: %.3f %%", share * 100);
        if (share >= 0.02) {
            shot.save(QDir::temp().filePath(QStringLiteral("feed-browser.png")));
            own.save(QDir::temp().filePath(QStringLiteral("feed-renderer.png")));
        }
        QVERIFY2(share < 0.02, "see feed-browser.png and feed-renderer.png in the temp folder");

        const BoardRenderer r;
        for (Element* e : {&board.scri, &board.scrw, &board.scwi, &board.scww, &board.Label5,
                           &board.Label6, &board.Label8, &board.Label4}) {
            const QRect area = r.box(*e).adjusted(-20, -20, 20, 20);
            const QRgb bg = own.pixel(area.topLeft() + QPoint(2, 2));
            const QRect a = inkBox(shot, area, bg);
            const QRect b = inkBox(own, area, bg);
            qInfo() << e->displayName() << "browser" << a << "renderer" << b;
            QVERIFY2(!b.isEmpty(), qPrintable(e->displayName()));
            QVERIFY2(std::abs(a.left() - b.left()) <= 4 && std::abs(a.right() - b.right()) <= 4 &&
                         std::abs(a.top() - b.top()) <= 4 && std::abs(a.bottom() - b.bottom()) <= 4,
                     qPrintable(e->displayName()));
        }
    }

    // Each change drawn by the page; the time from the console's change to
    // the page's drawing (plus one DevTools round trip) is reported.
    void changesReachThePage_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QByteArray>("element");
        QTest::addColumn<QByteArray>("property");
        QTest::newRow("score") << 0 << QByteArray("scrw") << QByteArray("caption");
        QTest::newRow("lamp") << 1 << QByteArray("Shape4(5)") << QByteArray("visible");
        QTest::newRow("blink") << 2 << QByteArray("Label1(11)") << QByteArray("color");
        QTest::newRow("clock") << 3 << QByteArray("Label8") << QByteArray("caption");
    }
    void changesReachThePage()
    {
        QFETCH(int, step);
        QFETCH(QByteArray, element);
        QFETCH(QByteArray, property);
        QVERIFY(m_page
                    .eval(QStringLiteral("window.drawn = new Promise((ok) => {"
                                         " kestrane.onDraw = () => ok(true); }); true"))
                    .toBool());
        QElapsedTimer t;
        t.start();
        switch (step) {
        case 0:
            m_c.s.Command8.click(); // the second waza-ari wins: the name blinks
            break;
        case 1:
            m_c.s.check(12).setValue(1);
            break;
        case 2:
            QVERIFY(m_c.s.Timer3.enabled());
            m_c.s.Timer3.tick();
            break;
        default:
            m_c.k.Form_KeyPress('s');
            m_c.s.Timer1.tick();
            break;
        }
        QVERIFY(m_page.eval(QStringLiteral("window.drawn")).toBool());
        qInfo("%s drawn after %.1f ms", QTest::currentDataTag(), t.nsecsElapsed() / 1e6);
        QVERIFY(m_page.eval(same(element.constData(), property.constData())).toBool());
    }

    // The overlay strip: transparent around, the names, scores and clock.
    void overlay()
    {
        m_page.call(QStringLiteral("Emulation.setDefaultBackgroundColorOverride"),
                    {{"color", QJsonObject{{"r", 0}, {"g", 0}, {"b", 0}, {"a", 0}}}});
        m_page.call(QStringLiteral("Page.navigate"), {{"url", page("/overlay")}});
        QVERIFY(m_page
                    .eval(QStringLiteral(
                        "new Promise((ok) => { const t0 = Date.now(); const c = () => {"
                        " const s = document.getElementById('strip');"
                        " if (s && s.innerText.includes('Aka')) ok(true);"
                        " else if (Date.now() - t0 > 8000) ok(false); else setTimeout(c, 10); };"
                        " c(); })"))
                    .toBool());
        const QString text = m_page.eval(QStringLiteral("strip.innerText")).toString();
        QVERIFY2(text.contains(QLatin1String("Shiro")) && text.contains(QLatin1String("2")),
                 qPrintable(text));
        const QImage shot = m_page.screenshot();
        keep(shot.copy(0, 0, 1000, 120), "feed-overlay.png");
        QCOMPARE(qAlpha(shot.pixel(shot.width() - 2, shot.height() - 2)), 0);
        const QRgb aka = shot.pixel(12, 20);
        QVERIFY2(qRed(aka) > 150 && qGreen(aka) < 60, qPrintable(QString::number(aka, 16)));
    }

    // The program stops and starts again: the page finds it by itself.
    void reconnectsAfterRestart()
    {
        m_page.call(QStringLiteral("Page.navigate"), {{"url", page("/")}});
        QVERIFY(m_page.eval(same("scrw", "caption")).toBool());
        m_feed.reset();
        QTest::qWait(500);
        m_c.s.Text1.setText(QStringLiteral("7")); // a new field number while it is down
        m_c.s.Command12.click();
        m_feed = FeedService::start(m_c.k, QStringLiteral("127.0.0.1:%1").arg(m_port));
        QVERIFY(m_feed);
        QVERIFY(m_page.eval(same("Label4", "caption")).toBool());
    }
};

KESTRANE_TEST_MAIN(TestFeedBrowser)
#include "tst_feedbrowser.moc"
