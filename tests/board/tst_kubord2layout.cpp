#include "board/BoardHolder.h"
#include "board/Kubord2.h"
#include "support/TestMain.h"

#include <algorithm>
#include <set>

using kestrane::Colour;
using kestrane::Element;
using kestrane::ElementKind;
using kestrane::Kubord2;
using kestrane::ShapeKind;

namespace {

enum Look { Transparent, Opaque };
enum Visibility { Hidden, Shown };
constexpr auto Rect = ShapeKind::Rectangle;
constexpr auto Round = ShapeKind::RoundedRectangle;
constexpr auto Circle = ShapeKind::Circle;

// A label as the design tables give it.
struct LabelRow {
    const char* name;
    const char* in;
    double left, top, width, height;
    Colour text;
    Look look;
    Colour back; // checked only for opaque labels and where the tables name it
    const char* caption;
    double points;
    Visibility shown;
};

// Written out from the tables by hand, not derived from the layout code.
const LabelRow kLabels[] = {
    {"Label1(11)", "", 360, 0, 2145, 1395, 0xE0E0E0, Transparent, 0x0000C0, "Aka", 60, Shown},
    {"Label1(12)", "", 12480, 0, 3060, 1395, 0x000000, Transparent, 0xC00000, "Shiro", 60, Shown},
    {"Label1(13)", "", 7320, 100, 1365, 480, 0, Transparent, 0, "Tatami", 20.25, Shown},
    {"Label4", "", 7560, 280, 900, 1860, 0, Transparent, 0, "0", 80.25, Shown},
    {"Label5", "Frame1", 120, -350, 1440, 2955, 0, Opaque, 0xFFFFFF, "0", 129.75, Shown},
    {"Label7", "Frame1", 1650, -350, 885, 2955, 0, Transparent, 0, ":", 129.75, Shown},
    {"Label6", "Frame1", 2650, -345, 1440, 2955, 0, Opaque, 0xFFFFFF, "0", 129.75, Shown},
    {"Label8", "Frame1", 4150, -345, 1440, 2955, 0, Opaque, 0xFFFFFF, "0", 129.75, Shown},
    {"Label1(14)", "Frame4", 720, 0, 2880, 2955, 0, Opaque, 0xFFFFFF, "00", 129.75, Hidden},
    {"Label1(4)", "", 5500, 940, 405, 570, 0xFFFFFF, Transparent, 0, "S", 30, Hidden},
    {"Label1(8)", "", 9820, 940, 405, 690, 0xFFFFFF, Transparent, 0, "S", 30, Hidden},
    {"Label1(16)", "", 300, 6600, 750, 930, 0xFFFFFF, Transparent, 0, "IP", 39.75, Shown},
    {"scri", "", 1790, 5600, 1455, 2955, 0xFFFFFF, Transparent, 0x0000C0, "0", 129.75, Shown},
    {"Label1(17)", "", 4000, 6600, 1290, 930, 0xFFFFFF, Transparent, 0, "WA", 39.75, Shown},
    {"scrw", "", 5800, 5600, 1455, 2955, 0xFFFFFF, Transparent, 0x0000C0, "0", 129.75, Shown},
    {"Label1(18)", "", 8300, 6600, 750, 930, 0, Transparent, 0, "IP", 39.75, Shown},
    {"scwi", "", 9790, 5600, 1455, 2955, 0, Transparent, 0xC00000, "0", 129.75, Shown},
    {"Label1(19)", "", 12000, 6600, 1290, 930, 0, Transparent, 0, "WA", 39.75, Shown},
    {"scww", "", 13800, 5600, 1455, 2955, 0, Transparent, 0xC00000, "0", 129.75, Shown},
    // Penalty letters of Aka (white) and Shiro (black).
    {"Label1(20)", "Frame5", 0, 840, 405, 690, 0xFFFFFF, Transparent, 0, "A", 30, Hidden},
    {"Label1(1)", "Frame5", 0, 1905, 495, 690, 0xFFFFFF, Transparent, 0, "M", 30, Shown},
    {"Label1(9)", "Frame5", 0, 3000, 330, 690, 0xFFFFFF, Transparent, 0, "J", 30, Shown},
    {"Label1(10)", "Frame5", 1920, 0, 405, 690, 0xFFFFFF, Transparent, 0, "A", 30, Shown},
    {"Label1(2)", "Frame5", 2760, 0, 435, 690, 0xFFFFFF, Transparent, 0, "C", 30, Shown},
    {"Label1(3)", "Frame5", 3600, 0, 435, 690, 0xFFFFFF, Transparent, 0, "H", 30, Shown},
    {"Label1(21)", "Frame6", 0, 840, 405, 690, 0, Transparent, 0, "A", 30, Hidden},
    {"Label1(5)", "Frame6", 0, 1905, 495, 690, 0, Transparent, 0, "M", 30, Shown},
    {"Label1(15)", "Frame6", 0, 3000, 330, 690, 0, Transparent, 0, "J", 30, Shown},
    {"Label1(0)", "Frame6", 1920, 0, 405, 690, 0, Transparent, 0, "A", 30, Shown},
    {"Label1(6)", "Frame6", 2760, 0, 435, 690, 0, Transparent, 0, "C", 30, Shown},
    {"Label1(7)", "Frame6", 3600, 0, 435, 690, 0, Transparent, 0, "H", 30, Shown},
};

// A shape or frame as the tables give it.
struct ShapeRow {
    const char* name;
    const char* in;
    ShapeKind kind; // not checked for frames
    double left, top, width, height;
    Colour back, border;
    int borderWidth;
    Visibility shown;
};

const ShapeRow kShapes[] = {
    {"Shape1", "", Rect, 0, 0, 8000, 9000, 0x0000C0, 0, 0, Shown},
    {"Shape2", "", Rect, 8000, 0, 8000, 9000, 0xE0E0E0, 0, 0, Shown},
    {"Shape5", "", Round, 6840, 120, 2295, 1815, 0xFFFFFF, 0x000080, 2, Shown},
    {"Shape3", "", Round, 4920, 2040, 6120, 3135, 0xFFFFFF, 0x000080, 2, Shown},
    {"Shape4(21)", "", Round, 5280, 9480, 5400, 3855, 0xFFFFFF, 0x000000, 1, Hidden},
    {"Shape4(8)", "", Circle, 5160, 840, 1080, 840, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(16)", "", Circle, 9480, 840, 1080, 840, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Frame1", "", Rect, 5160, 2520, 5655, 2295, 0xFFFFFF, 0, 0, Shown},
    {"Frame4", "", Rect, 5880, 10080, 4215, 3135, 0xFFFFFF, 0, 0, Hidden},
    {"Frame5", "", Rect, 360, 1440, 4335, 3855, 0x0000C0, 0, 0, Shown},
    {"Frame6", "", Rect, 11280, 1440, 4335, 3855, 0xE0E0E0, 0, 0, Shown},
    // Row bars.
    {"Shape4(1)", "Frame5", Round, 885, 720, 3375, 900, 0x000070, 0xFFFFFF, 2, Shown},
    {"Shape4(0)", "Frame5", Round, 885, 1800, 3375, 900, 0x000070, 0xFFFFFF, 2, Shown},
    {"Shape4(2)", "Frame5", Round, 885, 2880, 3375, 900, 0x000070, 0xFFFFFF, 2, Shown},
    {"Shape4(3)", "Frame6", Round, 870, 720, 3375, 900, 0xC0C0C0, 0x0000C0, 2, Shown},
    {"Shape4(22)", "Frame6", Round, 870, 1800, 3375, 900, 0xC0C0C0, 0x0000C0, 2, Shown},
    {"Shape4(4)", "Frame6", Round, 870, 2880, 3375, 900, 0xC0C0C0, 0x0000C0, 2, Shown},
    // Aka's lamps: lit (hidden) and unlit.
    {"Shape4(5)", "Frame5", Circle, 1830, 840, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(6)", "Frame5", Circle, 2680, 840, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(7)", "Frame5", Circle, 3520, 840, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(25)", "Frame5", Circle, 1830, 1920, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(24)", "Frame5", Circle, 2685, 1920, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(23)", "Frame5", Circle, 3520, 1920, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(9)", "Frame5", Circle, 1005, 3050, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(10)", "Frame5", Circle, 1830, 3045, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(11)", "Frame5", Circle, 2685, 3050, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(12)", "Frame5", Circle, 3525, 3050, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(29)", "Frame5", Circle, 1830, 840, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(31)", "Frame5", Circle, 2680, 840, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(30)", "Frame5", Circle, 3520, 840, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(32)", "Frame5", Circle, 1830, 1920, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(33)", "Frame5", Circle, 2680, 1920, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(34)", "Frame5", Circle, 3520, 1920, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(35)", "Frame5", Circle, 1005, 3050, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(36)", "Frame5", Circle, 1830, 3050, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(37)", "Frame5", Circle, 2680, 3050, 600, 600, 0x000040, 0, 2, Shown},
    {"Shape4(38)", "Frame5", Circle, 3525, 3050, 600, 600, 0x000040, 0, 2, Shown},
    // Shiro's lamps.
    {"Shape4(13)", "Frame6", Circle, 1830, 840, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(14)", "Frame6", Circle, 2680, 840, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(15)", "Frame6", Circle, 3520, 840, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(28)", "Frame6", Circle, 1830, 1920, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(27)", "Frame6", Circle, 2680, 1920, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(26)", "Frame6", Circle, 3520, 1920, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(17)", "Frame6", Circle, 990, 3050, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(18)", "Frame6", Circle, 1830, 3050, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(19)", "Frame6", Circle, 2680, 3045, 600, 600, 0x00FFFF, 0x0000C0, 2, Hidden},
    {"Shape4(20)", "Frame6", Circle, 3520, 3045, 600, 600, 0x0000FF, 0xFFFFFF, 2, Hidden},
    {"Shape4(39)", "Frame6", Circle, 1830, 840, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(40)", "Frame6", Circle, 2680, 840, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(41)", "Frame6", Circle, 3520, 840, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(42)", "Frame6", Circle, 1830, 1920, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(43)", "Frame6", Circle, 2680, 1920, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(44)", "Frame6", Circle, 3520, 1920, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(45)", "Frame6", Circle, 990, 3050, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(46)", "Frame6", Circle, 1830, 3050, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(47)", "Frame6", Circle, 2680, 3050, 600, 600, 0x808080, 0x404040, 2, Shown},
    {"Shape4(48)", "Frame6", Circle, 3520, 3050, 600, 600, 0x808080, 0x404040, 2, Shown},
};

QString containerName(const Element& e)
{
    return e.container() ? e.container()->displayName() : QString();
}

int position(const Kubord2& b, const QString& name)
{
    const auto& order = b.paintOrder();
    const auto it = std::find(order.begin(), order.end(), b.find(name));
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

} // namespace

class TestKubord2Layout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void labels_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kLabels)); ++i)
            QTest::newRow(kLabels[i].name) << i;
    }

    // Every label keeps the design values of the tables.
    void labels()
    {
        QFETCH(int, row);
        const LabelRow& x = kLabels[row];
        Kubord2 b;
        const Element* e = b.find(QString::fromLatin1(x.name));
        QVERIFY(e);
        QCOMPARE(e->kind(), ElementKind::Label);
        QCOMPARE(containerName(*e), QString::fromLatin1(x.in));
        QCOMPARE(e->left(), x.left);
        QCOMPARE(e->top(), x.top);
        QCOMPARE(e->width(), x.width);
        QCOMPARE(e->height(), x.height);
        QCOMPARE(e->foreColor(), x.text);
        QCOMPARE(e->opaque(), x.look == Opaque);
        if (x.back != 0)
            QCOMPARE(e->backColor(), x.back);
        QCOMPARE(e->caption(), QString::fromLatin1(x.caption));
        QCOMPARE(e->fontSize(), x.points);
        QVERIFY(e->bold());
        QVERIFY(e->autoSize());
        QCOMPARE(e->alignment(), kestrane::Alignment::Left);
        QCOMPARE(e->borderWidth(), 0);
        QCOMPARE(e->visible(), x.shown == Shown);
    }

    void shapes_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kShapes)); ++i)
            QTest::newRow(kShapes[i].name) << i;
    }

    // Every shape and frame keeps the design values of the tables; every
    // lamp sits at its grid place in its colours.
    void shapes()
    {
        QFETCH(int, row);
        const ShapeRow& x = kShapes[row];
        Kubord2 b;
        const Element* e = b.find(QString::fromLatin1(x.name));
        QVERIFY(e);
        const bool isFrame = QByteArray(x.name).startsWith("Frame");
        QCOMPARE(e->kind(), isFrame ? ElementKind::Frame : ElementKind::Shape);
        QCOMPARE(containerName(*e), QString::fromLatin1(x.in));
        if (!isFrame)
            QCOMPARE(e->shape(), x.kind);
        QCOMPARE(e->left(), x.left);
        QCOMPARE(e->top(), x.top);
        QCOMPARE(e->width(), x.width);
        QCOMPARE(e->height(), x.height);
        QVERIFY(e->opaque());
        QCOMPARE(e->backColor(), x.back);
        if (x.borderWidth > 0)
            QCOMPARE(e->borderColor(), x.border);
        QCOMPARE(e->borderWidth(), x.borderWidth);
        QCOMPARE(e->visible(), x.shown == Shown);
    }

    // The window: caption, design client size and the black behind the halves.
    void window()
    {
        Kubord2 b;
        QCOMPARE(b.form().caption(), QStringLiteral("Form2"));
        QCOMPARE(b.form().width(), 16005.0);
        QCOMPARE(b.form().height(), 9000.0);
        QCOMPARE(b.form().backColor(), Colour(0));
        QCOMPARE(b.form().container(), nullptr);
    }

    // All array indices exist, and every element except the window is
    // painted exactly once.
    void everyElementPaintedOnce()
    {
        Kubord2 b;
        for (int i = 0; i < Kubord2::kLabelCount; ++i)
            QCOMPARE(b.label1(i).displayName(), QStringLiteral("Label1(%1)").arg(i));
        for (int i = 0; i < Kubord2::kShapeCount; ++i)
            QCOMPARE(b.shape4(i).displayName(), QStringLiteral("Shape4(%1)").arg(i));
        std::multiset<const Element*> painted(b.paintOrder().begin(), b.paintOrder().end());
        for (const Element* e : b.elements()) {
            const std::size_t expected = e == &b.form() ? 0 : 1;
            QVERIFY2(painted.count(e) == expected, qPrintable(e->displayName()));
        }
        QCOMPARE(painted.size(), b.elements().size() - 1);
    }

    // The front-to-back rules, checked pairwise: a is painted behind b.
    void paintOrder_data()
    {
        QTest::addColumn<QString>("behind");
        QTest::addColumn<QString>("front");
        const char* pairs[][2] = {
            {"Shape1", "Shape2"},
            {"Shape2", "scri"},
            {"scri", "scww"},
            {"scww", "Shape3"},
            {"Shape3", "Shape4(8)"},
            {"Shape4(8)", "Label1(12)"},
            {"Label1(12)", "Label1(11)"},
            {"Label1(11)", "Shape5"},
            {"Shape5", "Label1(13)"},
            {"Label1(13)", "Label4"},
            {"Label4", "Shape4(16)"},
            {"Shape4(16)", "Label1(4)"},
            {"Shape4(8)", "Label1(4)"},
            {"Shape4(16)", "Label1(8)"},
            {"Label1(4)", "Label1(8)"},
            {"Label1(8)", "Shape4(21)"},
            {"Shape4(21)", "scrw"},
            {"scrw", "scwi"},
            {"scwi", "Label1(16)"},
            {"Label1(16)", "Label1(17)"},
            {"Label1(17)", "Label1(18)"},
            {"Label1(18)", "Label1(19)"},
            {"Label1(19)", "Frame1"},
            {"Frame1", "Label7"},
            {"Label7", "Label5"},
            {"Label5", "Label6"},
            {"Label6", "Label8"},
            {"Label8", "Frame4"},
            {"Frame4", "Label1(14)"},
            {"Label1(14)", "Frame5"},
            {"Frame5", "Frame6"},
            {"Shape4(2)", "Shape4(29)"},
            {"Shape4(38)", "Shape4(5)"},
            {"Shape4(12)", "Label1(20)"},
            {"Shape4(4)", "Shape4(39)"},
            {"Shape4(48)", "Shape4(13)"},
            {"Shape4(20)", "Label1(21)"},
        };
        for (const auto& p : pairs)
            QTest::addRow("%s<%s", p[0], p[1])
                << QString::fromLatin1(p[0]) << QString::fromLatin1(p[1]);
    }

    void paintOrder()
    {
        QFETCH(QString, behind);
        QFETCH(QString, front);
        Kubord2 b;
        const int back = position(b, behind);
        const int fore = position(b, front);
        QVERIFY(back >= 0 && fore >= 0);
        QVERIFY2(
            back < fore,
            qPrintable(
                QStringLiteral("%1 at %2, %3 at %4").arg(behind).arg(back).arg(front).arg(fore)));
    }

    // Inside each penalty frame: bars, then unlit lamps, then lit lamps,
    // then letters; and a frame's children come right after it, so nothing of
    // a later frame's siblings falls between.
    void framesGroupTheirChildren()
    {
        Kubord2 b;
        const auto& order = b.paintOrder();
        const Element* current = nullptr;
        int stage = 0; // 0 bar, 1 unlit, 2 lit, 3 letter
        std::set<const Element*> closed;
        for (const Element* e : order) {
            if (e->kind() == ElementKind::Frame) {
                QVERIFY(!e->container());
                closed.insert(current);
                current = e;
                stage = 0;
                continue;
            }
            if (!e->container()) {
                QVERIFY2(!current, "window element after a frame");
                continue;
            }
            QVERIFY2(e->container() == current, qPrintable(e->displayName()));
            if (current == &b.Frame5 || current == &b.Frame6) {
                int s = 3;
                if (e->kind() == ElementKind::Shape)
                    s = e->shape() == ShapeKind::RoundedRectangle ? 0 : (e->visible() ? 1 : 2);
                QVERIFY2(s >= stage, qPrintable(e->displayName()));
                stage = s;
            }
        }
    }

    // What a fresh board shows: no lit lamp, no "S", no KO panel, no row A.
    void freshBoardShowsNothingLit()
    {
        Kubord2 b;
        for (int i : {5,  6,  7,  9,  10, 11, 12, 23, 24, 25, 13, 14,
                      15, 17, 18, 19, 20, 26, 27, 28, 8,  16, 21})
            QVERIFY2(!b.shape4(i).visible(), qPrintable(QString::number(i)));
        for (int i = 29; i <= 48; ++i)
            QVERIFY(b.shape4(i).visible());
        for (int i : {4, 8, 14, 20, 21})
            QVERIFY(!b.label1(i).visible());
        QVERIFY(!b.Frame4.visible());
        for (Element* e :
             {&b.scri, &b.scrw, &b.scwi, &b.scww, &b.Label4, &b.Label5, &b.Label6, &b.Label8})
            QCOMPARE(e->caption(), QStringLiteral("0"));
    }

    // A reference while none exists creates a hidden design board; closing
    // discards it, so no change survives to the next board.
    void holderRebuildsFromDesign()
    {
        kestrane::BoardHolder holder;
        QVERIFY(!holder.current());
        Kubord2& first = holder.board();
        QVERIFY(holder.current());
        QVERIFY(!holder.isShown());
        QVERIFY(!first.form().visible());
        first.scri.setCaption(QStringLiteral("3"));
        first.shape4(5).setVisible(true);
        QCOMPARE(&holder.board(), &first); // no rebuild while it exists
        holder.close();
        QVERIFY(!holder.current());
        Kubord2& second = holder.board();
        QCOMPARE(second.scri.caption(), QStringLiteral("0"));
        QVERIFY(!second.shape4(5).visible());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestKubord2Layout)
#include "tst_kubord2layout.moc"
