#include "board/BoardTestHelpers.h"
#include "board/LabelMeasure.h"
#include "feed/BoardFeed.h"
#include "feed/BoardJson.h"
#include "support/TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

using namespace kestrane;
using namespace kestrane::test;

Q_DECLARE_METATYPE(std::function<void(kestrane::MatchState&)>)

namespace {
using Action = std::function<void(MatchState&)>;

// The JSON of the console's own board, as the feed would send it.
QByteArray boardJson(TestConsole& c, int w, int h, bool shown)
{
    return BoardJson::toJson(*c.k.boards.current(), true, w, h, shown);
}
} // namespace

// The feed's board against the console's own: the same scaling code, the
// same values, never the same board.
class TestFeedBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // While the board is closed the feed shows what the next opening shows.
    void closedShowsNextOpening_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<Action>("act");
        QTest::newRow("fresh") << 1920 << 1080 << Action([](MatchState&) {});
        QTest::newRow("scores lamps clock field") << 1920 << 1080 << Action([](MatchState& s) {
            s.Command6.click();
            s.Command6.click();
            s.check(1).setValue(1);
            s.check(15).setValue(1);
            s.check(2).setValue(1); // an "S" box: the opening does not show it
            s.Label2.setCaption(QStringLiteral("3"));
            s.Text1.setText(QStringLiteral("12"));
        });
        QTest::newRow("wukf mirrored narrow") << 1024 << 768 << Action([](MatchState& s) {
            s.Check26.setValue(1);
            s.Check23.setValue(1);
            s.check(10).setValue(1);
        });
        QTest::newRow("scales") << 3840 << 2160 << Action([](MatchState& s) {
            s.hsch.setText(QStringLiteral("0.5"));
            s.vsch.setText(QStringLiteral("1.25"));
            s.fsch.setText(QStringLiteral("2"));
        });
    }
    void closedShowsNextOpening()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(Action, act);
        TestConsole c;
        LabelMeasure measure;
        c.k.boards.setTextMeasure(&measure);
        BoardFeed feed(c.k);
        c.k.startUp.Form_Load();
        act(c.s);
        const Kubord2* hidden = c.k.boards.current();
        const QByteArray closed = feed.state(w, h);
        QCOMPARE(c.k.boards.current(), hidden); // untouched, none created

        useAudienceScreen(c, w, h);
        c.s.command1.click();
        QVERIFY(c.k.boards.isShown());
        QCOMPARE(closed, boardJson(c, w, h, false));
    }

    // While it is shown the feed follows every change of the shown board:
    // blinking, lamps, the "S" indicator, the KO count.
    void shownFollowsBoard()
    {
        TestConsole c;
        LabelMeasure measure;
        c.k.boards.setTextMeasure(&measure);
        c.k.startUp.Form_Load();
        useAudienceScreen(c, 1920, 1080);
        c.s.command1.click();
        BoardFeed feed(c.k); // started after the opening: finds the shown board
        const std::vector<std::pair<const char*, Action>> steps = {
            {"score", [](MatchState& s) { s.Command6.click(); }},
            {"lamp", [](MatchState& s) { s.check(12).setValue(1); }},
            {"S", [](MatchState& s) { s.check(11).setValue(1); }},
            {"blink", [](MatchState& s) { s.Timer3.tick(); }},
            {"clock",
             [&c](MatchState& s) {
                 c.k.Form_KeyPress('s');
                 s.Timer1.tick();
             }},
            {"ko",
             [](MatchState& s) {
                 s.Command11.click();
                 s.Timer2.tick();
             }},
        };
        QByteArray before = feed.state(1920, 1080);
        for (const auto& [name, act] : steps) {
            act(c.s);
            const QByteArray now = feed.state(1920, 1080);
            QVERIFY2(now != before, name);
            QVERIFY2(now == boardJson(c, 1920, 1080, true), name);
            before = now;
        }
        // At another size: the same captions and colours, its own geometry.
        const QJsonArray small = QJsonDocument::fromJson(feed.state(960, 540))
                                     .object()
                                     .value(QStringLiteral("elements"))
                                     .toArray();
        const QJsonArray large =
            QJsonDocument::fromJson(before).object().value(QStringLiteral("elements")).toArray();
        QCOMPARE(small.size(), large.size());
        for (qsizetype i = 0; i < small.size(); ++i) {
            QJsonObject a = small[i].toObject();
            QJsonObject b = large[i].toObject();
            for (const char* geometry : {"x", "y", "w", "h", "font", "radius", "borderWidth"}) {
                a.remove(QLatin1String(geometry));
                b.remove(QLatin1String(geometry));
            }
            QCOMPARE(a, b);
        }
        // Closing the board: the feed shows the next opening again, without
        // the KO count the opening does not copy.
        c.s.Command2.click();
        QVERIFY(!feed.state(1920, 1080).contains("\"shown\":true"));
    }

    // A handler's many writes reach the clients as one change, after it.
    void oneChangePerTurn()
    {
        TestConsole c;
        BoardFeed feed(c.k);
        QSignalSpy changed(&feed, &BoardFeed::changed);
        c.s.Command6.click();
        c.s.check(1).setValue(1);
        c.s.Label3.setCaption(QStringLiteral("9"));
        QCOMPARE(changed.count(), 0);
        QTRY_COMPARE(changed.count(), 1);
        QTest::qWait(20);
        QCOMPARE(changed.count(), 1);
    }
};

KESTRANE_TEST_MAIN(TestFeedBoard)
#include "tst_feedboard.moc"
