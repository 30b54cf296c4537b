#include "BoardTestHelpers.h"
#include "board/BoardRenderer.h"
#include "board/LabelMeasure.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QPainter>
#include <QTextBoundaryFinder>

using namespace kestrane;

namespace {

QImage paint(const Kubord2& b, const QRect& r)
{
    QImage image(r.size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.translate(-r.topLeft());
    BoardRenderer().paint(p, b, r);
    return image;
}

QByteArray hashOf(const QImage& image)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        h.addData(QByteArrayView(image.constScanLine(y), image.width() * 4));
    return h.result().toHex().left(16);
}

// The board opened from the console on an audience screen of `size`.
Kubord2& open(test::TestConsole& c, const LabelMeasure& measure, QSize size, bool mirrored)
{
    c.k.boards.setTextMeasure(&measure);
    test::useAudienceScreen(c, size.width(), size.height());
    c.s.Check23.setValue(mirrored ? 1 : 0);
    c.k.boardOpening.startbord();
    return c.k.kubord2();
}

// The bounds of the pixels that change with a label's text colour.
QRect inkOf(Element& e, const Kubord2& b, const QRect& screen)
{
    const QRect area = BoardRenderer().damage(e) & screen;
    const QImage before = paint(b, area);
    const Colour was = e.foreColor();
    e.setForeColor(was == 0x00FF00 ? 0xFF00FF : 0x00FF00);
    const QImage after = paint(b, area);
    e.setForeColor(was);
    QRect bounds;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                bounds |= QRect(area.x() + x, area.y() + y, 1, 1);
        }
    }
    return bounds;
}

QImage glyph(const QString& text, const QFont& font)
{
    QImage image(font.pixelSize() * 3, font.pixelSize() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

// Characters of the text drawn as the box a font shows for a glyph it lacks.
QStringList boxes(const QString& text, const QFont& font)
{
    const QImage missing = glyph(QString(QChar(0xDBFF)) + QChar(0xDFFD), font); // U+10FFFD
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
        const QString ch = text.mid(from, to - from);
        if (!ch.trimmed().isEmpty() && glyph(ch, font) == missing)
            out << ch;
        from = to;
    }
    return out;
}

constexpr const char* kSizes[] = {"1024x768", "1280x720", "1920x1080", "3840x2160"};

QSize sizeOf(const char* text)
{
    const QString s = QString::fromLatin1(text);
    return {s.section(u'x', 0, 0).toInt(), s.section(u'x', 1).toInt()};
}

} // namespace

class TestBoardNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Without names each opened board is the picture it was before names
    // existed, by its hash. Text outlines come out a shade differently with
    // what was drawn before them, so each board is painted once first and
    // this runs before anything else draws.
    void withoutNamesAsBefore()
    {
        const QHash<QString, QByteArray> before{
            {"1024x768 0", "5995fb664f75ecec"},  {"1024x768 1", "5c1149862fb4037a"},
            {"1280x720 0", "bae1ce8ccdb58a5c"},  {"1280x720 1", "7f7f5cad24138318"},
            {"1920x1080 0", "67fdd01dc966cd68"}, {"1920x1080 1", "4640c4e6f94bf2b7"},
            {"3840x2160 0", "cd8d565b3e9a7acd"}, {"3840x2160 1", "ed8ff431cf7dd51a"}};
        const LabelMeasure measure;
        for (const char* s : kSizes) {
            for (int mirrored : {0, 1}) {
                test::TestConsole c;
                const QRect screen(QPoint(), sizeOf(s));
                Kubord2& b = open(c, measure, screen.size(), mirrored);
                paint(b, screen);
                QCOMPARE(hashOf(paint(b, screen)),
                         before.value(QStringLiteral("%1 %2").arg(QLatin1String(s)).arg(mirrored)));
            }
        }
    }

    // Named and cleared again, a board is the picture of one never named.
    void namedAndClearedAsBefore()
    {
        const LabelMeasure measure;
        for (const char* s : kSizes) {
            for (int mirrored : {0, 1}) {
                test::TestConsole c;
                const QRect screen(QPoint(), sizeOf(s));
                Kubord2& b = open(c, measure, screen.size(), mirrored);
                c.k.competitors.set({QStringLiteral("Taro"), {}}, {{}, QStringLiteral("NED")});
                const QByteArray named = hashOf(paint(b, screen));
                c.k.competitors.clear();
                paint(b, screen);
                const QByteArray cleared = hashOf(paint(b, screen));
                test::TestConsole fresh;
                Kubord2& never = open(fresh, measure, screen.size(), mirrored);
                paint(never, screen);
                QCOMPARE(cleared, hashOf(paint(never, screen)));
                QVERIFY(named != cleared);
            }
        }
    }

    void namesClearOfEverything_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QStringList>("pair"); // Aka's name, club; Shiro's
        QTest::addColumn<bool>("cut");
        const QStringList pairs[] = {
            {"Sato", "", "Ono", "JPN"},
            {"Maximiliana Alexandrova-Konstantinopoulou", "Karate-Do Zuid-Holland",
             "Bartholomew Fitzgerald-Worthington", "GBR"},
            {"山田 太郎", "JPN", "Иванов", "RUS"},
        };
        const char* kinds[] = {"short", "long", "non-Latin"};
        for (const char* s : kSizes) {
            for (bool mirrored : {false, true}) {
                for (int i = 0; i < 3; ++i)
                    QTest::addRow("%s %s %s", s, mirrored ? "mirrored" : "plain", kinds[i])
                        << sizeOf(s) << mirrored << pairs[i] << (i == 1);
            }
        }
    }

    // Each name shows in its own half, in its side's colours, its ink clear
    // of every other element (an "S" that may light up included) and drawn
    // with real glyphs. A long name shrinks, then ends in "..." with its
    // club kept; a short one is whole at its own size.
    void namesClearOfEverything()
    {
        QFETCH(QSize, size);
        QFETCH(bool, mirrored);
        QFETCH(QStringList, pair);
        QFETCH(bool, cut);
        const LabelMeasure measure;
        test::TestConsole c;
        c.k.competitors.set({pair[0], pair[1]}, {pair[2], pair[3]});
        Kubord2& b = open(c, measure, size, mirrored);
        for (Element* s : {&b.shape4(8), &b.shape4(16), &b.label1(4), &b.label1(8)})
            s->setVisible(true);
        const QRect screen(QPoint(), size);
        const BoardRenderer r;
        const struct {
            Element& name;
            const Element& half;
            const Element& heading;
            QString line;
        } sides[] = {{b.akaName(), b.Shape1, b.label1(11), b.ownText(b.akaName())},
                     {b.shiroName(), b.Shape2, b.label1(12), b.ownText(b.shiroName())}};
        for (const auto& side : sides) {
            const QString name = side.name.displayName();
            QCOMPARE(side.name.foreColor(), side.heading.foreColor());
            const QRect ink = inkOf(side.name, b, screen);
            QVERIFY2(!ink.isEmpty(), qPrintable(name));
            QVERIFY2(r.box(side.half).adjusted(1, 1, -1, -1).contains(ink), qPrintable(name));
            for (const Element* e : b.paintOrder()) {
                if (e == &side.name || e == &b.Shape1 || e == &b.Shape2 || e->container() ||
                    e == &b.shape4(21) || e == &b.Frame4) // the KO count covers the top
                    continue;
                QVERIFY2(!r.box(*e).intersects(ink), qPrintable(name + " on " + e->displayName()));
            }
            const QString shown = side.name.caption();
            QCOMPARE(shown.contains(QStringLiteral("...")), cut);
            if (cut) {
                QVERIFY(side.name.fontSize() < 24 * size.width() * 15 / 16000.0);
                QVERIFY(shown.size() > 5);
            } else {
                QCOMPARE(shown, side.line);
            }
            const QFont font = BoardRenderer::labelFont(side.name.fontSize(), true, 1.0);
            QCOMPARE(boxes(shown, font), QStringList());
        }
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestBoardNames)
#include "tst_boardnames.moc"
