// The console window as the operator uses it: clicks on the buttons, boxes
// and menu items, and the typed S, reach the match handlers, and the
// console shows the result.
#include "clock/ClockHelpers.h"
#include "console/ConsoleWindow.h"
#include "support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using namespace kestrane;
using namespace kestrane::test;

namespace {

struct Operator {
    TestConsole c;
    view::ConsoleWindow* window = nullptr;

    Operator()
    {
        c.k.startUp.Form_Load();
        window = new view::ConsoleWindow(c.k);
        window->show();
        QApplication::setActiveWindow(window);
    }
    ~Operator() { delete window; }

    QWidget* widget(const char* name) const
    {
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }
    QString labelText(const char* name) const
    {
        auto* l = qobject_cast<QLabel*>(widget(name));
        return l ? l->text() : QStringLiteral("<none>");
    }
    QString clockShown() const
    {
        return labelText("Label1") + ':' + labelText("Label2") + labelText("Label3");
    }
    void click(const char* name) const { QTest::mouseClick(widget(name), Qt::LeftButton); }
    void menu(const char* name) const
    {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(a, name);
        a->trigger();
    }
    // The widget's rectangle in window coordinates.
    QRect rectOf(const char* name) const
    {
        QWidget* w = widget(name);
        return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    }
};

} // namespace

class TestOperatorViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(QTest::qWaitForWindowExposed(Operator().window)); }

    void startAndStopButtons()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        QVERIFY(op.widget("Command3")->isVisible());
        QVERIFY(!op.widget("Command4")->isVisible());
        op.c.s.keyPreview = false;
        op.click("Command3");
        QVERIFY(running(op.c));
        QVERIFY(op.c.s.keyPreview);
        QVERIFY(!op.widget("Command3")->isVisible());
        QVERIFY(op.widget("Command4")->isVisible());
        op.c.s.Timer1.tick();
        QCOMPARE(op.clockShown(), QStringLiteral("1:29"));
        op.click("Command4");
        QVERIFY(!running(op.c));
        QVERIFY(op.widget("Command3")->isVisible());
    }

    // S typed with the focus on a button or in a text box starts and stops
    // the clock, and the character still reaches the focused control after.
    void sKey_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("focus on a score button") << "Command6";
        QTest::newRow("focus on Start") << "Command3";
        QTest::newRow("focus in a text box") << "Text1";
    }

    void sKey()
    {
        QFETCH(QString, focus);
        Operator op;
        QVERIFY(QTest::qWaitForWindowActive(op.window));
        QWidget* target = op.widget(qPrintable(focus));
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        if (auto* edit = qobject_cast<QLineEdit*>(target))
            edit->end(false);

        QList<bool> runningWhenReached;
        if (focus == "Text1") {
            op.c.s.Text1.onKeyPress = [&](int code) {
                runningWhenReached << running(op.c);
                return code;
            };
        }
        // Each key goes where the focus is now: Start hides itself when pressed.
        auto type = [&](char ch, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            QWidget* f = QApplication::focusWidget();
            QTest::keyClick(f ? f : op.window, ch, mods);
        };
        type('s');
        QVERIFY(running(op.c));
        type('S', Qt::ShiftModifier);
        QVERIFY(!running(op.c));
        type('s', Qt::ControlModifier);
        type('s', Qt::AltModifier);
        type('a');
        QVERIFY(!running(op.c));
        if (focus == "Text1") {
            // The box saw each S after the key handler had acted.
            QCOMPARE(runningWhenReached, (QList<bool>{true, false, false}));
            QVERIFY2(op.c.s.Text1.text().startsWith(QStringLiteral("1sS")),
                     qPrintable(op.c.s.Text1.text()));
        }
    }

    void sKeyWithPreviewOff()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowActive(op.window));
        op.widget("Command6")->setFocus();
        op.c.s.keyPreview = false;
        QTest::keyClick(op.widget("Command6"), Qt::Key_S);
        QVERIFY(!running(op.c));
    }

    void scoreButtons()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        op.click("Command6");
        QCOMPARE(op.labelText("scri"), QStringLiteral("1"));
        QVERIFY(op.c.s.Timer3.enabled());
        op.c.s.Timer3.tick();
        QCOMPARE(op.c.s.Label19.foreColor(), Colour(0x0000C0));
        op.click("NihonB");
        QCOMPARE(op.labelText("scww"), QStringLiteral("1"));
        QVERIFY(!op.c.s.Timer3.enabled());
        QCOMPARE(op.c.s.Label19.foreColor(), Colour(0xFFFFFF));
        op.click("Command9");
        QCOMPARE(op.labelText("scww"), QStringLiteral("0"));
    }

    void penaltyBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("lamp");
        QTest::addColumn<bool>("akaWins");
        QTest::addColumn<bool>("shiroWins");
        QTest::newRow("Check1, plain") << "Check1" << 13 << false << false;
        QTest::newRow("Check3, Shiro H") << "Check3" << 15 << true << false;
        QTest::newRow("Check11, Aka S") << "Check11" << 8 << false << true;
    }

    void penaltyBoxes()
    {
        QFETCH(QString, box);
        QFETCH(int, lamp);
        QFETCH(bool, akaWins);
        QFETCH(bool, shiroWins);
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        auto* check = qobject_cast<QCheckBox*>(op.widget(qPrintable(box)));
        QVERIFY(check);
        QVERIFY(check->isVisible());
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(check->isChecked());
        QCOMPARE(op.c.s.find(box)->value(), 1);
        QVERIFY(op.c.k.kubord2().shape4(lamp).visible());
        QCOMPARE(op.c.s.Timer3.enabled(), akaWins);
        QCOMPARE(op.c.s.Timer4.enabled(), shiroWins);
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(op.c.s.find(box)->value(), 0);
        QVERIFY(!op.c.k.kubord2().shape4(lamp).visible());
        QVERIFY(!op.c.s.Timer3.enabled() && !op.c.s.Timer4.enabled());
    }

    void correctionButtons()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        op.click("tijdu");
        QCOMPARE(op.clockShown(), QStringLiteral("1:31"));
        op.click("tijdd");
        op.click("tijdd");
        QCOMPARE(op.clockShown(), QStringLiteral("1:29"));
        op.click("Command17");
        QCOMPARE(op.clockShown(), QStringLiteral("1:00"));
        op.click("Command16");
        QCOMPARE(op.clockShown(), QStringLiteral("0:60"));
        op.click("Command5");
        QCOMPARE(op.clockShown(), QStringLiteral("1:30"));
    }

    void menuItems()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        op.menu("etime");
        QCOMPARE(op.clockShown(), QStringLiteral("1:00"));
        op.menu("zessec");
        QCOMPARE(op.clockShown(), QStringLiteral("0:60"));
        op.menu("retime");
        QCOMPARE(op.clockShown(), QStringLiteral("1:30"));
        op.click("Command6");
        op.click("Check12");
        QCOMPARE(op.labelText("scri"), QStringLiteral("1"));
        op.menu("rema");
        QCOMPARE(op.labelText("scri"), QStringLiteral("0"));
        QVERIFY(!qobject_cast<QCheckBox*>(op.widget("Check12"))->isChecked());
        QVERIFY(!op.c.s.Timer3.enabled());
    }

    // While it counts, the count panel lies over the clock panel; Stop
    // takes it away again.
    void koPanelCoversClock()
    {
        Operator op;
        QVERIFY(QTest::qWaitForWindowExposed(op.window));
        QVERIFY(!op.rectOf("Frame12").intersects(op.rectOf("Frame1")));

        op.click("Command11");
        QVERIFY(op.c.s.Timer2.enabled());
        const QRect panel = op.rectOf("Frame12");
        QVERIFY(op.widget("Frame12")->isVisible());
        // The clock digits and buttons lie under the panel.
        for (const char* covered : {"Label1", "Label3", "Command3", "Command11"}) {
            const QPoint centre = op.rectOf(covered).center();
            QVERIFY2(panel.contains(centre), covered);
            QWidget* top = op.window->childAt(centre);
            QVERIFY2(top &&
                         (top == op.widget("Frame12") || op.widget("Frame12")->isAncestorOf(top)),
                     covered);
        }
        op.c.s.Timer2.tick();
        QCOMPARE(op.labelText("Label20"), QStringLiteral("01"));

        op.click("Command15");
        QVERIFY(!op.c.s.Timer2.enabled());
        QCOMPARE(op.labelText("Label20"), QStringLiteral("00"));
        QVERIFY(!op.rectOf("Frame12").contains(op.rectOf("Label1").center()));
    }
};

KESTRANE_TEST_MAIN(TestOperatorViews)
#include "tst_operatorviews.moc"
