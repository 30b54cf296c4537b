#include "BoardTestHelpers.h"
#include "core/Numbers.h"
#include "core/Twips.h"
#include "support/TestMain.h"

// Data-driven rows carry desktops.
Q_DECLARE_METATYPE(std::vector<kestrane::ScreenPort::Screen>)

using namespace kestrane;
using namespace kestrane::test;

namespace {

struct Snapshot {
    QString name;
    double left, top, width, height, font;
    bool visible;
    QString caption;
    Alignment alignment;
    bool operator==(const Snapshot&) const = default;
};

std::vector<Snapshot> snapshot(Kubord2& b)
{
    std::vector<Snapshot> out;
    for (const Element* e : b.elements()) {
        out.push_back({e->displayName(), e->left(), e->top(), e->width(), e->height(),
                       e->fontSize(), e->visible(), e->caption(), e->alignment()});
    }
    return out;
}

} // namespace

class TestOpening : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The numbers of the scaling, on audience screens of several shapes and
    // with each correction setting.
    void scaling_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QString>("hsch");
        QTest::addColumn<QString>("vsch");
        QTest::addColumn<QString>("fsch");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("which");
        QTest::addColumn<double>("expected");

        struct Row {
            const char* element;
            const char* which;
            double expected;
        };
        auto add = [](const char* tag, int w, int h, const char* hs, const char* vs, const char* fs,
                      std::initializer_list<Row> rows) {
            for (const Row& r : rows) {
                QTest::addRow("%s %s.%s", tag, r.element, r.which)
                    << w << h << hs << vs << fs << r.element << r.which << r.expected;
            }
        };

        // 4:3, narrow: factors 0.96 across, 1.28 down.
        add("1024x768", 1024, 768, "1", "1", "1",
            {{"Shape1", "left", 0},          {"Shape1", "width", 7680},
             {"Shape1", "height", 11520},    {"Shape2", "left", 7680},
             {"Shape2", "width", 7680},      {"scri", "left", 1718.4},
             {"scri", "top", 7884.8},        {"scri", "font", 124.56},
             {"scww", "left", 13248},        {"scww", "top", 7884.8},
             {"Label5", "left", 115.2},      {"Label5", "top", 224},
             {"Label6", "top", 220.8},       {"Label5", "font", 124.56},
             {"Label4", "left", 7257.6},     {"Label4", "top", 716.8},
             {"Label4", "font", 77.04},      {"Label1(12)", "left", 10782.72},
             {"Label1(12)", "font", 76.8},   {"Label1(13)", "left", 6746.112},
             {"Label1(13)", "top", 128},     {"Label1(13)", "font", 25.92},
             {"Label1(14)", "left", 69.12},  {"Label1(14)", "font", 166.08},
             {"Label1(16)", "left", 288},    {"Label1(16)", "top", 8448},
             {"Label1(16)", "font", 50.88},  {"Frame4", "left", 5644.8},
             {"Frame4", "top", 10080},       {"Frame4", "width", 4046.4},
             {"Frame4", "height", 4012.8},   {"Shape4(21)", "top", 5836.8},
             {"Shape4(21)", "left", 5068.8}, {"Shape4(21)", "width", 5184},
             {"Frame5", "left", 345.6},      {"Frame5", "top", 1843.2},
             {"Frame5", "width", 4161.6},    {"Frame5", "height", 4934.4},
             {"Shape4(5)", "left", 1756.8},  {"Shape4(5)", "top", 1075.2},
             {"Shape4(5)", "width", 576},    {"Shape4(5)", "height", 768},
             {"Shape3", "left", 4723.2},     {"Shape3", "height", 4012.8},
             {"Shape5", "width", 2203.2},    {"Shape5", "top", 153.6}});
        // 16:9: everything 1.8, no narrow-screen correction.
        add("1920x1080", 1920, 1080, "1", "1", "1",
            {{"scri", "left", 3222},
             {"scri", "top", 10080},
             {"scri", "font", 233.55},
             {"Label5", "left", 216},
             {"Label5", "top", -630},
             {"Label4", "top", 504},
             {"Label4", "font", 144.45},
             {"Label1(12)", "left", 22464},
             {"Label1(13)", "left", 13176},
             {"Label1(14)", "left", 1296},
             {"Shape1", "width", 14400},
             {"Shape1", "height", 16200},
             {"Shape2", "left", 14400},
             {"Shape4(21)", "top", 8208},
             {"Frame4", "top", 10080}});
        // 3:2, ratio exactly 1.5: not narrow.
        add("1440x960", 1440, 960, "1", "1", "1",
            {{"Label4", "top", 448},
             {"scri", "top", 8960},
             {"scri", "left", 2416.5},
             {"Label1(12)", "left", 16848},
             {"Label5", "top", -560},
             {"Label1(14)", "left", 972}});
        // Horizontal scale 2: half the proportional Left and width, the
        // half backgrounds still fill the screen.
        add("hsch 2", 1920, 1080, "2", "1", "1",
            {{"scri", "left", 1611},
             {"Frame5", "left", 324},
             {"Frame5", "width", 3901.5},
             {"Shape4(5)", "width", 540},
             {"Shape4(5)", "height", 1080},
             {"Shape1", "width", 14400},
             {"Shape2", "left", 14400},
             {"scri", "font", 233.55}});
        // The leading-number rule: "2,5" reads as 2.
        add("hsch 2,5", 1920, 1080, "2,5", "1", "1", {{"scri", "left", 1611}});
        // Font scale 2 halves every font but the Label1 items'.
        add("fsch 2", 1920, 1080, "1", "1", "2",
            {{"scri", "font", 116.775},
             {"Label4", "font", 72.225},
             {"Label5", "font", 116.775},
             {"Label1(16)", "font", 71.55},
             {"Label1(11)", "font", 108},
             {"scri", "left", 3222}});
        add("hsch 0.5", 1920, 1080, "0.5", "1", "1",
            {{"scri", "left", 6444},
             {"Shape3", "width", 22032},
             {"Frame6", "left", 40608},
             {"Shape1", "width", 14400}});
        add("vsch 2", 1920, 1080, "1", "2", "1",
            {{"scri", "top", 5040}, {"Label1(16)", "font", 35.775}, {"Shape4(21)", "top", 4104}});
    }

    void scaling()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QString, hsch);
        QFETCH(QString, vsch);
        QFETCH(QString, fsch);
        QFETCH(QString, element);
        QFETCH(QString, which);
        QFETCH(double, expected);
        TestConsole c;
        useAudienceScreen(c, w, h);
        c.s.hsch.setText(hsch);
        c.s.vsch.setText(vsch);
        c.s.fsch.setText(fsch);
        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
        const double actual = valueOf(boardElement(c.k.kubord2(), element), which);
        QVERIFY2(nearly(actual, expected), qPrintable(QStringLiteral("%1 %2: %3, expected %4")
                                                          .arg(element, which)
                                                          .arg(actual, 0, 'f', 4)
                                                          .arg(expected, 0, 'f', 4)));
    }

    // With 1, 1, 1 on a 16:9 screen every element grows by the same factor,
    // and labels keep their design size (they size themselves to the text).
    // The numbers are centred, so that they stay in place when they grow a digit.
    void uniformGrowth()
    {
        TestConsole c;
        Kubord2 design;
        c.k.boardOpening.startbord();
        Kubord2& b = c.k.kubord2();
        for (Element* e : b.elements()) {
            if (e->kind() == ElementKind::Form)
                continue;
            const Element& d = *design.find(e->displayName());
            const QString n = e->displayName();
            QVERIFY2(nearly(e->left(), d.left() * 1.8), qPrintable(n));
            const bool centred = QStringList{"scrw", "scri", "scww", "scwi", "Label4"}.contains(n);
            QCOMPARE(e->alignment() == Alignment::Centre, centred);
            if (n != QLatin1String("Frame4") && n != QLatin1String("Shape4(21)"))
                QVERIFY2(nearly(e->top(), d.top() * 1.8), qPrintable(n));
            if (e->kind() == ElementKind::Label) {
                QVERIFY2(nearly(e->fontSize(), d.fontSize() * 1.8), qPrintable(n));
                QCOMPARE(e->width(), d.width());
                QCOMPARE(e->height(), d.height());
            } else {
                QVERIFY2(nearly(e->width(), d.width() * 1.8), qPrintable(n));
                QVERIFY2(nearly(e->height(), d.height() * 1.8), qPrintable(n));
            }
        }
    }

    // The two half backgrounds cover exactly the board, whatever its shape.
    void backgroundsFillBoard_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::newRow("1024x768") << 1024 << 768;
        QTest::newRow("1366x768") << 1366 << 768;
        QTest::newRow("1920x1080") << 1920 << 1080;
        QTest::newRow("3840x2160") << 3840 << 2160;
        QTest::newRow("portrait 800x1280") << 800 << 1280;
    }

    void backgroundsFillBoard()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        TestConsole c;
        useAudienceScreen(c, w, h);
        c.s.hsch.setText(QStringLiteral("1.3"));
        c.s.vsch.setText(QStringLiteral("0.7"));
        c.k.boardOpening.startbord();
        const Kubord2& b = c.k.kubord2();
        QCOMPARE(c.k.boards.screenIndex(), 1);
        QVERIFY(nearly(b.Shape1.left(), 0));
        QVERIFY(nearly(b.Shape2.left(), b.Shape1.width()));
        QVERIFY(nearly(b.Shape1.width() + b.Shape2.width(), w * 15.0));
        QVERIFY(nearly(b.Shape1.height(), h * 15.0));
        QVERIFY(nearly(b.Shape2.height(), h * 15.0));
    }

    // Only exactly zero is refused, with the message, and nothing is shown.
    void zeroScaleRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        auto row = [](const char* field, const char* text) {
            QTest::addRow("%s '%s'", field, text)
                << QString::fromLatin1(field) << QString::fromLatin1(text);
        };
        row("hsch", "0");
        row("vsch", "abc");
        row("fsch", "");
        row("hsch", "  0 ");
        row("vsch", "-0");
        row("fsch", "0.000");
        row("hsch", ",5");
    }

    void zeroScaleRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        TestConsole c;
        c.k.boardOpening.startbord(); // an open board goes first
        QVERIFY(c.k.boards.isShown());
        const QString sb = c.s.sbtxt.text();
        c.s.find(field)->setText(text);
        c.k.boardOpening.startbord();
        QCOMPARE(c.ports.messages.shown.size(), std::size_t(1));
        QCOMPARE(c.ports.messages.shown[0].first,
                 QStringLiteral("scale can not be zero in setup file"));
        QCOMPARE(c.ports.messages.shown[0].second, 48);
        QVERIFY(!c.k.boards.isShown());
        QCOMPARE(c.s.sbtxt.text(), sb);
    }

    // Where the console and the board land on the desktops of a real hall.
    // The console opens at (2000, 100) twips from the primary's corner and
    // stays wholly on the primary; the board goes to the screen containing
    // (primary's full width + 100 twips, 0), else to the largest other one
    // (on a tie the one nearest the primary's right edge), and fills its
    // usable area: boardPixels is that area in the screen's device pixels.
    void arrangements_data()
    {
        QTest::addColumn<std::vector<Screen>>("screens");
        QTest::addColumn<QPoint>("console");
        QTest::addColumn<int>("board");
        QTest::addColumn<QSize>("boardPixels");
        const Screen laptop = screenAt(0, 0, 1280, 800, true);
        const Screen right = screenAt(1280, 0, 1920, 1080);
        auto docked = [](Screen s, ScreenPort::Rect available) {
            s.available = available;
            return s;
        };
        auto hidpi = [](Screen s) {
            s.devicePixelRatio = 2;
            return s;
        };
        auto row = [](const char* tag, std::vector<Screen> screens, QPoint console, int board,
                      QSize pixels) {
            QTest::newRow(tag) << screens << console << board << pixels;
        };
        row("projector right", {laptop, right}, {133, 7}, 1, {1920, 1080});
        row("projector left", {screenAt(0, 0, 1920, 1080), screenAt(1920, 0, 1280, 800, true)},
            {2053, 7}, 0, {1920, 1080});
        row("projector above", {screenAt(0, 1080, 1280, 800, true), screenAt(0, 0, 1920, 1080)},
            {133, 1087}, 1, {1920, 1080});
        row("projector below", {laptop, screenAt(0, 800, 1920, 1080)}, {133, 7}, 1, {1920, 1080});
        row("primary not at the origin",
            {screenAt(0, 0, 1920, 1080), screenAt(1920, 0, 1280, 800, true),
             screenAt(3200, 0, 1024, 768)},
            {2053, 7}, 2, {1024, 768});
        row("three screens, the smaller one right",
            {screenAt(-1920, 0, 1920, 1080), laptop, screenAt(1280, 0, 1024, 768)}, {133, 7}, 2,
            {1024, 768});
        row("three screens, none right: tie goes nearer the right edge",
            {screenAt(-1920, 0, 1920, 1080), laptop, screenAt(0, 800, 1920, 1080)}, {133, 7}, 2,
            {1920, 1080});
        row("three screens, none right: the larger one",
            {laptop, screenAt(0, 800, 1920, 1080), screenAt(-1920, 0, 1920, 1200)}, {133, 7}, 2,
            {1920, 1200});
        row("dock left of the primary", {docked(laptop, {64, 0, 1216, 800}), right}, {133, 7}, 1,
            {1920, 1080});
        row("dock right of the primary", {docked(laptop, {0, 0, 1272, 800}), right}, {133, 7}, 1,
            {1920, 1080});
        row("panel on the projector", {laptop, docked(right, {1280, 0, 1920, 1040})}, {133, 7}, 1,
            {1920, 1040});
        row("single screen", {docked(laptop, {0, 0, 1280, 760})}, {133, 7}, 0, {1280, 760});
        row("primary too narrow for the place", {screenAt(0, 0, 800, 600, true), right}, {103, 7},
            1, {1920, 1080});
        // 1280 x 800 device pixels at ratio 2: 640 x 400 logical pixels, too
        // small for the console, which goes to the usable area's corner.
        row("ratio 2 on the primary",
            {docked(hidpi(screenAt(0, 0, 640, 400, true)), {0, 24, 640, 376}), right}, {0, 24}, 1,
            {1920, 1080});
        row("ratio 2 on the projector", {laptop, hidpi(right)}, {133, 7}, 1, {3840, 2160});
    }

    void arrangements()
    {
        QFETCH(std::vector<Screen>, screens);
        QFETCH(QPoint, console);
        QFETCH(int, board);
        QFETCH(QSize, boardPixels);
        TestConsole c;
        c.ports.screens.all = screens;
        c.k.startUp.Form_Load();
        const Element& form = c.s.Kumite2;
        const ScreenPort::Point at = ScreenPort::placeOnPrimary(
            screens, form.left(), form.top(), toPixels(form.width()), toPixels(form.height()));
        QCOMPARE(QPoint(at.x, at.y), console);

        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
        QCOMPARE(c.k.boards.screenIndex(), board);
        // Measured as single-precision text with a leading blank.
        const Screen& target = screens[static_cast<std::size_t>(board)];
        QCOMPARE(c.s.sbtxt.text(), QStringLiteral(" %1").arg(target.available.width * 15));
        QCOMPARE(c.s.shtxt.text(), QStringLiteral(" %1").arg(target.available.height * 15));
        const double dpr = target.devicePixelRatio;
        QCOMPARE(QSize(qRound(Numbers::val(c.s.sbtxt.text()) / 15 * dpr),
                       qRound(Numbers::val(c.s.shtxt.text()) / 15 * dpr)),
                 boardPixels);
    }

    // A second opening discards the first board with every change made to it.
    void openingTwiceSameBoard()
    {
        TestConsole c;
        useAudienceScreen(c, 1024, 768);
        c.k.boardOpening.startbord();
        const std::vector<Snapshot> first = snapshot(c.k.kubord2());
        c.k.kubord2().scri.setLeft(5);
        c.k.kubord2().Label4.setCaption(QStringLiteral("9"));
        c.k.kubord2().shape4(5).setVisible(true);
        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
        QVERIFY(snapshot(c.k.kubord2()) == first);
    }

    void copiesClock()
    {
        TestConsole c;
        c.s.Label1.setCaption(QStringLiteral("2"));
        c.s.Label2.setCaption(QStringLiteral("4"));
        c.s.Label3.setCaption(QStringLiteral("7"));
        c.k.boardOpening.startbord();
        Kubord2& b = c.k.kubord2();
        QCOMPARE(b.Label5.caption(), QStringLiteral("2"));
        QCOMPARE(b.Label6.caption(), QStringLiteral("4"));
        QCOMPARE(b.Label8.caption(), QStringLiteral("7"));
    }

    // "Set" while the board is closed writes into a hidden board that the
    // opening discards; the opening copies Text1 again.
    void fieldNumber()
    {
        TestConsole c;
        c.s.Text1.setText(QStringLiteral("3"));
        c.s.Command12.click();
        QVERIFY(!c.k.boards.isShown());
        QCOMPARE(c.k.kubord2().Label4.caption(), QStringLiteral("3"));
        c.s.Text1.setText(QStringLiteral("5"));
        c.s.command1.click();
        QCOMPARE(c.k.kubord2().Label4.caption(), QStringLiteral("5"));
        c.s.Text1.setText(QStringLiteral("6"));
        c.s.Command12.click();
        QVERIFY(c.k.boards.isShown());
        QCOMPARE(c.k.kubord2().Label4.caption(), QStringLiteral("6"));
    }

    // The two ways in and the two ways out.
    void commands_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        auto row = [](const char* open, const char* close) {
            QTest::addRow("%s, %s", open, close)
                << QString::fromLatin1(open) << QString::fromLatin1(close);
        };
        row("startext", "closeext");
        row("command1", "Command2");
        row("startext", "Command2");
    }

    void commands()
    {
        QFETCH(QString, open);
        QFETCH(QString, close);
        TestConsole c;
        c.s.find(close)->click(); // closing nothing does nothing
        QVERIFY(!c.k.boards.current());
        c.s.find(open)->click();
        QVERIFY(c.k.boards.isShown());
        QCOMPARE(c.k.boards.screenIndex(), 1);
        c.s.find(close)->click();
        QVERIFY(!c.k.boards.isShown());
        QVERIFY(!c.k.boards.current());
    }

    // A screen unplugged under the open board closes it; other changes of
    // the desktop leave it open.
    void screensChanged_data()
    {
        QTest::addColumn<std::vector<Screen>>("before");
        QTest::addColumn<std::vector<Screen>>("after");
        QTest::addColumn<bool>("stillShown");
        const Screen primary = screenAt(0, 0, 1280, 800, true);
        const Screen second = screenAt(1280, 0, 1920, 1080);
        QTest::newRow("board's screen removed")
            << std::vector<Screen>{primary, second} << std::vector<Screen>{primary} << false;
        QTest::newRow("replaced by another")
            << std::vector<Screen>{primary, second}
            << std::vector<Screen>{primary, screenAt(1280, 0, 1024, 768)} << false;
        QTest::newRow("primary removed")
            << std::vector<Screen>{primary, second}
            << std::vector<Screen>{screenAt(1280, 0, 1920, 1080, true)} << false;
        QTest::newRow("third added")
            << std::vector<Screen>{primary, second}
            << std::vector<Screen>{primary, second, screenAt(3200, 0, 1024, 768)} << true;
        QTest::newRow("single screen, second added")
            << std::vector<Screen>{primary} << std::vector<Screen>{primary, second} << true;
    }

    void screensChanged()
    {
        QFETCH(std::vector<Screen>, before);
        QFETCH(std::vector<Screen>, after);
        QFETCH(bool, stillShown);
        TestConsole c;
        c.ports.screens.all = before;
        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
        c.ports.screens.replace(after);
        QCOMPARE(c.k.boards.isShown(), stillShown);
        QCOMPARE(c.k.boards.current() != nullptr, stillShown);
        // The operator opens it again on what is there now.
        c.k.boardOpening.startbord();
        QVERIFY(c.k.boards.isShown());
    }

    void screensChangedWithoutBoard()
    {
        TestConsole c;
        c.ports.screens.replace({screenAt(0, 0, 1280, 800, true)});
        QVERIFY(!c.k.boards.current());
        c.k.kubord2(); // a hidden board stays as it is
        c.ports.screens.replace({screenAt(0, 0, 1024, 768, true)});
        QVERIFY(c.k.boards.current());
        QVERIFY(!c.k.boards.isShown());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestOpening)
#include "tst_opening.moc"
