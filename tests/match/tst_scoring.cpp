// The score buttons and the match decision: the gate, the limits, the
// conversion of two waza-ari and the targets that make every assignment a win.
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;

namespace {

void setScores(TestConsole& c, const QStringList& scores)
{
    // scri, scrw, scwi, scww on both windows, without running the decision
    // handlers for the set-up itself.
    Element* console[] = {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww};
    Kubord2& b = c.k.kubord2();
    Element* board[] = {&b.scri, &b.scrw, &b.scwi, &b.scww};
    for (int i = 0; i < 4; ++i) {
        auto handler = std::exchange(console[i]->onChange, nullptr);
        console[i]->setCaption(scores.at(i));
        console[i]->onChange = std::move(handler);
        board[i]->setCaption(scores.at(i));
    }
}

QStringList consoleScores(TestConsole& c)
{
    return {c.s.scri.caption(), c.s.scrw.caption(), c.s.scwi.caption(), c.s.scww.caption()};
}

QStringList boardScores(TestConsole& c)
{
    Kubord2& b = c.k.kubord2();
    return {b.scri.caption(), b.scrw.caption(), b.scwi.caption(), b.scww.caption()};
}

void runClock(TestConsole& c)
{
    c.s.Label1.setCaption(QStringLiteral("1"));
    c.k.clock.starten();
    QVERIFY(c.s.Timer1.enabled());
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pressSequences_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("check25");
        QTest::addColumn<QStringList>("before"); // scri, scrw, scwi, scww
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("endSounds");
        QTest::addColumn<bool>("akaBlinks");
        QTest::addColumn<bool>("shiroBlinks");

        const QStringList zero{"0", "0", "0", "0"};
        QTest::newRow("ippon wins at target 1")
            << "1" << 0 << zero << QStringList{"Command6"} << QStringList{"1", "0", "0", "0"} << 1
            << true << false;
        QTest::newRow("second ippon is gated, stops the blink")
            << "1" << 0 << zero << QStringList{"Command6", "Command6"}
            << QStringList{"1", "0", "0", "0"} << 1 << false << false;
        QTest::newRow("two waza-ari win") << "1" << 0 << zero << QStringList{"Command8", "Command8"}
                                          << QStringList{"0", "2", "0", "0"} << 1 << true << false;
        QTest::newRow("waza-ari gate looks at ippon only")
            << "1" << 0 << zero << QStringList{"Command8", "Command8", "Command8", "Command8"}
            << QStringList{"0", "4", "0", "0"} << 3 << true << false;
        QTest::newRow("conversion signals twice")
            << "1" << 1 << QStringList{"0", "1", "0", "0"} << QStringList{"Command8"}
            << QStringList{"1", "0", "0", "0"} << 2 << true << false;
        QTest::newRow("conversion only at exactly two")
            << "3" << 1 << QStringList{"0", "2", "0", "0"} << QStringList{"Command8", "Command8"}
            << QStringList{"0", "4", "0", "0"} << 0 << false << false;
        QTest::newRow("conversion increment is not gated")
            << "1" << 1 << QStringList{"0", "1", "1", "1"} << QStringList{"NihonB"}
            << QStringList{"0", "1", "1", "1"} << 0 << false << false;
        QTest::newRow("conversion increment passes 99")
            << "200" << 1 << QStringList{"99", "1", "0", "0"} << QStringList{"Command8"}
            << QStringList{"100", "0", "0", "0"} << 0 << false << false;
        QTest::newRow("Shiro conversion")
            << "1" << 1 << QStringList{"0", "0", "0", "1"} << QStringList{"NihonB"}
            << QStringList{"0", "0", "1", "0"} << 2 << false << true;
        QTest::newRow("target 2: ippon and two waza-ari win")
            << "2" << 0 << zero << QStringList{"Command6", "Command8", "Command8"}
            << QStringList{"1", "2", "0", "0"} << 1 << true << false;
        QTest::newRow("target 2: ippon and one waza-ari do not")
            << "2" << 0 << zero << QStringList{"SanbonB", "NihonB"}
            << QStringList{"0", "0", "1", "1"} << 0 << false << false;
        QTest::newRow("target 0 gates increments at ippon 0")
            << "0" << 0 << zero << QStringList{"Command6", "Command8", "SanbonB", "NihonB"} << zero
            << 0 << false << false;
        QTest::newRow("target 0: any other assignment wins")
            << "0" << 0 << zero << QStringList{"MyButton2"} << zero << 1 << true << false;
        QTest::newRow("empty target reads as 0")
            << "" << 0 << zero << QStringList{"Command9"} << zero << 1 << false << true;
        QTest::newRow("target lowered below the ippon count")
            << "1" << 0 << QStringList{"0", "0", "3", "0"} << QStringList{"NihonB", "SanbonB"}
            << QStringList{"0", "0", "4", "1"} << 2 << false << true;
        QTest::newRow("increment reaching 99 sounds")
            << "500" << 0 << QStringList{"98", "0", "0", "0"} << QStringList{"Command6"}
            << QStringList{"99", "0", "0", "0"} << 1 << false << false;
        QTest::newRow("increment beyond 99 stays 99 and sounds")
            << "500" << 0 << QStringList{"0", "0", "0", "99"} << QStringList{"NihonB"}
            << QStringList{"0", "0", "0", "99"} << 1 << false << false;
        QTest::newRow("count above 99 falls back to 99")
            << "500" << 0 << QStringList{"150", "0", "0", "0"} << QStringList{"Command6"}
            << QStringList{"99", "0", "0", "0"} << 1 << false << false;
        QTest::newRow("minus on 0 stays 0")
            << "1" << 0 << zero << QStringList{"Command10", "MyButton2", "MyButton1", "Command9"}
            << zero << 0 << false << false;
        QTest::newRow("minus counts down")
            << "5" << 0 << QStringList{"3", "2", "4", "1"}
            << QStringList{"Command10", "MyButton2", "MyButton1", "Command9", "Command9"}
            << QStringList{"2", "1", "3", "0"} << 0 << false << false;
        QTest::newRow("minus keeps a winner winning")
            << "1" << 0 << QStringList{"0", "0", "3", "0"} << QStringList{"MyButton1"}
            << QStringList{"0", "0", "2", "0"} << 1 << false << true;
        QTest::newRow("ten-digit counts do not wrap")
            << "9999999999" << 0 << QStringList{"9999999999", "0", "0", "0"}
            << QStringList{"Command10"} << QStringList{"9999999998", "0", "0", "0"} << 0 << false
            << false;
        QTest::newRow("ten-digit target is reached")
            << "4294967297" << 0 << QStringList{"0", "0", "4294967298", "0"}
            << QStringList{"MyButton1"} << QStringList{"0", "0", "4294967297", "0"} << 1 << false
            << true;
        QTest::newRow("ten-digit target gates")
            << "4294967297" << 0 << QStringList{"0", "0", "4294967297", "0"}
            << QStringList{"NihonB"} << QStringList{"0", "0", "4294967297", "0"} << 0 << false
            << false;
    }

    void pressSequences()
    {
        QFETCH(QString, target);
        QFETCH(int, check25);
        QFETCH(QStringList, before);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, after);
        QFETCH(int, endSounds);
        QFETCH(bool, akaBlinks);
        QFETCH(bool, shiroBlinks);

        TestConsole c;
        c.s.ippon.setText(target);
        c.s.Check25.setValue(check25);
        setScores(c, before);
        for (const QString& name : presses)
            c.s.find(name)->click();

        QCOMPARE(consoleScores(c), after);
        QCOMPARE(boardScores(c), after);
        QCOMPARE(c.ports.sound.played.size(), endSounds);
        QCOMPARE(c.s.Timer3.enabled(), akaBlinks);
        QCOMPARE(c.s.Timer4.enabled(), shiroBlinks);
    }

    // The board copy is written even when the text does not change, and a
    // gated press writes nothing at all.
    void boardCopyAlwaysWritten()
    {
        TestConsole c;
        c.k.kubord2().scwi.setCaption(QStringLiteral("7")); // out of step
        c.s.MyButton1.click();
        QCOMPARE(c.k.kubord2().scwi.caption(), QStringLiteral("0"));

        c.s.ippon.setText(QStringLiteral("0"));
        c.k.kubord2().scri.setCaption(QStringLiteral("7"));
        c.s.Command6.click();
        QCOMPARE(c.k.kubord2().scri.caption(), QStringLiteral("7"));
    }

    // The decision runs on every assignment, also of the same text, and a win
    // calls stoppen also when the clock stands still.
    void decisionRunsOnEveryAssignment()
    {
        TestConsole c;
        setScores(c, {"1", "0", "0", "0"});
        c.s.scri.setCaption(QStringLiteral("1"));
        c.s.scri.setCaption(QStringLiteral("1"));
        QCOMPARE(c.ports.sound.played.size(), 2);
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer1.enabled());
        QVERIFY(c.s.Command3.visible());
        QVERIFY(!c.s.Command4.visible());
    }

    // The decision looks at its own side only: with both sides over the
    // target, each side's change signals that side and never clears the other.
    void decisionLooksAtOneSide()
    {
        TestConsole c;
        setScores(c, {"1", "0", "1", "0"});
        c.s.scwi.setCaption(QStringLiteral("1"));
        QVERIFY(c.s.Timer4.enabled());
        QVERIFY(!c.s.Timer3.enabled());
        c.s.scrw.setCaption(QStringLiteral("0"));
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(c.s.Timer4.enabled());
    }

    void noWinLeavesTheClockRunning()
    {
        TestConsole c;
        c.s.ippon.setText(QStringLiteral("3"));
        runClock(c);
        c.s.Command6.click();
        c.s.NihonB.click();
        QVERIFY(c.s.Timer1.enabled());
        QVERIFY(c.s.Command4.visible());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestScoring)
#include "tst_scoring.moc"
