// The clock corrections: one second up, one step down, the sixty-second
// bout and extra time.
#include "clock/ClockHelpers.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

class TestClockCorrections : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stepUp_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("colour");
        QTest::newRow("0:09") << "0:09"
                              << "0:10" << 0;
        QTest::newRow("0:59 carries into the minutes") << "0:59"
                                                       << "1:00" << 0;
        QTest::newRow("9:59 to ten minutes") << "9:59"
                                             << "10:00" << 143;
        QTest::newRow("0:29 to 0:30 gives no warning") << "0:29"
                                                       << "0:30" << 0;
        QTest::newRow("0:60 state") << "0:60"
                                    << "0:61" << 143;
        QTest::newRow("0:00") << "0:00"
                              << "0:01" << 0;
        QTest::newRow("ten-digit minutes") << "9999999999:59"
                                           << "10000000000:00" << 0;
    }

    // No limit, no warning, no end and no colour change.
    void stepUp()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, colour);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, from);
        c.k.clock.setBoardClockColour(Colour(colour));
        c.s.tijdu.click();
        QCOMPARE(consoleClock(c), to);
        QCOMPARE(boardClock(c), to);
        QVERIFY(c.ports.sound.played.isEmpty());
        QCOMPARE(boardClockColours(c), QList<Colour>(4, Colour(colour)));
        QVERIFY(!running(c));
    }

    void stepDown_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("runningBefore");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<bool>("runningAfter");
        QTest::addColumn<int>("colour");
        QTest::newRow("0:01 stopped: the end")
            << "0:01" << false << "0:00" << QStringList{"end.wav"} << false << 0;
        QTest::newRow("0:01 running: the end")
            << "0:01" << true << "0:00" << QStringList{"end.wav"} << false << 0;
        QTest::newRow("0:31: the warning")
            << "0:31" << false << "0:30" << QStringList{"warn.wav"} << false << 143;
        QTest::newRow("0:31 running: the warning, still running")
            << "0:31" << true << "0:30" << QStringList{"warn.wav"} << true << 143;
        QTest::newRow("2:00 borrows") << "2:00" << false << "1:59" << QStringList{} << false << 0;
        QTest::newRow("0:61") << "0:61" << false << "0:60" << QStringList{} << false << 0;
        QTest::newRow("0:60") << "0:60" << false << "0:59" << QStringList{} << false << 0;
        QTest::newRow("0:00 does nothing")
            << "0:00" << false << "0:00" << QStringList{} << false << 0;
        QTest::newRow("empty digits do nothing")
            << ":" << false << ":" << QStringList{} << false << 0;
    }

    // A step down is a full clock step, warning and end included.
    void stepDown()
    {
        QFETCH(QString, from);
        QFETCH(bool, runningBefore);
        QFETCH(QString, to);
        QFETCH(QStringList, sounds);
        QFETCH(bool, runningAfter);
        QFETCH(int, colour);
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.s.waarwav.setText(QStringLiteral("warn.wav"));
        setScoresQuietly(c, {"0", "0", "1", "0"}); // Shiro leads
        setClock(c, from);
        if (runningBefore)
            c.k.clock.starten();
        c.s.tijdd.click();
        QCOMPARE(consoleClock(c), to);
        QCOMPARE(boardClock(c), to);
        QCOMPARE(c.ports.sound.played, sounds);
        QCOMPARE(running(c), runningAfter);
        QVERIFY(consistentRunState(c));
        QCOMPARE(boardClockColours(c), QList<Colour>(4, Colour(colour)));
        const bool ended = to == "0:00" && from != to;
        QCOMPARE(c.s.Timer4.enabled(), ended);
        QVERIFY(!c.s.Timer3.enabled());
    }

    // zsec: the whole match is reset, then the clock shows 0:60.
    void zsec_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("60 Seconds button") << "Command16";
        QTest::newRow("60 seconds menu") << "zessec";
    }

    void zsec()
    {
        QFETCH(QString, trigger);
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.ippon.setText(QStringLiteral("3"));
        c.s.Command6.click();
        c.s.NihonB.click();
        c.s.Check4.setValue(1);
        c.k.signal.eindstrafro();
        setClock(c, "0:45");
        c.k.clock.starten();
        c.k.clock.setBoardClockColour(143);

        c.s.find(trigger)->click();
        QVERIFY(!running(c));
        QVERIFY(consistentRunState(c));
        QCOMPARE(consoleClock(c), QStringLiteral("0:60"));
        QCOMPARE(boardClock(c), QStringLiteral("0:60"));
        QCOMPARE(c.s.scri.caption(), QStringLiteral("0"));
        QCOMPARE(c.s.scww.caption(), QStringLiteral("0"));
        QCOMPARE(c.k.kubord2().scri.caption(), QStringLiteral("0"));
        QCOMPARE(c.s.Check4.value(), 0);
        QVERIFY(!c.k.kubord2().shape4(14).visible());
        QVERIFY(!c.s.Timer4.enabled());
        QCOMPARE(boardClockColours(c), QList<Colour>(4, 0));

        // Started, it runs sixty seconds.
        c.s.Command3.click();
        int ticks = 0;
        while (running(c) && ticks < 100) {
            c.s.Timer1.tick();
            ++ticks;
        }
        QCOMPARE(ticks, 60);
    }

    // Extra time ends the blinking, shows 1:00 and leaves scores, colour
    // and run state alone.
    void extime_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("runningBefore");
        QTest::newRow("Extra time button, stopped") << "Command17" << false;
        QTest::newRow("Extra time menu, running") << "etime" << true;
    }

    void extime()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, runningBefore);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, runningBefore ? "0:12" : "0:00");
        c.k.clock.setBoardClockColour(143);
        setScoresQuietly(c, {"1", "1", "0", "3"});
        if (runningBefore)
            c.k.clock.starten();
        c.k.signal.eindstraf();
        c.s.Timer3.tick();
        c.s.Timer4.tick();

        c.s.find(trigger)->click();
        QVERIFY(!c.s.Timer3.enabled() && !c.s.Timer4.enabled());
        QCOMPARE(c.s.Label19.foreColor(), Colour(0xFFFFFF));
        QCOMPARE(c.k.kubord2().label1(12).foreColor(), Colour(0));
        QCOMPARE(consoleClock(c), QStringLiteral("1:00"));
        QCOMPARE(boardClock(c), QStringLiteral("1:00"));
        QCOMPARE(boardClockColours(c), QList<Colour>(4, 143));
        QCOMPARE(running(c), runningBefore);
        QCOMPARE(c.s.scrw.caption(), QStringLiteral("1"));
        QCOMPARE(c.s.scww.caption(), QStringLiteral("3"));
        QVERIFY(c.ports.sound.played.size() == 1); // the eindstraf above only
    }
};

KESTRANE_MODEL_TEST_MAIN(TestClockCorrections)
#include "tst_clockcorrections.moc"
