#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;

// The console's close paths and the About command, on fake windows.
class TestConsoleCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closePaths_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("menu Close") << "sluit" << QStringList{"closeConsole"};
        QTest::newRow("button Close") << "Command14" << QStringList{"closeAbout", "closeConsole"};
        QTest::newRow("menu About") << "over" << QStringList{"showAbout"};
    }

    void closePaths()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, calls);
        // Records each window call with whether a board still existed then.
        struct OrderWindows final : WindowPort {
            Kumite2* k = nullptr;
            QStringList calls;
            QStringList boardAt;
            void note(const char* call)
            {
                calls << QString::fromLatin1(call);
                boardAt << (k->boards.current() ? QStringLiteral("board") : QStringLiteral("-"));
            }
            void closeConsole() override { note("closeConsole"); }
            void showAbout() override { note("showAbout"); }
            void closeAbout() override { note("closeAbout"); }
        } windows;
        QTemporaryDir dir;
        test::FakePorts p;
        Kumite2 k({p.sound, p.messages, p.files, p.screens, windows}, dir.path());
        windows.k = &k;
        k.startUp.Form_Load();
        k.boards.show(1);
        QVERIFY(k.boards.current());
        k.state.find(item)->click();
        QCOMPARE(windows.calls, calls);
        const bool closes = item != QLatin1String("over");
        QCOMPARE(k.boards.current() == nullptr, closes);
        // Closing commands take the board down before any window.
        if (closes)
            QCOMPARE(windows.boardAt, QStringList(calls.size(), QStringLiteral("-")));
        else
            QCOMPARE(windows.boardAt, QStringList{"board"});
    }

    void closingStopsEverything()
    {
        test::TestConsole c;
        c.k.startUp.Form_Load();
        MatchState& s = c.s;
        const std::vector<Element*> timers{&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4};
        for (Element* t : timers)
            t->setEnabled(true);
        c.k.kubord2();
        QVERIFY(!c.k.commands.closed());
        c.k.commands.consoleClosing();
        QVERIFY(c.k.commands.closed());
        QVERIFY(!c.k.boards.current());
        for (Element* t : timers) {
            QVERIFY2(!t->enabled(), qPrintable(t->name()));
            t->tick(); // a late tick must find nothing to do
        }
        QVERIFY(!c.k.boards.current());
        QVERIFY(c.ports.sound.played.isEmpty());
    }

    void closeWithoutBoardIsQuiet()
    {
        test::TestConsole c;
        QVERIFY(!c.k.boards.current());
        c.s.sluit.click();
        QVERIFY(!c.k.boards.current());
        QCOMPARE(c.ports.windows.calls, QStringList{"closeConsole"});
        QVERIFY(c.ports.sound.played.isEmpty());
        QVERIFY(c.ports.messages.shown.empty());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestConsoleCommands)
#include "tst_consolecommands.moc"
