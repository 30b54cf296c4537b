#include "board/BoardHolder.h"
#include "board/Kubord2.h"
#include "support/TestMain.h"

#include <QRectF>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

using kestrane::Colour;
using kestrane::Element;
using kestrane::ElementKind;
using kestrane::Kubord2;
using kestrane::ShapeKind;
constexpr auto Circle = ShapeKind::Circle;

namespace {

// Each penalty row's lamps from the "A" side to the "H" side, the extra lamp
// first, as the description lists them: Aka's panel, then Shiro's.
const std::vector<std::vector<int>> kAkaRows = {{5, 6, 7}, {25, 24, 23}, {9, 10, 11, 12}};
const std::vector<std::vector<int>> kShiroRows = {{13, 14, 15}, {28, 27, 26}, {17, 18, 19, 20}};

QRectF box(const Element& e)
{
    return QRectF(e.left(), e.top(), e.width(), e.height());
}

bool near(double a, double b)
{
    return std::abs(a - b) <= 15; // one pixel at design size
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
    // What the audience sees of each penalty grid: each row's lamps in
    // line on their row bar, apart, from "A" to "H"; each lamp hidden over an
    // unlit one; yellow lamps, red in the "H" column.
    void penaltyGridsAsSeen()
    {
        Kubord2 b;
        for (const auto* rows : {&kAkaRows, &kShiroRows}) {
            const Element& frame = rows == &kAkaRows ? b.Frame5 : b.Frame6;
            std::vector<const Element*> unlit, bars;
            for (const Element* e : b.elements()) {
                if (e->container() == &frame && e->kind() == ElementKind::Shape && e->visible())
                    (e->shape() == Circle ? unlit : bars).push_back(e);
            }
            QCOMPARE(unlit.size(), std::size_t(10));
            QCOMPARE(bars.size(), std::size_t(3));
            std::sort(bars.begin(), bars.end(),
                      [](const Element* x, const Element* y) { return x->top() < y->top(); });
            for (std::size_t r = 0; r < rows->size(); ++r) {
                const std::vector<int>& row = (*rows)[r];
                for (std::size_t c = 0; c < row.size(); ++c) {
                    const Element& lamp = b.shape4(row[c]);
                    const QString name = lamp.displayName();
                    QVERIFY2(lamp.container() == &frame && lamp.shape() == Circle,
                             qPrintable(name));
                    QVERIFY2(!lamp.visible(), qPrintable(name));
                    QVERIFY2(QRectF(0, 0, frame.width(), frame.height()).contains(box(lamp)),
                             qPrintable(name));
                    QVERIFY2(bars[r]->top() <= lamp.top() &&
                                 box(*bars[r]).bottom() >= box(lamp).bottom(),
                             qPrintable(name));
                    QVERIFY2(near(lamp.top(), b.shape4(row[0]).top()), qPrintable(name));
                    if (c > 0)
                        QVERIFY2(lamp.left() > box(b.shape4(row[c - 1])).right(), qPrintable(name));
                    const bool over =
                        std::any_of(unlit.begin(), unlit.end(), [&](const Element* u) {
                            return near(u->left(), lamp.left()) && near(u->top(), lamp.top());
                        });
                    QVERIFY2(over, qPrintable(name));
                    const bool h = c + 1 == row.size();
                    QCOMPARE(lamp.backColor(), h ? Colour(0x0000FF) : Colour(0x00FFFF));
                }
            }
        }
        // The "S" lamps, red, each under its hidden letter.
        for (const auto& [lamp, letter] : {std::pair{8, 4}, std::pair{16, 8}}) {
            const Element& l = b.shape4(lamp);
            QVERIFY(!l.visible() && l.shape() == Circle && l.backColor() == Colour(0x0000FF));
            QVERIFY(!b.label1(letter).visible());
            QCOMPARE(b.label1(letter).caption(), QStringLiteral("S"));
            QVERIFY(box(l).intersects(box(b.label1(letter))));
        }
    }

    // The texts and their colours; Aka red on the left, Shiro grey on the
    // right; every shape and frame on the board, the KO panel below it.
    void textsAndHalves()
    {
        Kubord2 b;
        const std::tuple<const char*, const char*, Colour> texts[] = {
            {"Label1(11)", "Aka", 0xE0E0E0},
            {"Label1(12)", "Shiro", 0},
            {"Label1(13)", "Tatami", 0},
            {"Label4", "0", 0},
            {"Label5", "0", 0},
            {"Label7", ":", 0},
            {"Label1(14)", "00", 0},
            {"Label1(16)", "IP", 0xFFFFFF},
            {"Label1(17)", "WA", 0xFFFFFF},
            {"Label1(18)", "IP", 0},
            {"Label1(19)", "WA", 0},
            {"scri", "0", 0xFFFFFF},
            {"scwi", "0", 0},
            {"Label1(2)", "C", 0xFFFFFF},
            {"Label1(3)", "H", 0xFFFFFF},
            {"Label1(1)", "M", 0xFFFFFF},
            {"Label1(9)", "J", 0xFFFFFF},
            {"Label1(6)", "C", 0},
            {"Label1(7)", "H", 0},
            {"Label1(5)", "M", 0},
            {"Label1(15)", "J", 0}};
        for (const auto& [name, caption, colour] : texts) {
            const Element* e = b.find(QLatin1String(name));
            QVERIFY2(e && e->caption() == QLatin1String(caption) && e->foreColor() == colour, name);
        }
        QCOMPARE(box(b.Shape1), QRectF(0, 0, 8000, 9000));
        QCOMPARE(b.Shape1.backColor(), Colour(0x0000C0));
        QCOMPARE(box(b.Shape2), QRectF(8000, 0, 8000, 9000));
        QCOMPARE(b.Shape2.backColor(), Colour(0xE0E0E0));
        const QRectF board(0, 0, b.form().width(), b.form().height());
        for (const Element* e : b.elements()) {
            if (e->kind() == ElementKind::Label || e->container() || e == &b.form())
                continue;
            const bool koPanel = e == &b.Frame4 || e == &b.shape4(21);
            QVERIFY2(board.contains(box(*e)) != koPanel, qPrintable(e->displayName()));
        }
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
