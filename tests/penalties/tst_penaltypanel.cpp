// The 22 penalty boxes: each lights and clears exactly its board lamp, the
// match-ending boxes name the other side, a greyed value does nothing.
#include "match/WriteLog.h"
#include "support/PenaltyTable.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;
using test::WriteLog;

namespace {

// Visibility of every board lamp and label, as one text per element.
QStringList boardVisibility(TestConsole& c)
{
    Kubord2& b = c.k.kubord2();
    QStringList v;
    for (int i = 0; i < Kubord2::kShapeCount; ++i)
        v << QStringLiteral("Shape4(%1)%2").arg(i).arg(b.shape4(i).visible() ? "+" : "-");
    for (int i = 0; i < Kubord2::kLabelCount; ++i)
        v << QStringLiteral("Label1(%1)%2").arg(i).arg(b.label1(i).visible() ? "+" : "-");
    return v;
}

void darkBoard(TestConsole& c)
{
    Kubord2& b = c.k.kubord2();
    for (int i = 0; i < Kubord2::kShapeCount; ++i)
        b.shape4(i).setVisible(false);
    for (int i = 0; i < Kubord2::kLabelCount; ++i)
        b.label1(i).setVisible(false);
}

} // namespace

class TestPenaltyPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachBox_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("lamp");
        QTest::addColumn<int>("sLabel"); // board Label1 index, -1 none
        QTest::addColumn<QString>("winner");
        for (const test::DescribedBox& r : test::kDescribedBoxes) {
            QTest::addRow("Check%d", r.box)
                << r.box << r.lamp << r.sLabel << QString::fromLatin1(r.winner);
        }
    }

    // Tick: exactly the box's lamp (and "S" letter) lights; a match-ending
    // box names the other side without stopping the clock. Untick: the lamp
    // goes out and the blinking stops.
    void eachBox()
    {
        QFETCH(int, box);
        QFETCH(int, lamp);
        QFETCH(int, sLabel);
        QFETCH(QString, winner);
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        darkBoard(c);
        c.k.clock.starten();
        const QStringList dark = boardVisibility(c);

        c.s.check(box).click(); // the operator ticks it
        QCOMPARE(c.s.check(box).value(), 1);
        QStringList lit = dark;
        lit.replaceInStrings(QStringLiteral("Shape4(%1)-").arg(lamp),
                             QStringLiteral("Shape4(%1)+").arg(lamp));
        if (sLabel >= 0)
            lit.replaceInStrings(QStringLiteral("Label1(%1)-").arg(sLabel),
                                 QStringLiteral("Label1(%1)+").arg(sLabel));
        QCOMPARE(boardVisibility(c), lit);
        QCOMPARE(c.s.Timer3.enabled(), winner == "Aka");
        QCOMPARE(c.s.Timer4.enabled(), winner == "Shiro");
        QCOMPARE(c.ports.sound.played, winner.isEmpty() ? QStringList{} : QStringList{"end.wav"});
        QVERIFY(c.s.Timer1.enabled()); // a penalty does not stop the clock
        QVERIFY(c.s.Command4.visible());

        // Nothing else moves: no score, no other box.
        for (Element* e : {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww})
            QCOMPARE(e->caption(), QStringLiteral("0"));
        for (int n = 1; n <= 22; ++n)
            QCOMPARE(c.s.check(n).value(), n == box ? 1 : 0);

        c.s.Timer3.tick();
        c.s.Timer4.tick();
        c.s.check(box).click(); // and unticks it
        QCOMPARE(boardVisibility(c), dark);
        QVERIFY(!c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer4.enabled());
        if (!winner.isEmpty()) {
            QCOMPARE(c.s.Label19.foreColor(), Colour(0xFFFFFF));
            QCOMPARE(c.s.Label18.foreColor(), Colour(0x400000));
        }
        QCOMPARE(c.ports.sound.played.size(), winner.isEmpty() ? 0 : 1);
    }

    // A plain box's untick leaves another side's blink alone.
    void plainBoxLeavesBlinking()
    {
        TestConsole c;
        c.k.signal.eindstrafro();
        c.s.Check1.setValue(1);
        c.s.Check1.setValue(0);
        QVERIFY(c.s.Timer4.enabled());
    }

    // Two "H" boxes of Shiro: two end sounds; unticking one stops the
    // blinking although the other stays ticked and lit.
    void twoHBoxesUntickOne()
    {
        TestConsole c;
        darkBoard(c);
        c.s.Check3.click();
        c.s.Check7.click();
        QCOMPARE(c.ports.sound.played.size(), 2);
        QVERIFY(c.s.Timer3.enabled());
        c.s.Check7.click();
        QVERIFY(!c.s.Timer3.enabled());
        QCOMPARE(c.s.Check3.value(), 1);
        QVERIFY(c.k.kubord2().shape4(15).visible());
        QVERIFY(!c.k.kubord2().shape4(20).visible());
    }

    // Unticking a match-ending box stops a blink that a score started.
    void untickStopsAScoreWin()
    {
        TestConsole c;
        c.s.Check21.setValue(1);
        c.s.Command6.click(); // Aka wins on points
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer4.enabled()); // the press stopped Shiro's blink first
        c.s.Check21.setValue(0);
        QVERIFY(!c.s.Timer3.enabled());
    }

    // A greyed value (2) set from code lights nothing and calls nothing.
    void greyedDoesNothing_data()
    {
        QTest::addColumn<int>("box");
        for (int box : {1, 3, 2, 21, 11}) // plain, "H" and "S" boxes of both sides
            QTest::addRow("Check%d", box) << box;
    }

    void greyedDoesNothing()
    {
        QFETCH(int, box);
        TestConsole c;
        darkBoard(c);
        c.k.signal.eindstraf();
        c.s.Timer3.tick();
        WriteLog log(c);
        c.s.check(box).setValue(2);
        QCOMPARE(log.entries, QStringList{QStringLiteral("Check%1=2").arg(box)});
    }
};

KESTRANE_MODEL_TEST_MAIN(TestPenaltyPanel)
#include "tst_penaltypanel.moc"
