#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <map>

using namespace kestrane;

// The console's design layout as the model holds it: panels, captions,
// colours, fonts and visibility.
class TestConsoleLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What a person sees of the layout: every element inside its panel (or
    // the window), no two controls of a panel on top of each other, and a
    // few places the design fixes. Frame12 (the KO panel) waits below the
    // window and the board size boxes stand right of it by design.
    void elementsInsideTheirPanelsAndApart()
    {
        test::TestConsole c;
        MatchState& s = c.s;
        c.k.startUp.Form_Load();
        const auto box = [](const Element* e) {
            return QRectF(e->left(), e->top(), e->width(), e->height());
        };
        const QRectF window(0, 0, s.Kumite2.width(), 8740);
        std::map<const Element*, QList<const Element*>> controls;
        QStringList outside;
        for (const Element* e : s.elements()) {
            const ElementKind k = e->kind();
            if (k == ElementKind::Timer || k == ElementKind::MenuItem || k == ElementKind::Form ||
                e == &s.Frame12 || e == &s.sbtxt || e == &s.shtxt)
                continue;
            QVERIFY2(e->width() > 0 || e->height() > 0, qPrintable(e->name()));
            const Element* p = e->container();
            const QRectF outer = p ? QRectF(0, 0, p->width(), p->height()) : window;
            if (!outer.contains(box(e)))
                outside << e->name();
            if (e->visible() && (k == ElementKind::Button || k == ElementKind::CheckBox ||
                                 k == ElementKind::TextBox))
                controls[p].push_back(e);
        }
        // The clock digits' boxes hang below the clock frame, which clips
        // them (their ink stays inside); the setup row's two lines run to
        // its frame's edge.
        QCOMPARE(outside.join(" "), QStringLiteral("Label1 Label4 Label2 Label3 Line1 Line2"));
        for (const auto& [panel, list] : controls) {
            for (int i = 0; i < list.size(); ++i) {
                for (int j = i + 1; j < list.size(); ++j)
                    QVERIFY2(!box(list[i]).intersects(box(list[j])),
                             qPrintable(list[i]->name() + " on " + list[j]->name()));
            }
        }
        QCOMPARE(box(&s.Frame2), QRectF(120, 120, 8050, 5895));
        QCOMPARE(box(&s.scri), QRectF(6165, 840, 570, 1170));
        QCOMPARE(box(&s.Check2), QRectF(3360, 4920, 255, 255));
        QCOMPARE(box(&s.Frame12), QRectF(2760, 9000, 3495, 2415));
        QCOMPARE(s.Command3.left(), 820.0); // Start and Stop share one place
        QCOMPARE(box(&s.Command3), box(&s.Command4));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<uint>("back");
        QTest::addColumn<uint>("border");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("hovers");
        auto row = [](const char* n, const char* cap, uint back, double pt, bool hovers = true) {
            const uint border = back == 0xE1D7D5 ? 0x808080 : 0x707070;
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(cap) << back << border
                             << pt << hovers;
        };
        row("SanbonB", "Ippon", 0xE1D7D5, 8.25);
        row("MyButton1", "-1", 0xE1D7D5, 12);
        row("NihonB", "Waza-ari", 0xE1D7D5, 8.25);
        row("Command9", "-1", 0xE1D7D5, 12);
        row("Command6", "Ippon", 0x8080FF, 8.25);
        row("Command10", "-1", 0x8080FF, 12);
        row("Command8", "Waza-ari", 0x8080FF, 8.25);
        row("MyButton2", "-1", 0x8080FF, 12);
        row("Command3", "Start ", 0x80FF80, 14.25, false);
        row("Command4", "Stop", 0x8080FF, 14.25, false);
        row("Command11", "KO Timer", 0xFF8080, 8.25);
        row("Command5", "Reset time", 0xE1D7D5, 8.25);
        row("Command17", "Extra time", 0xE1D7D5, 8.25);
        row("Command16", "60 Seconds", 0xE1D7D5, 8.25);
        row("Command12", "Set", 0xE1D7D5, 8.25);
        row("Command13", "Reset match", 0xE1D7D5, 8.25);
        row("command1", "Start Scoreboard", 0xC0FFC0, 8.25);
        row("Command2", "Close Scoreboard", 0x8080FF, 8.25);
        row("MyButton9", "Setup", 0xE1D7D5, 8.25);
        row("Command14", "Close", 0xE1D7D5, 8.25);
        row("MyButton3", "End of match", 0xE1D7D5, 8.25);
        row("MyButton4", "Warning", 0xE1D7D5, 8.25);
        row("MyButton7", "Save", 0xE1D7D5, 8.25);
        row("Command15", "Stop", 0x8080FF, 8.25);
        row("tijdu", "", 0xE1D7D5, 8.25);
        row("MyButton5", "", 0xE1D7D5, 8.25);
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(uint, back);
        QFETCH(uint, border);
        QFETCH(double, points);
        QFETCH(bool, hovers);
        test::TestConsole c;
        const Element* e = c.s.find(name);
        QVERIFY(e);
        QCOMPARE(e->kind(), ElementKind::Button);
        QCOMPARE(e->caption(), caption);
        QCOMPARE(e->backColor(), back);
        QCOMPARE(e->borderColor(), border);
        QCOMPARE(e->fontSize(), points);
        QVERIFY(e->bold());
        QCOMPARE(e->pressedColor(), Colour(0xEFD198));
        QCOMPARE(e->hoverColor(), hovers ? Colour(0xFDE6BE) : Element::kNoColour);
    }

    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<uint>("fore");
        QTest::addColumn<bool>("visible");
        auto row = [](const char* n, const char* cap, double pt, bool b, uint fore,
                      bool vis = true) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromUtf8(cap) << pt << b << fore
                             << vis;
        };
        row("Label18", "Shiro", 30, true, 0x400000);
        row("Label19", "Aka", 30, true, 0xFFFFFF);
        row("scwi", "0", 50.25, true, 0x400000);
        row("scri", "0", 50.25, true, 0xFFFFFF);
        row("Label22", "Number of Ippon", 8.25, true, 0x400000);
        row("Label13", "S", 12, true, 0x400000);
        row("Label9", "S", 12, true, 0xFFFFFF);
        row("Label4", ":", 48, false, 0x400000);
        row("Label2", "0", 48, true, 0x400000);
        row("Label12", "A", 8.25, true, 0x400000);
        row("Label26", "C", 8.25, true, 0x400000);
        row("Label11", "H", 8.25, true, 0x400000);
        row("Label14", "A", 8.25, true, 0xFFFFFF);
        row("Label27", "C", 8.25, true, 0xFFFFFF);
        row("Label15", "H", 8.25, true, 0xFFFFFF);
        row("Label7", "A", 8.25, true, 0x400000, false);
        row("Label10", "M", 8.25, true, 0x400000);
        row("Label8", "J", 8.25, true, 0x400000);
        row("Label17", "A", 8.25, true, 0xFFFFFF, false);
        row("Label16", "M", 8.25, true, 0xFFFFFF);
        row("Label21", "J", 8.25, true, 0xFFFFFF);
        row("Label30", "Match time", 9, true, 0x000000);
        row("Label25", "Mirror board", 8.25, true, 0x000000);
        row("Label6", "Horiz. scale", 8.25, true, 0x000000);
        row("Label24", "Vert.scale", 8.25, true, 0x000000);
        row("Label23", "Font scale", 8.25, true, 0x000000);
        row("Label20", "00", 72, true, 0x400000);
    }

    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(uint, fore);
        QFETCH(bool, visible);
        test::TestConsole c;
        const Element* e = c.s.find(name);
        QVERIFY(e);
        QCOMPARE(e->caption(), caption);
        QCOMPARE(e->fontSize(), points);
        QCOMPARE(e->bold(), bold);
        QCOMPARE(e->foreColor(), fore);
        QCOMPARE(e->visible(), visible);
    }

    void appearance()
    {
        test::TestConsole c;
        MatchState& s = c.s;
        QCOMPARE(s.Kumite2.caption(), QStringLiteral("Kestrane 1.2.1"));
        QCOMPARE(s.Kumite2.backColor(), Colour(0xFFFFFF));
        QCOMPARE(s.Shape1.backColor(), Colour(0xE0E0E0));
        QCOMPARE(s.Shape2.backColor(), Colour(0x0000C0));
        QCOMPARE(s.Shape3.shape(), ShapeKind::RoundedRectangle);
        QCOMPARE(s.Shape3.borderColor(), Colour(0x000080));
        QCOMPARE(s.Shape11.shape(), ShapeKind::RoundedRectangle);
        QCOMPARE(s.Frame20.backColor(), Colour(0xE0E0E0));
        QCOMPARE(s.Frame21.backColor(), Colour(0x0000C0));
        // The borderless frames: their captions never show.
        for (Element* f : {&s.Frame1, &s.Frame12, &s.Frame20, &s.Frame21})
            QCOMPARE(f->borderWidth(), 0);
        for (Element* f : {&s.Frame8, &s.Frame9, &s.Frame11, &s.Frame13, &s.Frame15})
            QVERIFY(f->borderWidth() > 0);
        QCOMPARE(s.Frame8.caption(), QStringLiteral("Time"));
        QCOMPARE(s.Frame9.caption(), QStringLiteral("Field number"));
        QCOMPARE(s.Frame11.caption(), QStringLiteral("External scorebord"));
        QCOMPARE(s.Frame13.caption(), QStringLiteral("Setup"));
        QCOMPARE(s.Frame15.caption(), QStringLiteral("Scoreboard correction"));
        QCOMPARE(s.Frame12.caption(), QStringLiteral("Timer"));
        QCOMPARE(s.scwi.alignment(), Alignment::Centre);
        QCOMPARE(s.scri.backColor(), Colour(0x0000C0));
        QCOMPARE(s.scww.backColor(), Colour(0xE0E0E0));
        QCOMPARE(s.ippon.fontSize(), 9.75);
        QVERIFY(s.ippon.bold());
        QCOMPARE(s.ippon.alignment(), Alignment::Centre);
        QCOMPARE(s.Check25.caption(), QStringLiteral("Two Waza-ari is one Ippon"));
        QCOMPARE(s.Check26.caption(), QStringLiteral("WUKF"));
        QCOMPARE(s.Check24.caption(), QStringLiteral("internal"));
        QCOMPARE(s.Check23.caption(), QStringLiteral("external"));
        // The "S" boxes on their side's colour; penalty boxes show no caption.
        QCOMPARE(s.Check2.backColor(), Colour(0xE0E0E0));
        QCOMPARE(s.Check11.backColor(), Colour(0x0000C0));
        for (int n = 1; n <= 22; ++n)
            QVERIFY(s.check(n).caption().isEmpty());
        QVERIFY(!s.tijdu.picture().isEmpty());
        QVERIFY(s.tijdu.picture() != s.tijdd.picture());
        QVERIFY(!s.MyButton5.picture().isEmpty());
        QVERIFY(!s.MyButton8.picture().isEmpty());
        // sbtxt and shtxt right of the visible area.
        QCOMPARE(s.sbtxt.left(), 10800.0);
        QCOMPARE(s.shtxt.left(), 10800.0);
    }

    void menu()
    {
        test::TestConsole c;
        QCOMPARE(c.s.Menu.caption(), QStringLiteral("Menu"));
        QStringList captions;
        for (const Element* e : c.s.menuItems())
            captions << e->caption();
        QCOMPARE(captions, (QStringList{"Start external scoreboard", "Close external scoreboard",
                                        "-", "Setup", "-", "Reset match", "Reset time",
                                        "Extra time", "60 seconds", "-", "About", "-", "Close"}));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestConsoleLayout)
#include "tst_consolelayout.moc"
