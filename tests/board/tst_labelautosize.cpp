#include "BoardTestHelpers.h"
#include "board/BoardHolder.h"
#include "support/TestMain.h"

using namespace kestrane;

namespace {

// 100 twips a character per 10 points, 20 twips of height a point.
class FakeMeasure final : public TextMeasure {
public:
    Size textSize(const QString& text, double points, bool bold) const override
    {
        ++calls;
        return {text.size() * points * 10.0 * (bold ? 1.0 : 0.5), points * 20.0};
    }
    mutable int calls = 0;
};

} // namespace

class TestLabelAutoSize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void growingText_data()
    {
        QTest::addColumn<Alignment>("alignment");
        QTest::addColumn<double>("left");
        // "0" at 30 pt is 300 wide; "10" is 600.
        QTest::newRow("left keeps its left edge") << Alignment::Left << 1790.0;
        QTest::newRow("centre keeps its centre") << Alignment::Centre << 1790.0 - 150;
        QTest::newRow("right keeps its right edge") << Alignment::Right << 1790.0 - 300;
    }

    // A label takes the size of its text on every caption change; which edge
    // stays depends on its alignment.
    void growingText()
    {
        QFETCH(Alignment, alignment);
        QFETCH(double, left);
        FakeMeasure m;
        Kubord2 b;
        b.scri.setFontSize(30);
        b.setTextMeasure(&m);
        QCOMPARE(b.scri.width(), 300.0);
        QCOMPARE(b.scri.left(), 1790.0); // left-aligned when measured first
        b.scri.setAlignment(alignment);
        QCOMPARE(b.scri.left(), 1790.0); // aligning alone moves nothing
        b.scri.setCaption(QStringLiteral("10"));
        QCOMPARE(b.scri.width(), 600.0);
        QCOMPARE(b.scri.left(), left);
        // And back: the same centre (or edge) as at the start. A new font
        // size resizes it too; a label that does not size itself keeps its box.
        b.scri.setCaption(QStringLiteral("9"));
        QCOMPARE(b.scri.width(), 300.0);
        QCOMPARE(b.scri.left(), 1790.0);
        b.scri.setFontSize(60);
        QCOMPARE(b.scri.width(), 600.0);
        b.scri.setAutoSize(false);
        b.scri.setCaption(QStringLiteral("IPPON"));
        QCOMPARE(b.scri.width(), 600.0);
    }

    // Numbers copied at the opening, before the scores are centred, stand
    // exactly where the same numbers stand when they change later. Long
    // minutes shrink the clock's font, and "9" brings it back.
    void copiedAtOpeningAsChangedLater()
    {
        FakeMeasure m;
        test::TestConsole copied, changed;
        for (Element* e : {&copied.s.scrw, &copied.s.Text1, &copied.s.Label1})
            e->setCaption(e == &copied.s.Label1 ? QStringLiteral("10") : QStringLiteral("12"));
        for (test::TestConsole* c : {&copied, &changed}) {
            c->k.boards.setTextMeasure(&m);
            test::useAudienceScreen(*c, 1024, 768);
            c->k.boardOpening.startbord();
        }
        Kubord2& later = changed.k.kubord2();
        for (Element* e : {&later.scrw, &later.Label4, &later.Label5})
            e->setCaption(e == &later.Label5 ? QStringLiteral("10") : QStringLiteral("12"));
        for (const Element* e : copied.k.kubord2().elements()) {
            const Element* f = later.find(e->displayName());
            QCOMPARE(QList<double>({e->left(), e->top(), e->width(), e->height(), e->fontSize()}),
                     QList<double>({f->left(), f->top(), f->width(), f->height(), f->fontSize()}));
        }
        QVERIFY(later.Label6.fontSize() < later.scri.fontSize());
        later.Label5.setCaption(QStringLiteral("9"));
        QCOMPARE(later.Label6.fontSize(), later.scri.fontSize());
    }

    // The holder lends its measure to the board it has and to every new one;
    // taking it back leaves the boards with their sizes.
    void holderLendsMeasure()
    {
        FakeMeasure m;
        BoardHolder holder;
        Kubord2& before = holder.board();
        holder.setTextMeasure(&m);
        QCOMPARE(before.Label4.width(), 802.5); // "0" at 80.25 pt
        holder.close();
        Kubord2& fresh = holder.board();
        QCOMPARE(fresh.textMeasure(), &m);
        QCOMPARE(fresh.label1(13).width(), 6 * 202.5); // "Tatami" at 20.25 pt
        holder.setTextMeasure(nullptr);
        const int calls = m.calls;
        fresh.label1(13).setCaption(QStringLiteral("Mat"));
        QCOMPARE(m.calls, calls);
        QCOMPARE(fresh.label1(13).width(), 6 * 202.5);
    }
};

KESTRANE_MODEL_TEST_MAIN(TestLabelAutoSize)
#include "tst_labelautosize.moc"
