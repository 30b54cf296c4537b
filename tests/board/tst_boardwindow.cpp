#include "board/BoardHolder.h"
#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPointer>
#include <QScreen>

using kestrane::BoardHolder;
using kestrane::BoardPresenter;
using kestrane::BoardWindow;
using kestrane::Element;

namespace {

// Collects the areas the board window repaints.
class PaintSpy final : public QObject {
public:
    explicit PaintSpy(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

QPoint centreOf(const BoardWindow& w, const Element& e)
{
    return w.renderer().box(e).center();
}

} // namespace

class TestBoardWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A reference makes a hidden board and no window; showing it puts a
    // borderless window named "kubord2" over the whole audience screen.
    void showsOnItsScreen()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.board();
        QVERIFY(!presenter.window());
        holder.show(1);
        BoardWindow* w = presenter.window();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("kubord2"));
        QVERIFY(w->isWindow());
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->isVisible());
        QTRY_COMPARE(w->geometry(), QRect(1280, 0, 1920, 1080));
        QCOMPARE(w->screen(), QGuiApplication::screens().at(1));
        QCOMPARE(w->windowState() & Qt::WindowMaximized, Qt::WindowMaximized);
    }

    // The window paints the board at 15 twips a pixel, black beyond it.
    void paintsTheBoard()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        const QImage shot = presenter.window()->grab().toImage();
        QCOMPARE(shot.pixelColor(10, 590), QColor(0xC0, 0, 0));
        QCOMPARE(shot.pixelColor(1060, 590), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(shot.pixelColor(1500, 800), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(1060, 700), QColor(0, 0, 0));
    }

    // A change repaints the changed element's place, not the whole board.
    void repaintsWhatChanged()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        BoardWindow* w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(20);
        PaintSpy spy(w);
        auto& b = holder.board();

        b.shape4(5).setVisible(true); // a lit lamp of Aka
        QTRY_VERIFY(!spy.painted.isEmpty());
        const QRect lamp = w->renderer().box(b.shape4(5));
        QVERIFY(spy.painted.contains(lamp));
        QVERIFY(w->renderer().box(b.Frame5).contains(spy.painted.boundingRect()));
        QCOMPARE(w->grab().toImage().pixelColor(lamp.center()), QColor(0xFF, 0xFF, 0));

        spy.painted = QRegion();
        const QRect before = w->renderer().box(b.scri);
        b.scri.setCaption(QStringLiteral("10"));
        QTRY_VERIFY(!spy.painted.isEmpty());
        const QRect after = w->renderer().box(b.scri);
        QVERIFY(after.width() > before.width() * 3 / 2);
        QVERIFY(spy.painted.contains(after));
        QVERIFY(spy.painted.boundingRect().width() < w->width() / 4);

        // Hiding repaints where it was.
        spy.painted = QRegion();
        b.Frame5.setVisible(false);
        QTRY_VERIFY(spy.painted.contains(w->renderer().box(b.Frame5)));
    }

    // A click on the field number closes the board, once the click has been
    // handled; the window goes with it.
    void clickOnFieldNumberCloses()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.board().Label4.setCaption(QStringLiteral("3"));
        holder.show(1);
        QPointer<BoardWindow> w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::mouseClick(w, Qt::LeftButton, {}, centreOf(*w, holder.board().Label4));
        QTRY_VERIFY(!holder.current());
        QVERIFY(!presenter.window());
        QTRY_VERIFY(w.isNull());
        // The next reference gets a fresh design board.
        QCOMPARE(holder.board().Label4.caption(), QStringLiteral("0"));
        QVERIFY(!holder.isShown());
    }

    // Clicks anywhere else do nothing; nor does a press on the field number
    // released elsewhere, nor a click where a frame covers it.
    void otherClicksDoNothing()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        BoardWindow* w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto& b = holder.board();
        auto at = [](double x, double y) { return QPoint(int(x / 15), int(y / 15)); };
        for (const QPoint& p : {centreOf(*w, b.scri), centreOf(*w, b.Label5),
                                centreOf(*w, b.label1(11)), centreOf(*w, b.shape4(5)),
                                at(7400, 340) /* "Tatami" */, at(6900, 1000) /* its box */})
            QTest::mouseClick(w, Qt::LeftButton, {}, p);
        QTest::mouseClick(w, Qt::RightButton, {}, centreOf(*w, b.Label4));
        QTest::mousePress(w, Qt::LeftButton, {}, centreOf(*w, b.Label4));
        QTest::mouseRelease(w, Qt::LeftButton, {}, centreOf(*w, b.Label5));
        // The KO panel's frame in front of the field number.
        b.Frame4.setTop(520);
        b.Frame4.setVisible(true);
        QTest::mouseClick(w, Qt::LeftButton, {}, at(8000, 1500));
        QTest::qWait(50);
        QCOMPARE(holder.current(), &b);
        QCOMPARE(presenter.window(), w);
        QVERIFY(w->isVisible());
        // Above the frame the field number still takes the click.
        QTest::mouseClick(w, Qt::LeftButton, {}, at(8000, 450));
        QTRY_VERIFY(!holder.current());
    }

    // Closing the window (Alt+F4) closes the board the same way.
    void closingTheWindowClosesTheBoard()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        QPointer<BoardWindow> w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(!w->close()); // the board decides, a moment later
        QTRY_VERIFY(!holder.current());
        QTRY_VERIFY(w.isNull());
    }

    // The console closes the board: the window goes at once, the board model
    // is gone, and nothing touches it afterwards; reopening builds afresh.
    void consoleClosesAndReopens()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        QPointer<BoardWindow> first = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(first));
        holder.board().scri.setCaption(QStringLiteral("4"));
        holder.close();
        QVERIFY(!presenter.window());
        QVERIFY(!first->isVisible());
        QTRY_VERIFY(first.isNull());
        holder.show(1);
        QVERIFY(presenter.window());
        QCOMPARE(holder.board().scri.caption(), QStringLiteral("0"));
        QVERIFY(QTest::qWaitForWindowExposed(presenter.window()));
    }

    // A close asked for by a board that has gone since leaves the new board
    // alone.
    void staleCloseRequestIsDropped()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        BoardWindow* w = presenter.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::mouseClick(w, Qt::LeftButton, {}, centreOf(*w, holder.board().Label4));
        holder.close(); // before the request is handled
        holder.show(1);
        kestrane::Kubord2* fresh = holder.current();
        QTest::qWait(50);
        QCOMPARE(holder.current(), fresh);
        QVERIFY(holder.isShown());
    }

    // Showing a board that is already shown (on another screen) moves its
    // window rather than making a second one.
    void showAgainMovesTheWindow()
    {
        BoardHolder holder;
        BoardPresenter presenter(holder);
        holder.show(1);
        BoardWindow* w = presenter.window();
        holder.show(0);
        QCOMPARE(presenter.window(), w);
        QTRY_COMPARE(w->screen(), QGuiApplication::screens().at(0));
        QTRY_COMPARE(w->geometry().topLeft(), QPoint(0, 0));
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestBoardWindow)
#include "tst_boardwindow.moc"
