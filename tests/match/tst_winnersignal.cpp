// The blinking name plates on both windows, knipperuit, scoreknipper and
// the two sounds.
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;

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
    // Each tick swaps the plate's text colour on both windows; the console
    // plate alone decides the phase, the board plate follows it.
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
        const Element& plate = aka ? c.s.Label19 : c.s.Label18;
        Element& board = c.k.kubord2().label1(aka ? 11 : 12);
        const Colour normal = aka ? kWhite : kDarkBlue;
        const Colour boardNormal = aka ? kGrey : kBlack;
        const Colour hidden = aka ? kRed : kGrey;

        timer.setEnabled(true);
        for (int tick = 1; tick <= 3; ++tick) {
            timer.tick();
            QCOMPARE(plate.foreColor(), tick % 2 ? hidden : normal);
            QCOMPARE(board.foreColor(), tick % 2 ? hidden : boardNormal);
        }
        board.setForeColor(0x123456); // out of step: never read
        timer.tick();
        QCOMPARE(plate.foreColor(), normal);
        QCOMPARE(board.foreColor(), boardNormal);
    }

    // Whatever phase the blink is in, every score press ends it on both
    // windows, for both names.
    void pressStopsBlinkAtEitherPhase()
    {
        for (int ticks : {0, 1}) {
            for (const char* button : {"Command6", "Command8", "Command10", "MyButton2", "SanbonB",
                                       "NihonB", "MyButton1", "Command9"}) {
                TestConsole c;
                c.s.ippon.setText(QStringLiteral("5")); // no press here wins
                c.k.signal.eindstraf();
                for (int i = 0; i < ticks; ++i) {
                    c.s.Timer3.tick();
                    c.s.Timer4.tick();
                }
                c.s.find(QString::fromLatin1(button))->click();
                QVERIFY2(!c.s.Timer3.enabled() && !c.s.Timer4.enabled(), button);
                verifyNormalColours(c);
            }
        }
    }

    void endProcedures_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<bool>("aka");
        QTest::addColumn<bool>("shiro");
        QTest::newRow("eindstraf") << "eindstraf" << true << true;
        QTest::newRow("eindstrafbl") << "eindstrafbl" << true << false;
        QTest::newRow("eindstrafro") << "eindstrafro" << false << true;
    }

    void endProcedures()
    {
        QFETCH(QString, procedure);
        QFETCH(bool, aka);
        QFETCH(bool, shiro);
        TestConsole c;
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        if (procedure == "eindstraf")
            c.k.signal.eindstraf();
        else if (procedure == "eindstrafbl")
            c.k.signal.eindstrafbl();
        else
            c.k.signal.eindstrafro();
        QCOMPARE(c.ports.sound.played, QStringList{"end.wav"});
        QCOMPARE(c.s.Timer3.enabled(), aka);
        QCOMPARE(c.s.Timer4.enabled(), shiro);
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
        c.k.signal.scoreknipper();
        QCOMPARE(c.s.Timer3.enabled(), aka);
        QCOMPARE(c.s.Timer4.enabled(), shiro);
        QCOMPARE(c.ports.sound.played.size(), 0);
        // A running blink keeps its phase.
        if (akaBlinking)
            QCOMPARE(c.s.Label19.foreColor(), kRed);
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
