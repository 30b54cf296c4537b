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
    // Ticking swaps, unticking puts back (three elements not quite where
    // they started), a greyed value swaps nothing. Only the Left of the
    // listed elements changes; tops and sizes stay.
    void swapAndBack()
    {
        TestConsole c;
        const auto before = geometry(c.s);
        c.s.Check24.setValue(1);
        const auto swapped = geometry(c.s);
        c.s.Check24.setValue(0);
        const auto back = geometry(c.s);
        c.s.Check24.setValue(2);
        QCOMPARE(geometry(c.s).at("Command6").left, back.at("Command6").left);
        QStringList listed;
        for (const Place& p : kPlaces) {
            listed << p.name;
            QCOMPARE(swapped.at(p.name).left, p.swapped);
            QCOMPARE(back.at(p.name).left, p.back);
        }
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
};

KESTRANE_MODEL_TEST_MAIN(TestSideSwap)
#include "tst_sideswap.moc"
