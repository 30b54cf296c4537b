#include "console/ConsoleCanvas.h"
#include "console/ConsoleFrameSize.h"
#include "console/ConsoleWindow.h"
#include "console/ElementTextBox.h"
#include "console/PushButton.h"
#include "console/ViewUnits.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QAbstractButton>
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
    ~Console() { w.reset(); }
    template <typename T = QWidget> T* find(const char* name) const
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
};

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
        QCOMPARE(con.w->frameGeometry().size(), QSize(697, 460));
        QCOMPARE(con.w->frameGeometry().topLeft(), QPoint(133, 7));
    }

    // Every element with a widget is there, under its own name, inside the
    // widget of its container, at the element's place and size.
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
            if (e->kind() != ElementKind::Line) // a line is at least a pixel thick
                QCOMPARE(w->geometry(), view::rectOf(*e));
        }
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("shown");
        auto row = [](const char* n, const char* t, int pxs, bool shown = true) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromUtf8(t) << pxs << shown;
        };
        row("Label18", "Shiro", 40);
        row("Label19", "Aka", 40);
        row("scwi", "0", 67);
        row("Label22", "Number of Ippon", 11);
        row("ippon", "1", 13);
        row("Label1", "1", 64);
        row("Label4", ":", 64);
        row("Label2", "3", 64);
        row("Label3", "0", 64);
        row("Command3", "Start ", 19);
        row("Command4", "Stop", 19, false);
        row("Command11", "KO Timer", 11);
        row("SanbonB", "Ippon", 11);
        row("MyButton1", "-1", 16);
        row("Command16", "60 Seconds", 11);
        row("command1", "Start Scoreboard", 11);
        row("Command14", "Close", 11);
        row("Label30", "Match time", 12);
        row("Text5", "1", 11);
        row("Text6", "30", 11);
        row("Label7", "A", 11, false);
        row("Label17", "A", 11, false);
        row("Label12", "A", 11);
        row("Label10", "M", 11);
        row("Check25", "Two Waza-ari is one Ippon", 11);
        row("Label20", "00", 96);
        row("Command15", "Stop", 11);
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, shown);
        Console con;
        QWidget* w = con.w->findChild<QWidget*>(name);
        QVERIFY(w);
        QString actual;
        if (auto* l = qobject_cast<QLabel*>(w))
            actual = l->text();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            actual = e->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            actual = b->text();
        QCOMPARE(actual, text);
        QCOMPARE(w->font().pixelSize(), pixelSize);
        QCOMPARE(w->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w->isHidden(), !shown);
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

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("Check1") << "Check1"
                                << "Shiro penalty A row 1";
        QTest::newRow("Check18") << "Check18"
                                 << "Shiro penalty H row 2";
        QTest::newRow("Check8") << "Check8"
                                << "Shiro penalty extra row 3";
        QTest::newRow("Check13") << "Check13"
                                 << "Aka penalty A row 3";
        QTest::newRow("Check9") << "Check9"
                                << "Aka penalty C row 1";
        QTest::newRow("Check11") << "Check11"
                                 << "Aka penalty S";
        QTest::newRow("tijdu") << "tijdu"
                               << "Clock one second up";
        QTest::newRow("tijdd") << "tijdd"
                               << "Clock one second down";
        QTest::newRow("MyButton5") << "MyButton5"
                                   << "Choose end-of-match sound";
        QTest::newRow("MyButton8") << "MyButton8"
                                   << "Choose warning sound";
        QTest::newRow("Command6") << "Command6"
                                  << "Ippon";
        QTest::newRow("Check26") << "Check26"
                                 << "WUKF";
        QTest::newRow("ippon") << "ippon"
                               << "Number of Ippon";
    }

    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        Console con;
        QWidget* w = con.w->findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), accessible);
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

        // A check box: the operator's click sets the value (running the
        // handler once); the program's change moves the tick without a
        // second run.
        int boxRuns = 0;
        s.Check6.onClick = [&] { ++boxRuns; };
        auto* box = con.find<QCheckBox>("Check6");
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(s.Check6.value(), 1);
        QCOMPARE(boxRuns, 1);
        s.Check6.setValue(0);
        QCOMPARE(boxRuns, 2);
        QVERIFY(!box->isChecked());

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

    void textBoxFilters()
    {
        Console con;
        MatchState& s = con.c.s;
        // x is discarded, a becomes b.
        s.eindwav.onKeyPress = [](int code) { return code == 'x' ? 0 : code == 'a' ? 'b' : code; };
        s.eindwav.onFilterText = [](const QString& t) { return t.toUpper(); };
        auto* box = con.find<view::ElementTextBox>("eindwav");
        QVERIFY(box);
        QTest::keyClicks(box, QStringLiteral("axc"));
        QCOMPARE(s.eindwav.text(), QStringLiteral("bc"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(s.eindwav.text(), QStringLiteral("b"));
        box->insertFiltered(QStringLiteral("wav"));
        QCOMPARE(s.eindwav.text(), QStringLiteral("bWAV"));
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

        con.c.s.Kumite2.setHeight(8740);
        QCOMPARE(con.w->frameGeometry().height(), view::toPixels(8740));
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
