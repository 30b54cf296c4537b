#include "console/MatchJournal.h"
#include "core/ProgramFiles.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QDir>

using namespace kestrane;
using namespace kestrane::test;
using Snapshot = MatchJournal::Snapshot;

namespace {

QString journalOf(const TestConsole& c)
{
    return ProgramFiles(c.dir.path()).matchJournal();
}

// A match with something of everything: scores, penalties, the rule set,
// the target, field number and match time changed, the clock run, the KO
// count open, the winner blinking, names, and the board open.
void playSome(TestConsole& c)
{
    c.k.boardOpening.startbord();
    c.s.Check26.setValue(1);
    c.k.boardOpening.startbord();
    operate(c, "Text5=2 Text6=15 Command5 Text1=7 Command12 ippon=3 Command8 "
               "Command8 SanbonB Check3 "
               "Check14 Command3 Timer1 Timer1 Timer1");
    c.k.competitors.set({QStringLiteral("Ana Lima"), QStringLiteral("BRA")},
                        {QStringLiteral("Kei Sato"), QStringLiteral("JPN")});
    operate(c, "Command11 Timer2 Timer2");
    c.k.signal.eindstraf();
    c.s.Timer3.tick();
}

std::vector<MatchJournal::Item> without(std::vector<MatchJournal::Item> items,
                                        const QStringList& names)
{
    std::erase_if(items, [&](const MatchJournal::Item& i) { return names.contains(i.name); });
    return items;
}

} // namespace

class TestMatchJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every value comes back, through the file's text, on a fresh console;
    // only the clock and the count come back stopped.
    void roundTrip()
    {
        TestConsole played;
        playSome(played);
        const Snapshot before = MatchJournal::capture(played.k);
        const std::optional<Snapshot> read = MatchJournal::decode(MatchJournal::encode(before));
        QVERIFY(read);

        TestConsole fresh;
        MatchJournal::apply(fresh.k, *read);
        const Snapshot after = MatchJournal::capture(fresh.k);
        const QStringList running{"Timer1", "Timer2", "Command3", "Command4"};
        QCOMPARE(without(after.console, running), without(before.console, running));
        QCOMPARE(after.board, before.board);
        QVERIFY(!before.board.empty());
        QVERIFY(fresh.k.boards.isShown() && before.boardOpen);
        QCOMPARE(fresh.s.Frame12.top(), played.s.Frame12.top());
        QVERIFY(fresh.k.koTimer.panelOpen());
        QCOMPARE(fresh.k.competitors.aka(), played.k.competitors.aka());
        QCOMPARE(fresh.k.competitors.shiro(), played.k.competitors.shiro());
        QVERIFY(!fresh.s.Timer1.enabled() && !fresh.s.Timer2.enabled());
        QVERIFY(fresh.s.Timer3.enabled() && fresh.s.Command3.visible());
        QVERIFY(!fresh.s.Command4.visible());
        // Nothing ran that a change would run: no sound, no message.
        QVERIFY(fresh.ports.sound.played.isEmpty() && fresh.ports.messages.shown.empty());
    }

    // A file that is not a whole journal of this PC is set aside and
    // reported; nothing of it is put back and no question is asked.
    void setAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        TestConsole c;
        playSome(c);
        const QByteArray good = MatchJournal::encode(MatchJournal::capture(c.k));
        QTest::newRow("torn") << good.left(good.size() / 2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign host")
            << QByteArray(good).replace(ProgramFiles::hostTag().toUtf8(), "other-pc");
        QTest::newRow("an element twice")
            << QByteArray(good).replace("\"name\": \"scri\"", "\"name\": \"Check25\"");
        QTest::newRow("value out of range")
            << QByteArray(good).replace("\"value\": 1", "\"value\": 7");
        QTest::newRow("not ours") << QByteArray("{\"format\": \"other\"}");
    }
    void setAside()
    {
        QFETCH(QByteArray, bytes);
        TestConsole c;
        QVERIFY(DurableWriter::writeDurably(journalOf(c), bytes));
        MatchJournal journal(c.k, journalOf(c));
        journal.offerRestore();
        QVERIFY(c.ports.messages.asked.isEmpty());
        QCOMPARE(c.ports.messages.shown.size(), std::size_t{1});
        QVERIFY(!QFile::exists(journalOf(c)));
        const QStringList aside = QDir(c.dir.path()).entryList({"*.unreadable-*"});
        QCOMPARE(aside.size(), 1);
        QVERIFY(c.ports.messages.shown[0].first.contains(aside[0]));
        QCOMPARE(c.s.scrw.caption(), QStringLiteral("0"));
        QVERIFY(!c.k.boards.isShown());
    }

    // The file follows the match: there while one is under way, within a
    // moment of each change (the running clock included), gone after Reset
    // match; kept by a close; a question answered No removes it and hands
    // the match to whoever logs it, Yes puts it back.
    void followsTheMatch()
    {
        TestConsole c;
        c.s.Command5.click(); // the clock shows the match time, as after start-up
        std::optional<MatchJournal> journal(std::in_place, c.k, journalOf(c));
        c.k.closeGuard.matchKept = [&] { return journal->keeping(); };
        journal->offerRestore();
        QTest::qWait(3 * MatchJournal::kCoalesceMs);
        QVERIFY(!QFile::exists(journalOf(c)));

        const auto onDisk = [&] {
            journal->writer().flush();
            QFile f(journalOf(c));
            return f.open(QIODevice::ReadOnly) ? MatchJournal::decode(f.readAll()) : std::nullopt;
        };
        const auto shows = [&](const char* name) {
            const auto snap = onDisk();
            const MatchJournal::Item* i = snap ? snap->consoleItem(name) : nullptr;
            return i ? i->caption : QString();
        };
        c.s.check(2).setValue(1);
        c.s.Command3.click();
        for (int t = 0; t < 3; ++t) {
            c.s.Timer1.tick();
            QTRY_COMPARE_WITH_TIMEOUT(shows("Label3"), c.s.Label3.caption(), 1000);
        }
        QVERIFY(c.k.closeGuard.windowClose() == c.ports.messages.yes);
        QCOMPARE(c.ports.messages.asked.last(),
                 "Close Kestrane? The match is kept and can be restored at the "
                 "next start.");

        c.s.Command13.click();
        QTRY_VERIFY(!QFile::exists(journalOf(c)));

        c.s.Command8.click();
        QTRY_COMPARE(shows("scrw"), QStringLiteral("1"));
        journal->seal();
        c.s.Command8.click();
        QTest::qWait(3 * MatchJournal::kCoalesceMs);
        QCOMPARE(shows("scrw"), QStringLiteral("1"));
        journal.reset();

        for (const bool yes : {false, true}) {
            TestConsole next;
            next.s.Command5.click();
            QVERIFY(QFile::copy(journalOf(c), journalOf(next)));
            next.ports.messages.yes = yes;
            MatchJournal again(next.k, journalOf(next));
            std::optional<Snapshot> declined;
            again.onRestoreDeclined = [&](const Snapshot& s) { declined = s; };
            again.offerRestore();
            QVERIFY(next.ports.messages.asked.value(0).endsWith("Restore this match?"));
            QVERIFY(next.ports.messages.asked.value(0).contains("Aka: ippon 0, waza-ari 1"));
            QCOMPARE(next.s.scrw.caption(), yes ? QStringLiteral("1") : QStringLiteral("0"));
            QCOMPARE(declined.has_value(), !yes);
            again.writer().flush();
            QCOMPARE(QFile::exists(journalOf(next)), yes);
        }
    }

    // A burst of changes costs one write.
    void coalesced()
    {
        TestConsole c;
        c.s.Command5.click();
        MatchJournal journal(c.k, journalOf(c));
        journal.start();
        c.s.check(1).setValue(1);
        for (int i = 0; i < 1000; ++i)
            c.s.Text1.setText(QString::number(i));
        QTest::qWait(3 * MatchJournal::kCoalesceMs);
        journal.writer().flush();
        QVERIFY2(journal.writer().writes() <= 1,
                 qPrintable(QString::number(journal.writer().writes())));
        QFile f(journalOf(c));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(MatchJournal::decode(f.readAll())->consoleItem("Text1")->caption, "999");
    }

    // A folder that cannot be written: the journal says so, and the close
    // question keeps its warning.
    void unwritable()
    {
        TestConsole c;
        MatchJournal journal(c.k, c.dir.filePath("gone/match.json"));
        c.k.closeGuard.matchKept = [&] { return journal.keeping(); };
        journal.start();
        c.s.check(1).setValue(1);
        QTRY_VERIFY(!journal.keeping());
        c.k.closeGuard.windowClose();
        QCOMPARE(c.ports.messages.asked.last(),
                 "Close Kestrane? The match on the board will be lost.");
    }
};

KESTRANE_TEST_MAIN(TestMatchJournal)
#include "tst_matchjournal.moc"
