#include "BoardTestHelpers.h"
#include "board/BoardRenderer.h"
#include "board/LabelMeasure.h"
#include "platform/ViewUnits.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPainter>

#include <cmath>

using kestrane::BoardRenderer;
using kestrane::Element;
using kestrane::Kubord2;
using kestrane::LabelMeasure;

namespace {

// Colours as the tables name them, in RGB.
const QColor kRed(0xC0, 0, 0);
const QColor kLightGrey(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kMaroon(0x80, 0, 0);
const QColor kVeryDarkRed(0x40, 0, 0);
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

// A board opened on a w x h audience screen, every label measured.
struct OpenedBoard {
    LabelMeasure measure;
    kestrane::test::TestConsole c;
    QRect all;
    OpenedBoard(QSize size, int mirror) : all(QPoint(), size)
    {
        c.k.boards.setTextMeasure(&measure);
        kestrane::test::useAudienceScreen(c, size.width(), size.height());
        c.s.Check23.setValue(mirror);
        c.k.boardOpening.startbord();
    }
    Kubord2& b() { return c.k.kubord2(); }
    // The part `area` of it, as its window paints it.
    QImage paint(const QRect& area)
    {
        QImage image(area.size(), QImage::Format_RGB32);
        QPainter p(&image);
        p.translate(-area.topLeft());
        BoardRenderer(1.0).paint(p, b(), area);
        return image;
    }
};

// Where a label's text shows on the opened board: the pixels that change
// with its colour, their bounds and their runs of ink columns.
struct Ink {
    QRect bounds;
    int runs = 0;
};

Ink inkOf(OpenedBoard& board, Element& e)
{
    const QRect area = BoardRenderer(1.0).damage(e) & board.all;
    const QImage before = board.paint(area);
    const kestrane::Colour was = e.foreColor();
    e.setForeColor(was == 0x00FF00 ? 0xFF00FF : 0x00FF00);
    const QImage after = board.paint(area);
    e.setForeColor(was);
    Ink ink;
    bool inRun = false;
    for (int x = 0; x < area.width(); ++x) {
        bool column = false;
        for (int y = 0; y < area.height(); ++y) {
            // Glyphs drawn the first time may differ by a shade at their edges.
            if (!Picture::near(before.pixelColor(x, y), after.pixelColor(x, y), 40)) {
                column = true;
                ink.bounds |= QRect(area.x() + x, area.y() + y, 1, 1);
            }
        }
        ink.runs += column && !inRun ? 1 : 0;
        inRun = column;
    }
    return ink;
}

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
    void designColours_data() { scales(); }
    // Red left half, light-grey right half, meeting in the middle; the clock
    // box and the field-number box white with a maroon line, their digits
    // black. An opaque label fills its box; a transparent one never draws
    // its back.
    void designColours()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.Label5.setBackColor(0xC00000);
        const Picture pic = render(b, scale);
        QCOMPARE(pic.image.size(), scale == 1.0 ? QSize(1067, 600) : QSize(1920, 1080));
        COMPARE_COLOUR(pic.at(10, 8990), kRed);
        COMPARE_COLOUR(pic.at(7970, 8600), kRed);
        COMPARE_COLOUR(pic.at(8030, 8600), kLightGrey);
        COMPARE_COLOUR(pic.image.pixelColor(pic.image.width() - 1, pic.image.height() - 1),
                       kLightGrey);
        COMPARE_COLOUR(pic.at(5020, 3600), kWhite);  // Shape3, left of the clock
        COMPARE_COLOUR(pic.at(10950, 3600), kWhite); // and right of it
        COMPARE_COLOUR(pic.at(5180, 4790), kWhite);  // Frame1's corners
        COMPARE_COLOUR(pic.at(10800, 2530), kWhite);
        COMPARE_NEAR(pic.at(4925, 3600), kMaroon);
        COMPARE_COLOUR(pic.at(6900, 1000), kWhite); // Shape5
        COMPARE_COLOUR(pic.at(9080, 1000), kWhite);
        COMPARE_NEAR(pic.at(6845, 1000), kMaroon);
        QVERIFY(pic.count(5160, 2520, 5655, 2295, kBlack) > 2000 * scale * scale);
        QVERIFY(pic.count(7560, 280, 900, 1600, kBlack) > 400 * scale * scale);
        COMPARE_COLOUR(pic.at(5160 + 140, 2520 + 2250), kBlue); // Label5's back
        // scwi and scww store blue backs but show the grey half behind them.
        QCOMPARE(pic.count(9790, 5600, 1455, 2955, kBlue, 60), 0);
        QCOMPARE(pic.count(13800, 5600, 1455, 2955, kBlue, 60), 0);
    }

    void unlitLamps_data() { scales(); }
    // Every unlit lamp, where and as the model has it, with no lit lamp in
    // front of it: its back inside, its border on the ring, the row bar in
    // its box's corner. No "S" indicator, nothing yellow.
    void unlitLamps()
    {
        QFETCH(double, scale);
        Kubord2 b;
        const Picture pic = render(b, scale);
        COMPARE_COLOUR(pic.at(5700, 1260), kRed);
        COMPARE_COLOUR(pic.at(10020, 1260), kLightGrey);
        QCOMPARE(pic.count(0, 0, 16000, 9000, QColor(0xFF, 0xFF, 0), 20), 0);
        for (int i = 29; i <= 48; ++i) {
            const Element& lamp = b.shape4(i);
            const double x = lamp.container()->left() + lamp.left();
            const double y = lamp.container()->top() + lamp.top();
            const QColor back = kestrane::view::toQColor(lamp.backColor());
            COMPARE_COLOUR(pic.at(x + 300, y + 300), back);
            COMPARE_COLOUR(pic.at(x + 150, y + 300), back);
            COMPARE_NEAR(pic.at(x + 300, y + 8), kestrane::view::toQColor(lamp.borderColor()));
            COMPARE_NEAR(pic.at(x + 592, y + 300), kestrane::view::toQColor(lamp.borderColor()));
            QVERIFY(!Picture::near(pic.at(x + 20, y + 20), back, 10));
        }
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
        // Ink in both panels' letter boxes (Aka's white, Shiro's black),
        // the fewer of the two and the more.
        auto ink = [&](double left, double top) {
            const Picture p = render(b, scale);
            const int aka = p.count(360 + left, 1440 + top, 405, 690, kWhite);
            const int shiro = p.count(11280 + left, 1440 + top, 405, 690, kBlack);
            return std::pair{std::min(aka, shiro), std::max(aka, shiro)};
        };
        const int some = static_cast<int>(100 * scale * scale);
        QVERIFY(ink(1920, 0).first > some);
        QCOMPARE(ink(0, 840).second, 0);
        for (int i : {0, 10})
            b.label1(i).setVisible(false);
        for (int i : {20, 21})
            b.label1(i).setVisible(true);
        QCOMPARE(ink(1920, 0).second, 0);
        QVERIFY(ink(0, 840).first > some);
    }

    void frames_data() { scales(); }
    // A lamp pushed past its frame's right edge is cut off there; a hidden
    // frame hides its lamps, bars and letters, showing Aka's half.
    void frames()
    {
        QFETCH(double, scale);
        Kubord2 b;
        b.shape4(30).setLeft(4000); // Frame5 is 4335 wide
        Picture pic = render(b, scale);
        const double y = 1440 + 840 + 300;
        COMPARE_COLOUR(pic.at(360 + 4200, y), kVeryDarkRed);
        COMPARE_COLOUR(pic.at(360 + 4450, y), kRed);
        COMPARE_COLOUR(pic.at(360 + 4340, y), kRed);
        b.Frame5.setVisible(false);
        pic = render(b, scale);
        COMPARE_COLOUR(pic.at(360 + 1830 + 300, y), kRed);
        COMPARE_COLOUR(pic.at(360 + 2000, 1440 + 1800 + 100), kRed);
        QCOMPARE(pic.count(360, 1440, 4335, 3855, kWhite), 0);
    }

    void numbersReadable_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("mirror");
        QTest::addColumn<QStringList>("values"); // time, scri, scrw, scwi, scww
        for (QSize size :
             {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160), QSize(1024, 768)})
            for (int mirror : {0, 1})
                for (const char* values :
                     {"10:00 12 12 12 12", "99:59 99 99 99 99", "123:45 12 99 99 12"})
                    QTest::addRow("%dx%d%s %s", size.width(), size.height(),
                                  mirror ? " mirrored" : "", values)
                        << size << mirror << QString::fromLatin1(values).split(' ');
    }

    // On opened boards at every supported size, plain and mirrored: each
    // number's ink is all there (a run per character), inside its clock
    // frame, white box or half, and apart from every other label's ink. And
    // single digits show exactly as unfitted.
    void numbersReadable()
    {
        QFETCH(QSize, size);
        QFETCH(int, mirror);
        QFETCH(QStringList, values);
        OpenedBoard board(size, mirror);
        Kubord2& b = board.b();
        const QString& time = values[0];
        b.Label5.setCaption(time.section(':', 0, 0));
        b.Label6.setCaption(time.right(2).left(1));
        b.Label8.setCaption(time.right(1));
        b.Label4.setCaption(QStringLiteral("12"));
        Element* numbers[] = {&b.scri,   &b.scrw,   &b.scwi,   &b.scww,  &b.Label4,
                              &b.Label5, &b.Label7, &b.Label6, &b.Label8};
        for (int i = 0; i < 4; ++i)
            numbers[i]->setCaption(values[i + 1]);
        const BoardRenderer r(1.0);
        QHash<Element*, QRect> inks;
        for (Element* e : numbers) {
            const Ink ink = inkOf(board, *e);
            QVERIFY2(ink.runs == e->caption().size(), qPrintable(e->displayName()));
            const Element* in = e->container()                                  ? e->container()
                                : e == &b.Label4                                ? &b.Shape5
                                : r.box(b.Shape1).contains(ink.bounds.center()) ? &b.Shape1
                                                                                : &b.Shape2;
            const int border = in->borderWidth();
            QVERIFY2(r.box(*in)
                         .adjusted(border + 1, border + 1, -border - 1, -border - 1)
                         .contains(ink.bounds),
                     qPrintable(e->displayName()));
            inks.insert(e, ink.bounds);
        }
        for (int i : {11, 12, 13, 16, 17, 18, 19})
            inks.insert(&b.label1(i), inkOf(board, b.label1(i)).bounds);
        for (Element* e : numbers) {
            for (auto it = inks.cbegin(); it != inks.cend(); ++it)
                QVERIFY2(it.key() == e || !it.value().intersects(inks.value(e)),
                         qPrintable(e->displayName() + " and " + it.key()->displayName()));
        }

        for (Element* e : numbers) {
            if (e != &b.Label7)
                e->setCaption(QStringLiteral("7"));
        }
        board.paint(board.all); // glyphs drawn once, as shown since
        const QImage fitted = board.paint(board.all);
        b.setFitting(false);
        QCOMPARE(board.paint(board.all), fitted);
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

    // Writes the board opened at 1920 x 1080 with two-digit values, for the
    // docs:  KESTRANE_BOARD_PNG=docs/board.png tst_boardrenderer savePicture
    void savePicture()
    {
        const QByteArray path = qgetenv("KESTRANE_BOARD_PNG");
        if (path.isEmpty())
            QSKIP("set KESTRANE_BOARD_PNG to write the picture");
        OpenedBoard board(QSize(1920, 1080), 0);
        Kubord2& b = board.b();
        const std::pair<Element*, const char*> values[] = {
            {&b.Label5, "12"}, {&b.Label6, "3"}, {&b.Label8, "4"}, {&b.Label4, "12"},
            {&b.scri, "12"},   {&b.scrw, "10"},  {&b.scwi, "12"},  {&b.scww, "10"}};
        for (const auto& [e, text] : values)
            e->setCaption(QString::fromLatin1(text));
        QVERIFY(board.paint(board.all).save(QString::fromLocal8Bit(path)));
    }
};

KESTRANE_TEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
