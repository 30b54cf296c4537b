// The match clock: start and stop, the one-second step with its borrows,
// the warning at 0:30 and the end at 0:00, resett, the S key and the
// reading of the seconds entry.
#include "clock/ClockHelpers.h"
#include "match/WriteLog.h"
#include "support/TestMain.h"

using namespace kestrane;
using namespace kestrane::test;

namespace {
const QList<Colour> kBlack{0, 0, 0, 0};
const QList<Colour> kWarning{143, 143, 143, 143};
} // namespace

class TestMatchClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A 2:00 clock left running: 1:59 after one tick, 0:30 after 90 with one
    // warning, 0:00 after 120 with the end, the leader blinking and Start back.
    void twoMinuteMatch()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.s.waarwav.setText(QStringLiteral("warn.wav"));
        c.s.ippon.setText(QStringLiteral("3"));
        setScoresQuietly(c, {"0", "1", "0", "0"}); // Aka leads by a waza-ari
        setClock(c, "2:00");
        c.s.Command3.click();
        QVERIFY(running(c));
        QVERIFY(consistentRunState(c));

        c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("1:59"));
        QCOMPARE(boardClock(c), QStringLiteral("1:59"));
        for (int i = 2; i <= 89; ++i)
            c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:31"));
        QVERIFY(c.ports.sound.played.isEmpty());
        QCOMPARE(boardClockColours(c), kBlack);

        c.s.Timer1.tick(); // 90
        QCOMPARE(consoleClock(c), QStringLiteral("0:30"));
        QCOMPARE(boardClock(c), QStringLiteral("0:30"));
        QCOMPARE(c.ports.sound.played, QStringList{"warn.wav"});
        QCOMPARE(boardClockColours(c), kWarning);
        QVERIFY(running(c));

        for (int i = 91; i <= 119; ++i)
            c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:01"));
        QCOMPARE(c.ports.sound.played.size(), 1);
        QCOMPARE(boardClockColours(c), kWarning);
        QVERIFY(!c.s.Timer3.enabled());

        c.s.Timer1.tick(); // 120
        QCOMPARE(consoleClock(c), QStringLiteral("0:00"));
        QCOMPARE(boardClock(c), QStringLiteral("0:00"));
        QVERIFY(!running(c));
        QVERIFY(c.s.Command3.visible());
        QVERIFY(!c.s.Command4.visible());
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer4.enabled());
        QCOMPARE(c.ports.sound.played, (QStringList{"warn.wav", "end.wav"}));
        QCOMPARE(boardClockColours(c), kBlack);

        // Stopped at 0:00: the next tick does not arrive.
        c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:00"));
    }

    // The writes of one step, and the order of the warning and the end.
    void stepOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("2:00, both borrows")
            << "2:00" << QStringList{"b:Label6=5", "b:Label8=9", "Label2=5",
                                     "Label3=9",   "b:Label5=1", "Label1=1"};
        QTest::newRow("0:31, the warning")
            << "0:31" << QStringList{"b:Label8=0",        "Label3=0",          "Label2 repaint",
                                     "b:Label6 repaint",  "sound:warn.wav",    "b:Label5.fore=143",
                                     "b:Label6.fore=143", "b:Label8.fore=143", "b:Label7.fore=143"};
        QTest::newRow("0:01, the end")
            << "0:01" << QStringList{"b:Label8=0",       "Label3=0",        "Label2 repaint",
                                     "b:Label6 repaint", "Timer1 off",      "Command3 shown",
                                     "Command4 hidden",  "Timer4 on",       "Timer3 on",
                                     "sound:end.wav",    "b:Label5.fore=0", "b:Label6.fore=0",
                                     "b:Label8.fore=0",  "b:Label7.fore=0"};
    }

    void stepOrder()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, expected);
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.s.waarwav.setText(QStringLiteral("warn.wav"));
        setClock(c, from);
        c.k.clock.setBoardClockColour(from == "0:01" ? 143 : 0);
        c.k.clock.starten();
        WriteLog log(c);
        c.s.Timer1.tick();
        QCOMPARE(log.entries, expected);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("sounds");
        QTest::addColumn<bool>("stillRunning");
        QTest::newRow("1:10") << "1:10"
                              << "1:09" << 0 << true;
        QTest::newRow("1:00") << "1:00"
                              << "0:59" << 0 << true;
        QTest::newRow("0:60 state") << "0:60"
                                    << "0:59" << 0 << true;
        QTest::newRow("0:61") << "0:61"
                              << "0:60" << 0 << true;
        QTest::newRow("ten minutes") << "10:00"
                                     << "9:59" << 0 << true;
        QTest::newRow("ten minutes and more") << "12:00"
                                              << "11:59" << 0 << true;
        QTest::newRow("ten-digit minutes") << "9999999999:00"
                                           << "9999999998:59" << 0 << true;
        QTest::newRow("1:30 is no warning") << "1:31"
                                            << "1:30" << 0 << true;
        QTest::newRow("0:31 warns") << "0:31"
                                    << "0:30" << 1 << true;
        QTest::newRow("0:01 ends") << "0:01"
                                   << "0:00" << 1 << false;
        QTest::newRow("empty digits read as 0") << ":1"
                                                << "0:00" << 1 << false;
    }

    void steps()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, sounds);
        QFETCH(bool, stillRunning);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, from);
        c.k.clock.starten();
        QVERIFY(running(c));
        c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), to);
        QCOMPARE(boardClock(c), to);
        QCOMPARE(c.ports.sound.played.size(), sounds);
        QCOMPARE(running(c), stillRunning);
        QVERIFY(consistentRunState(c));
    }

    void startedBelowThirtyNeverWarns()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.eindwav.setText(QStringLiteral("end.wav"));
        c.s.waarwav.setText(QStringLiteral("warn.wav"));
        setClock(c, "0:20");
        c.s.Command3.click();
        for (int i = 0; i < 25; ++i)
            c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:00"));
        QCOMPARE(c.ports.sound.played, QStringList{"end.wav"});
        QCOMPARE(boardClockColours(c), kBlack);
    }

    // 0:00 cannot be started, by button or by key.
    void startAtZeroRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("clock");
        QTest::newRow("Start button") << "button"
                                      << "0:00";
        QTest::newRow("s key") << "s"
                               << "0:00";
        QTest::newRow("S key") << "S"
                               << "0:00";
        QTest::newRow("empty digits") << "button"
                                      << ":";
    }

    void startAtZeroRefused()
    {
        QFETCH(QString, how);
        QFETCH(QString, clock);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, clock);
        WriteLog log(c);
        if (how == "button")
            c.s.Command3.click();
        else
            c.k.Form_KeyPress(how.at(0).unicode());
        QVERIFY(!running(c));
        QVERIFY(consistentRunState(c));
        QVERIFY(log.entries.isEmpty());
    }

    void sKey_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("runningBefore");
        QTest::addColumn<bool>("runningAfter");
        QTest::newRow("s starts") << 115 << false << true;
        QTest::newRow("S starts") << 83 << false << true;
        QTest::newRow("s stops") << 115 << true << false;
        QTest::newRow("S stops") << 83 << true << false;
        QTest::newRow("a does nothing") << int('a') << false << false;
        QTest::newRow("t does nothing while running") << int('t') << true << true;
        QTest::newRow("Ctrl-S (19) does nothing") << 19 << false << false;
        QTest::newRow("space does nothing") << 32 << true << true;
    }

    void sKey()
    {
        QFETCH(int, code);
        QFETCH(bool, runningBefore);
        QFETCH(bool, runningAfter);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "1:30");
        if (runningBefore)
            c.k.clock.starten();
        c.s.keyPreview = false; // the key handler never touches it
        c.k.Form_KeyPress(code);
        QCOMPARE(running(c), runningAfter);
        QVERIFY(consistentRunState(c));
        QVERIFY(!c.s.keyPreview);
    }

    // The S key consults the visible Stop button, not the timer.
    void sKeyFollowsStopButton()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "1:30");
        c.s.Timer1.setEnabled(true); // Stop hidden although the timer runs
        c.k.Form_KeyPress('s');
        QVERIFY(running(c));
        QVERIFY(c.s.Command4.visible());
    }

    void buttonsTurnKeyPreviewOn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("runningAfter");
        QTest::newRow("Start") << "Command3" << true;
        QTest::newRow("Stop") << "Command4" << false;
    }

    void buttonsTurnKeyPreviewOn()
    {
        QFETCH(QString, button);
        QFETCH(bool, runningAfter);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "1:30");
        if (!runningAfter)
            c.k.clock.starten();
        c.s.keyPreview = false;
        c.s.find(button)->click();
        QVERIFY(c.s.keyPreview);
        QCOMPARE(running(c), runningAfter);
        QVERIFY(consistentRunState(c));
    }

    void stoppenOnStoppedClockChangesNothing()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "1:30");
        c.k.clock.stoppen(); // Stop hidden, Start visible as at start-up
        WriteLog log(c);
        c.k.clock.stoppen();
        c.s.Command4.click();
        QVERIFY(log.entries.isEmpty());
    }

    // resett from its button and menu item: stopped, black, match time shown,
    // in the order board units, tens, minutes, then console minutes, tens, units.
    void resett_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("Reset time button") << "Command5";
        QTest::newRow("Reset time menu") << "retime";
    }

    void resett()
    {
        QFETCH(QString, trigger);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "0:25");
        c.k.clock.setBoardClockColour(143);
        c.k.clock.starten();
        c.s.Text5.setText(QStringLiteral("3"));
        c.s.Text6.setText(QStringLiteral("47"));
        WriteLog log(c);
        c.s.find(trigger)->click();
        QCOMPARE(log.entries,
                 (QStringList{"Timer1 off", "Command3 shown", "Command4 hidden", "b:Label5.fore=0",
                              "b:Label6.fore=0", "b:Label8.fore=0", "b:Label7.fore=0", "b:Label8=7",
                              "b:Label6=4", "b:Label5=3", "Label1=3", "Label2=4", "Label3=7"}));
    }

    void resettWithEmptyMinutes()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "4:44");
        c.s.Text5.setText(QString());
        c.k.clock.resett();
        QCOMPARE(c.s.Text5.text(), QStringLiteral("0"));
        QCOMPARE(consoleClock(c), QStringLiteral("0:30"));
        QCOMPARE(boardClock(c), QStringLiteral("0:30"));
    }

    // The seconds entry, read by its first and last character, the same way
    // by start-up, resett, reset and zsec's reset.
    void secondsEntry_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("text6");
        QTest::addColumn<QString>("shown");
        const struct {
            const char* text6;
            const char* shown;
        } cases[] = {{"30", "1:30"}, {"05", "1:05"}, {"5", "1:05"}, {"", "1:00"}, {"123", "1:13"}};
        for (const char* proc : {"Form_Load", "resett", "reset"}) {
            for (const auto& k : cases) {
                QTest::addRow("%s, \"%s\"", proc, k.text6)
                    << QString::fromLatin1(proc) << QString::fromLatin1(k.text6)
                    << QString::fromLatin1(k.shown);
            }
        }
    }

    void secondsEntry()
    {
        QFETCH(QString, procedure);
        QFETCH(QString, text6);
        QFETCH(QString, shown);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "7:77");
        c.s.Text6.setText(text6);
        if (procedure == "Form_Load")
            c.k.startUp.Form_Load();
        else if (procedure == "resett")
            c.k.clock.resett();
        else
            c.k.matchReset.reset();
        QCOMPARE(consoleClock(c), shown);
        QCOMPARE(boardClock(c), shown);
        QCOMPARE(c.s.Text6.text(), text6); // the entry itself stays as typed
    }

    // A 0:05 match started from "5" runs five seconds, not 55.
    void singleDigitSecondsRunAsUnits()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.Text5.setText(QStringLiteral("0"));
        c.s.Text6.setText(QStringLiteral("5"));
        c.k.clock.resett();
        c.k.clock.starten();
        int ticks = 0;
        while (running(c) && ticks < 100) {
            c.s.Timer1.tick();
            ++ticks;
        }
        QCOMPARE(ticks, 5);
    }
};

KESTRANE_MODEL_TEST_MAIN(TestMatchClock)
#include "tst_matchclock.moc"
