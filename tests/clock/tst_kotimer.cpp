// The ten-second knock-down count: opening, the count with its warning and
// end, closing at any moment, and the board's vertical factor.
#include "clock/ClockHelpers.h"
#include "match/WriteLog.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

namespace {

void verifyOpen(TestConsole& c)
{
    QCOMPARE(c.s.Frame12.top(), 500.0);
    QCOMPARE(c.s.Frame12.left(), 2400.0);
    Kubord2& b = c.k.kubord2();
    QVERIFY(!b.Frame1.visible());
    QVERIFY(b.shape4(21).visible());
    QVERIFY(b.label1(14).visible());
    QVERIFY(b.Frame4.visible());
}

void verifyClosed(TestConsole& c)
{
    QCOMPARE(c.s.Frame12.top(), 9000.0);
    QCOMPARE(c.s.Frame12.left(), 2400.0);
    QCOMPARE(c.s.Label20.caption(), QStringLiteral("00"));
    QVERIFY(!c.s.Timer2.enabled());
    Kubord2& b = c.k.kubord2();
    QVERIFY(b.Frame1.visible());
    QVERIFY(!b.shape4(21).visible());
    QVERIFY(!b.label1(14).visible());
    QVERIFY(!b.Frame4.visible());
    QVERIFY(!c.s.Timer3.enabled());
    QVERIFY(!c.s.Timer4.enabled());
}

} // namespace

class TestKoTimer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Left alone: "01" .. "06", "07" with the warning, "08", "09", "10" with
    // the end sound and both names blinking, then the count stands.
    void countSequence()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.s.waarwav.setText(QStringLiteral("warn.wav"));
        c.k.clock.starten();
        c.s.Command11.click();
        QVERIFY(!running(c));
        QVERIFY(consistentRunState(c));
        QVERIFY(c.s.Timer2.enabled());
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("00"));
        QCOMPARE(c.k.kubord2().label1(14).caption(), QStringLiteral("00"));
        verifyOpen(c);

        const QStringList shown{"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"};
        for (int k = 1; k <= 10; ++k) {
            c.s.Timer2.tick();
            QCOMPARE(c.s.Label20.caption(), shown.at(k - 1));
            QCOMPARE(c.k.kubord2().label1(14).caption(), shown.at(k - 1));
            if (k == 7)
                QCOMPARE(c.ports.sound.played, QStringList{"warn.wav"});
            if (k < 7)
                QVERIFY(c.ports.sound.played.isEmpty());
        }
        QCOMPARE(c.ports.sound.played, (QStringList{"warn.wav", "end.wav"}));
        QVERIFY(!c.s.Timer2.enabled());
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(c.s.Timer4.enabled());
        verifyOpen(c);

        c.s.Timer2.tick(); // off: nothing arrives
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("10"));
        QVERIFY(!running(c));
    }

    // The writes of the step that warns and of the step that ends.
    void stepOrder()
    {
        TestConsole c;
        c.s.eindwav.setText(QStringLiteral("e"));
        c.s.waarwav.setText(QStringLiteral("w"));
        c.k.koTimer.ko();
        for (int k = 1; k <= 6; ++k)
            c.s.Timer2.tick();
        WriteLog log(c);
        c.s.Timer2.tick();
        QCOMPARE(log.take(), (QStringList{"b:Label1(14)=07", "Label20=07", "b:Label1(14) repaint",
                                          "Label20 repaint", "sound:w"}));
        c.s.Timer2.tick();
        QCOMPARE(log.take(), (QStringList{"b:Label1(14)=08", "Label20=08"}));
        c.s.Timer2.tick();
        log.take();
        c.s.Timer2.tick();
        QCOMPARE(log.take(), (QStringList{"b:Label1(14)=10", "Label20=10", "b:Label1(14) repaint",
                                          "Label20 repaint", "Timer2 off", "sound:e", "Timer3 on",
                                          "Timer4 on"}));
    }

    // Every step but 7 and 10 stops a running blink; 7 leaves it.
    void stepsStopBlinking_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("stillBlinking");
        for (int k = 1; k <= 9; ++k)
            QTest::addRow("step %d", k) << k << (k == 7);
    }

    void stepsStopBlinking()
    {
        QFETCH(int, step);
        QFETCH(bool, stillBlinking);
        TestConsole c;
        c.k.koTimer.ko();
        for (int k = 1; k < step; ++k)
            c.s.Timer2.tick();
        c.k.signal.eindstrafbl();
        c.s.Timer3.tick();
        c.s.Timer2.tick();
        QCOMPARE(c.s.Timer3.enabled(), stillBlinking);
        QCOMPARE(c.s.Label19.foreColor(), stillBlinking ? Colour(0x0000C0) : Colour(0xFFFFFF));
    }

    // Stop at any moment closes the count and brings the board clock back;
    // the match clock stays stopped.
    void stopAtAnyMoment_data()
    {
        QTest::addColumn<int>("ticks");
        for (int t = 0; t <= 11; ++t)
            QTest::addRow("after %d ticks", t) << t;
    }

    void stopAtAnyMoment()
    {
        QFETCH(int, ticks);
        TestConsole c;
        c.k.startUp.Form_Load();
        c.k.clock.starten();
        c.s.Command11.click();
        for (int t = 0; t < ticks; ++t)
            c.s.Timer2.tick();
        c.s.Command15.click();
        verifyClosed(c);
        QVERIFY(!running(c));
        QCOMPARE(consoleClock(c), QStringLiteral("1:30"));
    }

    void closeOrder()
    {
        TestConsole c;
        c.k.koTimer.ko();
        c.s.Timer2.tick();
        c.s.Timer3.setEnabled(true);
        WriteLog log(c);
        c.s.Command15.click();
        QCOMPARE(log.entries.mid(0, 8),
                 (QStringList{"Frame12.top=9000", "Label20=00", "Timer2 off", "b:Shape4(21) hidden",
                              "b:Label1(14) hidden", "b:Frame4 hidden", "b:Frame1 shown",
                              "Timer3 off"}));
    }

    // "KO Timer" again while counting restarts at "00".
    void koAgainRestarts()
    {
        TestConsole c;
        c.s.Command11.click();
        for (int t = 0; t < 4; ++t)
            c.s.Timer2.tick();
        WriteLog log(c);
        c.s.Command11.click();
        QCOMPARE(log.entries.mid(0, 2), (QStringList{"b:Label1(14)=00", "Label20=00"}));
        QVERIFY(c.s.Timer2.enabled());
        c.s.Timer2.tick();
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("01"));

        // Also after the count has finished.
        for (int t = 0; t < 9; ++t)
            c.s.Timer2.tick();
        QVERIFY(!c.s.Timer2.enabled());
        c.s.Command11.click();
        QVERIFY(c.s.Timer2.enabled());
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("00"));
    }

    void openOrder()
    {
        TestConsole c;
        c.s.shtxt.setText(QStringLiteral("16200"));
        c.k.startUp.Form_Load();
        c.k.clock.starten();
        c.k.kubord2().Frame4.setVisible(false);
        c.k.kubord2().shape4(21).setVisible(false);
        c.k.kubord2().label1(14).setVisible(false);
        c.s.Label20.setCaption(QStringLiteral("04"));
        c.k.kubord2().label1(14).setCaption(QStringLiteral("04"));
        c.s.Frame12.setTop(9000);
        WriteLog log(c);
        c.s.Command11.click();
        QStringList expected{"b:Label1(14)=00",    "Label20=00",      "Timer1 off",
                             "Command3 shown",     "Command4 hidden", "Frame12.top=500",
                             "Frame12.left=2400",  "b:Frame1 hidden", "b:Shape4(21) shown",
                             "b:Label1(14) shown", "b:Frame4 shown",  "b:Shape4(21).top=216",
                             "b:Frame4.top=936",   "Timer2 on",       "b:kubord2 repaint"};
        QCOMPARE(log.entries, expected);
    }

    // F = shtxt / (vsch x 9000); a board never opened, a zero scale or an
    // overflow give 0, so the count's frame and outline sit at top 0.
    void factorF_data()
    {
        QTest::addColumn<QString>("shtxt");
        QTest::addColumn<QString>("vsch");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("outlineTop");
        QTest::addColumn<double>("frameTop");
        QTest::newRow("board never opened") << ""
                                            << "1" << 0.0 << 0.0 << 0.0;
        QTest::newRow("1080 pixels") << "16200"
                                     << "1" << 1.8 << 216.0 << 936.0;
        QTest::newRow("scale 2") << " 9000"
                                 << "2" << 0.5 << 60.0 << 260.0;
        QTest::newRow("scale 0") << "16200"
                                 << "0" << 0.0 << 0.0 << 0.0;
        QTest::newRow("scale empty") << "16200"
                                     << "" << 0.0 << 0.0 << 0.0;
        QTest::newRow("scale text") << "16200"
                                    << "x" << 0.0 << 0.0 << 0.0;
        QTest::newRow("overflow") << "1e308"
                                  << "1e-300" << 0.0 << 0.0 << 0.0;
        QTest::newRow("single precision")
            << "10000"
            << "3" << 10000.0 / 27000.0 << double(120.0f * float(10000.0 / 27000.0))
            << double(520.0f * float(10000.0 / 27000.0));
    }

    void factorF()
    {
        QFETCH(QString, shtxt);
        QFETCH(QString, vsch);
        QFETCH(double, f);
        QFETCH(double, outlineTop);
        QFETCH(double, frameTop);
        TestConsole c;
        c.s.shtxt.setText(shtxt);
        c.s.vsch.setText(vsch);
        QCOMPARE(c.k.koTimer.factorF(), f);
        c.k.kubord2().shape4(21).setTop(777);
        c.k.kubord2().Frame4.setTop(777);
        c.k.koTimer.ko();
        QCOMPARE(c.k.kubord2().shape4(21).top(), outlineTop);
        QCOMPARE(c.k.kubord2().Frame4.top(), frameTop);
    }

    // The S key still runs the match clock while the count panel is open.
    void sKeyWhileCounting()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.k.koTimer.ko();
        c.k.Form_KeyPress('s');
        QVERIFY(running(c));
        c.k.Form_KeyPress('S');
        QVERIFY(!running(c));
        QVERIFY(c.s.Timer2.enabled());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestKoTimer)
#include "tst_kotimer.moc"
