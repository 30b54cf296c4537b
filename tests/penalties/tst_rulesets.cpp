#include "board/Kubord2.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

namespace {

// The eight captions as "window:name", and whether WUKF shows them.
struct Caption {
    const char* where;
    const char* name;
    bool wukf;
};

const Caption kCaptions[] = {
    {"console", "Label7", true},   {"console", "Label17", true},   {"console", "Label14", false},
    {"console", "Label12", false}, {"board", "Label1(10)", false}, {"board", "Label1(0)", false},
    {"board", "Label1(20)", true}, {"board", "Label1(21)", true},
};

Element& caption(TestConsole& c, const Caption& cap)
{
    if (QLatin1String(cap.where) == QLatin1String("board"))
        return *c.k.kubord2().find(QLatin1String(cap.name));
    return *c.s.find(QLatin1String(cap.name));
}

} // namespace

class TestRuleSets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Ticking shows the row "A" and hides the column "A" on both windows;
    // unticking restores them. Either procedure sets all eight.
    void check26_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<bool>("wukf");
        QTest::newRow("ticked") << QList<int>{1} << true;
        QTest::newRow("ticked, unticked") << QList<int>{1, 0} << false;
        QTest::newRow("ticked twice over") << QList<int>{1, 0, 1} << true;
        QTest::newRow("greyed is not WUKF") << QList<int>{1, 2} << false;
    }

    void check26()
    {
        QFETCH(QList<int>, values);
        QFETCH(bool, wukf);
        TestConsole c;
        for (int v : values)
            c.s.Check26.setValue(v);
        for (const Caption& cap : kCaptions)
            QVERIFY2(caption(c, cap).visible() == (cap.wukf == wukf), cap.name);
    }

    // Switching with the board closed touches only a hidden board; the
    // opening builds a fresh one and applies the current rule set to it.
    void appliedAtOpening_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("WUKF") << 1;
        QTest::newRow("other") << 0;
    }

    void appliedAtOpening()
    {
        QFETCH(int, value);
        TestConsole c;
        c.s.Check26.setValue(value);
        QVERIFY(!c.k.boards.isShown());
        c.k.kubord2().label1(20).setVisible(value == 0); // whatever the hidden board held
        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
        for (const Caption& cap : kCaptions)
            QVERIFY2(caption(c, cap).visible() == (cap.wukf == (value == 1)), cap.name);
    }
};

KESTRANE_MODEL_TEST_MAIN(TestRuleSets)
#include "tst_rulesets.moc"
