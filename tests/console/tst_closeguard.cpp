#include "support/RealConsole.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;

// The close that is none of the console's Close commands (title bar,
// Alt+F4, task bar) and the match it could lose.
class TestCloseGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A match is under way while anything differs from a fresh one.
    void matchUnderWay_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("underWay");
        const std::pair<const char*, bool> rows[] = {
            {"nothing", false},          {"clock runs", true},  {"clock stepped", true},
            {"match time typed", true},  {"score", true},       {"penalty", true},
            {"KO count finished", true}, {"name blinks", true}, {"reset match", false}};
        for (const auto& [change, underWay] : rows)
            QTest::newRow(change) << change << underWay;
    }

    void matchUnderWay()
    {
        QFETCH(QString, change);
        QFETCH(bool, underWay);
        test::TestConsole c;
        c.k.startUp.Form_Load();
        MatchState& s = c.s;
        const bool all = change == "reset match";
        if (all || change == "clock runs")
            s.Command3.click();
        if (change == "clock stepped")
            s.tijdd.click();
        if (change == "match time typed") // "Reset time" would load another time
            s.Text5.setText(QStringLiteral("2"));
        if (all || change == "score")
            s.Command6.click();
        if (all || change == "penalty")
            s.Check5.setValue(1);
        if (all || change == "KO count finished") {
            s.Command11.click();
            s.Timer2.setEnabled(false);
        }
        if (change == "name blinks")
            s.Timer4.setEnabled(true);
        if (all) {
            s.Command15.click();
            s.Command13.click();
        }
        QCOMPARE(c.k.closeGuard.matchUnderWay(), underWay);
    }

    // The title bar's close, Alt+F4 and the task bar arrive as close().
    // Without a match under way it does what the menu's Close does.
    void titleBarCloseWithoutMatch()
    {
        test::RealConsole c;
        c.k.state.Timer3.setEnabled(false);
        c.openAbout();
        c.w->close();
        c.verifyClosed();
        QVERIFY(c.ports.messages.asked.isEmpty());
        QVERIFY(c.windows.about() && c.windows.about()->isVisible());
    }

    // During a match it asks first: No (the default) leaves everything
    // running, the clock too; Yes closes as the menu's Close does.
    void titleBarCloseDuringMatch()
    {
        test::RealConsole c;
        c.openAbout();
        c.k.state.Command3.click();
        bool runningWhileAsked = false;
        c.ports.messages.onAsk = [&] { runningWhileAsked = c.k.state.Timer1.enabled(); };
        c.w->close();
        const QString question =
            QStringLiteral("Close Kestrane? The match on the board will be lost.");
        QCOMPARE(c.ports.messages.asked, QStringList{question});
        QVERIFY(runningWhileAsked && c.w->isVisible() && !c.k.commands.closed());
        QVERIFY(c.k.state.Timer1.enabled() && c.k.state.Timer3.enabled() && c.k.boards.current());
        c.ports.messages.yes = true;
        c.w->close();
        QCOMPARE(c.ports.messages.asked.size(), 2);
        c.verifyClosed();
        QVERIFY(c.windows.about() && c.windows.about()->isVisible());
    }
};

KESTRANE_TEST_MAIN(TestCloseGuard)
#include "tst_closeguard.moc"
