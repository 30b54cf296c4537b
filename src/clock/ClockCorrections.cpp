#include "clock/ClockCorrections.h"

#include "clock/MatchClock.h"
#include "clock/MatchReset.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

namespace kestrane {

void ClockCorrections::wire()
{
    MatchState& s = m_state;
    s.tijdu.onClick = [this] { tijdu_Click(); };
    s.tijdd.onClick = [this] { tijdd_Click(); };
    s.Command16.onClick = [this] { zsec(); };
    s.zessec.onClick = [this] { zsec(); };
    s.Command17.onClick = [this] { extime(); };
    s.etime.onClick = [this] { extime(); };
}

void ClockCorrections::tijdu_Click()
{
    MatchState& s = m_state;
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
    m_clock.showTime(Numbers::str(min), Numbers::str(tens), Numbers::str(sec));
}

void ClockCorrections::tijdd_Click()
{
    MatchState& s = m_state;
    if (Numbers::val(s.Label1.caption()) == 0 && Numbers::val(s.Label2.caption()) == 0 &&
        Numbers::val(s.Label3.caption()) == 0)
        return;
    // A full clock step, with its warning and its end.
    m_clock.clockStep();
}

void ClockCorrections::zsec()
{
    m_matchReset.reset();
    m_clock.showTime(QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("0"));
}

void ClockCorrections::extime()
{
    m_signal.knipperuit();
    m_clock.showTime(QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"));
}

} // namespace kestrane
