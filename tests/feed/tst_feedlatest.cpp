#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/BoardFeed.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "support/TestMain.h"

#include <QWebSocket>

#include <tuple>

using namespace kestrane;
using namespace kestrane::test;

// How much of a new state one turn of the console's event loop hands out.
class TestFeedLatest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A turn hands the state out until its time is spent, to one client at
    // least and never beyond the count; the clients left get it in the
    // turns after.
    void aTurnStopsWhenItsTimeIsSpent()
    {
        TestConsole c;
        LabelMeasure measure;
        c.k.boards.setTextMeasure(&measure);
        c.k.startUp.Form_Load();
        useAudienceScreen(c, 1920, 1080);
        const auto feed = FeedService::start({c.k.state, c.k.competitors, c.k.boards},
                                             QStringLiteral("127.0.0.1:0"));
        QVERIFY(feed);
        std::vector<std::unique_ptr<QWebSocket>> clients;
        int got = 0;
        for (int i = 0; i < 6; ++i) {
            clients.push_back(std::make_unique<QWebSocket>());
            connect(clients.back().get(), &QWebSocket::textMessageReceived, this, [&] { ++got; });
            clients.back()->open(
                QUrl(QStringLiteral("ws://127.0.0.1:%1/live?w=800&h=600").arg(feed->port())));
        }
        QTRY_COMPARE(got, 6);
        const qint64 minute = 60'000'000'000;
        int caption = 100; // the field number, unlike its first one
        for (const auto& [budget, count, handed] :
             {std::tuple{qint64(0), 1000, 1}, {minute, 4, 4}, {minute, 1000, 6}}) {
            feed->http().setTurnBudgetNs(budget);
            feed->http().setOffersPerTurn(count);
            int handedOut = 0;
            QObject probe; // after the server's own handler
            connect(&feed->board(), &BoardFeed::changed, &probe, [&] {
                // Written in this turn: still in the sockets' buffers.
                for (const QWebSocket* ws : feed->http().findChildren<QWebSocket*>())
                    handedOut += ws->bytesToWrite() > 0;
            });
            const int before = got;
            c.s.Text1.setText(QString::number(++caption));
            c.s.Command12.click();
            QTRY_COMPARE(got, before + 6);
            QCOMPARE(handedOut, handed);
        }
    }
};

KESTRANE_TEST_MAIN(TestFeedLatest)
#include "tst_feedlatest.moc"
