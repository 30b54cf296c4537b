#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QScreen>

using namespace kestrane;

// The board window on a real window system (X with or without a window
// manager); the offscreen platform places and activates windows as asked,
// so there these checks prove nothing and skip. tests/e2e/run.sh runs it on
// its private desktop (two monitors, openbox).
class TestBoardOnX : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Shown on the last screen, the board covers it and the console keeps
    // the keyboard.
    void fillsItsScreenAndLeavesTheFocus()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("needs a real window system");
        QWidget console;
        console.show();
        console.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&console));
        BoardHolder holder;
        BoardPresenter presenter(holder);
        const int last = static_cast<int>(QGuiApplication::screens().size()) - 1;
        holder.show(last);
        QVERIFY(QTest::qWaitForWindowExposed(presenter.window()));
        QTRY_COMPARE(presenter.window()->frameGeometry(),
                     QGuiApplication::screens().at(last)->geometry());
        QTest::qWait(300);
        QCOMPARE(QApplication::activeWindow(), &console);
    }
};

KESTRANE_TEST_MAIN(TestBoardOnX)
#include "tst_boardonx.moc"
