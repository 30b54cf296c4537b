#include "CommandLine.h"
#include "InstanceChannel.h"
#include "InstanceGuard.h"
#include "core/ProgramFiles.h"
#include "platform/QtMessagePort.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>

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
        QTest::newRow("-h") << QStringList{"-h"} << Outcome::Print << usage;
        QTest::newRow("-v") << QStringList{"-v"} << Outcome::Print << "Kestrane 1.2.1\n";
        QTest::newRow("unknown") << QStringList{"--help", "--fullscreen"} << Outcome::Refuse
                                 << "kestrane: Unknown option 'fullscreen'.\n\n" + usage;
        QTest::newRow("positional") << QStringList{"match.ini"} << Outcome::Refuse
                                    << "kestrane: Unexpected argument 'match.ini'.\n\n" + usage;
        QTest::newRow("feed") << QStringList{"--serve-board", "0.0.0.0:8080"} << Outcome::Run
                              << QString();
        QTest::newRow("Qt's options")
            << QStringList{"--serve-board", "8080",      "-platform", "offscreen",
                           "-style=Fusion", "--display", ":1",        "-reverse"}
            << Outcome::Run << QString();
        QTest::newRow("Qt's option, then --version")
            << QStringList{"-platform", "offscreen", "--version"} << Outcome::Print
            << "Kestrane 1.2.1\n";
        QTest::newRow("Qt's option without its value")
            << QStringList{"--version", "-style"} << Outcome::Refuse
            << "kestrane: Missing value after '-style'.\n\n" + usage;
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
        QCOMPARE(line.serveBoard(), outcome == Outcome::Run ? args.value(1) : QString());
    }

    // One program per folder and PC; the lock goes with its owner, and a
    // lock nobody holds never blocks, whatever it says.
    void instanceGuard_data()
    {
        QTest::addColumn<QByteArray>("left");
        QProcess ended;
        ended.start(QStringLiteral("true"));
        ended.waitForFinished();
        const QByteArray host = ProgramFiles::hostTag().toUtf8();
        QTest::newRow("none") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("another host") << QByteArray("1 some-other-pc\n");
        QTest::newRow("dead owner")
            << QByteArray::number(static_cast<qint64>(ended.processId())) + ' ' + host;
    }
    void instanceGuard()
    {
        QFETCH(QByteArray, left);
        QTemporaryDir folder;
        const QString lock = ProgramFiles(folder.path()).instanceLock();
        if (!left.isNull()) {
            QFile f(lock);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(left);
        }
        auto first = std::make_unique<InstanceGuard>(folder.path());
        QCOMPARE(first->state(), InstanceGuard::State::Acquired);
        QCOMPARE(first->lockPath(), lock);
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::AlreadyRunning);
        first.reset();
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::Acquired);
    }

    // Where the file system cannot lock, the file's content decides: only a
    // running process of this host named there blocks; a stale lock is
    // taken over.
    void lockWithoutLocking()
    {
        QProcess live;
        live.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(live.waitForStarted());
        const QByteArray pid = QByteArray::number(static_cast<qint64>(live.processId()));
        const QByteArray mine = pid + ' ' + ProgramFiles::hostTag().toUtf8() + '\n';
        const auto noLocks = [](int, int) {
            errno = ENOLCK;
            return -1;
        };
        const auto start = [&](const QByteArray& left) {
            QTemporaryDir folder;
            test::writeFile(ProgramFiles(folder.path()).instanceLock(), left);
            return InstanceGuard(folder.path(), noLocks).state();
        };
        QCOMPARE(start(mine), InstanceGuard::State::AlreadyRunning);
        for (const QByteArray& stale : {QByteArray(), QByteArray("x"), pid + " other-pc", pid})
            QVERIFY2(start(stale) == InstanceGuard::State::Acquired, stale.constData());
        live.kill();
        live.waitForFinished();
        QCOMPARE(start(mine), InstanceGuard::State::Acquired);
    }

    // A second start reaches the running program and has its console
    // raised; peers that say nothing or nonsense never hold it up.
    void instanceChannel()
    {
        QTemporaryDir folder;
        InstanceChannel missing(folder.path());
        QVERIFY(!missing.askToRaise(500));

        InstanceChannel running(folder.path());
        int raised = 0;
        QVERIFY(running.listen([&] {
            ++raised;
            return InstanceChannel::Raised::Raised;
        }));
        std::vector<std::unique_ptr<QLocalSocket>> rude;
        for (const QByteArray& junk :
             {QByteArray(), QByteArray(5000, 'x'), QByteArray("lower\n")}) {
            rude.push_back(std::make_unique<QLocalSocket>());
            rude.back()->connectToServer(running.name());
            QVERIFY(rude.back()->waitForConnected(1000));
            rude.back()->write(junk);
        }
        std::optional<InstanceChannel::Raised> answer;
        QThread* asker =
            QThread::create([&] { answer = InstanceChannel(folder.path()).askToRaise(); });
        asker->start();
        QTRY_VERIFY(asker->isFinished());
        delete asker;
        QCOMPARE(answer, InstanceChannel::Raised::Raised);
        QCOMPARE(raised, 1);
    }

    // Messages come in a box with the application's title and the icon
    // their style names.
    void messageBoxes()
    {
        const std::pair<int, QMessageBox::Icon> styles[] = {{64, QMessageBox::Information},
                                                            {48, QMessageBox::Warning},
                                                            {16, QMessageBox::Critical}};
        for (const auto& [style, icon] : styles) {
            QString seen;
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                seen = QStringLiteral("%1|%2|%3")
                           .arg(box->windowTitle(), box->text())
                           .arg(box->icon());
                box->accept();
            });
            QtMessagePort().show(QStringLiteral("Kestrane is already running."), style);
            QCOMPARE(seen, QStringLiteral("Kestrane|Kestrane is already running.|%1").arg(icon));
        }
    }

    // A box opens centred on the console, whatever window is active; with
    // no console, centred on the primary screen.
    void boxesOnTheConsole()
    {
        QWidget console;
        console.setGeometry(300, 200, 900, 600);
        QWidget other;
        other.setGeometry(0, 0, 100, 100);
        QtMessagePort messages;
        messages.setConsole(&console);
        for (const bool shown : {true, false}) {
            console.setVisible(shown);
            other.show();
            other.activateWindow();
            QPoint centre;
            QTimer::singleShot(0, this, [&] {
                QWidget* box = QApplication::activeModalWidget();
                centre = box->frameGeometry().center();
                box->close();
            });
            messages.askYesFirst(QStringLiteral("Restore this match?"));
            const QPoint expected =
                shown ? console.frameGeometry().center()
                      : QGuiApplication::primaryScreen()->availableGeometry().center();
            // Qt sizes the box once more as it shows: near the centre, far
            // from anything else (the two centres are 210 pixels apart).
            QCOMPARE_LT((centre - expected).manhattanLength(), 80);
        }
    }
};

KESTRANE_TEST_MAIN(TestApp)
#include "tst_app.moc"
