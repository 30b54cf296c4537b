#include "board/BoardRenderer.h"
#include "board/Kubord2.h"
#include "board/LabelMeasure.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPainter>

#include <cmath>

using kestrane::Alignment;
using kestrane::BoardRenderer;
using kestrane::Element;
using kestrane::Kubord2;

namespace {

// Colours as the tables name them, in RGB.
const QColor kRed(0xC0, 0, 0);
const QColor kBrightRed(0xFF, 0, 0);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kMaroon(0x80, 0, 0);
const QColor kVeryDarkRed(0x40, 0, 0);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kDarkGrey(0x40, 0x40, 0x40);
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 0xC0);

// The picture of a board and the scale it was drawn at; places are given in
// the design's twips, measured from the window.
struct Picture {
    QImage image;
    double scale;

    int px(double twips) const { return static_cast<int>(std::floor(twips / 15.0 * scale)); }
    QColor at(double x, double y) const { return image.pixelColor(px(x), px(y)); }
    // Pixels of about this colour in a box of twips.
    int count(double x, double y, double w, double h, const QColor& c, int tolerance = 40) const
    {
        int n = 0;
        for (int j = px(y); j < px(y + h); ++j)
            for (int i = px(x); i < px(x + w); ++i)
                n += near(image.pixelColor(i, j), c, tolerance) ? 1 : 0;
        return n;
    }
    static bool near(const QColor& a, const QColor& b, int tolerance)
    {
        return std::abs(a.red() - b.red()) <= tolerance &&
               std::abs(a.green() - b.green()) <= tolerance &&
               std::abs(a.blue() - b.blue()) <= tolerance;
    }
};

Picture render(const Kubord2& board, double scale)
{
    const QSize size(static_cast<int>(std::lround(16000 / 15.0 * scale)),
                     static_cast<int>(std::lround(9000 / 15.0 * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    BoardRenderer(scale).paint(p, board, image.rect());
    return {image, scale};
}

// A lamp: its frame's Left, its own Left and Top inside the frame.
struct LampPlace {
    double frameLeft, left, top;
};

#define COMPARE_COLOUR(actual, expected)                                                           \
    QVERIFY2(                                                                                      \
        (actual) == (expected),                                                                    \
        qPrintable(QStringLiteral("%1 instead of %2").arg((actual).name(), (expected).name())))

#define COMPARE_NEAR(actual, expected)                                                             \
    QVERIFY2(                                                                                      \
        Picture::near((actual), (expected), 40),                                                   \
        qPrintable(QStringLiteral("%1 instead of %2").arg((actual).name(), (expected).name())))

} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT

    static void scales()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("design 1067x600") << 1.0;
        QTest::newRow("scaled 1920x1080") << 1.8;
    }

private Q_SLOTS:
    void halves_data() { scales(); }
    // Red left half, light-grey right half, meeting in the middle.
    void halves()
    {
        QFETCH(double, scale);
        Kubord2 b;
        const Picture pic = render(b, scale);
        QCOMPARE(pic.image.size(), scale == 1.0 ? QSize(1067, 600) : QSize(1920, 1080));
        COMPARE_COLOUR(pic.at(10, 8990), kRed);
        COMPARE_COLOUR(pic.at(7970, 8600), kRed);
        COMPARE_COLOUR(pic.at(8030, 8600), kLightGrey);
        COMPARE_COLOUR(pic.at(15990, 8990), kLightGrey);
        COMPARE_COLOUR(pic.image.pixelColor(pic.image.width() - 1, pic.image.height() - 1),
                       kLightGrey);
    }

    void whiteBoxes_data() { scales(); }
    // The clock box and the field-number box are white with a maroon line,
    // and their digits are drawn.
    void whiteBoxes()
    {
        QFETCH(double, scale);
        Kubord2 b;
        const Picture pic = render(b, scale);
        COMPARE_COLOUR(pic.at(5020, 3600), kWhite);  // Shape3, left of the clock
        COMPARE_COLOUR(pic.at(10950, 3600), kWhite); // and right of it
        COMPARE_COLOUR(pic.at(5180, 4790), kWhite);  // Frame1's corners
        COMPARE_COLOUR(pic.at(10800, 2530), kWhite);
        COMPARE_NEAR(pic.at(4925, 3600), kMaroon);
        COMPARE_COLOUR(pic.at(6900, 1000), kWhite); // Shape5
        COMPARE_COLOUR(pic.at(9080, 1000), kWhite);
        COMPARE_NEAR(pic.at(6845, 1000), kMaroon);
        // "0:00" and "0" in black.
        QVERIFY(pic.count(5160, 2520, 5655, 2295, kBlack) > 2000 * scale * scale);
        QVERIFY(pic.count(7560, 280, 900, 1600, kBlack) > 400 * scale * scale);
    }

    void unlitLamps_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("frameLeft");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QColor>("border");
        // Aka's grid in Frame5 (Left 360), Shiro's in Frame6 (Left 11280).
        const double aka[10][2] = {{1830, 840},  {2680, 840},  {3520, 840},  {1830, 1920},
                                   {2680, 1920}, {3520, 1920}, {1005, 3050}, {1830, 3050},
                                   {2680, 3050}, {3525, 3050}};
        const double shiro[10][2] = {{1830, 840},  {2680, 840},  {3520, 840}, {1830, 1920},
                                     {2680, 1920}, {3520, 1920}, {990, 3050}, {1830, 3050},
                                     {2680, 3050}, {3520, 3050}};
        for (double scale : {1.0, 1.8}) {
            for (int i = 0; i < 10; ++i) {
                QTest::addRow("Aka %d at %g", i, scale)
                    << scale << 360.0 << aka[i][0] << aka[i][1] << kVeryDarkRed << kBlack;
                QTest::addRow("Shiro %d at %g", i, scale)
                    << scale << 11280.0 << shiro[i][0] << shiro[i][1] << kGrey << kDarkGrey;
            }
        }
    }

    // The ten unlit lamps of each panel, in their colours at their places,
    // and no lit lamp in front of them.
    void unlitLamps()
    {
        QFETCH(double, scale);
        QFETCH(double, frameLeft);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(QColor, back);
        QFETCH(QColor, border);
        Kubord2 b;
        const Picture pic = render(b, scale);
        const double x = frameLeft + left;
        const double y = 1440 + top;
        COMPARE_COLOUR(pic.at(x + 300, y + 300), back);
        COMPARE_COLOUR(pic.at(x + 150, y + 300), back);
        COMPARE_NEAR(pic.at(x + 300, y + 8), border);   // top of the ring
        COMPARE_NEAR(pic.at(x + 592, y + 300), border); // right of the ring
        // Outside the circle, in the box's corner: the row bar.
        QVERIFY(!Picture::near(pic.at(x + 20, y + 20), back, 10));
    }

    void nothingLitAtDesign_data() { scales(); }
    // No "S" indicator: its place shows the half's background.
    void nothingLitAtDesign()
    {
        QFETCH(double, scale);
        Kubord2 b;
        const Picture pic = render(b, scale);
        COMPARE_COLOUR(pic.at(5700, 1260), kRed);
        COMPARE_COLOUR(pic.at(10020, 1260), kLightGrey);
        QCOMPARE(pic.count(0, 0, 16000, 9000, QColor(0xFF, 0xFF, 0), 20), 0); // no yellow
    }

    void koPanel_data() { scales(); }
    // The KO panel, moved into view as the count does, is drawn only when
    // shown; shown, it covers the field-number box.
    void koPanel()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.shape4(21).setTop(120);
        b.Frame4.setTop(520);
        Picture pic = render(b, scale);
        COMPARE_NEAR(pic.at(6845, 1000), kMaroon);
        // "Tatami", below where the KO background's top line will be.
        const int tatami = pic.count(7320, 200, 1365, 380, kBlack);
        QVERIFY(tatami > 50 * scale * scale);

        b.shape4(21).setVisible(true);
        b.Frame4.setVisible(true);
        b.label1(14).setVisible(true);
        pic = render(b, scale);
        COMPARE_COLOUR(pic.at(6845, 1000), kWhite);
        QCOMPARE(pic.count(7320, 200, 1365, 380, kBlack), 0);
        // "00" in Frame4, where the clock's ":" was.
        QVERIFY(pic.count(5880 + 720, 520, 2880, 2800, kBlack) > 3000 * scale * scale);
    }

    void letters_data() { scales(); }
    // The column "A" letters are drawn, the row "A" letters not; the WUKF
    // rule set's swap shows the other pair.
    void letters()
    {
        QFETCH(double, scale);
        Kubord2 b;
        // Letter boxes in window twips: Aka's white, Shiro's black.
        auto akaColumnA = [](const Picture& p) {
            return p.count(360 + 1920, 1440, 405, 690, kWhite);
        };
        auto akaRowA = [](const Picture& p) { return p.count(360, 1440 + 840, 405, 690, kWhite); };
        auto shiroColumnA = [](const Picture& p) {
            return p.count(11280 + 1920, 1440, 405, 690, kBlack);
        };
        auto shiroRowA = [](const Picture& p) {
            return p.count(11280, 1440 + 840, 405, 690, kBlack);
        };
        Picture pic = render(b, scale);
        const int ink = static_cast<int>(100 * scale * scale);
        QVERIFY(akaColumnA(pic) > ink);
        QVERIFY(shiroColumnA(pic) > ink);
        QCOMPARE(akaRowA(pic), 0);
        QCOMPARE(shiroRowA(pic), 0);

        for (int i : {0, 10})
            b.label1(i).setVisible(false);
        for (int i : {20, 21})
            b.label1(i).setVisible(true);
        pic = render(b, scale);
        QCOMPARE(akaColumnA(pic), 0);
        QCOMPARE(shiroColumnA(pic), 0);
        QVERIFY(akaRowA(pic) > ink);
        QVERIFY(shiroRowA(pic) > ink);
    }

    void sLettersOnCircles_data() { scales(); }
    // Shown together, each "S" is drawn in front of its circle.
    void sLettersOnCircles()
    {
        QFETCH(double, scale);
        Kubord2 b;
        for (int i : {8, 16})
            b.shape4(i).setVisible(true);
        for (int i : {4, 8})
            b.label1(i).setVisible(true);
        const Picture pic = render(b, scale);
        COMPARE_COLOUR(pic.at(5350, 1260), kBrightRed); // the circles, beside the letters
        COMPARE_COLOUR(pic.at(9670, 1260), kBrightRed);
        const int ink = static_cast<int>(80 * scale * scale);
        QVERIFY(pic.count(5500, 940, 405, 570, kWhite) > ink);
        QVERIFY(pic.count(9820, 940, 405, 570, kWhite) > ink);
    }

    void hiddenFrameHidesChildren_data() { scales(); }
    void hiddenFrameHidesChildren()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.Frame5.setVisible(false);
        const Picture pic = render(b, scale);
        // Where the lamps and bars were: Aka's half background.
        COMPARE_COLOUR(pic.at(360 + 1830 + 300, 1440 + 840 + 300), kRed);
        COMPARE_COLOUR(pic.at(360 + 2000, 1440 + 1800 + 100), kRed);
        QCOMPARE(pic.count(360, 1440, 4335, 3855, kWhite), 0); // no letters
    }

    void frameClipsChildren_data() { scales(); }
    // A lamp pushed past its frame's right edge is cut off there.
    void frameClipsChildren()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.shape4(30).setLeft(4000); // Frame5 is 4335 wide
        const Picture pic = render(b, scale);
        const double y = 1440 + 840 + 300;
        COMPARE_COLOUR(pic.at(360 + 4200, y), kVeryDarkRed);
        COMPARE_COLOUR(pic.at(360 + 4450, y), kRed);
        COMPARE_COLOUR(pic.at(360 + 4340, y), kRed);
    }

    void labelBacks_data() { scales(); }
    // An opaque label fills its box; a transparent one never draws its back.
    void labelBacks()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.Label5.setBackColor(0xC00000);
        const Picture pic = render(b, scale);
        COMPARE_COLOUR(pic.at(5160 + 140, 2520 + 2250), kBlue);
        // scwi and scww store blue backs but show the grey half behind them.
        QCOMPARE(pic.count(9790, 5600, 1455, 2955, kBlue, 60), 0);
        QCOMPARE(pic.count(13800, 5600, 1455, 2955, kBlue, 60), 0);
        COMPARE_COLOUR(pic.at(9800, 5610), kLightGrey);
    }

    void centredLabelKeepsCentre_data() { scales(); }
    // A centred score growing from "0" to "10" stays centred on the same
    // place; a left-aligned one grows to the right.
    void centredLabelKeepsCentre()
    {
        QFETCH(double, scale);
        kestrane::LabelMeasure measure;
        Kubord2 b;
        b.setTextMeasure(&measure);
        b.label1(16).setVisible(false); // "IP" and "WA" beside it
        b.label1(17).setVisible(false);
        b.scri.setAlignment(Alignment::Centre);
        auto inkColumns = [&](const Picture& p) {
            int first = -1, last = -1;
            for (int i = p.px(0); i < p.px(5700); ++i) {
                for (int j = p.px(5600); j < p.px(8555); ++j) {
                    if (Picture::near(p.image.pixelColor(i, j), kWhite, 30)) {
                        if (first < 0)
                            first = i;
                        last = i;
                        break;
                    }
                }
            }
            return std::pair{first, last};
        };
        const auto [zeroFirst, zeroLast] = inkColumns(render(b, scale));
        b.scri.setCaption(QStringLiteral("10"));
        const auto [tenFirst, tenLast] = inkColumns(render(b, scale));
        QVERIFY(tenLast - tenFirst > 1.5 * (zeroLast - zeroFirst));
        QVERIFY2(std::abs((tenFirst + tenLast) - (zeroFirst + zeroLast)) <= 4 * scale,
                 qPrintable(QStringLiteral("0: %1-%2, 10: %3-%4")
                                .arg(zeroFirst)
                                .arg(zeroLast)
                                .arg(tenFirst)
                                .arg(tenLast)));

        b.scri.setCaption(QStringLiteral("0"));
        b.scri.setAlignment(Alignment::Left);
        b.scri.setCaption(QStringLiteral("10"));
        const auto [leftFirst, leftLast] = inkColumns(render(b, scale));
        QVERIFY((leftFirst + leftLast) - (zeroFirst + zeroLast) > zeroLast - zeroFirst);
    }

    void partialPaint_data() { scales(); }
    // Painting a part of the board gives the same pixels there as painting
    // it all, and touches nothing outside.
    void partialPaint()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.shape4(5).setVisible(true);
        const Picture whole = render(b, scale);
        QImage part(whole.image.size(), QImage::Format_RGB32);
        part.fill(Qt::magenta);
        const QRect area(whole.px(1500), whole.px(1700), whole.px(5000), whole.px(3000));
        {
            QPainter p(&part);
            BoardRenderer(scale).paint(p, b, area);
        }
        for (int j = 0; j < part.height(); j += 3) {
            for (int i = 0; i < part.width(); i += 3) {
                const QColor expected =
                    area.contains(i, j) ? whole.image.pixelColor(i, j) : QColor(Qt::magenta);
                if (part.pixelColor(i, j) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(i).arg(j)));
            }
        }
    }

    // Writes the design board, scaled to 1920 x 1080, for the docs:
    //   KESTRANE_BOARD_PNG=docs/board.png tst_boardrenderer savePicture
    void savePicture()
    {
        const QByteArray path = qgetenv("KESTRANE_BOARD_PNG");
        if (path.isEmpty())
            QSKIP("set KESTRANE_BOARD_PNG to write the picture");
        kestrane::LabelMeasure measure;
        Kubord2 board;
        board.setTextMeasure(&measure);
        QVERIFY(render(board, 1.8).image.save(QString::fromLocal8Bit(path)));
    }
};

KESTRANE_TEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
