#include "BoardTestHelpers.h"
#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

using namespace kestrane;
using namespace kestrane::test;

namespace {

// On an opened board, each number's ink is whole, in its place and apart from
// every other text's. Row: screen, mirrored, minutes, tens, units, scri, scrw,
// scwi, scww, and the correction factors (horizontal, vertical, font) if not 1.
void checkReadable(const QStringList& row)
{
    const LabelMeasure measure;
    TestConsole c;
    const QRect screen(QPoint(), sizeOf(row[0]));
    Kubord2& b = openBoard(c, screen.size(), row.size() > 9 ? row.mid(9).join(u' ') : "1 1 1",
                           row[1].toInt(), &measure);
    Element* numbers[] = {&b.Label5, &b.Label6, &b.Label8, &b.scri,  &b.scrw,
                          &b.scwi,   &b.scww,   &b.Label4, &b.Label7};
    for (int i = 0; i < 7; ++i)
        numbers[i]->setCaption(row[i + 2]);
    b.Label4.setCaption(QStringLiteral("12"));
    const BoardRenderer r;
    QHash<Element*, QRect> inks;
    for (Element* e : numbers) {
        const auto [bounds, runs] = inkOf(*e, b, screen, 40);
        // At other factors the rules place one digit, and every value's
        // height; the fit keeps a longer value whole inside its room's width.
        if (row.size() > 9 && e->caption().size() < 2)
            continue;
        QVERIFY2(runs == e->caption().size(),
                 qPrintable(e->displayName() + " at " + row.join(u' ')));
        const Element* in = e->container()                              ? e->container()
                            : e == &b.Label4                            ? &b.Shape5
                            : r.box(b.Shape1).contains(bounds.center()) ? &b.Shape1
                                                                        : &b.Shape2;
        const int m = in->borderWidth() + 1;
        QRect room = r.box(*in).adjusted(m, m, -m, -m);
        if (row.size() > 9)
            room.setBottom(bounds.bottom()), room.setTop(bounds.top());
        QVERIFY2(room.contains(bounds), qPrintable(e->displayName() + " at " + row.join(u' ')));
        inks.insert(e, bounds);
    }
    if (row.size() > 9)
        return; // the rules may put captions over numbers at other factors
    for (int i : {11, 12, 13, 16, 17, 18, 19})
        inks.insert(&b.label1(i), inkOf(b.label1(i), b, screen, 40).first);
    for (Element* e : numbers) {
        for (auto it = inks.cbegin(); it != inks.cend(); ++it)
            QVERIFY2(it.key() == e || !it.value().intersects(inks.value(e)),
                     qPrintable(e->displayName() + " and " + it.key()->displayName()));
    }
}

// The numbers whose ink leaves its clock frame or white box on a board of
// `size` at the factors "h v f", showing "1:30" and field number 8.
QStringList outOfFrame(const QSize& size, const QString& factors)
{
    const LabelMeasure measure;
    TestConsole c;
    Kubord2& b = openBoard(c, size, factors, 0, &measure);
    b.Label4.setCaption(QStringLiteral("8"));
    b.Label5.setCaption(QStringLiteral("1"));
    b.Label6.setCaption(QStringLiteral("3"));
    b.Label8.setCaption(QStringLiteral("0"));
    const BoardRenderer r;
    QStringList out;
    for (Element* e : {&b.Label5, &b.Label7, &b.Label6, &b.Label8, &b.Label4}) {
        const QRect ink = inkOf(*e, b, QRect(QPoint(), size), 40).first;
        const Element& in = e == &b.Label4 ? b.Shape5 : *e->container();
        const int m = in.borderWidth() + 1;
        if (!r.box(in).adjusted(m, m, -m, -m).contains(ink))
            out << e->displayName();
    }
    return out;
}

} // namespace

// The board on the offscreen desktop of two screens: 1280 x 800 primary,
// 1920 x 1080 right of it.
class TestBoardView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Opened from the console the board fills the audience screen, borderless
    // and without taking the keyboard: a lamp ticked before the opening lit,
    // red and light-grey halves, the clock box and the field-number box white
    // inside a maroon line, an unlit lamp round inside its black ring, the
    // scores' stored backs never drawn. A lamp pushed past its frame is cut
    // off there; a hidden frame hides all it holds.
    void opensOnTheAudienceScreen()
    {
        TestConsole c;
        BoardPresenter presenter(c.k.boards);
        c.s.Check1.setValue(1);
        c.s.command1.click();
        BoardWindow* w = presenter.window();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->screen(), QGuiApplication::screens().at(1));
        QTRY_COMPARE(w->geometry(), QRect(1280, 0, 1920, 1080));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        Kubord2& b = c.k.boards.currentOrNewHidden();
        const BoardRenderer& r = w->renderer();
        QImage shot = w->grab().toImage();
        auto at = [&](QPoint p) { return shot.pixelColor(p); };
        // Shape4(13) at Frame6 + (1830, 840) x 1.8; Shape4(14) 850 twips right.
        QCOMPARE(shot.pixelColor(1609, 310), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(shot.pixelColor(1711, 310), QColor(0x80, 0x80, 0x80));
        QCOMPARE(at(r.box(b.Shape1).bottomLeft()), QColor(0xC0, 0, 0));
        QCOMPARE(at(r.box(b.Shape2).bottomRight()), QColor(0xE0, 0xE0, 0xE0));
        for (const Element* e : {&b.Shape3, &b.Shape5}) {
            const QPoint edge(r.box(*e).left(), r.box(*e).center().y());
            QCOMPARE(at(edge + QPoint(4, 0)), QColor(Qt::white));
            QVERIFY(near(at(edge + QPoint(1, 0)), QColor(0x80, 0, 0)));
        }
        for (const Element* e : {&b.scwi, &b.scww, &b.scri, &b.scrw})
            QVERIFY(!near(at(r.box(*e).topLeft() + QPoint(2, 2)), QColor(0, 0, 0xC0)));
        const QRect unlit = r.box(b.shape4(29));
        QCOMPARE(at(unlit.center()), QColor(0x40, 0, 0));
        QVERIFY(near(at({unlit.center().x(), unlit.top() + 1}), QColor(Qt::black)));
        QCOMPARE(at(unlit.topLeft() + QPoint(2, 2)), QColor(0x70, 0, 0)); // its row bar
        Element& cut = b.shape4(30);
        cut.setLeft(b.Frame5.width() - cut.width() / 3);
        const QPoint edge(r.box(b.Frame5).right(), r.box(cut).center().y());
        shot = w->grab().toImage();
        QCOMPARE(at(edge - QPoint(3, 0)), QColor(0x40, 0, 0));
        QCOMPARE(at(edge + QPoint(3, 0)), QColor(0xC0, 0, 0));
        b.Frame5.setVisible(false);
        shot = w->grab().toImage();
        QCOMPARE(at(r.box(b.shape4(29)).center()), QColor(0xC0, 0, 0));
    }

    // On opened boards of several sizes, plain and mirrored: each number's
    // ink is all there (a run per character), inside its clock frame, white
    // box or half, and apart from every other text's ink.
    void numbersReadable()
    {
        for (const char* row :
             {"1920x1080 0 99 5 9 99 99 99 99", "1280x720 1 10 0 0 12 12 12 12",
              "1024x768 0 123 4 5 12 99 99 12", "3840x2160 1 123 4 5 99 12 12 99",
              "1920x1080 0 10 3 0 12 12 12 12 2 1 1", "1920x1080 1 10 3 0 99 99 99 99 1 1 0.5",
              "1920x1080 0 123 3 0 12 99 99 12 1.33 1.33 1.33",
              "1920x1080 0 10 3 0 12 12 12 12 2 1.33 0.75", "1920x1080 1 10 3 0 99 12 12 99 1 1 2"})
            checkReadable(QString::fromLatin1(row).split(u' '));
    }

    // The recommended "Font scale" of each screen shape (the user guide's
    // table) keeps "1:30" inside the clock frame and the field number inside
    // its white box; 21:9 needs one: at 1 both leave them.
    void recommendedFontScale()
    {
        QCOMPARE(outOfFrame({2560, 1080}, QStringLiteral("1 1 1")),
                 QStringList({"Label5", "Label6", "Label8", "Label4"}));
        for (const char* row : {"1024x768 1", "1920x1080 1", "1920x1200 1", "2560x1600 1",
                                "2560x1080 1.3", "3440x1440 1.3", "3840x1080 2"}) {
            const QStringList r = QString::fromLatin1(row).split(u' ');
            QVERIFY2(outOfFrame(sizeOf(r[0]), "1 1 " + r[1]).isEmpty(), row);
        }
    }

    // At any correction factors one digit, and "1:30", stand exactly as the
    // scaling places and sizes them: the board with the fit is the board
    // without it, pixel for pixel.
    void oneDigitAsScaled()
    {
        for (const char* factors : {"2 1 1", "0.5 1 1", "1.33 1.33 1.33", "1 2 0.5", "2 0.5 1.33",
                                    "1 1 2", "0.5 0.5 0.5", "1.33 2 1"}) {
            const LabelMeasure measure;
            TestConsole c;
            Kubord2& b = openBoard(c, {1920, 1080}, QString::fromLatin1(factors), 0, &measure);
            const std::pair<Element*, const char*> values[] = {
                {&b.Label5, "1"}, {&b.Label6, "3"}, {&b.Label8, "0"}, {&b.scri, "7"},
                {&b.scrw, "0"},   {&b.scwi, "4"},   {&b.scww, "9"},   {&b.Label4, "8"}};
            for (const auto& [label, value] : values)
                label->setCaption(QString::fromLatin1(value));
            const QRect screen(0, 0, 1920, 1080);
            const QImage fitted = paint(b, screen);
            b.setFitting(false);
            QVERIFY2(paint(b, screen) == fitted, factors);
        }
    }

    // A left click on the field number, or closing the window (Alt+F4),
    // closes the board once handled; the window goes with it. Other clicks
    // do nothing: elsewhere, with the right button, released elsewhere, or
    // where a frame covers the field number. A board shown again on another
    // screen moves its window there.
    void clicksAndClosing()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        QPointer<BoardWindow> w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        Kubord2& b = holder.currentOrNewHidden();
        auto at = [&](const Element& e) { return w->renderer().box(e).center(); };
        for (const QPoint& p : {at(b.scri), at(b.Label5), at(b.shape4(5)),
                                QPoint(493, 22) /* "Tatami" */, QPoint(460, 66) /* its box */})
            QTest::mouseClick(w, Qt::LeftButton, {}, p);
        QTest::mouseClick(w, Qt::RightButton, {}, at(b.Label4));
        QTest::mousePress(w, Qt::LeftButton, {}, at(b.Label4));
        QTest::mouseRelease(w, Qt::LeftButton, {}, at(b.Label5));
        b.Frame4.setTop(520); // the KO frame in front of the field number
        b.Frame4.setVisible(true);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(533, 100));
        QTest::qWait(50);
        QCOMPARE(holder.current(), &b);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(533, 30));
        QTRY_VERIFY(!holder.current());
        QTRY_VERIFY(w.isNull());
        holder.show(1);
        w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        holder.show(0); // shown again elsewhere: the same window moves
        QTRY_COMPARE(w->screen(), QGuiApplication::screens().at(0));
        QVERIFY(!w->close());
        QTRY_VERIFY(!holder.current());
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestBoardView)
#include "tst_boardview.moc"
