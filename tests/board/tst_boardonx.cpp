#include "board/BoardHolder.h"
#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QScreen>

using kestrane::BoardHolder;
using kestrane::BoardPresenter;

// The board window on a real window system (X with or without a window
// manager). The offscreen platform activates every window it shows and
// places windows where asked, so there these checks prove nothing and skip.
// tests/e2e/run.sh runs it on the private desktop (two monitors, openbox):
//   tests/e2e/session.sh -- env QT_QPA_PLATFORM=xcb build/dev/tests/board/tst_boardonx
class TestBoardOnX : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("needs a real window system");
    }

    // Shown on the last screen, the board covers it and the console keeps
    // the keyboard.
    void fillsItsScreenAndLeavesTheFocus()
    {
        QWidget console;
        console.setWindowTitle(QStringLiteral("console"));
        console.setGeometry(100, 100, 400, 300);
        console.show();
        console.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&console));

        BoardHolder holder;
        BoardPresenter presenter(holder);
        const int last = static_cast<int>(QGuiApplication::screens().size()) - 1;
        holder.show(last);
        QVERIFY(QTest::qWaitForWindowExposed(presenter.window()));
        const QRect screen = QGuiApplication::screens().at(last)->geometry();
        QTRY_COMPARE(presenter.window()->frameGeometry(), screen);
        QTest::qWait(300);
        QCOMPARE(QApplication::activeWindow(), &console);
        QVERIFY(!presenter.window()->isActiveWindow());

        // Reopened after a close: again on its screen, again without focus.
        holder.close();
        holder.show(last);
        QVERIFY(QTest::qWaitForWindowExposed(presenter.window()));
        QTRY_COMPARE(presenter.window()->frameGeometry(), screen);
        QTest::qWait(300);
        QCOMPARE(QApplication::activeWindow(), &console);
    }
};

KESTRANE_TEST_MAIN(TestBoardOnX)
#include "tst_boardonx.moc"
