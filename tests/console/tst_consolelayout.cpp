#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;

// The console's design layout as the model holds it: containers, twips,
// captions, colours, fonts and visibility the design tables give.
class TestConsoleLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container"); // "" for the window
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width"); // -1: not fixed by the design
        QTest::addColumn<double>("height");
        auto row = [](const char* n, const char* c, double l, double t, double w, double h) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(c) << l << t << w
                             << h;
        };
        row("Frame2", "", 120, 120, 8050, 5895);
        row("Shape1", "Frame2", 120, 200, 3900, 5500);
        row("Shape2", "Frame2", 4020, 195, 3900, 5500);
        row("Shape3", "Frame2", 2160, 240, 3735, 2655);
        row("Label18", "Frame2", 480, 240, 1515, 690);
        row("Label19", "Frame2", 6600, 240, 1065, 690);
        row("scwi", "Frame2", 1320, 840, 570, 1170);
        row("scww", "Frame2", 1320, 2280, 570, 1170);
        row("scri", "Frame2", 6165, 840, 570, 1170);
        row("scrw", "Frame2", 6165, 2280, 570, 1170);
        row("Frame1", "Frame2", 2280, 380, 3495, 2295);
        row("Shape11", "Frame2", 3105, 3000, 1815, 1095);
        row("Label22", "Frame2", 3340, 3120, 1380, 210);
        row("ippon", "Frame2", 3720, 3480, 615, 360);
        row("Frame20", "Frame2", 240, 3720, 2655, 1815);
        row("Frame21", "Frame2", 5160, 3720, 2655, 1815);
        row("Label13", "Frame2", 3360, 4560, -1, -1);
        row("Check2", "Frame2", 3360, 4920, 255, 255);
        row("Label9", "Frame2", 4320, 4560, -1, -1);
        row("Check11", "Frame2", 4320, 4920, 255, 255);
        row("SanbonB", "Frame2", 240, 1080, 855, 375);
        row("MyButton1", "Frame2", 240, 1560, 855, 375);
        row("NihonB", "Frame2", 240, 2520, 855, 375);
        row("Command9", "Frame2", 240, 3000, 855, 375);
        row("Command6", "Frame2", 6960, 1080, 855, 375);
        row("Command10", "Frame2", 6960, 1560, 855, 375);
        row("Command8", "Frame2", 6960, 2520, 855, 375);
        row("MyButton2", "Frame2", 6960, 3000, 855, 375);
        // Clock frame (before start-up moves Start and Stop together).
        row("Command3", "Frame1", 0, 0, 1815, 735);
        row("Command4", "Frame1", 1680, 0, 1815, 735);
        row("Command11", "Frame1", 960, 960, 1575, 375);
        row("tijdu", "Frame1", 3000, 960, 495, 555);
        row("tijdd", "Frame1", 3000, 1680, 495, 555);
        row("Label1", "Frame1", 680, 1320, -1, 1125);
        row("Label4", "Frame1", 1290, 1320, -1, 1125);
        row("Label2", "Frame1", 1635, 1320, -1, 1125);
        row("Label3", "Frame1", 2235, 1320, -1, 1125);
        // Penalty panels.
        row("Frame3", "Frame20", 280, 250, 2300, 500);
        row("Frame18", "Frame20", 280, 750, 2300, 500);
        row("Frame4", "Frame20", 280, 1250, 2300, 500);
        row("Frame5", "Frame21", 280, 280, 2300, 500);
        row("Frame19", "Frame21", 280, 780, 2300, 500);
        row("Frame6", "Frame21", 280, 1280, 2300, 500);
        row("Label12", "Frame20", 1005, 0, -1, -1);
        row("Label26", "Frame20", 1600, 0, -1, -1);
        row("Label11", "Frame20", 2200, 0, -1, -1);
        row("Label14", "Frame21", 1005, 0, -1, -1);
        row("Label27", "Frame21", 1600, 0, -1, -1);
        row("Label15", "Frame21", 2200, 0, -1, -1);
        row("Label7", "Frame20", 0, 420, -1, -1);
        row("Label10", "Frame20", 0, 930, -1, -1);
        row("Label8", "Frame20", 0, 1410, -1, -1);
        row("Label17", "Frame21", 0, 420, -1, -1);
        row("Label16", "Frame21", 0, 960, -1, -1);
        row("Label21", "Frame21", 0, 1440, -1, -1);
        row("Check1", "Frame3", 720, 200, 255, 255);
        row("Check4", "Frame3", 1320, 200, 255, 255);
        row("Check3", "Frame3", 1920, 200, 255, 255);
        row("Check19", "Frame18", 720, 200, 255, 255);
        row("Check17", "Frame18", 1320, 200, 255, 255);
        row("Check18", "Frame18", 1920, 200, 255, 255);
        row("Check8", "Frame4", 120, 200, 255, 255);
        row("Check5", "Frame4", 720, 200, 255, 255);
        row("Check6", "Frame4", 1320, 200, 255, 255);
        row("Check7", "Frame4", 1920, 200, 255, 255);
        row("Check12", "Frame5", 720, 200, 255, 255);
        row("Check9", "Frame5", 1320, 200, 255, 255);
        row("Check10", "Frame5", 1920, 200, 255, 255);
        row("Check20", "Frame19", 720, 200, 255, 255);
        row("Check22", "Frame19", 1320, 200, 255, 255);
        row("Check21", "Frame19", 1920, 200, 255, 255);
        row("Check16", "Frame6", 120, 200, 255, 255);
        row("Check13", "Frame6", 720, 200, 255, 255);
        row("Check14", "Frame6", 1320, 200, 255, 255);
        row("Check15", "Frame6", 1920, 200, 255, 255);
        // Right-hand column.
        row("Frame8", "", 8280, 120, 1935, 1575);
        row("Command5", "Frame8", 120, 240, 1695, 375);
        row("Frame17", "", 8280, 1680, 1935, 615);
        row("Frame9", "", 8280, 2295, 1935, 735);
        row("Text1", "Frame9", 120, 260, 615, 330);
        row("Command12", "Frame9", 960, 240, 855, 375);
        row("Frame10", "", 8280, 3015, 1935, 600);
        row("Frame11", "", 8280, 3645, 1935, 1100);
        row("Frame14", "", 8280, 4755, 1935, 615);
        row("MyButton9", "Frame14", 120, 160, 1695, 375);
        row("Frame7", "", 8280, 5400, 1935, 615);
        // Setup row.
        row("Frame13", "", 120, 6240, 6855, 1575);
        row("MyButton3", "Frame13", 240, 240, 1245, 375);
        row("eindwav", "Frame13", 1680, 300, 4335, 285);
        row("MyButton5", "Frame13", 6120, 240, 525, 375);
        row("MyButton4", "Frame13", 240, 720, 1245, 375);
        row("waarwav", "Frame13", 1680, 750, 4335, 315);
        row("MyButton8", "Frame13", 6120, 720, 525, 375);
        row("Check25", "Frame13", 120, 1200, 2535, 255);
        row("Check26", "Frame13", 2640, 1200, 855, 255);
        row("Label25", "Frame13", 3520, 1220, 1050, 210);
        row("Check24", "Frame13", 4680, 1200, 975, 255);
        row("Check23", "Frame13", 5760, 1200, 975, 255);
        row("Frame15", "", 7080, 6240, 2055, 1575);
        row("hsch", "Frame15", 1320, 315, 600, 315);
        row("vsch", "Frame15", 1320, 720, 600, 315);
        row("fsch", "Frame15", 1320, 1080, 600, 315);
        row("Frame16", "", 9240, 6240, 975, 1575);
        row("MyButton7", "Frame16", 120, 1080, 735, 375);
        // Out of view.
        row("Frame12", "", 2760, 9000, 3495, 2415);
    }

    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        test::TestConsole c;
        const Element* e = c.s.find(name);
        QVERIFY(e);
        QCOMPARE(e->container() ? e->container()->name() : QString(), container);
        QCOMPARE(e->left(), left);
        QCOMPARE(e->top(), top);
        if (width >= 0)
            QCOMPARE(e->width(), width);
        else
            QVERIFY(e->width() > 0);
        if (height >= 0)
            QCOMPARE(e->height(), height);
        else
            QVERIFY(e->height() > 0);
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

    // Every element the window shows has a place; the match values are the
    // match state's, untouched by the layout.
    void everyElementPlaced()
    {
        test::TestConsole c;
        for (const Element* e : c.s.elements()) {
            if (e->kind() == ElementKind::Timer || e->kind() == ElementKind::MenuItem ||
                e->kind() == ElementKind::Form)
                continue;
            QVERIFY2(e->width() > 0 || e->height() > 0, qPrintable(e->name()));
        }
        QCOMPARE(c.s.Text5.text(), QStringLiteral("1"));
        QCOMPARE(c.s.Text6.text(), QStringLiteral("30"));
        QCOMPARE(c.s.Label1.caption(), QStringLiteral("0"));
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

    void startUpPutsStartAndStopTogether()
    {
        test::TestConsole c;
        c.k.startUp.Form_Load();
        QCOMPARE(c.s.Command3.left(), 820.0);
        QCOMPARE(c.s.Command4.left(), 820.0);
        QCOMPARE(c.s.Command3.top(), c.s.Command4.top());
        QVERIFY(c.s.Command3.visible());
        QVERIFY(!c.s.Command4.visible());
        QCOMPARE(c.s.Label1.caption() + ":" + c.s.Label2.caption() + c.s.Label3.caption(),
                 QStringLiteral("1:30"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestConsoleLayout)
#include "tst_consolelayout.moc"
