#include "CommandLine.h"
#include "InstanceGuard.h"
#include "platform/QtMessagePort.h"
#include "support/TestMain.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrane;
using Outcome = CommandLine::Outcome;

class TestApp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("begins");
        const QString usage = QStringLiteral("Usage: kestrane [options]");
        QTest::newRow("none") << QStringList{} << Outcome::Run << QString();
        QTest::newRow("--help") << QStringList{"--help"} << Outcome::Print << usage;
        QTest::newRow("-h") << QStringList{"-h"} << Outcome::Print << usage;
        QTest::newRow("--version")
            << QStringList{"--version"} << Outcome::Print << "Kestrane 1.2.1\n";
        QTest::newRow("-v") << QStringList{"-v"} << Outcome::Print << "Kestrane 1.2.1\n";
        QTest::newRow("unknown") << QStringList{"--help", "--fullscreen"} << Outcome::Refuse
                                 << "kestrane: Unknown option 'fullscreen'.\n\n" + usage;
        QTest::newRow("positional") << QStringList{"match.ini"} << Outcome::Refuse
                                    << "kestrane: Unexpected argument 'match.ini'.\n\n" + usage;
        QTest::newRow("Qt's own") << QStringList{"-platform", "xcb"} << Outcome::Refuse
                                  << "kestrane: Unknown option";
        QTest::newRow("feed") << QStringList{"--serve-board", "0.0.0.0:8080"} << Outcome::Run
                              << QString();
        QTest::newRow("feed without its port")
            << QStringList{"--serve-board"} << Outcome::Refuse << "kestrane: Missing value";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(Outcome, outcome);
        QFETCH(QString, begins);
        CommandLine line;
        QCOMPARE(line.parse(QStringList{"/opt/kestrane/kestrane"} + args), outcome);
        QVERIFY2(line.text().startsWith(begins), qPrintable(line.text()));
        QCOMPARE(line.serveBoard(),
                 args.size() == 2 && args[0] == "--serve-board" ? args[1] : QString());
        if (outcome != Outcome::Run && begins != "Kestrane 1.2.1\n")
            QVERIFY(line.text().contains("--version"));
    }

    // One program per folder; the lock goes with its owner, also when the
    // owner dies without cleaning up.
    void instanceGuard()
    {
        QTemporaryDir folder;
        {
            const InstanceGuard first(folder.path());
            QCOMPARE(first.state(), InstanceGuard::State::Acquired);
            QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::AlreadyRunning);
            QCOMPARE(InstanceGuard(QTemporaryDir().path()).state(), InstanceGuard::State::Acquired);
        }
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::Acquired);

        // A crash: the owner ends without removing its lock file.
        const pid_t child = ::fork();
        if (child == 0) {
            const InstanceGuard crashing(folder.path());
            ::_exit(crashing.state() == InstanceGuard::State::Acquired ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(status, 0);
        QVERIFY(QFile::exists(folder.filePath("kestrane.lock")));
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::Acquired);
    }

    // Every message, the refusal of a second program included, comes in a box
    // with the application's title and the icon its style names.
    void messageBoxes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("information") << 64 << QMessageBox::Information;
        QTest::newRow("exclamation") << 48 << QMessageBox::Warning;
        QTest::newRow("error") << 16 << QMessageBox::Critical;
    }
    void messageBoxes()
    {
        QFETCH(int, style);
        QFETCH(QMessageBox::Icon, icon);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = QStringLiteral("%1|%2|%3").arg(box->windowTitle(), box->text()).arg(box->icon());
            box->accept();
        });
        QtMessagePort().show(QStringLiteral("Kestrane is already running."), style);
        QCOMPARE(seen, QStringLiteral("Kestrane|Kestrane is already running.|%1").arg(icon));
    }
};

KESTRANE_TEST_MAIN(TestApp)
#include "tst_app.moc"
