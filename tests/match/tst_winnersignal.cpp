// The blinking name plates on both windows, knipperuit, scoreknipper and
// the two sounds.
#include "match/WriteLog.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;
using test::WriteLog;

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000C0;
constexpr Colour kGrey = 0xE0E0E0;
constexpr Colour kDarkBlue = 0x400000;
constexpr Colour kBlack = 0x000000;

void setScores(TestConsole& c, const QStringList& scores)
{
    Element* console[] = {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww};
    for (int i = 0; i < 4; ++i) {
        auto handler = std::exchange(console[i]->onChange, nullptr);
        console[i]->setCaption(scores.at(i));
        console[i]->onChange = std::move(handler);
    }
}

void verifyNormalColours(TestConsole& c)
{
    QCOMPARE(c.s.Label19.foreColor(), kWhite);
    QCOMPARE(c.s.Label18.foreColor(), kDarkBlue);
    QCOMPARE(c.k.kubord2().label1(11).foreColor(), kGrey);
    QCOMPARE(c.k.kubord2().label1(12).foreColor(), kBlack);
}

} // namespace

class TestWinnerSignal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each tick swaps the plate's text colour, board first, console second,
    // and the console plate alone decides the phase.
    void blinkPhases_data()
    {
        QTest::addColumn<bool>("aka");
        QTest::newRow("Aka, Timer3") << true;
        QTest::newRow("Shiro, Timer4") << false;
    }

    void blinkPhases()
    {
        QFETCH(bool, aka);
        TestConsole c;
        c.k.signal.knipperuit(); // board plates in their normal colours
        Element& timer = aka ? c.s.Timer3 : c.s.Timer4;
        const QString plate = aka ? "Label19" : "Label18";
        const QString board = aka ? "b:Label1(11)" : "b:Label1(12)";
        const Colour normal = aka ? kWhite : kDarkBlue;
        const Colour boardNormal = aka ? kGrey : kBlack;
        const Colour hidden = aka ? kRed : kGrey;
        auto fore = [](const QString& n, Colour v) { return n + ".fore=" + QString::number(v); };

        timer.setEnabled(true);
        WriteLog log(c);
        timer.tick();
        QCOMPARE(log.take(), (QStringList{fore(board, hidden), fore(plate, hidden)}));
        timer.tick();
        QCOMPARE(log.take(), (QStringList{fore(board, boardNormal), fore(plate, normal)}));
        timer.tick();
        QCOMPARE(log.take(), (QStringList{fore(board, hidden), fore(plate, hidden)}));

        // The board plate is never read: out of step, it follows the console.
        c.k.kubord2().label1(aka ? 11 : 12).setForeColor(0x123456);
        log.take();
        timer.tick();
        QCOMPARE(log.take(), (QStringList{fore(board, boardNormal), fore(plate, normal)}));
    }

    // Whatever phase the blink is in, the next score press ends it on both
    // windows, for both names.
    void pressStopsBlinkAtEitherPhase_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("button");
        for (int ticks : {0, 1, 2, 3}) {
            for (const char* b : {"Command6", "Command8", "Command10", "MyButton2", "SanbonB",
                                  "NihonB", "MyButton1", "Command9"}) {
                QTest::addRow("%d ticks, %s", ticks, b) << ticks << QString::fromLatin1(b);
            }
        }
    }

    void pressStopsBlinkAtEitherPhase()
    {
        QFETCH(int, ticks);
        QFETCH(QString, button);
        TestConsole c;
        c.s.ippon.setText(QStringLiteral("5")); // no press here wins
        c.k.signal.eindstraf();
        for (int i = 0; i < ticks; ++i) {
            c.s.Timer3.tick();
            c.s.Timer4.tick();
        }
        c.s.find(button)->click();
        QVERIFY(!c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer4.enabled());
        verifyNormalColours(c);
    }

    void knipperuitOrder()
    {
        TestConsole c;
        c.k.signal.eindstraf();
        c.s.Timer3.tick();
        c.s.Timer4.tick();
        WriteLog log(c);
        c.k.signal.knipperuit();
        QCOMPARE(log.entries, (QStringList{"Timer3 off", "Timer4 off", "Label19.fore=16777215",
                                           "Label18.fore=4194304", "b:Label1(12).fore=0",
                                           "b:Label1(11).fore=14737632"}));
    }

    void endProcedures_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("eindstraf")
            << "eindstraf" << QStringList{"sound:end.wav", "Timer3 on", "Timer4 on"};
        QTest::newRow("eindstrafbl") << "eindstrafbl" << QStringList{"sound:end.wav", "Timer3 on"};
        QTest::newRow("eindstrafro") << "eindstrafro" << QStringList{"sound:end.wav", "Timer4 on"};
    }

    void endProcedures()
    {
        QFETCH(QString, procedure);
        QFETCH(QStringList, expected);
        TestConsole c;
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        WriteLog log(c);
        if (procedure == "eindstraf")
            c.k.signal.eindstraf();
        else if (procedure == "eindstrafbl")
            c.k.signal.eindstrafbl();
        else
            c.k.signal.eindstrafro();
        QCOMPARE(log.entries, expected);
    }

    // A second signal for a name that already blinks leaves its phase alone,
    // and no signal stops the other side's blink.
    void signalOnARunningBlink()
    {
        TestConsole c;
        c.k.signal.eindstrafbl();
        c.s.Timer3.tick(); // Aka hidden
        c.k.signal.eindstrafro();
        c.k.signal.eindstrafbl();
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(c.s.Timer4.enabled());
        QCOMPARE(c.s.Label19.foreColor(), kRed);
        QCOMPARE(c.ports.sound.played.size(), 3);
    }

    void scoreknipper_data()
    {
        QTest::addColumn<QStringList>("scores"); // scri, scrw, scwi, scww
        QTest::addColumn<bool>("akaBlinking");   // before
        QTest::addColumn<bool>("aka");
        QTest::addColumn<bool>("shiro");
        QTest::newRow("Aka ahead") << QStringList{"1", "0", "0", "1"} << false << true << false;
        QTest::newRow("Shiro 4 to 3") << QStringList{"1", "1", "2", "0"} << false << false << true;
        QTest::newRow("3 to 3") << QStringList{"1", "1", "0", "3"} << false << true << true;
        QTest::newRow("0 to 0") << QStringList{"0", "0", "0", "0"} << false << true << true;
        QTest::newRow("waza-ari count against ippon")
            << QStringList{"0", "3", "1", "0"} << false << true << false;
        QTest::newRow("Aka blinks, Shiro ahead")
            << QStringList{"0", "0", "1", "0"} << true << true << true;
        QTest::newRow("ten-digit scores")
            << QStringList{"4294967296", "0", "0", "8589934591"} << false << true << false;
    }

    void scoreknipper()
    {
        QFETCH(QStringList, scores);
        QFETCH(bool, akaBlinking);
        QFETCH(bool, aka);
        QFETCH(bool, shiro);
        TestConsole c;
        setScores(c, scores);
        if (akaBlinking) {
            c.s.Timer3.setEnabled(true);
            c.s.Timer3.tick();
        }
        WriteLog log(c);
        c.k.signal.scoreknipper();
        QCOMPARE(c.s.Timer3.enabled(), aka);
        QCOMPARE(c.s.Timer4.enabled(), shiro);
        QCOMPARE(c.ports.sound.played.size(), 0);
        // Nothing but timers is touched: a running blink keeps its phase.
        for (const QString& e : log.entries)
            QVERIFY2(e.startsWith("Timer"), qPrintable(e));
        if (akaBlinking)
            QCOMPARE(c.s.Label19.foreColor(), kRed);
    }

    void tieStartsShiroFirst()
    {
        TestConsole c;
        WriteLog log(c);
        c.k.signal.scoreknipper();
        QCOMPARE(log.entries, (QStringList{"Timer4 on", "Timer3 on"}));
    }

    // The test buttons request their file by path, also an empty one.
    void soundButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("eindwav");
        QTest::addColumn<QString>("waarwav");
        QTest::addColumn<QString>("played");
        QTest::newRow("End of match") << "MyButton3"
                                      << "C:\\snd\\gong end.wav"
                                      << "w.wav"
                                      << "C:\\snd\\gong end.wav";
        QTest::newRow("End of match, empty path") << "MyButton3"
                                                  << ""
                                                  << "w.wav"
                                                  << "";
        QTest::newRow("Warning") << "MyButton4"
                                 << "e.wav"
                                 << "/home/op/warn.wav"
                                 << "/home/op/warn.wav";
        QTest::newRow("Warning, empty path") << "MyButton4"
                                             << "e.wav"
                                             << ""
                                             << "";
    }

    void soundButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, eindwav);
        QFETCH(QString, waarwav);
        QFETCH(QString, played);
        TestConsole c;
        c.s.eindwav.setText(eindwav);
        c.s.waarwav.setText(waarwav);
        c.s.find(button)->click();
        QCOMPARE(c.ports.sound.played, QStringList{played});
    }
};

KESTRANE_MODEL_TEST_MAIN(TestWinnerSignal)
#include "tst_winnersignal.moc"
