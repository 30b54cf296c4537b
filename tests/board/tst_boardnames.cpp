#include "BoardTestHelpers.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QPainter>

using namespace kestrane;
using namespace kestrane::test;

namespace {

// Painted once before: text outlines come out a shade differently the
// first time, and after other texts were drawn.
QByteArray hashOf(const Kubord2& b, QSize size)
{
    paint(b, QRect(QPoint(), size));
    const QImage image = paint(b, QRect(QPoint(), size));
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                    QCryptographicHash::Sha1)
        .toHex()
        .left(16);
}

// One text alone, centred in 200 x 100 pixels.
QImage glyphs(const QFont& font, const QString& text)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

const QStringList kSizes = {"1024x768", "1280x720", "1920x1080", "3840x2160"};

} // namespace

class TestBoardNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Without names each opened board is the picture it was before names
    // existed (its hash; this runs before anything else draws). Named and
    // cleared again, it is the picture of a board never named.
    void withoutNamesAsBefore()
    {
        const QByteArray before[] = {"5995fb664f75ecec", "5c1149862fb4037a", "bae1ce8ccdb58a5c",
                                     "7f7f5cad24138318", "67fdd01dc966cd68", "4640c4e6f94bf2b7",
                                     "cd8d565b3e9a7acd", "ed8ff431cf7dd51a"};
        const LabelMeasure measure;
        for (int i = 0; i < 8; ++i) {
            const QSize size = sizeOf(kSizes[i / 2]);
            TestConsole c;
            QCOMPARE(hashOf(openBoard(c, size, "1 1 1", i % 2, &measure), size), before[i]);
        }
        for (int i = 0; i < 8; ++i) {
            const QSize size = sizeOf(kSizes[i / 2]);
            TestConsole c;
            TestConsole never;
            Kubord2& b = openBoard(c, size, "1 1 1", i % 2, &measure);
            c.k.competitors.set({QStringLiteral("Taro"), {}}, {{}, QStringLiteral("NED")});
            const QByteArray named = hashOf(b, size);
            c.k.competitors.clear();
            QCOMPARE(hashOf(b, size),
                     hashOf(openBoard(never, size, "1 1 1", i % 2, &measure), size));
            QVERIFY(named != hashOf(b, size));
        }
    }

    void namesClearOfEverything_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QStringList>("pair"); // Aka's name, club; Shiro's
        const QStringList pairs[] = {{"Sato", "", "Ono", "JPN"},
                                     {"Maximiliana Alexandrova-Konstantinopoulou",
                                      "Karate-Do Zuid-Holland", "Bartholomew Fitzgerald", "GBR"},
                                     {"山田 太郎", "JPN", "Иванов", "RUS"}};
        for (const QString& s : kSizes) {
            for (int i = 0; i < 6; ++i)
                QTest::addRow("%s %s %d", qPrintable(s), i % 2 ? "mirrored" : "plain", i / 2)
                    << sizeOf(s) << (i % 2 == 1) << pairs[i / 2];
        }
    }

    // Each name shows in its own half, in its side's colours, its ink clear
    // of every other element (an "S" that may light up included; the KO
    // count covers the top while it shows) and drawn with real glyphs, not
    // the box of a missing one. The long names (row 1) shrink and end in
    // "...", the others are whole.
    void namesClearOfEverything()
    {
        QFETCH(QSize, size);
        QFETCH(bool, mirrored);
        QFETCH(QStringList, pair);
        const LabelMeasure measure;
        TestConsole c;
        c.k.competitors.set({pair[0], pair[1]}, {pair[2], pair[3]});
        Kubord2& b = openBoard(c, size, "1 1 1", mirrored, &measure);
        for (Element* s : {&b.shape4(8), &b.shape4(16), &b.label1(4), &b.label1(8)})
            s->setVisible(true);
        const BoardRenderer r;
        const bool cut = pair[0].size() > 20;
        for (auto [name, half, heading] : {std::tuple(&b.akaName(), &b.Shape1, &b.label1(11)),
                                           std::tuple(&b.shiroName(), &b.Shape2, &b.label1(12))}) {
            const QString tag = name->displayName();
            QCOMPARE(name->foreColor(), heading->foreColor());
            const QRect ink = inkOf(*name, b, QRect(QPoint(), size)).first;
            QVERIFY2(!ink.isEmpty() && r.box(*half).contains(ink), qPrintable(tag));
            for (const Element* e : b.paintOrder()) {
                if (e != name && e != &b.Shape1 && e != &b.Shape2 && !e->container() &&
                    e != &b.shape4(21) && e != &b.Frame4)
                    QVERIFY2(!r.box(*e).intersects(ink),
                             qPrintable(tag + " on " + e->displayName()));
            }
            QCOMPARE(name->caption().contains(QStringLiteral("...")), cut);
            QCOMPARE(name->caption() == b.ownText(*name), !cut);
            const QFont font = BoardRenderer::labelFont(name->fontSize(), true, 1.0);
            const QImage missing = glyphs(font, QStringLiteral("\U0010FFFD"));
            for (const QChar ch : name->caption()) {
                if (!ch.isSpace())
                    QVERIFY2(glyphs(font, ch) != missing, qPrintable(ch));
            }
        }
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestBoardNames)
#include "tst_boardnames.moc"
