// The 22 penalty boxes and their board lamps, and the two rule sets'
// captions on both windows.
#include "support/PenaltyTable.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;

namespace {

// The lit board lamps and letters, as "Shape4(n)" and "Label1(n)".
QStringList lit(TestConsole& c)
{
    Kubord2& b = c.k.boards.currentOrNewHidden();
    QStringList on;
    for (int i = 0; i < Kubord2::kShapeCount; ++i) {
        if (b.shape4(i).visible())
            on << QStringLiteral("Shape4(%1)").arg(i);
    }
    for (int i = 0; i < Kubord2::kLabelCount; ++i) {
        if (b.label1(i).visible())
            on << QStringLiteral("Label1(%1)").arg(i);
    }
    return on;
}

void darkBoard(TestConsole& c)
{
    Kubord2& b = c.k.boards.currentOrNewHidden();
    for (int i = 0; i < Kubord2::kShapeCount; ++i)
        b.shape4(i).setVisible(false);
    for (int i = 0; i < Kubord2::kLabelCount; ++i)
        b.label1(i).setVisible(false);
}

QString blinking(TestConsole& c)
{
    return QString(c.s.Timer3.enabled() ? "Aka" : "") + (c.s.Timer4.enabled() ? "Shiro" : "");
}

} // namespace

class TestPenalties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachBox_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(test::kDescribedBoxes)); ++i)
            QTest::addRow("Check%d", test::kDescribedBoxes[i].box) << i;
    }

    // Tick: exactly its lamp (and "S" letter) lights; a match-ending box
    // names the other side, the clock runs on. Greyed: nothing. Untick: the
    // lamp goes out and every blink stops.
    void eachBox()
    {
        QFETCH(int, row);
        const test::DescribedBox& d = test::kDescribedBoxes[row];
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end"));
        darkBoard(c);
        c.s.Command3.click();
        Element& box = c.s.check(d.box);

        box.click();
        QStringList expected{QStringLiteral("Shape4(%1)").arg(d.lamp)};
        if (d.sLabel >= 0)
            expected << QStringLiteral("Label1(%1)").arg(d.sLabel);
        QCOMPARE(lit(c), expected);
        QCOMPARE(blinking(c), QLatin1String(d.winner));
        QCOMPARE(c.ports.sound.played.size(), *d.winner ? 1 : 0);
        QVERIFY(c.s.Timer1.enabled());

        c.s.Timer3.tick();
        c.s.Timer4.tick();
        box.click();
        QCOMPARE(lit(c), QStringList());
        QCOMPARE(blinking(c), QString());
        QCOMPARE(c.s.Label19.foreColor(), Colour(0xFFFFFF));
        QCOMPARE(c.s.Label18.foreColor(), Colour(0x400000));

        c.k.signal.eindstraf();
        box.setValue(2); // greyed from code
        QCOMPARE(lit(c), QStringList());
        QCOMPARE(blinking(c), QStringLiteral("AkaShiro"));
        box.setValue(0);
        QCOMPARE(blinking(c), QLatin1String(*d.winner ? "" : "AkaShiro"));
    }

    // WUKF shows the row "A" captions and hides the column "A" ones on both
    // windows, also on a board opened afterwards.
    void ruleSets_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<bool>("wukf");
        QTest::newRow("ticked") << QList<int>{1} << true;
        QTest::newRow("ticked, unticked") << QList<int>{1, 0} << false;
        QTest::newRow("greyed is not WUKF") << QList<int>{1, 2} << false;
    }

    void ruleSets()
    {
        QFETCH(QList<int>, values);
        QFETCH(bool, wukf);
        TestConsole c;
        for (int v : values)
            c.s.Check26.setValue(v);
        for (int opened = 0; opened < 2; ++opened) {
            Kubord2& b = c.k.boards.currentOrNewHidden();
            const Element* shownForWukf[] = {&c.s.Label7, &c.s.Label17, &b.label1(20),
                                             &b.label1(21)};
            const Element* hiddenForWukf[] = {&c.s.Label14, &c.s.Label12, &b.label1(10),
                                              &b.label1(0)};
            for (const Element* e : shownForWukf)
                QVERIFY2(e->visible() == wukf, qPrintable(e->displayName()));
            for (const Element* e : hiddenForWukf)
                QVERIFY2(e->visible() != wukf, qPrintable(e->displayName()));
            c.k.boardOpening.startbord();
            QVERIFY(c.k.boards.isShown());
        }
    }
};

KESTRANE_MODEL_TEST_MAIN(TestPenalties)
#include "tst_penalties.moc"
