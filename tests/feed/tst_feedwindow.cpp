#include "board/BoardTestHelpers.h"
#include "feed/FeedControl.h"
#include "feed/FeedService.h"
#include "feed/FeedWindow.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpServer>

using namespace kestrane;
using namespace kestrane::test;

// The feed window as a new operator meets it: off at first, on with a
// click, addresses to copy, a taken port explained and changed, and the
// choice there again at the next start unless the command line says
// otherwise.
class TestFeedWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void operatorTurnsItOn()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("feed.ini"));
        QTcpServer taken; // another program already has the port
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        FeedChoice first;
        first.port = taken.serverPort();
        QVERIFY(first.save(file));
        FeedControl control({c.k.state, c.k.competitors, c.k.boards}, file);
        control.startUp(QString());
        FeedWindow window(control);
        const auto status = [&] { return window.findChild<QLabel*>("feedStatus")->text(); };
        QCOMPARE(status(), QStringLiteral("The board feed is off."));
        window.findChild<QCheckBox*>()->click();
        QVERIFY2(status().startsWith(QStringLiteral("The board feed is off: port %1 cannot be "
                                                    "used (")
                                         .arg(taken.serverPort())),
                 qPrintable(status()));
        QVERIFY(!control.running());
        auto* port = window.findChild<QSpinBox*>();
        QTcpServer probe; // a port nobody holds: the one next to it may be taken
        QVERIFY(probe.listen(QHostAddress::Any, 0));
        const quint16 free = probe.serverPort();
        probe.close();
        window.show();
        port->setFocus();
        port->selectAll();
        QTest::keyClicks(port, QString::number(free));
        QTest::keyClick(port, Qt::Key_Return); // as the guide says: type it, press Enter
        QTRY_COMPARE(status(), QStringLiteral("The board feed is on."));
        QVERIFY(window.isVisible());
        const QString page = QStringLiteral("http://127.0.0.1:%1/").arg(port->value());
        QCOMPARE(control.pageAddresses(), QStringList{page});
        for (QPushButton* copy : window.findChildren<QPushButton*>())
            if (copy->accessibleName() == "Copy " + page + "overlay")
                copy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), page + "overlay");
        window.findChildren<QRadioButton*>().last()->click(); // the hall network
        QVERIFY(control.running());
        if (const QByteArray shot = qgetenv("KESTRANE_FEED_WINDOW_SHOT"); !shot.isEmpty())
            window.grab().save(QString::fromLocal8Bit(shot));

        // Kept for the next start; the command line still wins.
        FeedControl next({c.k.state, c.k.competitors, c.k.boards}, file);
        QCOMPARE(next.choice(), control.choice());
        QVERIFY(next.choice().on && next.choice().hall);
        control.apply(FeedChoice{}); // frees the port
        FeedControl commanded({c.k.state, c.k.competitors, c.k.boards}, file);
        commanded.startUp(QStringLiteral("127.0.0.1:0"));
        QVERIFY(commanded.running());
        QVERIFY(commanded.service()->address().startsWith("127.0.0.1:"));
    }
};

KESTRANE_TEST_MAIN(TestFeedWindow)
#include "tst_feedwindow.moc"
