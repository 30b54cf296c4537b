#include "clock/ClockCorrections.h"

#include "console/Kumite2.h"
#include "core/Numbers.h"

namespace kestrane {

void ClockCorrections::wire()
{
    MatchState& s = m_k.state;
    s.tijdu.onClick = [this] { tijdu_Click(); };
    s.tijdd.onClick = [this] { tijdd_Click(); };
    s.Command16.onClick = [this] { zsec(); };
    s.zessec.onClick = [this] { zsec(); };
    s.Command17.onClick = [this] { extime(); };
    s.etime.onClick = [this] { extime(); };
}

void ClockCorrections::tijdu_Click()
{
    MatchState& s = m_k.state;
    double sec = Numbers::val(s.Label3.caption());
    double min = Numbers::val(s.Label1.caption());
    double tens = Numbers::val(s.Label2.caption());
    if (tens == 5 && sec == 9) {
        tens = -1;
        min += 1;
    }
    if (sec == 9) {
        sec = -1;
        tens += 1;
    }
    sec += 1;
    // No limit, no warning, no colour: a correction is not a clock step.
    writeClock(Numbers::str(min), Numbers::str(tens), Numbers::str(sec));
}

void ClockCorrections::tijdd_Click()
{
    MatchState& s = m_k.state;
    if (Numbers::val(s.Label1.caption()) == 0 && Numbers::val(s.Label2.caption()) == 0 &&
        Numbers::val(s.Label3.caption()) == 0)
        return;
    // A full clock step, with its warning and its end.
    m_k.clock.clockStep();
}

void ClockCorrections::zsec()
{
    m_k.matchReset.reset();
    setClock(QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("0"));
}

void ClockCorrections::extime()
{
    m_k.signal.knipperuit();
    setClock(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"));
}

void ClockCorrections::setClock(const QString& min, const QString& tens, const QString& sec)
{
    // The console's digits first, then the board's.
    MatchState& s = m_k.state;
    s.Label1.setCaption(min);
    s.Label2.setCaption(tens);
    s.Label3.setCaption(sec);
    Kubord2& b = m_k.kubord2();
    b.Label5.setCaption(min);
    b.Label6.setCaption(tens);
    b.Label8.setCaption(sec);
}

void ClockCorrections::writeClock(const QString& min, const QString& tens, const QString& sec)
{
    // The order of the clock step: board tens and units, console tens and
    // units, then the minutes on the board and the console.
    MatchState& s = m_k.state;
    Kubord2& b = m_k.kubord2();
    b.Label6.setCaption(tens);
    b.Label8.setCaption(sec);
    s.Label2.setCaption(tens);
    s.Label3.setCaption(sec);
    b.Label5.setCaption(min);
    s.Label1.setCaption(min);
}

} // namespace kestrane
