#include "console/ConsoleCanvas.h"
#include "console/ConsoleFrameSize.h"
#include "console/ConsoleWindow.h"
#include "console/ElementTextBox.h"
#include "console/PushButton.h"
#include "platform/ViewUnits.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <memory>

using namespace kestrane;
using kestrane::view::ConsoleWindow;

namespace {

// A console model after start-up with its window, not yet shown.
struct Console {
    test::TestConsole c;
    std::unique_ptr<ConsoleWindow> w;
    Console()
    {
        c.k.startUp.Form_Load();
        w = std::make_unique<ConsoleWindow>(c.k);
    }
    template <typename T = QWidget> T* find(const char* name) const
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
};

// Every control of the console in Tab order with the setup row open: each
// half from its score buttons through its penalty rows to its "S" box, the
// middle, the right-hand column, the setup row (the last 14).
const QStringList kTabOrder = {
    "SanbonB",   "MyButton1", "NihonB",    "Command9",  "Check1",    "Check4",    "Check3",
    "Check19",   "Check17",   "Check18",   "Check8",    "Check5",    "Check6",    "Check7",
    "Check2",    "Command6",  "Command10", "Command8",  "MyButton2", "Check12",   "Check9",
    "Check10",   "Check20",   "Check22",   "Check21",   "Check16",   "Check13",   "Check14",
    "Check15",   "Check11",   "Command3",  "Command11", "tijdu",     "tijdd",     "ippon",
    "Command5",  "Text5",     "Text6",     "Command17", "Command16", "Text1",     "Command12",
    "Command13", "command1",  "Command2",  "MyButton9", "Command14", "MyButton3", "eindwav",
    "MyButton5", "MyButton4", "waarwav",   "MyButton8", "Check25",   "Check26",   "Check24",
    "Check23",   "hsch",      "vsch",      "fsch",      "MyButton7"};

} // namespace

class TestConsoleWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void window()
    {
        Console con;
        QCOMPARE(con.w->objectName(), QStringLiteral("Kumite2"));
        QCOMPARE(con.w->windowTitle(), QStringLiteral("Kestrane 1.2.1"));
        QCOMPARE(con.w->palette().color(QPalette::Window), QColor(Qt::white));
        // Offscreen windows have no frame: the outer size is the widget's.
        QCOMPARE(con.w->frameGeometry(), QRect(133, 7, 697, 460));
    }

    // Every element with a widget is there, under its own name, inside the
    // widget of its container, at its place, with its text, font and
    // visibility.
    void everyElementHasItsWidget()
    {
        Console con;
        for (const Element* e : con.c.s.elements()) {
            if (e->kind() == ElementKind::Timer || e->kind() == ElementKind::MenuItem ||
                e->kind() == ElementKind::Form)
                continue;
            QWidget* w = con.w->findChild<QWidget*>(e->name());
            QVERIFY2(w, qPrintable(e->name()));
            QCOMPARE(w, con.w->canvas().widgetFor(e));
            const QString parentName =
                e->container() ? e->container()->name() : QStringLiteral("consoleClientArea");
            QCOMPARE(w->parentWidget()->objectName(), parentName);
            QCOMPARE(w->isHidden(), !e->visible());
            if (e->kind() == ElementKind::Line)
                continue;
            QCOMPARE(w->geometry(), view::rectOf(*e));
            QCOMPARE(w->font(), view::fontOf(*e));
            QString text = e->caption();
            if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                text = edit->text();
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            QCOMPARE(text, e->caption());
        }
        // Twips to pixels, at two design places; Start as start-up left it.
        QCOMPARE(con.find("ippon")->geometry(), QRect(248, 232, 41, 24));
        QCOMPARE(con.find("Frame12")->geometry(), QRect(184, 600, 233, 161));
        QCOMPARE(con.find("Command3")->pos(), QPoint(55, 0));
        QCOMPARE(con.find("Label2")->font().pixelSize(), 64);
    }

    // Two-digit scores and long minutes show every character whole and on
    // top: where the label paints ink, the window shows the same pixel; one
    // ink run per character, none cut at the label's edges.
    void numbersShowInFull()
    {
        Console con;
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        const std::pair<Element*, const char*> values[] = {
            {&con.c.s.scwi, "10"}, {&con.c.s.scww, "99"},    {&con.c.s.scri, "99"},
            {&con.c.s.scrw, "10"}, {&con.c.s.Label1, "100"}, {&con.c.s.Label2, "3"},
            {&con.c.s.Label3, "0"}};
        for (const auto& [e, text] : values)
            e->setCaption(QString::fromLatin1(text));
        const QImage window = con.w->grab().toImage();
        if (qEnvironmentVariableIsSet("KESTRANE_CONSOLE_PNG"))
            window.save(qEnvironmentVariable("KESTRANE_CONSOLE_PNG"));
        for (const char* name :
             {"scwi", "scww", "scri", "scrw", "Label1", "Label4", "Label2", "Label3"}) {
            auto* l = con.find<QLabel>(name);
            const QImage own = l->grab().toImage();
            const QColor ink = l->palette().color(QPalette::WindowText);
            int runs = 0, first = -1, last = -1;
            bool inRun = false;
            for (int x = 0; x < own.width(); ++x) {
                bool column = false;
                for (int y = 0; y < own.height(); ++y) {
                    const QColor c = own.pixelColor(x, y);
                    if (std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) +
                            std::abs(c.blue() - ink.blue()) >
                        60)
                        continue;
                    column = true;
                    QCOMPARE(window.pixelColor(l->mapTo(con.w.get(), QPoint(x, y))), c);
                }
                runs += column && !inRun ? 1 : 0;
                inRun = column;
                if (column)
                    last = x, first = first < 0 ? x : first;
            }
            QCOMPARE(runs, l->text().size());
            QVERIFY2(first > 0 && last < own.width() - 1, name);
        }
    }

    void colours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QColor>("fore");
        QTest::newRow("Label18") << "Label18" << QColor(0xE0, 0xE0, 0xE0) << QColor(0, 0, 0x40);
        QTest::newRow("Label19") << "Label19" << QColor(0xC0, 0, 0) << QColor(Qt::white);
        QTest::newRow("scww") << "scww" << QColor(0xE0, 0xE0, 0xE0) << QColor(0, 0, 0x40);
        QTest::newRow("scri") << "scri" << QColor(0xC0, 0, 0) << QColor(Qt::white);
    }

    void colours()
    {
        QFETCH(QString, name);
        QFETCH(QColor, back);
        QFETCH(QColor, fore);
        Console con;
        auto* l = con.w->findChild<QLabel*>(name);
        QVERIFY(l);
        QVERIFY(l->autoFillBackground());
        QCOMPARE(l->palette().color(QPalette::Window), back);
        QCOMPARE(l->palette().color(QPalette::WindowText), fore);
        QCOMPARE(l->grab().toImage().pixelColor(1, l->height() - 2), back);
    }

    // Painted pixels of a few elements: button faces, shapes, the panels.
    void painted()
    {
        Console con;
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        const QImage img = con.w->canvas().grab().toImage();
        auto at = [&](const char* name, int dx, int dy) {
            QWidget* w = con.find(name);
            return img.pixelColor(w->mapTo(&con.w->canvas(), QPoint(dx, dy)));
        };
        QCOMPARE(at("Command3", 5, 5), QColor(0x80, 0xFF, 0x80));
        QCOMPARE(at("Command6", 3, 3), QColor(0xFF, 0x80, 0x80));
        QCOMPARE(at("Command11", 3, 3), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(at("SanbonB", 3, 3), QColor(0xD5, 0xD7, 0xE1));
        QCOMPARE(at("SanbonB", 0, 0), QColor(0x80, 0x80, 0x80));
        QCOMPARE(at("Command6", 0, 0), QColor(0x70, 0x70, 0x70));
        QCOMPARE(at("Frame20", 3, 3), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(at("Frame21", 3, 3), QColor(0xC0, 0, 0));
        QCOMPARE(at("Shape1", 3, 350), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(at("Shape2", 250, 350), QColor(0xC0, 0, 0));
    }

    void pushButtonColours()
    {
        Console con;
        auto* start = con.find<view::PushButton>("Command3");
        auto* set = con.find<view::PushButton>("Command12");
        QVERIFY(start && set);
        set->setDown(true);
        QCOMPARE(set->currentBackColour(), QColor(0x98, 0xD1, 0xEF));
        set->setDown(false);
        QCOMPARE(set->currentBackColour(), QColor(0xD5, 0xD7, 0xE1));
        start->setDown(true);
        QCOMPARE(start->currentBackColour(), QColor(0x98, 0xD1, 0xEF));
    }

    void accessibleNames()
    {
        Console con;
        MatchState& s = con.c.s;
        const std::pair<const char*, const char*> names[] = {
            {"Check1", "Shiro penalty A row 1"},
            {"Check18", "Shiro penalty H row 2"},
            {"Check8", "Shiro penalty extra row 3"},
            {"Check13", "Aka penalty A row 3"},
            {"Check11", "Aka penalty S"},
            {"tijdu", "Clock one second up"},
            {"MyButton5", "Choose end-of-match sound"},
            {"Check26", "WUKF"},
            {"ippon", "Number of Ippon"},
            {"SanbonB", "Shiro Ippon"},
            {"Command10", "Aka Ippon minus one"},
            {"NihonB", "Shiro Waza-ari"},
            {"MyButton2", "Aka Waza-ari minus one"},
            {"scww", "Shiro waza-ari 0"},
            {"scri", "Aka ippon 0"},
            {"Label1", "Match clock 1:30"},
            {"Label20", "KO count 00"}};
        for (const auto& [name, accessible] : names)
            QCOMPARE(con.find(name)->accessibleName(), QString::fromLatin1(accessible));
        // The readouts follow the match; the captions stay bare.
        s.scri.setCaption(QStringLiteral("2"));
        s.Label2.setCaption(QStringLiteral("2"));
        s.Label20.setCaption(QStringLiteral("07"));
        QCOMPARE(con.find("scri")->accessibleName(), QStringLiteral("Aka ippon 2"));
        QCOMPARE(con.find<QLabel>("scri")->text(), QStringLiteral("2"));
        QCOMPARE(con.find("Label20")->accessibleName(), QStringLiteral("KO count 07"));
        const auto spoken = [&](const char* name) {
            return QAccessible::queryAccessibleInterface(con.find(name));
        };
        QCOMPARE(spoken("Label1")->text(QAccessible::Name), QStringLiteral("Match clock 1:20"));
        // The clock is one text: its other digits say nothing.
        for (const char* digit : {"Label4", "Label2", "Label3"})
            QVERIFY(spoken(digit)->state().invisible &&
                    spoken(digit)->text(QAccessible::Name).isEmpty());
    }

    void menuItemsInOrder()
    {
        Console con;
        const QList<QAction*> bar = con.w->menuBar()->actions();
        QCOMPARE(bar.size(), 1);
        QCOMPARE(bar.first()->text(), QStringLiteral("Menu"));
        QMenu* menu = bar.first()->menu();
        QVERIFY(menu);
        QStringList seen;
        for (QAction* a : menu->actions())
            seen << a->objectName() + "=" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(seen, (QStringList{"startext=Start external scoreboard",
                                    "closeext=Close external scoreboard", "lijn1=-", "setu=Setup",
                                    "lijn2=-", "rema=Reset match", "retime=Reset time",
                                    "etime=Extra time", "zessec=60 seconds", "lijn3=-",
                                    "over=About", "lijn5=-", "sluit=Close"}));
    }

    void eventsReachTheModel()
    {
        Console con;
        MatchState& s = con.c.s;
        int clicks = 0, menuClicks = 0;
        s.Command12.onClick = [&] { ++clicks; };
        s.zessec.onClick = [&] { ++menuClicks; };
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        QTest::mouseClick(con.find("Command12"), Qt::LeftButton);
        QCOMPARE(clicks, 1);
        con.w->findChild<QAction*>(QStringLiteral("zessec"))->trigger();
        QCOMPARE(menuClicks, 1);

        // Program changes show in the widgets.
        s.scri.setCaption(QStringLiteral("7"));
        QCOMPARE(con.find<QLabel>("scri")->text(), QStringLiteral("7"));
        s.Command4.setVisible(true);
        QVERIFY(!con.find("Command4")->isHidden());
        s.Frame12.setGeometry(2400, 500, 3495, 2415);
        QCOMPARE(con.find("Frame12")->geometry(), QRect(160, 33, 233, 161));
        QCOMPARE(con.find("Frame12")->geometry(),
                 QRect(con.find("Frame1")->mapTo(con.find("Frame2")->parentWidget(), QPoint()),
                       con.find("Frame1")->size() + QSize(0, 8)));
    }

    // A box's handler runs once for each change of its value, whatever made
    // it; showing the program's value runs nothing more.
    void checkBoxRunsOncePerChange_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"mouse", "Space", "Toggle action", "program"})
            QTest::newRow(way) << way;
    }

    void checkBoxRunsOncePerChange()
    {
        QFETCH(QString, way);
        Console con;
        MatchState& s = con.c.s;
        s.Kumite2.setHeight(8740); // the setup row in sight
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        QCoreApplication::processEvents();
        int runs = 0;
        s.Check25.onClick = [&] { ++runs; };
        auto* box = con.find<QCheckBox>("Check25");
        const auto change = [&] {
            if (way == "mouse") {
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            } else if (way == "Space") {
                QTest::keyClick(box, Qt::Key_Space);
            } else if (way == "Toggle action") {
                QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(
                    QAccessibleActionInterface::toggleAction());
            } else {
                s.Check25.setValue(1 - s.Check25.value());
            }
        };
        for (int value : {1, 0}) {
            change();
            QCOMPARE(s.Check25.value(), value);
            QCOMPARE(box->isChecked(), value == 1);
            QCOMPARE(runs, 2 - value);
        }
        s.Check25.setValue(1);
        s.Check25.setValue(2); // greyed: shows unticked and stays 2
        QVERIFY(!box->isChecked());
        QCOMPARE(s.Check25.value(), 2);
        QCOMPARE(runs, 4);
    }

    // A key handler may replace the typed character; the program's text
    // shows in the box.
    void textBoxKeyHandler()
    {
        Console con;
        MatchState& s = con.c.s;
        s.eindwav.onKeyPress = [](int code) { return code == 'x' ? 0 : code == 'a' ? 'b' : code; };
        s.Kumite2.setHeight(8740); // in sight
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        auto* box = con.find<QLineEdit>("eindwav");
        QTest::keyClicks(box, QStringLiteral("axc"));
        QCOMPARE(s.eindwav.text(), QStringLiteral("bc"));
        s.eindwav.setText(QStringLiteral("C:\\gong.wav"));
        QCOMPARE(box->text(), QStringLiteral("C:\\gong.wav"));
    }

    void keyPreview_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");
        QTest::newRow("text box") << "eindwav" << true << 0 << 1;
        QTest::newRow("button") << "Command12" << true << 0 << 1;
        QTest::newRow("capital S") << "eindwav" << true << int(Qt::ShiftModifier) << 1;
        QTest::newRow("preview off") << "eindwav" << false << 0 << 0;
        QTest::newRow("ctrl held") << "Command12" << true << int(Qt::ControlModifier) << 0;
    }

    void keyPreview()
    {
        QFETCH(QString, focus);
        QFETCH(bool, preview);
        QFETCH(int, modifiers);
        QFETCH(int, expected);
        Console con;
        QList<int> codes;
        con.w->setKeyPreviewHandler([&](int code) { codes << code; });
        con.c.s.keyPreview = preview;
        con.c.s.Kumite2.setHeight(8740); // the text box in sight
        con.w->show();
        QVERIFY(QTest::qWaitForWindowActive(con.w.get()));
        QWidget* target = con.w->findChild<QWidget*>(focus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        const QString text = mods & Qt::ShiftModifier ? QStringLiteral("S") : QStringLiteral("s");
        QTest::keyClick(target, text.at(0).toLatin1(), mods);
        QCOMPARE(codes.size(), expected);
        if (expected)
            QCOMPARE(codes.first(), int(text.at(0).unicode()));
        // The character still reaches the focused text box.
        if (auto* box = qobject_cast<QLineEdit*>(target); box && !(mods & Qt::ControlModifier))
            QCOMPARE(box->text(), text);
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("expected");
        const QStringList closed = kTabOrder.mid(0, kTabOrder.size() - 14);
        QTest::newRow("setup closed") << "" << closed;
        QTest::newRow("setup open") << "open" << kTabOrder;
        QTest::newRow("halves swapped")
            << "swap" << closed.mid(15, 15) + closed.mid(0, 15) + closed.mid(30);
        // The count panel covers the clock's buttons.
        QTest::newRow("KO panel open")
            << "ko" << closed.mid(0, 30) + QStringList{"Command15"} + closed.mid(34);
        QTest::newRow("window narrowed") << "narrow" << closed.mid(0, 35);
    }

    // Tab walks the controls in sight, in reading order, and round again;
    // every other control takes no focus and ignores keys.
    void tabOrder()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, expected);
        Console con;
        MatchState& s = con.c.s;
        con.w->show();
        QApplication::setActiveWindow(con.w.get());
        QVERIFY(QTest::qWaitForWindowActive(con.w.get()));
        if (change == "open")
            s.MyButton9.click();
        else if (change == "swap")
            s.Check24.setValue(1);
        else if (change == "ko")
            s.Command11.click();
        else if (change == "narrow")
            con.w->resize(540, con.w->height());
        QCoreApplication::processEvents();

        QWidget* first = con.find(qPrintable(expected.first()));
        first->setFocus(Qt::TabFocusReason);
        QStringList walked;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        QCOMPARE(QApplication::focusWidget(), first);

        const auto snapshot = [&] {
            QStringList values;
            for (const Element* e : s.elements())
                values << QStringLiteral("%1 %2 %3 %4 %5")
                              .arg(e->name(), e->caption())
                              .arg(e->value())
                              .arg(e->enabled())
                              .arg(e->left());
            return values;
        };
        const QStringList before = snapshot();
        for (const QString& name :
             kTabOrder + QStringList{"Command4", "Command15", "sbtxt", "shtxt"}) {
            QWidget* w = con.find(qPrintable(name));
            if (expected.contains(name))
                continue;
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Space);
            QTest::keyClicks(w, QStringLiteral("7 "));
        }
        QCOMPARE(snapshot(), before);
    }

    void frameSizeMapping_data()
    {
        QTest::addColumn<int>("nonClient");
        for (int nc : {0, 21, 46, 50, 75})
            QTest::newRow(qPrintable(QString::number(nc))) << nc;
    }

    // Whatever the frame, the setup row (client top 6240) is cut off at the
    // closed height and shown whole at the open height, and an outer height
    // goes back to the model unchanged.
    void frameSizeMapping()
    {
        QFETCH(int, nonClient);
        using view::ConsoleFrameSize;
        const int closed = view::toPixels(6900), open = view::toPixels(8740);
        const int rowTop = view::toPixels(6240), rowBottom = view::toPixels(6240 + 1575);
        QVERIFY(ConsoleFrameSize::visibleClientHeight(closed) <= rowTop);
        QVERIFY(ConsoleFrameSize::visibleClientHeight(open) >= rowBottom);
        for (int model : {closed, open}) {
            const int outer = ConsoleFrameSize::windowOuterHeight(model, nonClient);
            // The real client area below the menu holds the visible part.
            QVERIFY(outer - nonClient >= ConsoleFrameSize::visibleClientHeight(model));
            QCOMPARE(ConsoleFrameSize::modelOuterHeight(outer, nonClient), model);
        }
    }

    void setupRowCutOffAndShown()
    {
        Console con;
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        QWidget* row[] = {con.find("Frame13"), con.find("Frame15"), con.find("Frame16")};
        for (QWidget* f : row)
            QVERIFY2(f->visibleRegion().isEmpty(), qPrintable(f->objectName()));
        QVERIFY(!con.find("Frame7")->visibleRegion().isEmpty());

        con.w->move(300, 200); // the operator's own place outlives Setup
        con.c.s.Kumite2.setHeight(8740);
        QCOMPARE(con.w->frameGeometry(), QRect(300, 200, 697, view::toPixels(8740)));
        for (QWidget* f : row) // children cover parts of it, but all of it is inside
            QCOMPARE(f->visibleRegion().boundingRect(), f->rect());

        con.c.s.Kumite2.setHeight(6900);
        QCOMPARE(con.w->frameGeometry().height(), 460);
        for (QWidget* f : row)
            QVERIFY(f->visibleRegion().isEmpty());
        // The KO panel waits below, out of sight.
        QVERIFY(con.find("Frame12")->visibleRegion().isEmpty());
    }

    void operatorResizeWritesHeightBack()
    {
        Console con;
        con.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(con.w.get()));
        con.w->resize(con.w->width(), 540);
        // The outer height, frame included, goes into the model.
        QCOMPARE(con.c.s.Kumite2.height(), con.w->frameGeometry().height() * 15.0);
        QVERIFY(con.c.s.Kumite2.height() > 8100);
        QCOMPARE(con.c.s.Kumite2.width(), 10450.0); // the width is not the operator's
    }
};

KESTRANE_TEST_MAIN(TestConsoleWindow)
#include "tst_consolewindow.moc"
