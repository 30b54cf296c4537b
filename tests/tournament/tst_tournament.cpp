// A tournament day: the match list as people bring it, the results log as a
// spreadsheet and a crash see it, and the day stepped through and restarted.
#include "console/ConsoleMenu.h"
#include "console/ConsoleWindow.h"
#include "console/TournamentActions.h"
#include "core/ProgramFiles.h"
#include "support/Files.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"
#include "tournament/Csv.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QUrl>

using namespace kestrane;
using test::operate;
using test::TestConsole;

namespace {

const QByteArray kHeader = "Match,Aka,Aka club,Shiro,Shiro club,Time\r\n";

ResultRow row(const QString& aka, const QString& shiro)
{
    ResultRow r;
    r.when = QDateTime(QDate(2026, 5, 9), QTime(10, 15, 0));
    r.field = QStringLiteral("2");
    r.label = QStringLiteral("U18 -60 kg, round 1");
    r.aka = {aka, QStringLiteral("JPN")};
    r.shiro = {shiro, QStringLiteral("UKR")};
    r.akaIppon = r.shiroWazaAri = QStringLiteral("1");
    r.akaWazaAri = r.shiroIppon = QStringLiteral("0");
    r.winner = QStringLiteral("Aka");
    r.how = QStringLiteral("points");
    r.matchTime = QStringLiteral("2:00");
    r.timeLeft = QStringLiteral("0:47");
    return r;
}

} // namespace

class TestTournament : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("problemLines");
        QTest::addColumn<QString>("second"); // label|aka|aka club|shiro|time of the second entry

        QTest::newRow("comma, BOM, CRLF, quotes")
            << "\xEF\xBB\xBF" + kHeader +
                   "U18 R1,Sato,JPN,Ivanova,UKR,2:00\r\n"
                   "\"U21, final\",\"Lee \"\"Min\"\"\",KOR,Díaz,ESP,\r\n"
            << 2 << ""
            << "U21, final|Lee \"Min\"|KOR|Díaz|";
        QTest::newRow("semicolon, no time column, non-Latin")
            << QByteArray("Match;Aka;Aka club;Shiro;Shiro club\n\nA;B;;C;\n女子 U21;佐藤 "
                          "花子;JPN;Иванова;UKR\n")
            << 2 << ""
            << "女子 U21|佐藤 花子|JPN|Иванова|";
        QTest::newRow("bad lines reported, good lines load")
            << kHeader +
                   "R1,A,x,B,y\r\n"
                   "short,A,B\r\n"
                   "long,A,x,B,y,2:00,extra\r\n"
                   "R2,A,x,B,y,2:75\r\n"
                   "R2b,A,x,B,y,1:60\r\n"
                   "\"R3,A,x,B,y\r\n"
                   "R4,,x,B,y\r\n"
                   "R5,A\xff,x,B,y\r\n" +
                   "R6," + QByteArray(1200, 'n') + ",x,B,y\r\n" + "R7,A,x,B,y,0:00\r\n" +
                   "R8,A,x,B,y,1:30,,,\r\n"
            << 2 << "3 4 5 6 7 8 9 10 11"
            << "R8|A|x|B|1:30";
        QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF\r\n") << 0 << "0"
                               << "";
    }

    void matchList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, entries);
        QFETCH(QString, problemLines);
        QFETCH(QString, second);
        const MatchList::Result r = MatchList::parse(bytes);
        QCOMPARE(r.entries.size(), entries);
        QStringList lines;
        for (const QString& p : r.problems)
            lines << (p.startsWith(QStringLiteral("Line ")) ? p.section(u' ', 1, 1).chopped(1)
                                                            : QStringLiteral("0"));
        QCOMPARE(lines.join(u' '), problemLines);
        if (entries > 1) {
            const MatchEntry& e = r.entries.at(1);
            QCOMPARE(
                QStringList({e.label, e.aka.name, e.aka.club, e.shiro.name, e.time}).join(u'|'),
                second);
        }
    }

    void csvCellsSurviveASpreadsheet()
    {
        QTemporaryDir dir;
        ResultsLog log(dir.filePath(QStringLiteral("r.csv")));
        ResultRow r =
            row(QStringLiteral("=HYPERLINK(\"http://x\")"), QStringLiteral("Lee, \"Min\""));
        r.aka.club = QStringLiteral("+1");
        r.shiro.club = QStringLiteral("-2\n@3");
        r.label = QStringLiteral("@cmd");
        QVERIFY(log.append(r).ok);
        QVERIFY(log.append(row(QStringLiteral("Sato"), QStringLiteral("Иванова"))).ok);

        const QByteArray bytes = test::readFile(log.path());
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                                 "Date,Time,Field,Match,Aka,"));
        QCOMPARE(bytes.count("\r\n"), 3);
        const ResultsLog::Contents c = log.read();
        QCOMPARE(c.rows.size(), 2);
        QVERIFY(c.torn.isEmpty());
        const QStringList cells = c.rows.at(0);
        QCOMPARE(cells.mid(3, 5), QStringList({"'@cmd", "'=HYPERLINK(\"http://x\")", "'+1",
                                               "Lee, \"Min\"", "'-2 @3"}));
        QCOMPARE(c.rows.at(1).at(6), QStringLiteral("Иванова"));
        QVERIFY(log.json().contains("\"Shiro\":\"Иванова\""));
    }

    // The program killed while it writes a row: the write stops part way.
    void tornRowLeavesEarlierRowsIntact()
    {
        // Bytes of the second row that reach the disk (< 0: from its end): its
        // first byte, into a quoted cell, before the last cell tear it; with
        // only the line end or its LF missing, the row is whole.
        const std::pair<int, bool> cuts[] = {
            {1, true}, {60, true}, {-6, true}, {-2, false}, {-1, false}};
        for (const auto& [cut, torn] : cuts) {
            QTemporaryDir dir;
            ResultsLog log(dir.filePath(QStringLiteral("r.csv")));
            QVERIFY(log.append(row(QStringLiteral("One"), QStringLiteral("Uno"))).ok);
            log.writer = [n = cut](QFile& f, const QByteArray& b) {
                f.write(b.left(n < 0 ? b.size() + n : n));
                return qint64(-1);
            };
            QVERIFY(!log.append(row(QStringLiteral("Two, \"Zwei\""), QStringLiteral("Dos"))).ok);
            log.writer = [](QFile& f, const QByteArray& b) { return f.write(b); };
            QVERIFY(log.append(row(QStringLiteral("Three"), QStringLiteral("Tres"))).ok);
            const ResultsLog::Contents c = log.read();
            QCOMPARE(c.torn, torn ? QList<int>{3} : QList<int>{});
            QCOMPARE(c.rows.size(), torn ? 2 : 3);
            QCOMPARE(c.rows.first(),
                     ResultsLog::cells(row(QStringLiteral("One"), QStringLiteral("Uno"))));
            QCOMPARE(c.rows.last(),
                     ResultsLog::cells(row(QStringLiteral("Three"), QStringLiteral("Tres"))));
        }
    }

    // Who won and how, as the results log records it.
    void winnerAndHow()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"Command6", "Aka/points"},
            {"Check10", "Shiro/penalty"},          // Aka's H box
            {"NihonB 0:01 tijdd", "Shiro/time"},   // a lead at the end of time
            {"0:01 tijdd Command17", "both/time"}, // a tie; extra time stops the blink
            {"Command11 Timer2 Timer2 Timer2 Timer2 Timer2 Timer2 Timer2 Timer2 "
             "Timer2 Timer2 "
             "Command15",
             "both/KO count"},                           // counted to ten, the count closed
            {"Check25 Command8 Command8", "Aka/points"}, // two waza-ari turned into an ippon
            {"Command6 Command10", "none/abandoned"},    // the ippon taken back
            {"Check2 Check2", "none/abandoned"},         // the penalty taken back
            {"0:01 tijdd Command17 Command3", "none/abandoned"}}; // time, then the clock again
        for (const auto& [actions, expected] : rows) {
            TestConsole c;
            c.k.startUp.Form_Load();
            operate(c, QString::fromUtf8(actions));
            const ResultRow r = c.k.day.currentRow();
            QCOMPARE(r.winner + u'/' + r.how, QString::fromUtf8(expected));
        }
    }

    void dayThroughListAndRestart()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        QVERIFY(!QFile::exists(ProgramFiles(c.dir.path()).tournament()));
        const QString list = c.dir.filePath(QStringLiteral("draw.csv"));
        test::writeFile(list, kHeader + "U18 R1,Sato,JPN,Ivanova,UKR,2:00\r\n"
                                        "U18 R2,Lee,KOR,Díaz,ESP,\r\n"
                                        "U18 F,Sato,JPN,Díaz,ESP,3:00\r\n");
        c.ports.files.answer = list;
        c.k.day.loadMatchList();
        QCOMPARE(c.k.day.status(), QStringLiteral("Match list of 3. Next: U18 R1: Sato - Ivanova"));
        operate(c, "Text1=4 ippon=2");

        c.k.day.nextMatch();
        QCOMPARE(c.k.competitors.shiro().name, QStringLiteral("Ivanova"));
        QCOMPARE(c.s.Label1.caption() + c.s.Label2.caption(), QStringLiteral("20"));
        operate(c, "Command6 Command6");
        c.k.day.nextMatch(); // an end was signalled: no question
        QCOMPARE(c.k.day.status(),
                 QStringLiteral("Match 2 of 3: U18 R2. Next: U18 F: Sato - Díaz"));
        QCOMPARE(c.s.Text5.text(), QStringLiteral("2")); // no time given: kept
        operate(c, "Check10");
        c.k.day.nextMatch();
        operate(c, "NihonB");
        c.k.day.nextMatch(); // under way, no end: the operator says No
        QCOMPARE(c.ports.messages.asked.size(), 1);
        QVERIFY(c.k.day.status().startsWith(QStringLiteral("Match 3 of 3")));
        c.ports.messages.yes = true;
        c.k.day.nextMatch();
        QCOMPARE(c.ports.messages.shown.back().first,
                 QStringLiteral("End of the match list: all 3 matches are done."));
        QVERIFY(c.k.competitors.isEmpty());
        c.k.day.nextMatch(); // nothing under way: nothing more logged

        const ResultsLog::Contents rows = c.k.day.resultsLog().read();
        QCOMPARE(rows.rows.size(), 3);
        QStringList got;
        for (const QStringList& r : rows.rows)
            got << QStringList({r[2], r[3], r[4], r[6], r[8], r[12], r[14], r[15], r[16], r[17]})
                       .join(u'|');
        QCOMPARE(got, QStringList({"4|U18 R1|Sato|Ivanova|2||Aka|points|2:00|2:00",
                                   "4|U18 R2|Lee|Díaz|0|H|Shiro|penalty|2:00|2:00",
                                   "4|U18 F|Sato|Díaz|0||none|abandoned|3:00|3:00"}));

        // The next start: the set-up, the names and the position are back.
        c.ports.messages.yes = false;
        c.k.competitors.set({QStringLiteral("Kim"), {}}, {QStringLiteral("Ono"), {}});
        test::FakePorts ports;
        Kumite2 again({ports.sound, ports.messages, ports.files, ports.screens, ports.windows},
                      c.dir.path());
        again.startUp.Form_Load();
        QCOMPARE(again.state.Text1.text() + again.state.ippon.text() + again.state.Text5.text() +
                     again.state.Label1.caption(),
                 QStringLiteral("4233"));
        QCOMPARE(again.competitors.aka().name + again.competitors.shiro().name,
                 QStringLiteral("KimOno"));
        QCOMPARE(again.day.status(), QStringLiteral("Match list done: all 3 matches"));
        QVERIFY(!again.closeGuard.matchUnderWay());
        QVERIFY(ports.messages.shown.empty());
        // A list over 1 MiB loads its first MiB, and the operator is told so.
        test::writeFile(list, kHeader + QByteArray("R,A,x,B,y\r\n").repeated(100000));
        QVERIFY(again.day.loadMatchList(list));
        QVERIFY(ports.messages.shown.back().first.contains("larger than 1048576 bytes; the rest"));
    }

    void closedMatchLoggedOnceWhenRestored()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        const ProgramFiles files(c.dir.path());
        operate(c, "Command8");
        c.k.commands.consoleClosing();
        QCOMPARE(c.k.day.resultsLog().read().rows.size(), 1);

        // Restarted with the match kept for a restore; the restored match is
        // scored on and left: still one row, the final one.
        test::writeFile(files.matchJournal(), "{}");
        TestConsole again;
        QVERIFY(QFile::copy(files.tournament(), ProgramFiles(again.dir.path()).tournament()));
        QVERIFY(QFile::copy(files.resultsLog(), ProgramFiles(again.dir.path()).resultsLog()));
        test::writeFile(ProgramFiles(again.dir.path()).matchJournal(), "{}");
        again.k.startUp.Form_Load();
        operate(again, "Command8 Command6");
        again.s.Command13.click();
        const ResultsLog::Contents rows = again.k.day.resultsLog().read();
        QCOMPARE(rows.rows.size(), 1);
        QCOMPARE(rows.rows[0][8] + rows.rows[0][14], QStringLiteral("1Aka"));

        // Declined after the close: the close's row stands. Declined after a
        // crash (nothing logged): one abandoned row.
        c.k.day.declinedRestore(c.k.day.currentRow());
        QCOMPARE(c.k.day.resultsLog().read().rows.size(), 1);
        ResultRow crashed = row(QString(), QString());
        c.k.day.declinedRestore(crashed);
        const QStringList last = c.k.day.resultsLog().read().rows.last();
        QCOMPARE(c.k.day.resultsLog().read().rows.size(), 2);
        QCOMPARE(last[14] + last[15], QStringLiteral("noneabandoned"));
    }

    void menuAndStatus()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        view::ConsoleWindow w(c.k);
        view::TournamentActions actions(c.k.day, c.k.ports.messages, w);
        QList<QUrl> opened;
        actions.openUrl = [&opened](const QUrl& u) {
            opened << u;
            return true;
        };
        w.show();
        const int barHeight = w.menuBar()->height();
        QVERIFY(actions.status()->isHidden());

        QAction* next = w.menu().tournamentAction(view::ConsoleMenu::TournamentItem::NextMatch);
        QVERIFY(next->isVisible());
        QCOMPARE(next->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+N")));
        const QString list = c.dir.filePath(QStringLiteral("draw.csv"));
        test::writeFile(list, kHeader + "R1,A,,B,\r\nR2,C,,D,\r\n");
        c.ports.files.answer = list;
        w.menu().tournamentAction(view::ConsoleMenu::TournamentItem::LoadMatchList)->trigger();
        next->trigger();
        QVERIFY(actions.status()->isVisible());
        QCOMPARE(actions.status()->accessibleName(),
                 QStringLiteral("Match 1 of 2: R1. Next: R2: C - D"));
        QCOMPARE(w.menuBar()->height(), barHeight);

        w.menu().tournamentAction(view::ConsoleMenu::TournamentItem::ResultsLog)->trigger();
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(QFileInfo(c.dir.path()).absoluteFilePath())});
    }
};

KESTRANE_TEST_MAIN(TestTournament)
#include "tst_tournament.moc"
