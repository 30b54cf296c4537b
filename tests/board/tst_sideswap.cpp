#include "board/Kubord2.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <map>

using namespace kestrane;
using namespace kestrane::test;

namespace {

struct Place {
    const char* name;
    double swapped;
    double back;
};

// Written from the table of the side swap.
const Place kPlaces[] = {
    {"Shape1", 4020, 120},    {"Shape2", 120, 4020},   {"Frame20", 5160, 240},
    {"Frame21", 240, 5160},   {"Label18", 6100, 480},  {"Label19", 480, 6100},
    {"Check2", 4320, 3480},   {"Check11", 3480, 4320}, {"Label13", 4320, 3480},
    {"Label9", 3480, 4320},   {"SanbonB", 6960, 240},  {"MyButton1", 6960, 240},
    {"NihonB", 6960, 240},    {"Command9", 6960, 240}, {"Command6", 240, 6960},
    {"Command10", 240, 6960}, {"Command8", 240, 6960}, {"MyButton2", 240, 6960},
    {"scwi", 6165, 1320},     {"scww", 6165, 1320},    {"scri", 1320, 6165},
    {"scrw", 1320, 6165},
};

struct Geometry {
    double left, top, width, height;
};

std::map<QString, Geometry> geometry(const MatchState& s)
{
    std::map<QString, Geometry> out;
    for (const Element* e : s.elements())
        out[e->name()] = {e->left(), e->top(), e->width(), e->height()};
    return out;
}

} // namespace

class TestSideSwap : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("swapped");
        QTest::addColumn<double>("back");
        for (const Place& p : kPlaces)
            QTest::newRow(p.name) << p.name << p.swapped << p.back;
    }

    // Ticking swaps, unticking puts back (three elements not quite where
    // they started).
    void positions()
    {
        QFETCH(QString, name);
        QFETCH(double, swapped);
        QFETCH(double, back);
        TestConsole c;
        Element& e = *c.s.find(name);
        c.s.Check24.setValue(1);
        QCOMPARE(e.left(), swapped);
        c.s.Check24.setValue(0);
        QCOMPARE(e.left(), back);
        c.s.Check24.setValue(1);
        QCOMPARE(e.left(), swapped);
    }

    // Only the Left of the 22 listed elements changes; tops and sizes stay.
    void onlyLeftOfListedElements()
    {
        TestConsole c;
        const auto before = geometry(c.s);
        c.s.Check24.setValue(1);
        const auto swapped = geometry(c.s);
        c.s.Check24.setValue(0);
        const auto back = geometry(c.s);
        QStringList listed;
        for (const Place& p : kPlaces)
            listed << p.name;
        for (const auto& [name, g] : before) {
            for (const auto* after : {&swapped, &back}) {
                const Geometry& a = after->at(name);
                QVERIFY2(a.top == g.top && a.width == g.width && a.height == g.height,
                         qPrintable(name));
                if (!listed.contains(name))
                    QVERIFY2(a.left == g.left, qPrintable(name));
            }
        }
    }

    // A greyed value swaps nothing.
    void greyedValue()
    {
        TestConsole c;
        c.s.Check24.setValue(1);
        c.s.Check24.setValue(2);
        QCOMPARE(c.s.Command6.left(), 240.0);
        QCOMPARE(c.s.SanbonB.left(), 6960.0);
    }

    // Scores, penalties and the board are not touched.
    void matchAndBoardUntouched()
    {
        TestConsole c;
        c.s.Check24.setValue(1);
        QVERIFY(!c.k.boards.current());
        c.s.scri.setCaption(QStringLiteral("2"));
        c.s.Check5.setValue(1);
        c.k.boardOpening.startbord();
        const Kubord2& b = c.k.kubord2();
        const double frame5 = b.Frame5.left();
        const double scri = b.scri.left();
        c.s.Check24.setValue(0);
        QCOMPARE(c.s.scri.caption(), QStringLiteral("2"));
        QCOMPARE(c.s.Check5.value(), 1);
        QVERIFY(c.k.boards.isShown());
        QCOMPARE(c.k.kubord2().Frame5.left(), frame5);
        QCOMPARE(c.k.kubord2().scri.left(), scri);
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSideSwap)
#include "tst_sideswap.moc"
