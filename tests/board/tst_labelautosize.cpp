#include "board/BoardHolder.h"
#include "board/Kubord2.h"
#include "support/TestMain.h"

using kestrane::Alignment;
using kestrane::Element;
using kestrane::Kubord2;
using kestrane::TextMeasure;

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
    // Without a measure a label keeps the size of the design tables.
    void noMeasureKeepsStoredSize()
    {
        Kubord2 b;
        b.scri.setCaption(QStringLiteral("10"));
        b.scri.setFontSize(50);
        QCOMPARE(b.scri.width(), 1455.0);
        QCOMPARE(b.scri.height(), 2955.0);
        QCOMPARE(b.scri.left(), 1790.0);
    }

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
        QCOMPARE(b.scri.height(), 600.0);
        QCOMPARE(b.scri.left(), 1790.0); // left-aligned when measured first
        b.scri.setAlignment(alignment);
        QCOMPARE(b.scri.left(), 1790.0); // aligning alone moves nothing
        b.scri.setCaption(QStringLiteral("10"));
        QCOMPARE(b.scri.width(), 600.0);
        QCOMPARE(b.scri.left(), left);
        QCOMPARE(b.scri.top(), 5600.0);
        // And back: the same centre (or edge) as at the start.
        b.scri.setCaption(QStringLiteral("9"));
        QCOMPARE(b.scri.width(), 300.0);
        QCOMPARE(b.scri.left(), 1790.0);
    }

    // A new font size resizes the label too (the board's scaling relies on it);
    // shapes and frames never change size by themselves.
    void fontSizeResizes()
    {
        FakeMeasure m;
        Kubord2 b;
        b.setTextMeasure(&m);
        const double shapeWidth = b.shape4(5).width();
        b.label1(16).setFontSize(50); // "IP"
        QCOMPARE(b.label1(16).width(), 1000.0);
        QCOMPARE(b.label1(16).height(), 1000.0);
        QCOMPARE(b.shape4(5).width(), shapeWidth);
        QCOMPARE(b.Frame1.width(), 5655.0);
        // A label that does not auto-size keeps its box.
        b.label1(16).setAutoSize(false);
        b.label1(16).setCaption(QStringLiteral("IPPON"));
        QCOMPARE(b.label1(16).width(), 1000.0);
    }

    // The holder lends its measure to the board it has and to every new one;
    // taking it back leaves the boards with their sizes.
    void holderLendsMeasure()
    {
        FakeMeasure m;
        kestrane::BoardHolder holder;
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
