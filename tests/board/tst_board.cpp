#include "BoardTestHelpers.h"
#include "support/TestMain.h"

#include <cfloat>
#include <set>

using namespace kestrane;
using namespace kestrane::test;

namespace {

// An element's box in the window (or, on the console, in its container).
QRectF box(const Element& e, bool inWindow = true)
{
    const Element* c = inWindow ? e.container() : nullptr;
    return {e.left() + (c ? c->left() : 0), e.top() + (c ? c->top() : 0), e.width(), e.height()};
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(u' ');
}

double lightness(Colour c)
{
    return (0.3 * (c & 0xFF) + 0.59 * ((c >> 8) & 0xFF) + 0.11 * ((c >> 16) & 0xFF)) / 255;
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The worked numbers of the scaling: 4:3 is narrow (factors 0.96 across,
    // 1.28 down, and the narrow-screen corrections), 3:2 is not; whatever the
    // scales the half backgrounds fill the board. Each row: screen, scales,
    // mirrored, element, left / top / width / height / font, expected value.
    void workedNumbers()
    {
        for (const char* row :
             {"1024x768 1:1:1 0 Shape1 w 7680", "1024x768 1:1:1 0 scri l 1718.4",
              "1024x768 1:1:1 0 scri t 7884.8", "1024x768 1:1:1 0 scri f 124.56",
              "1024x768 1:1:1 0 Label4 t 716.8", "1024x768 1:1:1 0 Label5 t 224",
              "1024x768 1:1:1 0 Label1(14) l 69.12", "1024x768 1:1:1 0 Shape4(21) t 5836.8",
              "1024x768 1:1:1 1 Label1(12) l 691.2", "1440x960 1:1:1 0 Label4 t 448",
              "1920x1080 2,5:1:1 0 scri l 1611", "1920x1080 0.5:1:1 0 Frame6 l 40608",
              "1920x1080 1:1:2 0 scri f 116.775", "1920x1080 1:1:2 0 Label1(16) f 71.55",
              "1920x1080 1:2:1 0 Label1(16) f 35.775", "3840x2160 1.3:0.7:1 0 Shape2 l 28800",
              "800x1280 1.3:0.7:1 0 Shape1 h 19200", "1024x768 2:0.7:1 0 Shape2 w 7680"}) {
            const QStringList f = words(row);
            TestConsole c;
            Kubord2& b =
                openBoard(c, sizeOf(f[0]), QString(f[1]).replace(u':', u' '), f[2].toInt());
            const Element& e = *b.find(f[3]);
            const double v[] = {e.left(), e.top(), e.width(), e.height(), e.fontSize()};
            QVERIFY2(nearly(v[QStringLiteral("ltwhf").indexOf(f[4])], f[5].toDouble()), row);
        }
    }

    // Only exactly zero (or no leading number, marked "!") is refused, with
    // the message, and nothing is shown. Tiny, huge and negative scales are
    // used as they are: the board and the KO count open, every place stays
    // finite in single precision and fonts drawable.
    void scaleSettings()
    {
        for (const char* row :
             {"!0 1 1", "!1 abc 1", "!1 1 0.000", "!,5 1 1", "1e-300 1 1", "1 1e-300 1",
              "1 1 1e-300", "1 1 1e300", "-1 -1 -1", "4.9e-324 -4.9e-324 1e-40"}) {
            const bool refused = row[0] == '!';
            TestConsole c;
            c.k.boardOpening.startbord();
            openBoard(c, {1920, 1080}, QString::fromLatin1(row + refused));
            c.s.Command11.click();
            QCOMPARE(c.k.boards.isShown(), !refused);
            QCOMPARE(c.ports.messages.shown.size(), std::size_t(refused));
            if (refused)
                QCOMPARE(c.ports.messages.shown[0],
                         qMakePair(QStringLiteral("scale can not be zero in setup file"), 48));
            for (const Element* e : c.k.boards.currentOrNewHidden().elements()) {
                for (double v : {e->left(), e->top(), e->width(), e->height()})
                    QVERIFY2(std::isfinite(v) && std::abs(v) <= FLT_MAX, row);
                QVERIFY2(e->fontSize() >= 1 && e->fontSize() <= 2048, row);
            }
        }
    }

    // The board goes to the screen containing (primary's full width + 100
    // twips, 0), else to the largest other one (on a tie the one nearer the
    // primary's right edge), and measures its usable width.
    void targetScreen()
    {
        const Screen laptop = screenAt(0, 0, 1280, 800, true);
        const Screen right = screenAt(1280, 0, 1920, 1080);
        Screen docked = laptop;
        docked.available = {0, 0, 1272, 800};
        const std::pair<std::vector<Screen>, int> cases[] = {
            {{screenAt(0, 0, 1920, 1080), screenAt(1920, 0, 1280, 800, true)}, 0},
            {{screenAt(0, 0, 1920, 1080), screenAt(1920, 0, 1280, 800, true),
              screenAt(3200, 0, 1024, 768)},
             2},
            {{screenAt(-1920, 0, 1920, 1080), laptop, screenAt(1280, 0, 1024, 768)}, 2},
            {{screenAt(-1920, 0, 1920, 1080), laptop, screenAt(0, 800, 1920, 1080)}, 2},
            {{laptop, screenAt(0, 800, 1920, 1080), screenAt(-1920, 0, 1920, 1200)}, 2},
            {{docked, right}, 1},
            {{laptop, screenAt(1280, 0, 1920, 1080)}, 1}};
        for (const auto& [screens, board] : cases) {
            TestConsole c;
            c.ports.screens.all = screens;
            c.k.boardOpening.startbord();
            QCOMPARE(c.k.boards.screenIndex(), board);
            const int width = screens[std::size_t(board)].available.width;
            QCOMPARE(c.s.sbtxt.text(), QStringLiteral(" %1").arg(width * 15));
        }
    }

    // An opening copies the clock, the field number, the ticked grid lamps
    // (never a greyed box, nor an "S" indicator) and the scores onto a
    // design board, the numbers centred so that a second digit grows both
    // ways: a second opening discards every change made to the first.
    void openingCopiesTheConsole()
    {
        TestConsole c;
        for (int n : {1, 10, 15, 2, 11})
            c.s.check(n).setValue(1);
        c.s.check(3).setValue(2); // greyed: its lamp stays dark
        const QStringList from = words("Label1 Label2 Label3 scri scrw scwi scww");
        const QStringList to = words("Label5 Label6 Label8 scri scrw scwi scww");
        for (int i = 0; i < 7; ++i)
            c.s.find(from[i])->setCaption(QString::number(i + 2));
        c.s.Text1.setText(QStringLiteral("3"));
        c.s.Command12.click(); // "Set" while the board is closed
        QCOMPARE(c.k.boards.currentOrNewHidden().Label4.caption(), QStringLiteral("3"));
        c.s.Text1.setText(QStringLiteral("5"));
        c.s.startext.click();
        Kubord2& b = c.k.boards.currentOrNewHidden();
        for (int i = 0; i < 7; ++i)
            QCOMPARE(b.find(to[i])->caption(), QString::number(i + 2));
        QCOMPARE(b.Label4.caption(), QStringLiteral("5"));
        for (const char* n : {"scri", "scrw", "scwi", "scww", "Label4"})
            QCOMPARE(b.find(QLatin1String(n))->alignment(), Alignment::Centre);
        Kubord2 design;
        for (int i = 0; i < Kubord2::kShapeCount; ++i) {
            const bool lit = i == 13 || i == 7 || i == 12;
            QVERIFY2(b.shape4(i).visible() == (lit || design.shape4(i).visible()),
                     qPrintable(QString::number(i)));
        }
        b.shape4(5).setVisible(true);
        c.s.command1.click();
        QVERIFY(!c.k.boards.currentOrNewHidden().shape4(5).visible());
    }

    // The board's screen unplugged closes the board; a screen beside the
    // primary back opens it there again, unless the operator opened or
    // closed it meanwhile. A screen added leaves it open.
    void screensChanged()
    {
        const Screen primary = screenAt(0, 0, 1280, 800, true);
        const Screen back = screenAt(1280, 0, 1024, 768);
        for (const char* meanwhile : {"", "Command2", "command1"}) {
            TestConsole c;
            c.k.boardOpening.startbord();
            c.ports.screens.replace({primary});
            QVERIFY(!c.k.boards.isShown());
            if (*meanwhile)
                c.s.find(QString::fromLatin1(meanwhile))->click();
            c.ports.screens.replace({primary, back});
            QCOMPARE(c.k.boards.isShown(), *meanwhile != 'C');
            QVERIFY(!c.k.boards.isShown() || c.k.boards.screenIndex() == (*meanwhile ? 0 : 1));
        }
        TestConsole c;
        c.k.boardOpening.startbord();
        c.ports.screens.replace(
            {primary, screenAt(1280, 0, 1920, 1080), screenAt(3200, 0, 10, 10)});
        QVERIFY(c.k.boards.isShown());
    }

    // Plain and mirrored, each competitor's things stand in their own half,
    // and the two halves' score rows look alike: "IP", ippon, "WA", waza-ari
    // at the same places within each half. A change of the mirror choice
    // closes the board.
    void halvesAlike()
    {
        for (int mirror : {0, 1}) {
            TestConsole c;
            Kubord2& b = openBoard(c, {1920, 1080}, "1 1 1", mirror);
            const QRectF aka = box(b.Shape1);
            const QRectF shiro = box(b.Shape2);
            QCOMPARE(aka.left() > shiro.left(), mirror == 1);
            const QStringList pairs = words("scri scwi scrw scww Label1(16) Label1(18) Label1(17) "
                                            "Label1(19) Label1(11) Label1(12) Frame5 Frame6 "
                                            "Shape4(8) Shape4(16) Label1(4) Label1(8)");
            for (int i = 0; i < pairs.size(); i += 2) {
                const Element* a = b.find(pairs[i]);
                const Element* s = b.find(pairs[i + 1]);
                QVERIFY2(aka.contains(box(*a)) && shiro.contains(box(*s)) &&
                             (i > 6 || nearly(a->left() - aka.left(), s->left() - shiro.left())),
                         qPrintable(pairs[i]));
            }
            c.s.Check23.setValue(1 - mirror);
            QVERIFY(!c.k.boards.current());
        }
    }

    // Ticking the side swap puts Aka's controls into the left half and
    // Shiro's into the right, the halves changing places; a greyed value
    // leaves them; unticking puts them back.
    void sideSwap()
    {
        TestConsole c;
        MatchState& s = c.s;
        // Aka's and Shiro's in turn.
        const QStringList moved = words("Frame21 Frame20 Label19 Label18 Check11 Check2 Label9 "
                                        "Label13 Command6 SanbonB Command10 MyButton1 Command8 "
                                        "NihonB MyButton2 Command9 scri scwi scrw scww");
        for (int value : {1, 2, 0}) {
            s.Check24.setValue(value);
            QCOMPARE(s.Shape2.left() < s.Shape1.left(), value > 0);
            for (int i = 0; i < moved.size(); ++i) {
                const Element& half = i % 2 ? s.Shape1 : s.Shape2;
                QVERIFY2(box(half, false).contains(box(*s.find(moved[i]), false)),
                         qPrintable(moved[i]));
            }
        }
    }

    // Each penalty row's lamps, from the "A" side to the "H" side: hidden,
    // in line, apart, inside the frame; yellow, red in the "H" column.
    void penaltyGrids()
    {
        Kubord2 b;
        const std::vector<int> rows[] = {{5, 6, 7},    {25, 24, 23}, {9, 10, 11, 12},
                                         {13, 14, 15}, {28, 27, 26}, {17, 18, 19, 20}};
        for (const std::vector<int>& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const Element& lamp = b.shape4(row[i]);
                QVERIFY2(!lamp.visible() && box(*lamp.container()).contains(box(lamp)) &&
                             std::abs(lamp.top() - b.shape4(row[0]).top()) <= 15 &&
                             (i == 0 || box(lamp).left() > box(b.shape4(row[i - 1])).right()),
                         qPrintable(lamp.displayName()));
                QCOMPARE(lamp.backColor(), i + 1 == row.size() ? 0x0000FF : 0x00FFFF);
            }
        }
    }

    // Every element but the window is painted. Each penalty panel shows one
    // "A". Every visible text is painted
    // in front of the shapes and frames it overlaps and reads clearly against
    // what is behind it. All shapes and frames are on the board, but the KO
    // panel waits below it.
    void textsReadable()
    {
        Kubord2 b;
        const std::vector<Element*>& order = b.paintOrder();
        QCOMPARE(std::set(order.begin(), order.end()).size(), b.elements().size() - 1);
        const auto a = [](const Element* e) { return e->visible() && e->caption() == "A"; };
        QCOMPARE(std::count_if(order.begin(), order.end(), a), 2); // one in each panel
        for (const Element* e : b.elements()) {
            const bool ko = e == &b.Frame4 || e == &b.shape4(21);
            if (e->kind() != ElementKind::Label && !e->container() && e != &b.form())
                QVERIFY2(box(b.form()).contains(box(*e)) != ko, qPrintable(e->displayName()));
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            const Element* t = order[i];
            if (t->kind() != ElementKind::Label || !t->visible())
                continue;
            const Element* behind = nullptr;
            for (std::size_t j = 0; j < order.size(); ++j) {
                const Element* e = order[j];
                if (e->kind() == ElementKind::Label || !e->visible() ||
                    !box(*e).intersects(box(*t)))
                    continue;
                QVERIFY2(j < i, qPrintable(e->displayName() + " hides " + t->displayName()));
                behind = box(*e).contains(box(*t).center()) ? e : behind;
            }
            QVERIFY2(behind &&
                         std::abs(lightness(t->foreColor()) - lightness(behind->backColor())) > 0.3,
                     qPrintable(t->displayName()));
        }
    }
};

KESTRANE_MODEL_TEST_MAIN(TestBoard)
#include "tst_board.moc"
