#include "CommandLine.h"
#include "InstanceGuard.h"
#include "platform/QtMessagePort.h"
#include "support/TestMain.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

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

    // One program per folder; the lock goes with its owner.
    void instanceGuard()
    {
        QTemporaryDir folder;
        auto first = std::make_unique<InstanceGuard>(folder.path());
        QCOMPARE(first->state(), InstanceGuard::State::Acquired);
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::AlreadyRunning);
        first.reset();
        QCOMPARE(InstanceGuard(folder.path()).state(), InstanceGuard::State::Acquired);
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
};

KESTRANE_TEST_MAIN(TestApp)
#include "tst_app.moc"
