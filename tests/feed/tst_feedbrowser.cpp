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

// The board page in a real browser (headless Chromium), driven through its
// DevTools sockets.
class TestFeedBrowser : public QObject {
    Q_OBJECT

    TestConsole m_c;
    LabelMeasure m_measure;
    QTemporaryDir m_profile;
    QProcess m_chromium;
    QWebSocket m_browser, m_page;
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
    // A script's value in the page.
    QJsonValue eval(const QString& script)
    {
        const QJsonObject params{
            {"expression", script}, {"returnByValue", true}, {"userGesture", true}};
        return call(m_page, "Runtime.evaluate", params)["result"][QStringLiteral("value")];
    }
    bool shows(const char* name, const QString& caption)
    {
        return QTest::qWaitFor([&] {
            return eval(QStringLiteral(
                            "kestrane.state.elements.find((x) => x.name === '%1').caption")
                            .arg(name)) == caption;
        });
    }

private Q_SLOTS:
    // The page draws the board as the board window's renderer does, follows
    // a press on the console, opens the overlay strip, and finds the
    // program again after a restart.
    void pageShowsTheBoard()
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
        auto feed = FeedService::start(m_c.k, QStringLiteral("127.0.0.1:0"));
        const quint16 port = feed->port();
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
        for (QWebSocket* s : {&m_browser, &m_page}) {
            connect(s, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
                const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
                m_answers[o["id"].toInt()] = o;
            });
        }
        m_browser.open(QUrl("ws://127.0.0.1:" + at[0] + at[1]));
        QTRY_COMPARE(m_browser.state(), QAbstractSocket::ConnectedState);
        const QJsonObject page = call(m_browser, "Target.createTarget",
                                      {{"url", QStringLiteral("http://127.0.0.1:%1/").arg(port)}});
        m_page.open(
            QUrl("ws://127.0.0.1:" + at[0] + "/devtools/page/" + page["targetId"].toString()));
        QTRY_COMPARE(m_page.state(), QAbstractSocket::ConnectedState);
        call(m_page, "Emulation.setDeviceMetricsOverride",
             {{"width", 1920}, {"height", 1080}, {"deviceScaleFactor", 1}, {"mobile", false}});
        QVERIFY(shows("scrw", board.scrw.caption()));
        QTRY_COMPARE(
            eval("kestrane.state.shown && kestrane.state.width + 'x' + kestrane.state.height"),
            "1920x1080");

        const QString png = eval("document.getElementById('board').toDataURL()").toString();
        const QImage shot =
            QImage::fromData(QByteArray::fromBase64(png.section(',', 1).toLatin1()));
        QImage own(1920, 1080, QImage::Format_RGB32);
        QPainter painter(&own);
        BoardRenderer().paint(painter, board, own.rect());
        painter.end();
        QCOMPARE(shot.size(), own.size());
        int off = 0;
        for (int i = 0; i < 1920 * 1080; ++i) {
            const QColor a = shot.pixelColor(i % 1920, i / 1920);
            const QColor b = own.pixelColor(i % 1920, i / 1920);
            off += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                       std::abs(a.blue() - b.blue()) >
                   96;
        }
        QVERIFY2(off < 1920 * 1080 / 50, qPrintable(QString::number(off)));

        m_c.s.Command8.click(); // the second waza-ari
        QVERIFY(shows("scrw", board.scrw.caption()));
        eval("ov = open('/overlay')");
        QTRY_VERIFY(eval("ov.strip.innerText.search(/Aka.*" + board.scrw.caption() + ".*Shiro/s)")
                        .toInt() >= 0);

        feed.reset();
        QTest::qWait(500);
        m_c.s.Text1.setText(QStringLiteral("7")); // a new field number while it is down
        m_c.s.Command12.click();
        feed = FeedService::start(m_c.k, QStringLiteral("127.0.0.1:%1").arg(port));
        QVERIFY(shows("Label4", board.Label4.caption()));
        m_chromium.terminate();
        m_chromium.waitForFinished(5000);
    }
};

KESTRANE_TEST_MAIN(TestFeedBrowser)
#include "tst_feedbrowser.moc"
