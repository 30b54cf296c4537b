#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "console/Announcements.h"
#include "console/CompetitorsEntry.h"
#include "console/CompetitorsWindow.h"
#include "console/ConsoleCanvas.h"
#include "console/ConsoleWindow.h"
#include "match/CompetitorText.h"
#include "platform/ViewUnits.h"
#include "support/RealConsole.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"
#include "widgets/PushButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <memory>

using namespace kestrane;
using test::RealConsole;

namespace {

// A console after start-up with its window, shown.
struct Console {
    test::TestConsole c;
    MatchState& s = c.s;
    std::unique_ptr<view::ConsoleWindow> w;
    Console()
    {
        c.k.startUp.Form_Load();
        w = std::make_unique<view::ConsoleWindow>(c.k);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    template <typename T = QWidget> T* find(const QString& name) const
    {
        return w->findChild<T*>(name);
    }
};

// The controls in Tab order with the setup row closed: each half from its
// score buttons through its penalty rows to its "S" box, the middle, the
// right-hand column.
const QStringList kTabOrder = {
    "SanbonB",   "MyButton1", "NihonB",    "Command9",  "Check1",    "Check4",  "Check3",
    "Check19",   "Check17",   "Check18",   "Check8",    "Check5",    "Check6",  "Check7",
    "Check2",    "Command6",  "Command10", "Command8",  "MyButton2", "Check12", "Check9",
    "Check10",   "Check20",   "Check22",   "Check21",   "Check16",   "Check13", "Check14",
    "Check15",   "Check11",   "Command3",  "Command11", "tijdu",     "tijdd",   "ippon",
    "Command5",  "Text5",     "Text6",     "Command17", "Command16", "Text1",   "Command12",
    "Command13", "command1",  "Command2",  "MyButton9", "Command14"};

} // namespace

// The console window as the operator sees and uses it, its close paths
// with the question before a match is lost, and the About window.
class TestConsoleWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every element shows as a widget of its own name inside its container's
    // widget, where the model puts it: inside its panel, no two controls of
    // a panel on top of each other. The clock digits' boxes hang below the
    // clock frame, which clips them; the setup row's lines run to its edge;
    // the KO panel and the board's size boxes wait out of sight.
    void widgetsInsideTheirPanelsAndApart()
    {
        Console con;
        const auto box = [](const Element* e) {
            return QRectF(e->left(), e->top(), e->width(), e->height());
        };
        std::map<const Element*, QList<const Element*>> controls;
        QStringList outside;
        for (const Element* e : con.s.elements()) {
            const ElementKind k = e->kind();
            if (k == ElementKind::Timer || k == ElementKind::MenuItem || k == ElementKind::Form)
                continue;
            QWidget* w = con.find(e->name());
            QVERIFY2(w, qPrintable(e->name()));
            const Element* p = e->container();
            QCOMPARE(w->parentWidget()->objectName(), p ? p->name() : "consoleClientArea");
            QCOMPARE(w->isHidden(), !e->visible());
            if (k != ElementKind::Line && k != ElementKind::Label)
                QCOMPARE(w->geometry(), view::rectOf(*e));
            const QRectF outer =
                p ? QRectF(0, 0, p->width(), p->height()) : QRectF(0, 0, 10450, 8740);
            if (!outer.contains(box(e)))
                outside << e->name();
            if (e->visible() && (k == ElementKind::Button || k == ElementKind::CheckBox ||
                                 k == ElementKind::TextBox)) {
                for (const Element* other : controls[p])
                    QVERIFY2(!box(other).intersects(box(e)), qPrintable(e->name()));
                controls[p] << e;
            }
        }
        outside.sort();
        QCOMPARE(outside.join(" "),
                 QStringLiteral("Frame12 Label1 Label2 Label3 Label4 Line1 Line2 sbtxt shtxt"));
        QStringList menu;
        for (QAction* a : con.w->menuBar()->actions().first()->menu()->actions())
            menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(menu.join(u'|'), QStringLiteral("Start external scoreboard|Close external "
                                                 "scoreboard|-|Setup|-|Reset match|Reset time|"
                                                 "Extra time|60 seconds|-|About|-|Close"));
    }

    // Two-digit scores and long minutes show every character whole and on
    // top: where the label paints ink, the window shows the same pixel; one
    // ink run per character, none cut at the label's edges.
    void painted()
    {
        Console con;
        con.s.scri.setCaption(QStringLiteral("99"));
        con.s.Label1.setCaption(QStringLiteral("100"));
        const QImage window = con.w->grab().toImage();
        for (const char* name : {"scri", "Label1", "Label4", "Label2", "Label3"}) {
            auto* l = con.find<QLabel>(name);
            const QImage own = l->grab().toImage();
            const QColor ink = l->palette().color(QPalette::WindowText);
            int runs = 0, first = -1, last = -1;
            for (int x = 0; x < own.width(); ++x) {
                bool column = false;
                for (int y = 0; y < own.height(); ++y) {
                    const QColor c = own.pixelColor(x, y);
                    if (std::abs(c.lightness() - ink.lightness()) > 20)
                        continue;
                    column = true;
                    QCOMPARE(window.pixelColor(l->mapTo(con.w.get(), QPoint(x, y))), c);
                }
                runs += column && last != x - 1 ? 1 : 0;
                if (column)
                    last = x, first = first < 0 ? x : first;
            }
            QCOMPARE(runs, l->text().size());
            QVERIFY2(first > 0 && last < own.width() - 1, name);
        }
        // Long minutes shrink the clock, which stays whole: the tens of
        // seconds start no further from the colon, nor the units from the
        // tens, than half again a digit's width, as at "2:30".
        for (const char* minutes : {"2", "2999999999"}) {
            con.s.Label1.setCaption(QString::fromLatin1(minutes));
            QList<int> lefts;
            for (const char* name : {"Label4", "Label2", "Label3"})
                lefts << con.find<QLabel>(name)->x();
            const auto* units = con.find<QLabel>(QStringLiteral("Label3"));
            const double digit = QFontMetricsF(units->font()).horizontalAdvance(u'0');
            QVERIFY2(lefts[1] - lefts[0] <= 2.5 * digit && lefts[2] - lefts[1] <= 1.5 * digit,
                     minutes);
        }
        // Painted pixels of the halves and button faces, the texts on each
        // half; pressed, a button shows the pressed colour; Start and Stop
        // never hover.
        const QImage img = con.w->canvas().grab().toImage();
        for (const auto& [name, colour] : {std::pair{"Frame21", QColor(0xC0, 0, 0)},
                                           std::pair{"Frame20", QColor(0xE0, 0xE0, 0xE0)},
                                           std::pair{"Command6", QColor(0xFF, 0x80, 0x80)}})
            QCOMPARE(img.pixelColor(con.find(name)->mapTo(&con.w->canvas(), QPoint(3, 3))), colour);
        for (const auto& [name, colour] :
             {std::pair{"scww", QColor(0, 0, 0x40)}, std::pair{"scrw", QColor(Qt::white)}})
            QCOMPARE(con.find<QLabel>(name)->palette().color(QPalette::WindowText), colour);
        auto* set = con.find<view::PushButton>("Command12");
        set->setDown(true);
        QCOMPARE(set->currentBackColour(), QColor(0x98, 0xD1, 0xEF));
        for (const Element* e : con.s.elements()) {
            if (e->kind() == ElementKind::Button)
                QCOMPARE(e->hoverColor() == Element::kNoColour,
                         e == &con.s.Command3 || e == &con.s.Command4);
        }
    }

    // Tab walks the controls in sight, in reading order, and round again:
    // as designed, with the halves swapped, and with the count panel over
    // the clock's buttons. Every other control (the closed setup row's too)
    // takes no focus and ignores keys.
    void tabOrder()
    {
        for (const QString change : {"", "swap", "ko"}) {
            Console con;
            QStringList expected = kTabOrder;
            if (change == "swap") {
                con.s.Check24.setValue(1);
                expected = kTabOrder.mid(15, 15) + kTabOrder.mid(0, 15) + kTabOrder.mid(30);
            } else if (change == "ko") {
                con.s.Command11.click();
                expected = kTabOrder.mid(0, 30) + QStringList{"Command15"} + kTabOrder.mid(34);
            }
            QCoreApplication::processEvents();
            QWidget* first = con.find(expected.first());
            first->setFocus(Qt::TabFocusReason);
            QStringList walked;
            for (qsizetype i = 0; i < expected.size(); ++i) {
                walked << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked, expected);
            QCOMPARE(QApplication::focusWidget(), first);
            QStringList before, after;
            for (const Element* e : con.s.elements())
                before << e->text() + QString::number(e->value());
            for (QWidget* w : con.w->canvas().findChildren<QWidget*>()) {
                if (w->focusPolicy() == Qt::NoFocus && !w->isHidden()) {
                    w->setFocus();
                    QTest::keyClicks(w, QStringLiteral(" 7"));
                }
            }
            for (const Element* e : con.s.elements())
                after << e->text() + QString::number(e->value());
            QCOMPARE(after, before);
        }
    }

    // By keyboard: the focus follows Start and Stop (Space, S, the clock's
    // end) and the KO count's opening and closing. A click focuses no
    // button or box and takes the focus from one Tab reached, so Space
    // after it changes nothing; so does Space on the board, whose S is the
    // console's.
    void keyboardKeepsItsPlace()
    {
        Console con;
        MatchState& s = con.s;
        const auto focus = [&con] { return con.w->focusWidget()->objectName(); };
        const auto space = [&con] {
            QTest::keyClick(con.w->focusWidget(), Qt::Key_Space);
            QCoreApplication::processEvents();
        };
        con.find("Command3")->setFocus(Qt::TabFocusReason);
        space();
        QVERIFY(s.Timer1.enabled());
        QCOMPARE(focus(), "Command4");
        QTest::keyClick(con.w->focusWidget(), Qt::Key_S);
        QVERIFY(!s.Timer1.enabled());
        QCOMPARE(focus(), "Command3");
        test::operate(con.c, "0:01");
        space();
        s.Timer1.tick(); // 0:00 ends the match
        QCOMPARE(focus(), "Command3");
        con.find("Command11")->setFocus(Qt::TabFocusReason);
        space();
        QCOMPARE(focus(), "Command15");
        QCOMPARE(con.w->focusWidget()->accessibleName(), "Stop KO count");
        QCOMPARE(con.find("Frame12")->accessibleName(), "KO count");
        space();
        QVERIFY(!s.Timer2.enabled());
        QCOMPARE(focus(), "Command11");

        BoardPresenter presenter(con.c.k.boards);
        presenter.passKey = [&con](QKeyEvent* e) { con.w->takeKey(*e); };
        con.c.k.boards.show(0);
        for (const char* name : {"Command8", "Check5"}) {
            QWidget* control = con.find(name);
            QTest::mouseClick(control, Qt::LeftButton); // nothing focused
            control->setFocus(Qt::TabFocusReason);
            QTest::mouseClick(control, Qt::LeftButton); // the focus Tab gave it
            QCOMPARE(focus(), "consoleClientArea");
            QTest::keyClick(presenter.window(), Qt::Key_Space);
            space();
            QTest::keyClick(con.w->focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(s.scrw.caption(), "2");
        QCOMPARE(s.Check5.value(), 0);
        s.Command5.click(); // the time back from 0:00
        QTest::keyClick(presenter.window(), Qt::Key_S);
        QVERIFY(s.Timer1.enabled());
    }

    // What a screen reader is told, once per handler: scores, a win, the
    // clock's start, stop, warning and end (not its seconds), the KO count
    // and Reset match; and what it reads over two text boxes.
    void announcements()
    {
        Console con;
        MatchState& s = con.s;
        const auto* said = con.w->findChild<view::Announcements*>();
        const std::pair<const char*, const char*> steps[] = {
            {"Command8", "Aka waza-ari 1"},
            {"Command6", "Aka ippon 1, Aka wins"},
            {"Command3", "Clock started at 1:30"},
            {"Timer1", "Clock started at 1:30"},
            {"Command4", "Clock stopped at 1:29"},
            {"Command11", "KO count 00"},
            {"Timer2", "KO count 01"},
            {"Command15", "KO count closed"},
            {"", "Match reset, 1:30"}, // Command13 clicked
            {"0:31 Command3 Timer1", "Clock started at 0:31, 30 seconds left"},
            {"0:01 Timer1", "Time is up, Both names blink"}};
        for (const auto& [actions, words] : steps) {
            if (*actions)
                test::operate(con.c, QString::fromLatin1(actions));
            else
                QTest::mouseClick(con.find("Command13"), Qt::LeftButton);
            QCoreApplication::processEvents();
            QCOMPARE(said->last(), words);
        }
        // The scores read as the board shows them.
        s.Command8.click();
        QCOMPARE(
            QStringList({con.find("scwi")->accessibleName(), con.find("scww")->accessibleName(),
                         con.find("scri")->accessibleName(), con.find("scrw")->accessibleName()}),
            QStringList({"Shiro ippon 0", "Shiro waza-ari 0", "Aka ippon 0", "Aka waza-ari 1"}));
        // The captions over two text boxes read with their values.
        s.ippon.setText(QStringLiteral("3"));
        s.Text1.setText(QStringLiteral("4"));
        QCOMPARE(con.find("Label22")->accessibleName(), "Number of Ippon 3");
        QCOMPARE(con.find("Frame9")->accessibleName(), "Field number 4");
        // A penalty box is named by the letters shown around it, under
        // either rule set, and as the captions change.
        const std::map<QString, QStringList> names = {
            {"Check1", {"Shiro penalty column A", "Shiro penalty row A first box"}},
            {"Check9", {"Aka penalty column C", "Aka penalty row A column C"}},
            {"Check18", {"Shiro penalty row M column H", "Shiro penalty row M column H"}},
            {"Check20", {"Aka penalty row M column A", "Aka penalty row M first box"}},
            {"Check16", {"Aka penalty row J first box", "Aka penalty row J first box"}},
            {"Check5", {"Shiro penalty row J column A", "Shiro penalty row J second box"}},
            {"Check11", {"Aka penalty S", "Aka penalty S"}}};
        for (const int wukf : {1, 0, 1}) {
            con.s.Check26.setValue(wukf);
            for (const auto& [box, name] : names)
                QCOMPARE(con.find(box)->accessibleName(), name[wukf]);
        }
    }

    // The setup row is cut off at the closed height and shown whole at the
    // open one, where its boxes work; the operator's own height goes back
    // into the model.
    void setupRowAndHeight()
    {
        Console con;
        QWidget* row = con.find("Frame13");
        QVERIFY(row->visibleRegion().isEmpty());
        con.s.Kumite2.setHeight(8740);
        QCOMPARE(con.w->frameGeometry().height(), view::toPixels(8740));
        // Its children cover parts of it, but all of it is inside.
        QCOMPARE(row->visibleRegion().boundingRect(), row->rect());
        QVERIFY(con.find("Frame12")->visibleRegion().isEmpty()); // the KO panel waits below
        // A box's handler runs once for each change of its value, by the
        // operator or the program; a greyed 2 shows unticked and stays 2,
        // also when the box was ticked.
        int runs = 0;
        con.s.Check25.onClick = [&] { ++runs; };
        auto* box = con.find<QCheckBox>("Check25");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QCOMPARE(con.s.Check25.value(), 1);
        con.s.Check25.setValue(2);
        QVERIFY(!box->isChecked());
        QCOMPARE(con.s.Check25.value(), 2);
        QCOMPARE(runs, 2);
        con.w->resize(con.w->width(), 540);
        QCOMPARE(con.s.Kumite2.height(), con.w->frameGeometry().height() * 15.0);
        QCOMPARE(con.s.Kumite2.width(), 10450.0); // the width is not the operator's
    }

    // Typed keys pass the box's key filter: the number boxes answer a full
    // stop with a message, the others take no line break. Text pasted or set
    // whole by an assistive tool keeps what the box takes, silently: the
    // digits, or the first line.
    void inputChecks()
    {
        Console con;
        con.s.MyButton9.click(); // the setup row in sight
        for (const char* way : {"pasted", "assistive tool"}) {
            for (const QString name : {"Text5", "vsch"}) {
                const bool digits = name == "Text5";
                auto* e = con.find<QLineEdit>(name);
                con.s.find(name)->setText(QString());
                con.c.ports.messages.shown.clear();
                e->setFocus();
                QTest::keyClicks(e, digits ? "7.-a8" : "78");
                QTest::keyClick(e, Qt::Key_Left);
                QCOMPARE(con.s.find(name)->keyPress('\r') + con.s.find(name)->keyPress('\n'), 0);
                const QString text = digits ? QStringLiteral(u"2ab\u0661c.5") : "C:\\a.wav\r\nx";
                if (way == QLatin1String("pasted"))
                    e->insert(text);
                else // the whole text
                    QAccessible::queryAccessibleInterface(e)->editableTextInterface()->replaceText(
                        0, 2, text);
                const QString base = digits ? "25" : "C:\\a.wav";
                QCOMPARE(con.s.find(name)->text(),
                         way == QLatin1String("assistive tool") ? base : "7" + base + "8");
                QCOMPARE(con.c.ports.messages.shown.size(), digits ? 1u : 0u);
            }
        }
    }

    // A match is under way while anything differs from a fresh one.
    void matchUnderWay()
    {
        const std::pair<bool, const char*> changes[] = {
            {false, ""},
            {true, "Command3"},
            {true, "tijdd"},
            {true, "Text5=2"},
            {true, "Command6"},
            {true, "Check5"},
            {true, "Check22"},
            {true, "Timer4=1"},
            {true, "Command11"},
            {false, "Command3 Command6 Command11 Command15 Check5 Command13"}}; // then
                                                                                // Reset
                                                                                // match
        for (const auto& [underWay, change] : changes) {
            test::TestConsole c;
            c.k.startUp.Form_Load();
            test::operate(c, QString::fromLatin1(change));
            QCOMPARE(c.k.closeGuard.matchUnderWay(), underWay);
        }
    }

    // On the real windows, during a match: the title bar's close (Alt+F4,
    // the task bar) asks first, and No (the default) leaves everything
    // running; the Close commands ask nothing. All close the board and stop
    // every timer; only the Close button closes the About window too.
    void closePaths()
    {
        for (const QString way : {"title bar", "menu", "button"}) {
            RealConsole c;
            c.openAbout();
            for (Element* t : {&c.k.state.Timer1, &c.k.state.Timer2, &c.k.state.Timer4})
                t->setEnabled(true);
            if (way == "title bar") {
                bool runningWhileAsked = false;
                c.ports.messages.onAsk = [&] { runningWhileAsked = c.k.state.Timer1.enabled(); };
                c.w->close();
                QCOMPARE(c.ports.messages.asked,
                         QStringList{"Close Kestrane? The match on the board will be lost."});
                QVERIFY(runningWhileAsked && c.w->isVisible() && c.k.boards.current());
                QVERIFY(c.k.state.Timer1.enabled() && c.k.state.Timer3.enabled());
                c.ports.messages.yes = true;
                c.w->close();
            } else if (way == "menu") {
                c.w->findChild<QAction*>(QStringLiteral("sluit"))->trigger();
            } else {
                QTest::mouseClick(c.w->findChild<QWidget*>(QStringLiteral("Command14")),
                                  Qt::LeftButton);
            }
            c.verifyClosed();
            QCOMPARE(c.ports.messages.asked.size(), way == "title bar" ? 2 : 0);
            QTRY_COMPARE(c.windows.about() != nullptr, way != "button");
        }
    }

    // One About window at a time, not modal; its Close button closes it
    // alone.
    void aboutWindow()
    {
        RealConsole c;
        c.openAbout();
        view::Overfrm* about = c.windows.about();
        c.openAbout();
        QCOMPARE(c.windows.about(), about);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(about->findChild<QAbstractButton*>(QStringLiteral("Command2")),
                          Qt::LeftButton);
        QTRY_VERIFY(!c.windows.about());
        QVERIFY(c.w->isVisible());
    }

    // Ctrl+Shift+C opens "Competitors..." beside the console, which keeps
    // working. What is typed reaches the pair on the mat on Apply, cleaned
    // to one line and capped; a pair set elsewhere shows in the boxes; the
    // console's side headings name them to a screen reader.
    void competitorsWindow()
    {
        Console con;
        auto* entry = new view::CompetitorsEntry(con.c.k, *con.w);
        QVERIFY(entry->action()->isVisible());
        QTest::keyClick(con.w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        view::CompetitorsWindow* w = entry->window();
        QTRY_VERIFY(w && w->isVisible());
        auto box = [w](const char* name) { return w->findChild<QLineEdit*>(name); };
        box("akaName")->setText(QStringLiteral("  Taro\tYamada "));
        box("akaClub")->setText(QStringLiteral("JPN"));
        box("shiroName")->setText(QString(80, u'x'));
        QTest::keyClick(w, Qt::Key_C,
                        Qt::ControlModifier | Qt::ShiftModifier); // typing stays
        QCOMPARE(box("akaClub")->text(), QStringLiteral("JPN"));
        QCOMPARE(con.c.k.competitors.aka().name, QString());
        w->apply();
        QCOMPARE(con.c.k.competitors.aka(), (Competitor{"Taro Yamada", "JPN"}));
        QCOMPARE(con.c.k.competitors.shiro().name.size(), CompetitorText::kNameMax);
        auto heading = [&](const Element& e) {
            return con.w->canvas().widgetFor(&e)->accessibleName();
        };
        QCOMPARE(heading(con.s.Label19), QStringLiteral("Aka, Taro Yamada (JPN)"));
        con.c.k.competitors.set({QStringLiteral("Иванов"), {}}, {});
        QCOMPARE(box("akaName")->text(), QStringLiteral("Иванов"));
        QCOMPARE(heading(con.s.Label18), QString()); // the heading's own text
        w->findChild<QAbstractButton*>(QStringLiteral("clear"))->click();
        QCOMPARE(box("akaName")->text(), QString());
        QCOMPARE(con.c.k.competitors.aka().name, QStringLiteral("Иванов"));
        con.s.Command6.click(); // the console still scores
        QCOMPARE(con.s.scri.caption(), QStringLiteral("1"));
    }
};

KESTRANE_TEST_MAIN(TestConsoleWindow)
#include "tst_consolewindow.moc"
