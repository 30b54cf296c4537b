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
    // Both sounds come only once the new digits have been painted.
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
        QVERIFY(running(c) && consistentRunState(c));

        c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("1:59"));
        QCOMPARE(boardClock(c), QStringLiteral("1:59"));
        for (int i = 2; i <= 89; ++i)
            c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:31"));
        QVERIFY(c.ports.sound.played.isEmpty());
        QCOMPARE(boardClockColours(c), kBlack);

        const QStringList paintedThenSound{"Label2 repaint", "b:Label6 repaint", "sound:"};
        WriteLog log(c);
        c.s.Timer1.tick(); // 90
        QCOMPARE(consoleClock(c), QStringLiteral("0:30"));
        QCOMPARE(boardClock(c), QStringLiteral("0:30"));
        QCOMPARE(log.only(paintedThenSound),
                 (QStringList{"Label2 repaint", "b:Label6 repaint", "sound:warn.wav"}));
        QCOMPARE(boardClockColours(c), kWarning);
        QVERIFY(running(c));

        for (int i = 91; i <= 119; ++i)
            c.s.Timer1.tick();
        QCOMPARE(consoleClock(c), QStringLiteral("0:01"));
        QCOMPARE(boardClockColours(c), kWarning);
        QVERIFY(!c.s.Timer3.enabled());

        log.take();
        c.s.Timer1.tick(); // 120
        QCOMPARE(consoleClock(c), QStringLiteral("0:00"));
        QCOMPARE(boardClock(c), QStringLiteral("0:00"));
        QCOMPARE(log.only(paintedThenSound),
                 (QStringList{"Label2 repaint", "b:Label6 repaint", "sound:end.wav"}));
        QVERIFY(!running(c) && consistentRunState(c));
        QVERIFY(c.s.Timer3.enabled());
        QVERIFY(!c.s.Timer4.enabled());
        QCOMPARE(c.ports.sound.played, (QStringList{"warn.wav", "end.wav"}));
        QCOMPARE(boardClockColours(c), kBlack);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("sounds");
        QTest::addColumn<bool>("stillRunning");
        QTest::newRow("2:00, both borrows") << "2:00"
                                            << "1:59" << 0 << true;
        QTest::newRow("1:10") << "1:10"
                              << "1:09" << 0 << true;
        QTest::newRow("0:60 state") << "0:60"
                                    << "0:59" << 0 << true;
        QTest::newRow("0:61") << "0:61"
                              << "0:60" << 0 << true;
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

    // Start, Stop and the keys. The buttons turn key preview on, keys never
    // touch it; 0:00 cannot be started; S consults the visible Stop button.
    void startAndStop_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<bool>("runningBefore");
        QTest::addColumn<bool>("runningAfter");
        QTest::newRow("Start") << "Command3"
                               << "1:30" << false << true;
        QTest::newRow("Stop") << "Command4"
                              << "1:30" << true << false;
        QTest::newRow("s starts") << "s"
                                  << "1:30" << false << true;
        QTest::newRow("S stops") << "S"
                                 << "1:30" << true << false;
        QTest::newRow("a does nothing") << "a"
                                        << "1:30" << false << false;
        QTest::newRow("t does nothing while running") << "t"
                                                      << "1:30" << true << true;
        QTest::newRow("Start at 0:00") << "Command3"
                                       << "0:00" << false << false;
        QTest::newRow("S at 0:00") << "S"
                                   << "0:00" << false << false;
        QTest::newRow("Start on empty digits") << "Command3"
                                               << ":" << false << false;
        QTest::newRow("Start at 0:01") << "Command3"
                                       << "0:01" << false << true;
    }

    void startAndStop()
    {
        QFETCH(QString, how);
        QFETCH(QString, clock);
        QFETCH(bool, runningBefore);
        QFETCH(bool, runningAfter);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, clock);
        if (runningBefore)
            c.k.clock.starten();
        c.s.keyPreview = false;
        if (how.size() == 1)
            c.k.Form_KeyPress(how.at(0).unicode());
        else
            c.s.find(how)->click();
        QCOMPARE(running(c), runningAfter);
        QVERIFY(consistentRunState(c));
        QCOMPARE(c.s.keyPreview, how.size() > 1);
    }

    void sKeyFollowsStopButton()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "1:30");
        c.s.Timer1.setEnabled(true); // Stop hidden although the timer runs
        c.k.Form_KeyPress('s');
        QVERIFY(running(c) && c.s.Command4.visible());
    }

    // resett from its button and menu item: stopped, black, match time shown;
    // an empty minutes entry becomes "0".
    void resett_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("button") << "Command5"
                                << "3"
                                << "3:47";
        QTest::newRow("menu") << "retime"
                              << "12"
                              << "12:47";
        QTest::newRow("empty minutes") << "Command5"
                                       << ""
                                       << "0:47";
    }

    void resett()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, minutes);
        QFETCH(QString, shown);
        TestConsole c;
        c.k.startUp.Form_Load();
        setClock(c, "0:25");
        c.k.clock.setBoardClockColour(143);
        c.k.clock.starten();
        c.s.Text5.setText(minutes);
        c.s.Text6.setText(QStringLiteral("47"));
        c.s.find(trigger)->click();
        QVERIFY(!running(c) && consistentRunState(c));
        QCOMPARE(boardClockColours(c), kBlack);
        QCOMPARE(consoleClock(c), shown);
        QCOMPARE(boardClock(c), shown);
        QCOMPARE(c.s.Text5.text(), minutes.isEmpty() ? QStringLiteral("0") : minutes);
    }

    // The seconds entry, read by its first and last character, the same way
    // by start-up, resett and reset.
    void secondsEntry_data()
    {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("text6");
        QTest::addColumn<QString>("shown");
        const struct {
            const char* text6;
            const char* shown;
        } cases[] = {{"30", "1:30"}, {"5", "1:05"}, {"", "1:00"}, {"123", "1:13"}};
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
};

KESTRANE_MODEL_TEST_MAIN(TestMatchClock)
#include "tst_matchclock.moc"
