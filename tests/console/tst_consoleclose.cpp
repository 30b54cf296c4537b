#include "about/Overfrm.h"
#include "support/RealConsole.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

using namespace kestrane;

using test::RealConsole;

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
        QVERIFY(c.ports.messages.asked.isEmpty()); // though a name blinks
        QCOMPARE(closed.size(), 1);
        QVERIFY(c.windows.about() && c.windows.about()->isVisible());
    }

    void buttonCloseClosesAll()
    {
        RealConsole c;
        c.openAbout();
        QTest::mouseClick(c.w->findChild<QWidget*>(QStringLiteral("Command14")), Qt::LeftButton);
        c.verifyClosed();
        QVERIFY(c.ports.messages.asked.isEmpty());
        QTRY_VERIFY(!c.windows.about());
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
        const std::tuple<const char*, const char*, QColor> rows[] = {
            {"Label1", "Kestrane", QColor(0, 0, 0xC0)},
            {"Label2", "Version 1.2.1", QColor(0, 0, 0xC0)},
            {"Label7", "23-06-2017", QColor(0, 0, 0xC0)},
            {"Label3", "Programmed by :", Qt::black},
            {"Label4", "Orvane", Qt::black},
            {"Label5", "www.orvane.example", Qt::black},
            {"Label6", "info@orvane.example", Qt::black}};
        for (const auto& [name, text, colour] : rows)
            QTest::newRow(name) << name << text << colour;
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
        QVERIFY(l->width() >= l->sizeHint().width()); // the whole text shows
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
