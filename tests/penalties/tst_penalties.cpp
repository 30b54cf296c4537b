// The 22 penalty boxes and their board lamps, and the two rule sets'
// captions on both windows.
#include "match/MatchTestHelpers.h"
#include "support/PenaltyTable.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::blinking;
using test::TestConsole;

namespace {

// The board's elements shown that a fresh board hides, as "Shape4(n)", sorted.
QStringList lit(TestConsole& c)
{
    const Kubord2 fresh;
    QStringList on;
    for (const Element* e : c.k.boards.currentOrNewHidden().elements()) {
        if (e->visible() && !fresh.find(e->displayName())->visible())
            on << e->displayName();
    }
    on.sort();
    return on;
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
        c.s.Command3.click();
        Element& box = c.s.check(d.box);

        box.click();
        QStringList expected{QStringLiteral("Shape4(%1)").arg(d.lamp)};
        if (d.sLabel >= 0)
            expected.prepend(QStringLiteral("Label1(%1)").arg(d.sLabel)); // sorted
        QCOMPARE(lit(c), expected);
        QCOMPARE(blinking(c), QString(d.winner).left(1));
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
        QCOMPARE(blinking(c), QStringLiteral("AS"));
        box.setValue(0);
        QCOMPARE(blinking(c), QLatin1String(*d.winner ? "" : "AS"));
    }

    // WUKF shows the row "A" captions and hides the column "A" ones on both
    // windows, also on a board opened afterwards. Greyed is not WUKF.
    void ruleSets()
    {
        for (const QList<int>& values : {QList<int>{1}, QList<int>{1, 0}, QList<int>{1, 2}}) {
            const bool wukf = values.last() == 1;
            TestConsole c;
            for (int v : values)
                c.s.Check26.setValue(v);
            for (int opened = 0; opened < 2; ++opened) {
                Kubord2& b = c.k.boards.currentOrNewHidden();
                for (const Element* e : {&c.s.Label7, &c.s.Label17, &b.label1(20), &b.label1(21)})
                    QVERIFY2(e->visible() == wukf, qPrintable(e->displayName()));
                for (const Element* e : {&c.s.Label14, &c.s.Label12, &b.label1(10), &b.label1(0)})
                    QVERIFY2(e->visible() != wukf, qPrintable(e->displayName()));
                c.k.boardOpening.startbord();
                QVERIFY(c.k.boards.isShown());
            }
        }
    }
};

KESTRANE_MODEL_TEST_MAIN(TestPenalties)
#include "tst_penalties.moc"
