// The reset between matches: its final state from a busy match and what it
// leaves alone.
#include "clock/ClockHelpers.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

namespace {

// A match in full swing: scores, penalties (a plain box, a match-ending box,
// an "S" box), a winner blinking, the clock running in its warning colour.
void busyMatch(TestConsole& c)
{
    c.k.startUp.Form_Load();
    // Lamps and "S" letters dark, as on a fresh board.
    Kubord2& b = c.k.kubord2();
    for (int i = 5; i <= 28; ++i)
        b.shape4(i).setVisible(false);
    b.label1(4).setVisible(false);
    b.label1(8).setVisible(false);
    c.s.Text5.setText(QStringLiteral("2"));
    c.s.Text6.setText(QStringLiteral("00"));
    c.s.ippon.setText(QStringLiteral("3"));
    c.s.Command6.click();
    c.s.Command8.click();
    c.s.NihonB.click();
    c.s.Check1.setValue(1);
    c.s.Check10.setValue(1);
    c.s.Check11.setValue(1);
    c.s.Check20.setValue(1);
    setClock(c, "0:31");
    c.s.Command3.click();
    c.s.Timer1.tick(); // 0:30, dark red
    c.s.Timer4.tick();
}

void verifyStartState(TestConsole& c, const QString& clock)
{
    QVERIFY(!running(c));
    QVERIFY(consistentRunState(c));
    QCOMPARE(consoleClock(c), clock);
    QCOMPARE(boardClock(c), clock);
    QCOMPARE(boardClockColours(c), QList<Colour>(4, 0));
    Kubord2& b = c.k.kubord2();
    for (int i = 5; i <= 28; ++i) {
        if (i != 21 && i != 22)
            QVERIFY2(!b.shape4(i).visible(), qPrintable(QString::number(i)));
    }
    QVERIFY(!b.label1(4).visible());
    QVERIFY(!b.label1(8).visible());
    for (int n = 1; n <= 22; ++n)
        QCOMPARE(c.s.check(n).value(), 0);
    for (Element* e :
         {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww, &b.scri, &b.scrw, &b.scwi, &b.scww})
        QCOMPARE(e->caption(), QStringLiteral("0"));
    QVERIFY(!c.s.Timer3.enabled());
    QVERIFY(!c.s.Timer4.enabled());
    QCOMPARE(c.s.Label19.foreColor(), Colour(0xFFFFFF));
    QCOMPARE(c.s.Label18.foreColor(), Colour(0x400000));
    QCOMPARE(b.label1(11).foreColor(), Colour(0xE0E0E0));
    QCOMPARE(b.label1(12).foreColor(), Colour(0x000000));
}

} // namespace

class TestMatchReset : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromABusyMatch_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("clock");
        QTest::newRow("Reset match button") << "Command13"
                                            << "2"
                                            << "2:00";
        QTest::newRow("Reset match menu, empty minutes") << "rema"
                                                         << ""
                                                         << "0:00";
    }

    // The settings, the match time and the target stay as they are.
    void fromABusyMatch()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, minutes);
        QFETCH(QString, clock);
        TestConsole c;
        c.s.Check23.setValue(1);
        c.s.Check25.setValue(1);
        c.s.eindwav.setText(QStringLiteral("a.wav"));
        busyMatch(c);
        QVERIFY(c.s.Timer4.enabled());
        c.s.Text5.setText(minutes);
        c.ports.sound.played.clear();

        c.s.find(trigger)->click();
        verifyStartState(c, clock);
        QCOMPARE(c.s.ippon.text(), QStringLiteral("3"));
        QCOMPARE(c.s.Text5.text(), minutes.isEmpty() ? QStringLiteral("0") : minutes);
        QCOMPARE(c.s.Text6.text(), QStringLiteral("00"));
        QCOMPARE(c.s.Check23.value(), 1);
        QCOMPARE(c.s.Check25.value(), 1);
        QCOMPARE(c.s.eindwav.text(), QStringLiteral("a.wav"));
        QVERIFY(c.ports.sound.played.isEmpty());
    }

    // Lamps are hidden directly even where no box is ticked.
    void lampsHiddenWithoutBoxes()
    {
        TestConsole c;
        Kubord2& b = c.k.kubord2();
        for (int i = 0; i <= 48; ++i)
            b.shape4(i).setVisible(true);
        for (int i = 0; i <= 21; ++i)
            b.label1(i).setVisible(true);
        c.k.signal.eindstrafbl();
        c.k.matchReset.reset();
        for (int i = 0; i <= 48; ++i) {
            const bool cleared = (i >= 5 && i <= 20) || (i >= 23 && i <= 28);
            QCOMPARE(b.shape4(i).visible(), !cleared);
        }
        for (int i = 0; i <= 21; ++i)
            QCOMPARE(b.label1(i).visible(), i != 4 && i != 8);
    }

    // With target "0" every score assignment signals a win: four end
    // requests, and still no blinking at the end.
    void targetZero()
    {
        TestConsole c;
        busyMatch(c);
        c.s.ippon.setText(QStringLiteral("0"));
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.ports.sound.played.clear();
        c.k.matchReset.reset();
        QCOMPARE(c.ports.sound.played, QStringList(4, "end.wav"));
        verifyStartState(c, QStringLiteral("2:00"));
    }

    // A running knock-down count keeps counting and keeps its board frame.
    void koCountKeepsCounting()
    {
        TestConsole c;
        busyMatch(c);
        c.s.Command11.click();
        c.s.Timer2.tick();
        c.s.Timer2.tick();
        c.k.matchReset.reset();
        QVERIFY(c.s.Timer2.enabled());
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("02"));
        QCOMPARE(c.s.Frame12.top(), 500.0);
        Kubord2& b = c.k.kubord2();
        QVERIFY(b.Frame4.visible());
        QVERIFY(b.shape4(21).visible());
        QVERIFY(!b.Frame1.visible());
        c.s.Timer2.tick();
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("03"));
        QCOMPARE(b.label1(14).caption(), QStringLiteral("03"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestMatchReset)
#include "tst_matchreset.moc"
