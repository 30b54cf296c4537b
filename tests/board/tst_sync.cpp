#include "BoardTestHelpers.h"
#include "support/TestMain.h"

#include <set>

using namespace kestrane;
using namespace kestrane::test;

namespace {

// The lamps a penalty box can light, and the two "S" circles.
const std::set<int> kLitLamps = {5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                 16, 17, 18, 19, 20, 23, 24, 25, 26, 27, 28};

} // namespace

class TestSync : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Opening lights exactly the lamps of the ticked grid boxes, never the
    // "S" indicators, and copies the scores.
    void laaddataLamps_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QList<int>>("lamps");
        QTest::newRow("none") << QList<int>{} << QList<int>{};
        QTest::newRow("Check1, Check10, Check15") << QList<int>{1, 10, 15} << QList<int>{13, 7, 12};
        QTest::newRow("S boxes only") << QList<int>{2, 11} << QList<int>{};
        QList<int> all;
        for (int n = 1; n <= 22; ++n)
            all << n;
        QTest::newRow("all 22") << all << QList<int>{5,  6,  7,  9,  10, 11, 12, 13, 14, 15,
                                                     17, 18, 19, 20, 23, 24, 25, 26, 27, 28};
    }

    void laaddataLamps()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QList<int>, lamps);
        TestConsole c;
        for (int n : ticked)
            c.s.check(n).setValue(1);
        const QStringList scores{"2", "1", "3", "4"};
        Element* console[] = {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww};
        for (int i = 0; i < 4; ++i)
            console[i]->setCaption(scores[i]);
        c.k.boardOpening.startbord();
        Kubord2& b = c.k.kubord2();
        for (int i = 0; i < Kubord2::kShapeCount; ++i) {
            // Unlit lamps, bars and the KO background keep their design state.
            const bool expected = kLitLamps.count(i) ? lamps.contains(i) : i != 21;
            QVERIFY2(b.shape4(i).visible() == expected, qPrintable(QString::number(i)));
        }
        QVERIFY(!b.label1(4).visible());
        QVERIFY(!b.label1(8).visible());
        QCOMPARE(
            (QStringList{b.scri.caption(), b.scrw.caption(), b.scwi.caption(), b.scww.caption()}),
            scores);
    }

    // The 18 mirrored Left values; nothing else moves.
    void bordspiegel()
    {
        const QList<QPair<QString, double>> table = {
            {"Shape1", 8000},    {"Shape2", 0},        {"Label1(11)", 12800}, {"Label1(12)", 800},
            {"Label1(8)", 5500}, {"Label1(4)", 9820},  {"Frame5", 11400},     {"Frame6", 240},
            {"scri", 9950},      {"scrw", 14120},      {"scwi", 1950},        {"scww", 6120},
            {"Shape4(8)", 9480}, {"Shape4(16)", 5160}, {"Label1(16)", 8300},  {"Label1(17)", 12000},
            {"Label1(18)", 300}, {"Label1(19)", 4000}};
        TestConsole c;
        Kubord2& b = c.k.kubord2();
        c.k.boardSync.bordspiegel();
        Kubord2 design;
        for (const Element* e : b.elements()) {
            const Element& d = *design.find(e->displayName());
            double left = d.left();
            for (const auto& [name, mirrored] : table) {
                if (name == e->displayName())
                    left = mirrored;
            }
            QCOMPARE(e->left(), left);
            QCOMPARE(e->top(), d.top());
            QCOMPARE(e->width(), d.width());
            QCOMPARE(e->height(), d.height());
        }
        QVERIFY(!c.k.boards.isShown());
    }

    // The mirrored values are what the scaling multiplies, corrections
    // included on a narrow screen.
    void mirroredOpening_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("element");
        QTest::addColumn<double>("left");
        QTest::newRow("4:3 Label1(12)") << 1024 << 768 << "Label1(12)" << 800 * 0.96 * 0.9;
        QTest::newRow("4:3 Label1(11)") << 1024 << 768 << "Label1(11)" << 12800 * 0.96;
        QTest::newRow("4:3 Shape1") << 1024 << 768 << "Shape1" << 7680.0;
        QTest::newRow("16:9 Label1(12)") << 1920 << 1080 << "Label1(12)" << 1440.0;
        QTest::newRow("16:9 Shape1") << 1920 << 1080 << "Shape1" << 14400.0;
        QTest::newRow("16:9 scww") << 1920 << 1080 << "scww" << 11016.0;
    }

    void mirroredOpening()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QString, element);
        QFETCH(double, left);
        TestConsole c;
        useAudienceScreen(c, w, h);
        c.s.Check23.setValue(1);
        c.k.boardOpening.startbord();
        const double actual = boardElement(c.k.kubord2(), element).left();
        QVERIFY2(nearly(actual, left), qPrintable(QString::number(actual)));
    }

    // Any change of Check23 closes the board; the choice shows at the next
    // opening.
    void check23ClosesBoard()
    {
        TestConsole c;
        c.s.Check23.setValue(1); // nothing open: nothing happens
        QVERIFY(!c.k.boards.current());
        c.k.boardOpening.startbord();
        QVERIFY(nearly(c.k.kubord2().Frame5.left(), 11400 * 1.8));
        c.s.Check23.setValue(0);
        QVERIFY(!c.k.boards.isShown());
        QVERIFY(!c.k.boards.current());
        c.k.boardOpening.startbord();
        QVERIFY(nearly(c.k.kubord2().Frame5.left(), 360 * 1.8));
        c.s.Check23.setValue(1);
        QVERIFY(!c.k.boards.current());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSync)
#include "tst_sync.moc"
