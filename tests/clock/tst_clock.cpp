// The match clock, its corrections, the reset between matches and the
// knock-down count, driven as the operator drives them and judged by what
// both windows show and what is heard.
#include "match/MatchTestHelpers.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::blinking;
using test::TestConsole;

namespace {

constexpr Colour kWarning = 143;

QString clock(const Element& m, const Element& t, const Element& s)
{
    return m.caption() + ':' + t.caption() + s.caption();
}

// One operator step: "@M:TS" puts digits into both clocks, "Name=text"
// types into a text box, "key:x" types a key, "tick*n" lets the clock run
// n seconds; anything else clicks the element of that name.
void act(TestConsole& c, const QString& step)
{
    if (step.startsWith('@')) {
        Kubord2& b = c.k.boards.currentOrNewHidden();
        const QString secs = step.section(':', 1);
        const QString digits[] = {step.mid(1).section(':', 0, 0), secs.chopped(1), secs.right(1)};
        Element* shown[] = {&c.s.Label1, &c.s.Label2, &c.s.Label3, &b.Label5, &b.Label6, &b.Label8};
        for (int i = 0; i < 6; ++i)
            shown[i]->setCaption(digits[i % 3]);
    } else if (step.contains('=')) {
        c.s.find(step.section('=', 0, 0))->setText(step.section('=', 1));
    } else if (step.startsWith(QLatin1String("key:"))) {
        c.k.Form_KeyPress(step.at(4).unicode());
    } else if (step.startsWith(QLatin1String("tick"))) {
        const int seconds = step.contains('*') ? step.section('*', 1).toInt() : 1;
        for (int i = 0; i < seconds; ++i)
            c.s.Timer1.tick();
    } else {
        QVERIFY2(c.s.find(step), qPrintable(step));
        c.s.find(step)->click();
    }
}

void start(TestConsole& c)
{
    c.k.startUp.Form_Load();
    c.s.eindwav.setText(QStringLiteral("end"));
    c.s.waarwav.setText(QStringLiteral("warn"));
}

struct Scenario {
    const char* name;
    const char* steps;
    const char* clock;  // on both windows
    const char* sounds; // in order
    bool running;
    Colour colour; // of all four board clock labels
    const char* blink;
};

const Scenario kScenarios[] = {
    {"2:00 borrows twice", "@2:00 Command3 tick", "1:59", "", true, 0, ""},
    {"ten-digit minutes", "@9999999999:00 Command3 tick", "9999999998:59", "", true, 0, ""},
    {"1:30 is no warning", "@1:31 Command3 tick", "1:30", "", true, 0, ""},
    {"warning at 0:30", "@0:31 Command3 tick", "0:30", "warn", true, kWarning, ""},
    {"end at 0:00, tie", "@0:01 Command3 tick", "0:00", "end", false, 0, "AS"},
    {"empty digits read as 0", "@:1 Command3 tick", "0:00", "end", false, 0, "AS"},
    {"two-minute match, Aka ahead", "@2:00 Command8 Command3 tick*120", "0:00", "warn end", false,
     0, "A"},
    {"Shiro 4 to 3 at the end", "ippon=9 Command6 Command8 SanbonB SanbonB @0:01 Command3 tick",
     "0:00", "end", false, 0, "S"},
    {"waza-ari count half", "ippon=9 Command8 Command8 Command8 SanbonB @0:01 Command3 tick",
     "0:00", "end", false, 0, "A"},
    {"started below 0:30", "@0:20 Command3 tick*25", "0:00", "end", false, 0, "AS"},
    {"Start at 0:00", "@0:00 Command3", "0:00", "", false, 0, ""},
    {"Start at 0:01", "@0:01 Command3", "0:01", "", true, 0, ""},
    {"Stop", "Command3 Command4", "1:30", "", false, 0, ""},
    {"s starts", "key:s", "1:30", "", true, 0, ""},
    {"S stops", "key:s key:S", "1:30", "", false, 0, ""},
    {"other keys do nothing", "key:a Command3 key:t", "1:30", "", true, 0, ""},
    {"resett", "@0:31 Command3 tick Text5=3 Text6=47 Command5", "3:47", "warn", false, 0, ""},
    {"resett from the menu", "Text5=12 retime", "12:30", "", false, 0, ""},
    {"empty minutes", "Text5= Command5", "0:30", "", false, 0, ""},
    {"one-digit seconds", "Text6=5 Command5", "1:05", "", false, 0, ""},
    {"seconds by first and last", "Text6=123 Command13", "1:13", "", false, 0, ""},
    {"up carries into minutes", "@0:59 tijdu", "1:00", "", false, 0, ""},
    {"up to 0:30, no warning", "@0:29 tijdu", "0:30", "", false, 0, ""},
    {"up keeps the colour", "@0:31 Command3 tick tijdu", "0:31", "warn", true, kWarning, ""},
    {"down 2:00", "@2:00 tijdd", "1:59", "", false, 0, ""},
    {"down to the warning", "@0:31 tijdd", "0:30", "warn", false, kWarning, ""},
    {"down to the end", "@0:01 NihonB Command3 tijdd", "0:00", "end", false, 0, "S"},
    {"down at 0:00 does nothing", "@0:00 tijdd", "0:00", "", false, 0, ""},
    {"60 seconds", "@0:31 Command3 tick Command16", "0:60", "warn", false, 0, ""},
    {"60 seconds run out", "zessec Command3 tick*60", "0:00", "warn end", false, 0, "AS"},
    {"extra time ends the blink", "@0:01 Command3 tick Command17", "1:00", "end", false, 0, ""},
    {"extra time keeps running", "@0:31 Command3 tick etime", "1:00", "warn", true, kWarning, ""},
    {"reset match", "@0:31 Command3 tick Command8 NihonB Check3 Command13", "1:30", "warn end",
     false, 0, ""},
    {"reset ends the blink", "@0:01 Command3 tick Command13", "1:30", "end", false, 0, ""},
};

} // namespace

class TestClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scenario_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kScenarios)); ++i)
            QTest::newRow(kScenarios[i].name) << i;
    }

    void scenario()
    {
        QFETCH(int, row);
        const Scenario& r = kScenarios[row];
        TestConsole c;
        start(c);
        for (const QString& step : QString::fromLatin1(r.steps).split(' '))
            act(c, step);
        Kubord2& b = c.k.boards.currentOrNewHidden();
        QCOMPARE(clock(c.s.Label1, c.s.Label2, c.s.Label3), QLatin1String(r.clock));
        QCOMPARE(clock(b.Label5, b.Label6, b.Label8), QLatin1String(r.clock));
        QCOMPARE(c.ports.sound.played.join(' '), QLatin1String(r.sounds));
        QCOMPARE(c.s.Timer1.enabled(), r.running);
        QCOMPARE(c.s.Command4.visible(), r.running);
        QCOMPARE(c.s.Command3.visible(), !r.running);
        for (const Element* e : {&b.Label5, &b.Label6, &b.Label8, &b.Label7})
            QCOMPARE(e->foreColor(), r.colour);
        QCOMPARE(blinking(c), QLatin1String(r.blink));
    }

    // The new digits are on screen before the warning or the end is heard.
    void digitsShownBeforeTheSound()
    {
        TestConsole c;
        start(c);
        QStringList repainted;
        for (Element* e : {&c.s.Label2, &c.k.boards.currentOrNewHidden().Label6}) {
            e->addObserver([&](const Element& el, Property p) {
                if (p == Property::Repaint)
                    repainted << el.caption();
            });
        }
        QStringList heard;
        c.ports.sound.onPlay = [&](const QString& path) { heard << path + repainted.join(""); };
        act(c, "@0:31");
        act(c, "Command3");
        act(c, "tick*31");
        QCOMPARE(heard, (QStringList{"warn33", "end3300"}));
    }

    // Every lamp, "S" letter, box, score and blink of a busy match goes, even
    // lamps lit without their box; the settings stay.
    void resetClearsTheMatch()
    {
        TestConsole c;
        start(c);
        Kubord2& b = c.k.boards.currentOrNewHidden();
        for (int i = 0; i < Kubord2::kShapeCount; ++i)
            b.shape4(i).setVisible(true);
        for (int i = 0; i < Kubord2::kLabelCount; ++i)
            b.label1(i).setVisible(true);
        c.s.ippon.setText(QStringLiteral("3"));
        c.s.Check25.setValue(1);
        for (const char* step :
             {"Command6", "NihonB", "Check2", "Check22", "@0:31", "Command3", "tick", "Check10"})
            act(c, QLatin1String(step));
        c.s.Timer4.tick();
        c.s.rema.click();
        for (int i = 0; i < Kubord2::kShapeCount; ++i)
            QCOMPARE(b.shape4(i).visible(), (i < 5 || i > 20) && (i < 23 || i > 28));
        for (int i = 0; i < Kubord2::kLabelCount; ++i)
            QCOMPARE(b.label1(i).visible(), i != 4 && i != 8);
        for (int n = 1; n <= 22; ++n)
            QCOMPARE(c.s.check(n).value(), 0);
        for (Element* e :
             {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww, &b.scri, &b.scrw, &b.scwi, &b.scww})
            QCOMPARE(e->caption(), QStringLiteral("0"));
        QCOMPARE(blinking(c), QString());
        QCOMPARE(c.s.ippon.text(), QStringLiteral("3"));
        QCOMPARE(c.s.Check25.value(), 1);
    }

    // Left alone the count runs "01" to "10": the warning at 7, the end at
    // 10 with both names blinking, and then it stands. Every other step ends
    // a running blink. The count sits on the board by its height: F = shtxt
    // / (vsch x 9000).
    void koCount()
    {
        TestConsole c;
        start(c);
        c.s.shtxt.setText(QStringLiteral("16200"));
        act(c, "Command3");
        act(c, "Command11");
        QVERIFY(!c.s.Timer1.enabled() && c.s.Command3.visible());
        QCOMPARE(c.s.Frame12.top(), 500.0);
        Kubord2& b = c.k.boards.currentOrNewHidden();
        QCOMPARE(b.shape4(21).top(), 216.0);
        QCOMPARE(b.Frame4.top(), 936.0);
        const QStringList sounds[] = {{}, {"warn"}, {"warn", "end"}};
        for (int k = 1; k <= 11; ++k) {
            c.k.signal.eindstrafbl();
            c.ports.sound.played.removeLast();
            c.s.Timer2.tick();
            const QString shown = QString::number(std::min(k, 10)).rightJustified(2, '0');
            QCOMPARE(c.s.Label20.caption(), shown);
            QCOMPARE(b.label1(14).caption(), shown);
            QCOMPARE(c.ports.sound.played, sounds[(k >= 7) + (k >= 10)]);
            QCOMPARE(blinking(c), QLatin1String(k == 7 ? "A" : k >= 10 ? "AS" : ""));
            QCOMPARE(c.s.Timer2.enabled(), k < 10);
            QVERIFY(!b.Frame1.visible() && b.Frame4.visible());
            QVERIFY(b.shape4(21).visible() && b.label1(14).visible());
        }
        // Stop closes the count and brings the board clock back.
        act(c, "Command15");
        QCOMPARE(c.s.Frame12.top(), 9000.0);
        QCOMPARE(c.s.Label20.caption(), QStringLiteral("00"));
        QVERIFY(!c.s.Timer2.enabled() && blinking(c).isEmpty());
        QVERIFY(b.Frame1.visible() && !b.Frame4.visible());
        QVERIFY(!b.shape4(21).visible() && !b.label1(14).visible());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestClock)
#include "tst_clock.moc"
