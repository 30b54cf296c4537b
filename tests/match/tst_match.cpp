// The score buttons, the match decision and the blinking name plates, as
// both windows show them.
#include "match/MatchTestHelpers.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include "match/CompetitorText.h"

using namespace kestrane;
using test::blinking;
using test::TestConsole;

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000C0;
constexpr Colour kGrey = 0xE0E0E0;
constexpr Colour kDarkBlue = 0x400000;
constexpr Colour kBlack = 0x000000;

// scri, scrw, scwi, scww on both windows, set without running the decision.
void setScores(TestConsole& c, const QString& scores)
{
    const QStringList v = scores.split(' ');
    Kubord2& b = c.k.boards.currentOrNewHidden();
    Element* all[] = {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww,
                      &b.scri,   &b.scrw,   &b.scwi,   &b.scww};
    for (int i = 0; i < 8; ++i) {
        auto decision = std::exchange(all[i]->onChange, nullptr);
        all[i]->setCaption(v.at(i % 4));
        all[i]->onChange = std::move(decision);
    }
}

QString scores(const Element& i, const Element& w, const Element& si, const Element& sw)
{
    return QStringList{i.caption(), w.caption(), si.caption(), sw.caption()}.join(' ');
}

struct Presses {
    const char* name;
    const char* target;
    int check25;
    const char* before; // scri scrw scwi scww
    const char* presses;
    const char* after;
    int endSounds;
    const char* blink; // "A", "S" or ""
    bool stopsClock;
};

const Presses kPresses[] = {
    {"ippon wins at 1", "1", 0, "0 0 0 0", "Command6", "1 0 0 0", 1, "A", true},
    {"gated ippon stops the blink", "1", 0, "0 0 0 0", "Command6 Command6", "1 0 0 0", 1, "", true},
    {"two waza-ari win", "1", 0, "0 0 0 0", "Command8 Command8", "0 2 0 0", 1, "A", true},
    {"waza-ari gate reads ippon", "1", 0, "0 0 0 0", "Command8 Command8 Command8", "0 3 0 0", 2,
     "A", true},
    {"conversion signals twice", "1", 1, "0 1 0 0", "Command8", "1 0 0 0", 2, "A", true},
    {"conversion only at two", "3", 1, "0 2 0 0", "Command8 Command8", "0 4 0 0", 0, "", false},
    {"conversion passes 99", "200", 1, "99 1 0 0", "Command8", "100 0 0 0", 0, "", false},
    {"Shiro conversion", "1", 1, "0 0 0 1", "NihonB", "0 0 1 0", 2, "S", true},
    {"target 2: ippon, two waza-ari", "2", 0, "0 0 0 0", "Command6 Command8 Command8", "1 2 0 0", 1,
     "A", true},
    {"target 2: ippon, waza-ari", "2", 0, "0 0 0 0", "SanbonB NihonB", "0 0 1 1", 0, "", false},
    {"target 2: Shiro two ippon", "2", 0, "0 0 1 1", "SanbonB", "0 0 2 1", 1, "S", true},
    {"target 2: three waza-ari", "2", 0, "0 3 0 0", "MyButton2", "0 2 0 0", 0, "", false},
    {"target 0 gates at 0", "0", 0, "0 0 0 0", "Command6 Command8 SanbonB NihonB", "0 0 0 0", 0, "",
     false},
    {"target 0: a minus wins", "0", 0, "0 0 0 0", "MyButton2", "0 0 0 0", 1, "A", true},
    {"empty target reads 0", "", 0, "0 0 0 0", "Command9", "0 0 0 0", 1, "S", true},
    {"target below the count", "1", 0, "0 0 3 0", "NihonB SanbonB", "0 0 4 1", 2, "S", true},
    {"ippon reaching 99 sounds", "500", 0, "98 0 0 0", "Command6", "99 0 0 0", 1, "", false},
    {"waza-ari stays 99", "500", 0, "0 0 0 99", "NihonB", "0 0 0 99", 1, "", false},
    {"above 99 falls back", "500", 0, "150 0 0 0", "Command6", "99 0 0 0", 1, "", false},
    {"minus on 0", "1", 0, "0 0 0 0", "Command10 MyButton2 MyButton1 Command9", "0 0 0 0", 0, "",
     false},
    {"minus counts down", "5", 0, "3 2 4 1", "Command10 MyButton2 MyButton1 Command9 Command9",
     "2 1 3 0", 0, "", false},
    {"minus keeps a winner", "1", 0, "0 0 3 0", "MyButton1", "0 0 2 0", 1, "S", true},
    {"ten-digit target", "4294967297", 0, "0 0 4294967298 0", "MyButton1", "0 0 4294967297 0", 1,
     "S", true},
};

} // namespace

class TestMatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void presses_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kPresses)); ++i)
            QTest::newRow(kPresses[i].name) << i;
    }

    // With the clock running, a sequence of presses; the scores on both
    // windows, the end sounds, who blinks and whether a win stopped the clock.
    void presses()
    {
        QFETCH(int, row);
        const Presses& r = kPresses[row];
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.Command3.click();
        c.s.ippon.setText(QLatin1String(r.target));
        c.s.Check25.setValue(r.check25);
        setScores(c, QLatin1String(r.before));
        for (const QString& name : QString::fromLatin1(r.presses).split(' '))
            c.s.find(name)->click();
        QCOMPARE(scores(c.s.scri, c.s.scrw, c.s.scwi, c.s.scww), QLatin1String(r.after));
        Kubord2& b = c.k.boards.currentOrNewHidden();
        QCOMPARE(scores(b.scri, b.scrw, b.scwi, b.scww), QLatin1String(r.after));
        QCOMPARE(c.ports.sound.played.size(), r.endSounds);
        QCOMPARE(blinking(c), QLatin1String(r.blink));
        QCOMPARE(!c.s.Timer1.enabled(), r.stopsClock);
        QCOMPARE(c.s.Command3.visible(), r.stopsClock);
    }

    // Each tick swaps a plate's text colour on both windows. Any score press
    // ends both blinks, in either phase, and the plates return to their
    // colours.
    void blinkingPlates()
    {
        const char* buttons[] = {"Command6", "Command8", "Command10", "MyButton2",
                                 "SanbonB",  "NihonB",   "MyButton1", "Command9"};
        for (int press = 0; press < 8; ++press) {
            TestConsole c;
            c.s.ippon.setText(QStringLiteral("5"));
            c.s.eindwav.setText(QStringLiteral("end"));
            c.k.signal.eindstrafbl();
            c.k.signal.eindstrafro();
            Element& akaBoard = c.k.boards.currentOrNewHidden().label1(11);
            Element& shiroBoard = c.k.boards.currentOrNewHidden().label1(12);
            const bool hidden = press % 2 == 0;
            for (int i = hidden ? 1 : 2; i > 0; --i) {
                c.s.Timer3.tick();
                c.s.Timer4.tick();
            }
            QCOMPARE(c.s.Label19.foreColor(), hidden ? kRed : kWhite);
            QCOMPARE(akaBoard.foreColor(), hidden ? kRed : kGrey);
            QCOMPARE(c.s.Label18.foreColor(), hidden ? kGrey : kDarkBlue);
            QCOMPARE(shiroBoard.foreColor(), hidden ? kGrey : kBlack);
            QCOMPARE(c.ports.sound.played, (QStringList{"end", "end"}));
            c.s.find(QLatin1String(buttons[press]))->click();
            QCOMPARE(blinking(c), QString());
            QCOMPARE(akaBoard.foreColor(), kGrey);
            QCOMPARE(shiroBoard.foreColor(), kBlack);
        }
    }

    // The test buttons sound the chosen files, also an empty path.
    void soundButtons()
    {
        TestConsole c;
        c.s.eindwav.setText(QStringLiteral("C:\\snd\\gong end.wav"));
        c.s.MyButton3.click();
        c.s.MyButton4.click();
        QCOMPARE(c.ports.sound.played, (QStringList{"C:\\snd\\gong end.wav", ""}));
    }

    // Names typed or brought in files: one line, capped on a whole character.
    void competitorText()
    {
        const QString cap = QString(59, u'a') + QStringLiteral("\U0001F600b");
        QCOMPARE(CompetitorText::boardLine({QStringLiteral("\tAnna\r\nde  Vries "), cap}),
                 QStringLiteral("Anna de Vries (%1)").arg(cap.left(30)));
        QCOMPARE(CompetitorText::cleaned(cap, 60), cap.left(59));
        QCOMPARE(CompetitorText::boardLine({{}, QStringLiteral("NED")}), QStringLiteral("NED"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestMatch)
#include "tst_match.moc"
