#include "about/Overfrm.h"
#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "console/QtWindowPort.h"
#include "support/FakePorts.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace kestrane;

namespace {

// The console with the real window port: the console window and a real
// About window.
struct RealConsole {
    QTemporaryDir dir;
    test::FakePorts ports;
    view::QtWindowPort windows;
    Kumite2 k{{ports.sound, ports.messages, ports.files, ports.screens, windows}, dir.path()};
    std::unique_ptr<view::ConsoleWindow> w;

    RealConsole()
    {
        k.startUp.Form_Load();
        w = std::make_unique<view::ConsoleWindow>(k);
        windows.setConsole(w.get());
        w->show();
        k.boards.show(1);
        k.state.Timer3.setEnabled(true); // a name blinks
    }
    ~RealConsole() { w.reset(); }

    void openAbout()
    {
        k.state.over.click();
        QVERIFY(windows.about());
        QVERIFY(windows.about()->isVisible());
    }
    // The console closed the way every close path must: invisible, timers
    // off, no board.
    void verifyClosed()
    {
        QVERIFY(!w->isVisible());
        QVERIFY(k.commands.closed());
        for (const Element* t :
             {&k.state.Timer1, &k.state.Timer2, &k.state.Timer3, &k.state.Timer4})
            QVERIFY(!t->enabled());
        QVERIFY(!k.boards.current());
    }
};

} // namespace

class TestConsoleClose : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuCloseLeavesAbout()
    {
        RealConsole c;
        c.openAbout();
        QSignalSpy closed(c.w.get(), &view::ConsoleWindow::closed);
        c.w->findChild<QAction*>(QStringLiteral("sluit"))->trigger();
        c.verifyClosed();
        QCOMPARE(closed.size(), 1);
        QVERIFY(c.windows.about() && c.windows.about()->isVisible());
    }

    void buttonCloseClosesAll()
    {
        RealConsole c;
        c.openAbout();
        QTest::mouseClick(c.w->findChild<QWidget*>(QStringLiteral("Command14")), Qt::LeftButton);
        c.verifyClosed();
        QTRY_VERIFY(!c.windows.about());
    }

    void titleBarCloseDoesWhatMenuCloseDoes()
    {
        RealConsole c;
        c.openAbout();
        c.w->close(); // the title bar's close and Alt+F4 arrive as this
        c.verifyClosed();
        QVERIFY(c.windows.about() && c.windows.about()->isVisible());
    }

    void aboutIsNonModalAndOpensOnce()
    {
        RealConsole c;
        c.openAbout();
        view::Overfrm* first = c.windows.about();
        QCOMPARE(first->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
        c.openAbout();
        QCOMPARE(c.windows.about(), first);
    }

    void aboutTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        const QColor blue(0, 0, 0xC0);
        QTest::newRow("Label1") << "Label1"
                                << "Kestrane" << blue;
        QTest::newRow("Label2") << "Label2"
                                << "Version 1.2.1" << blue;
        QTest::newRow("Label7") << "Label7"
                                << "23-06-2017" << blue;
        QTest::newRow("Label3") << "Label3"
                                << "Programmed by :" << QColor(Qt::black);
        QTest::newRow("Label4") << "Label4"
                                << "Orvane" << QColor(Qt::black);
        QTest::newRow("Label5") << "Label5"
                                << "www.orvane.example" << QColor(Qt::black);
        QTest::newRow("Label6") << "Label6"
                                << "info@orvane.example" << QColor(Qt::black);
    }

    void aboutTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        view::Overfrm about;
        auto* l = about.findChild<QLabel*>(name);
        QVERIFY(l);
        QCOMPARE(l->text(), text);
        QCOMPARE(l->palette().color(QPalette::WindowText), colour);
        QCOMPARE(l->font().pixelSize(), 11);
        QVERIFY(l->font().bold());
    }

    void aboutLayout()
    {
        view::Overfrm about;
        QCOMPARE(about.objectName(), QStringLiteral("Overfrm"));
        QCOMPARE(about.size(), QSize(480, 472));
        QWidget* frame = about.findChild<QWidget*>(QStringLiteral("Frame1"));
        QCOMPARE(frame->geometry(), QRect(8, 0, 465, 465));
        QCOMPARE(about.findChild<QWidget*>(QStringLiteral("Label1"))->pos(), QPoint(184, 16));
        QCOMPARE(about.findChild<QWidget*>(QStringLiteral("Image1"))->geometry(),
                 QRect(176, 144, 120, 120));
        auto* text = about.findChild<QLabel*>(QStringLiteral("Label10"));
        QCOMPARE(text->geometry(), QRect(16, 288, 433, 121));
        QCOMPARE(text->text(), text->text().toUpper());
        QVERIFY(text->text().contains(QStringLiteral("\"AS IS\"")));
        QVERIFY(text->text().contains(QStringLiteral("MERCHANTABILITY")));
        QVERIFY(text->text().contains(QStringLiteral("FITNESS FOR A PARTICULAR PURPOSE")));
        QVERIFY(text->text().contains(QStringLiteral("CONSEQUENTIAL DAMAGES")));
        QCOMPARE(text->font().pixelSize(), 9);
        QVERIFY(!text->font().bold());
        QVERIFY(text->alignment() & Qt::AlignHCenter);
        // The whole paragraph fits its box.
        QVERIFY(text->heightForWidth(text->width()) <= text->height());
        auto* close = about.findChild<QAbstractButton*>(QStringLiteral("Command2"));
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QCOMPARE(close->geometry(), QRect(200, 432, 65, 25));
        // The logo is drawn: not a blank picture.
        const QImage logo = about.findChild<QWidget*>(QStringLiteral("Image1"))->grab().toImage();
        QVERIFY(logo.pixelColor(90, 60) != logo.pixelColor(2, 2));
    }

    void aboutCloseButton()
    {
        RealConsole c;
        c.openAbout();
        auto* close = c.windows.about()->findChild<QAbstractButton*>(QStringLiteral("Command2"));
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!c.windows.about());
        QVERIFY(c.w->isVisible()); // the console stays
    }

    // The program ends with its last window: the About window keeps it
    // alive after the console has gone; a hidden board never does.
    void lastWindowEndsTheProgram()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        RealConsole c;
        c.openAbout();
        QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
        c.w->findChild<QAction*>(QStringLiteral("sluit"))->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(last.size(), 0);
        c.k.kubord2(); // a hidden board is not a window that counts
        // The program's own event loop decides, as in the real program.
        QTimer::singleShot(0, qApp, [&] { c.windows.closeAbout(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(2); }); // guard
        QElapsedTimer clock;
        clock.start();
        const int rc = QApplication::exec();
        QCOMPARE(rc, 0);
        QVERIFY(clock.elapsed() < 4000);
        QCOMPARE(last.size(), 1);
    }
};

KESTRANE_TEST_MAIN(TestConsoleClose)
#include "tst_consoleclose.moc"
