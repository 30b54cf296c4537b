#include "board/BoardRenderer.h"
#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/FeedService.h"
#include "support/TestMain.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QWebSocket>

#include <unistd.h>

using namespace kestrane;
using namespace kestrane::test;

// The board page and the overlay in a real browser (headless Chromium),
// driven through its DevTools sockets, each page on a viewport of its own.
class TestFeedBrowser : public QObject {
    Q_OBJECT

    TestConsole m_c;
    LabelMeasure m_measure;
    QTemporaryDir m_profile;
    QProcess m_chromium;
    QString m_devtools; // "ws://127.0.0.1:PORT"
    QWebSocket m_browser;
    std::vector<std::unique_ptr<QWebSocket>> m_pages;
    QHash<int, QJsonObject> m_answers;
    int m_sent = 0;

    QJsonObject call(QWebSocket& to, const char* method, const QJsonObject& params)
    {
        const int id = ++m_sent;
        to.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{"id", id}, {"method", method}, {"params", params}})
                .toJson()));
        (void)QTest::qWaitFor([&] { return m_answers.contains(id); }, 20000);
        return m_answers[id][QStringLiteral("result")].toObject();
    }
    void listen(QWebSocket& s)
    {
        connect(&s, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
            const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
            m_answers[o["id"].toInt()] = o;
        });
    }
    // A new tab on `url` with a real viewport of w x h.
    QWebSocket& open(const QString& url, int w, int h)
    {
        const QJsonObject page = call(m_browser, "Target.createTarget", {{"url", url}});
        m_pages.push_back(std::make_unique<QWebSocket>());
        QWebSocket& s = *m_pages.back();
        listen(s);
        s.open(QUrl(m_devtools + "/devtools/page/" + page["targetId"].toString()));
        (void)QTest::qWaitFor([&] { return s.state() == QAbstractSocket::ConnectedState; });
        call(s, "Emulation.setDeviceMetricsOverride",
             {{"width", w}, {"height", h}, {"deviceScaleFactor", 1}, {"mobile", false}});
        return s;
    }
    // A script's value in the page.
    QJsonValue eval(QWebSocket& page, const QString& script)
    {
        const QJsonObject params{
            {"expression", script}, {"returnByValue", true}, {"userGesture", true}};
        return call(page, "Runtime.evaluate", params)["result"][QStringLiteral("value")];
    }
    bool shows(QWebSocket& page, const char* name, const QString& caption)
    {
        return QTest::qWaitFor([&] {
            return eval(page, QStringLiteral(
                                  "kestrane.state.elements.find((x) => x.name === '%1').caption")
                                  .arg(name)) == caption;
        });
    }
    // Pixels of the page's canvas that differ visibly from the board
    // window's renderer at that size.
    int offPixels(QWebSocket& page, const Kubord2& board, int w, int h)
    {
        const QString png = eval(page, "document.getElementById('board').toDataURL()").toString();
        const QImage shot =
            QImage::fromData(QByteArray::fromBase64(png.section(',', 1).toLatin1()));
        QImage own(w, h, QImage::Format_RGB32);
        QPainter painter(&own);
        BoardRenderer().paint(painter, board, own.rect());
        painter.end();
        if (shot.size() != own.size())
            return w * h;
        int off = 0;
        for (int i = 0; i < w * h; ++i) {
            const QColor a = shot.pixelColor(i % w, i / w);
            const QColor b = own.pixelColor(i % w, i / w);
            off += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                       std::abs(a.blue() - b.blue()) >
                   96;
        }
        return off;
    }

private Q_SLOTS:
    // The page draws the board as the board window's renderer does and
    // follows a press on the console; the overlay scales with its browser
    // source, keeps its blocks in place, shows the names it is given, and
    // says so while the program is gone; both find it again after a restart.
    void pagesInABrowser()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/install-deps.sh test)");
        m_c.k.boards.setTextMeasure(&m_measure);
        m_c.k.startUp.Form_Load();
        useAudienceScreen(m_c, 1920, 1080);
        m_c.s.command1.click();
        Kubord2& board = *m_c.k.boards.current();
        m_c.s.Command8.click(); // Aka waza-ari
        auto feed = FeedService::start({m_c.k.state, m_c.k.competitors, m_c.k.boards},
                                       QStringLiteral("127.0.0.1:0"));
        const quint16 port = feed->port();
        const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
        QStringList args{"--headless=new", "--remote-debugging-port=0", "--hide-scrollbars",
                         "--window-size=1920,1080", "--user-data-dir=" + m_profile.path()};
        m_chromium.start(chromium, args << (::geteuid() == 0 ? "--no-sandbox" : "--no-first-run"));
        // Chromium writes its DevTools port and browser socket into the profile.
        QStringList at;
        const auto devtools = [&] {
            QFile f(m_profile.filePath(QStringLiteral("DevToolsActivePort")));
            return f.open(QIODevice::ReadOnly) &&
                   (at = QString(f.readAll()).split('\n')).size() > 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(devtools() && at[1].startsWith('/'), 20000);
        m_devtools = "ws://127.0.0.1:" + at[0];
        listen(m_browser);
        m_browser.open(QUrl(m_devtools + at[1]));
        QTRY_COMPARE(m_browser.state(), QAbstractSocket::ConnectedState);

        QWebSocket& page = open(base, 1920, 1080);
        QVERIFY(shows(page, "scrw", board.scrw.caption()));
        QTRY_COMPARE(eval(page, "kestrane.state.shown && kestrane.state.width + 'x' + "
                                "kestrane.state.height"),
                     "1920x1080");
        const int off = offPixels(page, board, 1920, 1080);
        QVERIFY2(off < 1920 * 1080 / 50, qPrintable(QString::number(off)));
        m_c.s.Command8.click(); // the second waza-ari
        QVERIFY(shows(page, "scrw", board.scrw.caption()));

        // The overlay at two stream sizes: the same layout, scaled.
        QWebSocket& small = open(base + "overlay", 1280, 720);
        QWebSocket& large = open(base + "overlay", 1920, 1080);
        m_c.s.Text1.setText(QStringLiteral("3"));
        m_c.s.Command12.click(); // the field number, written to the board only
        const QString strip = "JSON.stringify([...document.querySelectorAll('#strip > div')]"
                              ".map((d) => Math.round(d.getBoundingClientRect().right / "
                              "innerWidth * 1000)))";
        for (QWebSocket* o : {&small, &large}) {
            QVERIFY(shows(*o, "Label4", QStringLiteral("3")));
            QTRY_VERIFY(
                eval(*o, "document.querySelector('.field').innerText").toString().contains('3'));
            QVERIFY(eval(*o, "strip.innerText.search(/AKA.*" + board.scrw.caption() + ".*SHIRO/si)")
                        .toInt() >= 0);
            QVERIFY(eval(*o, "document.querySelector('canvas.lamps').getBoundingClientRect()"
                             ".height / innerWidth > 0.02")
                        .toBool());
        }
        QVERIFY2(eval(large, strip).toString().count(',') == 3,
                 qPrintable(eval(large, strip).toString()));
        QCOMPARE(eval(small, strip), eval(large, strip));
        QVERIFY(eval(large, "document.querySelector('#strip').getBoundingClientRect().width")
                    .toDouble() > 1500);
        // 9:59 and 10:00 leave every block where it was; names when given.
        const QString clock = "s.elements.find((e) => e.name === 'Label5').caption = '%1'";
        const auto at1000 =
            eval(large, "(() => { const s = structuredClone(kestrane.state); " + clock.arg("10") +
                            "; kestrane.draw(s); return " + strip + "; })()");
        const auto at959 =
            eval(large, "(() => { const s = structuredClone(kestrane.state); " + clock.arg("9") +
                            "; kestrane.draw(s); return " + strip + "; })()");
        QCOMPARE(at1000, at959);
        const QString named =
            eval(large, "(() => { const s = structuredClone(kestrane.state); s.competitors = "
                        "{aka: {name: 'Ana Ruiz', club: 'Club Norte'}, shiro: {name: '', club: "
                        "''}}; kestrane.draw(s); return strip.innerText + '|' + "
                        "document.querySelectorAll('.person').length + '|' + " +
                            strip + "; })()")
                .toString();
        QVERIFY2(named.contains("Ana Ruiz") && named.contains("Club Norte") &&
                     named.contains("|1|" + at959.toString()),
                 qPrintable(named));

        if (const QString dir = qEnvironmentVariable("KESTRANE_FEED_SHOTS"); !dir.isEmpty()) {
            const auto png = call(small, "Page.captureScreenshot", {})["data"].toString();
            QFile f(dir + "/feed-overlay.png");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::fromBase64(png.toLatin1()));
        }
        // The program goes: the overlay hides its scores and says so.
        feed.reset();
        for (QWebSocket* o : {&small, &large})
            QTRY_VERIFY(eval(*o, "strip.hidden && !lost.hidden && lost.innerText").toString() ==
                        "Connection lost");
        m_c.s.Text1.setText(QStringLiteral("7")); // a new field number while it is down
        m_c.s.Command12.click();
        feed = FeedService::start({m_c.k.state, m_c.k.competitors, m_c.k.boards},
                                  QStringLiteral("127.0.0.1:%1").arg(port));
        QVERIFY(shows(page, "Label4", board.Label4.caption()));
        for (QWebSocket* o : {&small, &large}) {
            QVERIFY(shows(*o, "Label4", QStringLiteral("7")));
            QTRY_VERIFY(eval(*o, "!strip.hidden && lost.hidden").toBool());
        }
        m_chromium.terminate();
        m_chromium.waitForFinished(5000);
    }
};

KESTRANE_TEST_MAIN(TestFeedBrowser)
#include "tst_feedbrowser.moc"
