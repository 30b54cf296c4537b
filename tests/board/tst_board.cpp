#include "BoardTestHelpers.h"
#include "core/Twips.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

namespace {

// Opens the board on a w x h audience screen with the scales "hsch vsch fsch".
Kubord2& open(TestConsole& c, int w, int h, const QString& scales = "1 1 1", int mirror = 0)
{
    useAudienceScreen(c, w, h);
    const QStringList s = scales.split(u' ');
    c.s.hsch.setText(s[0]);
    c.s.vsch.setText(s[1]);
    c.s.fsch.setText(s[2]);
    c.s.Check23.setValue(mirror);
    c.k.boardOpening.startbord();
    return c.k.kubord2();
}

// An element's box in the window (or, on the console, in its container).
QRectF box(const Element& e, bool inWindow = true)
{
    const Element* c = inWindow ? e.container() : nullptr;
    return {e.left() + (c ? c->left() : 0), e.top() + (c ? c->top() : 0), e.width(), e.height()};
}

int position(const Kubord2& b, const Element* e)
{
    const auto& order = b.paintOrder();
    return static_cast<int>(std::find(order.begin(), order.end(), e) - order.begin());
}

bool shown(const Element& e)
{
    return e.visible() && (!e.container() || e.container()->visible());
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
            const QStringList f = QString::fromLatin1(row).split(u' ');
            TestConsole c;
            Kubord2& b = open(c, f[0].section(u'x', 0, 0).toInt(), f[0].section(u'x', 1).toInt(),
                              QString(f[1]).replace(u':', u' '), f[2].toInt());
            const Element& e = *b.find(f[3]);
            const double v[] = {e.left(), e.top(), e.width(), e.height(), e.fontSize()};
            QVERIFY2(nearly(v[QStringLiteral("ltwhf").indexOf(f[4])], f[5].toDouble()), row);
        }
    }

    // At 16:9 with 1, 1, 1 the layout grows uniformly by 1.8 (labels size
    // themselves to their text) and the numbers are centred.
    void uniformGrowth()
    {
        TestConsole c;
        Kubord2 design;
        for (const Element* e : open(c, 1920, 1080).elements()) {
            const Element& d = *design.find(e->displayName());
            const QString n = e->displayName();
            const double f = e->kind() == ElementKind::Form ? 1 : 1.8;
            const double size = e->kind() == ElementKind::Label ? 1 : f;
            const bool ko = n == QLatin1String("Frame4") || n == QLatin1String("Shape4(21)");
            QVERIFY2(nearly(e->left(), d.left() * f) && (ko || nearly(e->top(), d.top() * f)) &&
                         nearly(e->width(), d.width() * size) &&
                         nearly(e->height(), d.height() * size) &&
                         nearly(e->fontSize(), d.fontSize() * f / size),
                     qPrintable(n));
            const bool centred = QStringList{"scrw", "scri", "scww", "scwi", "Label4"}.contains(n);
            QCOMPARE(e->alignment() == Alignment::Centre, centred);
        }
    }

    // Only exactly zero (or no leading number) is refused, with the message:
    // the open board goes, nothing is shown or measured.
    void zeroScaleRefused()
    {
        for (const char* scales : {"0 1 1", "1 abc 1", "1 1 0.000", "1 -0 1", ",5 1 1"}) {
            TestConsole c;
            c.k.boardOpening.startbord();
            const QString measured = c.s.sbtxt.text();
            open(c, 1024, 768, QString::fromLatin1(scales));
            QCOMPARE(c.ports.messages.shown.size(), std::size_t(1));
            QCOMPARE(c.ports.messages.shown[0],
                     qMakePair(QStringLiteral("scale can not be zero in setup file"), 48));
            QVERIFY(!c.k.boards.isShown());
            QCOMPARE(c.s.sbtxt.text(), measured);
        }
    }

    // The board goes to the screen containing (primary's full width + 100
    // twips, 0), else to the largest other one (on a tie the one nearer the
    // primary's right edge), and measures its usable area.
    void targetScreen()
    {
        const Screen laptop = screenAt(0, 0, 1280, 800, true);
        const Screen right = screenAt(1280, 0, 1920, 1080);
        Screen docked = laptop;
        docked.available = {0, 0, 1272, 800};
        Screen panel = right;
        panel.available = {1280, 0, 1920, 1040};
        const std::pair<std::vector<Screen>, int> cases[] = {
            {{laptop, right}, 1},
            {{screenAt(0, 0, 1920, 1080), screenAt(1920, 0, 1280, 800, true)}, 0},
            {{screenAt(-1920, 0, 1920, 1080), laptop, screenAt(1280, 0, 1024, 768)}, 2},
            {{screenAt(-1920, 0, 1920, 1080), laptop, screenAt(0, 800, 1920, 1080)}, 2},
            {{laptop, screenAt(0, 800, 1920, 1080), screenAt(-1920, 0, 1920, 1200)}, 2},
            {{docked, right}, 1},
            {{laptop, panel}, 1},
            {{laptop}, 0}};
        for (const auto& [screens, board] : cases) {
            TestConsole c;
            c.ports.screens.all = screens;
            c.k.boardOpening.startbord();
            QVERIFY(c.k.boards.isShown());
            QCOMPARE(c.k.boards.screenIndex(), board);
            const ScreenPort::Rect& area = screens[std::size_t(board)].available;
            QCOMPARE(c.s.sbtxt.text(), QStringLiteral(" %1").arg(area.width * 15));
            QCOMPARE(c.s.shtxt.text(), QStringLiteral(" %1").arg(area.height * 15));
        }
    }

    // An opening copies the clock, the field number, the ticked grid lamps
    // (never an "S" indicator) and the scores onto a design board: a second
    // opening discards every change made to the first. "Set" while the
    // board is closed writes into a board the opening drops.
    void openingCopiesTheConsole()
    {
        TestConsole c;
        for (int n : {1, 10, 15, 2, 11})
            c.s.check(n).setValue(1);
        Element* from[] = {&c.s.Label1, &c.s.Label2, &c.s.Label3, &c.s.scri,
                           &c.s.scrw,   &c.s.scwi,   &c.s.scww};
        for (int i = 0; i < 7; ++i)
            from[i]->setCaption(QString::number(i + 2));
        c.s.Text1.setText(QStringLiteral("3"));
        c.s.Command12.click();
        QCOMPARE(c.k.kubord2().Label4.caption(), QStringLiteral("3"));
        c.s.Text1.setText(QStringLiteral("5"));
        c.s.closeext.click(); // nothing open: nothing happens
        c.s.startext.click();
        Kubord2& b = c.k.kubord2();
        QStringList shown;
        for (Element* e :
             {&b.Label5, &b.Label6, &b.Label8, &b.scri, &b.scrw, &b.scwi, &b.scww, &b.Label4})
            shown << e->caption();
        QCOMPARE(shown.join(u' '), QStringLiteral("2 3 4 5 6 7 8 5"));
        Kubord2 design;
        for (int i = 0; i < Kubord2::kShapeCount; ++i) {
            const bool lit = i == 13 || i == 7 || i == 12;
            QVERIFY2(b.shape4(i).visible() == (lit || design.shape4(i).visible()),
                     qPrintable(QString::number(i)));
        }
        const QRectF scri = box(b.scri);
        b.scri.setLeft(5);
        b.shape4(5).setVisible(true);
        c.s.command1.click();
        QCOMPARE(box(c.k.kubord2().scri), scri);
        QVERIFY(!c.k.kubord2().shape4(5).visible());
        c.s.Command2.click();
        QVERIFY(!c.k.boards.current());
    }

    // The board's screen unplugged or replaced closes the board; a screen
    // added leaves it open. The operator opens it again on what is there.
    void screensChanged()
    {
        const Screen primary = screenAt(0, 0, 1280, 800, true);
        const Screen second = screenAt(1280, 0, 1920, 1080);
        const Screen third = screenAt(3200, 0, 1024, 768);
        for (const std::vector<Screen>& after : {std::vector{primary},
                                                 {primary, screenAt(1280, 0, 1024, 768)},
                                                 {primary, second, third}}) {
            TestConsole c;
            c.k.boardOpening.startbord();
            c.ports.screens.replace(after);
            QCOMPARE(c.k.boards.current() != nullptr, after.size() == 3);
            c.k.boardOpening.startbord();
            QVERIFY(c.k.boards.isShown());
        }
    }

    // Plain and mirrored, each competitor's things stand in their own half,
    // and the two halves' score rows look alike: "IP", ippon, "WA", waza-ari
    // at the same places within each half. A change of the mirror choice
    // closes the board.
    void halvesAlike()
    {
        for (int mirror : {0, 1}) {
            TestConsole c;
            Kubord2& b = open(c, 1920, 1080, "1 1 1", mirror);
            const QRectF aka = box(b.Shape1);
            const QRectF shiro = box(b.Shape2);
            QCOMPARE(aka.left() > shiro.left(), mirror == 1);
            for (Element* e : {&b.scri, &b.scrw, &b.label1(16), &b.label1(17), &b.label1(11),
                               &b.Frame5, &b.shape4(8), &b.label1(4)})
                QVERIFY2(aka.contains(box(*e)), qPrintable(e->displayName()));
            for (Element* e : {&b.scwi, &b.scww, &b.label1(18), &b.label1(19), &b.label1(12),
                               &b.Frame6, &b.shape4(16), &b.label1(8)})
                QVERIFY2(shiro.contains(box(*e)), qPrintable(e->displayName()));
            for (const auto& [a, s] : {std::pair{&b.scri, &b.scwi},
                                       {&b.scrw, &b.scww},
                                       {&b.label1(16), &b.label1(18)},
                                       {&b.label1(17), &b.label1(19)}})
                QVERIFY2(nearly(a->left() - aka.left(), s->left() - shiro.left()),
                         qPrintable(a->displayName()));
            c.s.Check23.setValue(1 - mirror);
            QVERIFY(!c.k.boards.current());
        }
    }

    // Ticking the side swap puts Aka's controls into the left half and
    // Shiro's into the right, the halves changing places; a greyed value
    // leaves them; unticking puts them back. Only places across change.
    void sideSwap()
    {
        TestConsole c;
        MatchState& s = c.s;
        const QStringList aka{"Frame21",   "Label19",  "Check11",   "Label9", "Command6",
                              "Command10", "Command8", "MyButton2", "scri",   "scrw"};
        const QStringList shiro{"Frame20",   "Label18", "Check2",   "Label13", "SanbonB",
                                "MyButton1", "NihonB",  "Command9", "scwi",    "scww"};
        std::map<const Element*, QRectF> before;
        for (const Element* e : s.elements())
            before[e] = box(*e, false);
        for (int value : {1, 2, 0}) {
            s.Check24.setValue(value);
            QCOMPARE(s.Shape2.left() < s.Shape1.left(), value > 0);
            for (const QString& n : aka + shiro) {
                const Element& half = aka.contains(n) ? s.Shape2 : s.Shape1;
                QVERIFY2(box(half, false).contains(box(*s.find(n), false)), qPrintable(n));
            }
            for (const Element* e : s.elements()) {
                const QRectF was = before[e];
                const bool moves = aka.contains(e->name()) || shiro.contains(e->name()) ||
                                   e == &s.Shape1 || e == &s.Shape2;
                QVERIFY2(e->top() == was.top() && e->width() == was.width() &&
                             (moves || e->left() == was.left()),
                         qPrintable(e->name()));
            }
        }
    }

    // Each penalty row's lamps, from the "A" side to the "H" side: in line,
    // apart, inside the frame, each hidden in front of an unlit lamp; yellow,
    // red in the "H" column.
    void penaltyGrids()
    {
        Kubord2 b;
        const std::vector<int> rows[] = {{5, 6, 7},    {25, 24, 23}, {9, 10, 11, 12},
                                         {13, 14, 15}, {28, 27, 26}, {17, 18, 19, 20}};
        for (const std::vector<int>& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const Element& lamp = b.shape4(row[i]);
                const auto under = [&](const Element* u) {
                    return u->visible() && u->shape() == ShapeKind::Circle &&
                           position(b, u) < position(b, &lamp) &&
                           (box(*u).center() - box(lamp).center()).manhattanLength() <= 15;
                };
                QVERIFY2(!lamp.visible() && box(*lamp.container()).contains(box(lamp)) &&
                             std::abs(lamp.top() - b.shape4(row[0]).top()) <= 15 &&
                             (i == 0 || box(lamp).left() > box(b.shape4(row[i - 1])).right()) &&
                             std::any_of(b.paintOrder().begin(), b.paintOrder().end(), under),
                         qPrintable(lamp.displayName()));
                QCOMPARE(lamp.backColor(), i + 1 == row.size() ? 0x0000FF : 0x00FFFF);
            }
        }
    }

    // Every element but the window is painted. Every visible text is
    // painted in front of the shapes and frames it overlaps and reads
    // clearly against what is behind it. All
    // shapes and frames are on the board, but the KO panel waits below it.
    void textsReadable()
    {
        Kubord2 b;
        QCOMPARE(b.paintOrder().size(), b.elements().size() - 1);
        for (const Element* t : b.elements()) {
            QVERIFY(t == &b.form() || position(b, t) < int(b.paintOrder().size()));
            const bool ko = t == &b.Frame4 || t == &b.shape4(21);
            if (t->kind() != ElementKind::Label && !t->container() && t != &b.form())
                QVERIFY2(box(b.form()).contains(box(*t)) != ko, qPrintable(t->displayName()));
            if (t->kind() != ElementKind::Label || !shown(*t))
                continue;
            const Element* behind = nullptr;
            for (const Element* e : b.paintOrder()) {
                if (e == t || !shown(*e) || !box(*e).intersects(box(*t)))
                    continue;
                if (e->kind() != ElementKind::Label && position(b, e) > position(b, t))
                    QFAIL(qPrintable(e->displayName() + " hides " + t->displayName()));
                if (e->kind() != ElementKind::Label && box(*e).contains(box(*t).center()))
                    behind = e;
            }
            QVERIFY2(behind &&
                         std::abs(lightness(t->foreColor()) - lightness(behind->backColor())) > 0.3,
                     qPrintable(t->displayName()));
        }
    }
};

KESTRANE_MODEL_TEST_MAIN(TestBoard)
#include "tst_board.moc"
