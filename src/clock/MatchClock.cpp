#include "clock/MatchClock.h"

#include "board/BoardHolder.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

namespace kestrane {

void MatchClock::wire()
{
    MatchState& s = m_state;
    s.Command3.onClick = [this] { Command3_Click(); };
    s.Command4.onClick = [this] { Command4_Click(); };
    s.Command5.onClick = [this] { resett(); };
    s.retime.onClick = [this] { resett(); };
    s.Timer1.onTick = [this] { Timer1_Timer(); };
}

MatchClock::SecondsDigits MatchClock::secondsDigits(const QString& text6)
{
    if (text6.isEmpty())
        return {QStringLiteral("0"), QStringLiteral("0")};
    if (text6.size() == 1)
        return {QStringLiteral("0"), text6};
    return {text6.left(1), text6.right(1)};
}

void MatchClock::setBoardClockColour(Colour colour)
{
    Kubord2& b = m_boards.currentOrNewHidden();
    b.Label5.setForeColor(colour);
    b.Label6.setForeColor(colour);
    b.Label8.setForeColor(colour);
    b.Label7.setForeColor(colour);
}

void MatchClock::starten()
{
    MatchState& s = m_state;
    const double m = Numbers::val(s.Label1.caption());
    const double t = Numbers::val(s.Label2.caption());
    const double u = Numbers::val(s.Label3.caption());
    // A clock that shows 0:00 cannot be started.
    if (m == 0 && t == 0 && u == 0)
        return;
    s.Timer1.setEnabled(true);
    s.Command4.setVisible(true);
    s.Command3.setVisible(false);
}

void MatchClock::stoppen()
{
    MatchState& s = m_state;
    s.Timer1.setEnabled(false);
    s.Command3.setVisible(true);
    s.Command4.setVisible(false);
}

void MatchClock::resett()
{
    MatchState& s = m_state;
    if (s.Text5.text().isEmpty())
        s.Text5.setText(QStringLiteral("0"));
    stoppen();
    setBoardClockColour(kClockBlack);
    loadMatchTime();
}

void MatchClock::loadMatchTime()
{
    const MatchState& s = m_state;
    const SecondsDigits sec = secondsDigits(s.Text6.text());
    showTime(s.Text5.text(), sec.tens, sec.units);
}

void MatchClock::showTime(const QString& min, const QString& tens, const QString& units)
{
    MatchState& s = m_state;
    Kubord2& b = m_boards.currentOrNewHidden();
    s.Label1.setCaption(min);
    s.Label2.setCaption(tens);
    s.Label3.setCaption(units);
    b.Label5.setCaption(min);
    b.Label6.setCaption(tens);
    b.Label8.setCaption(units);
}

void MatchClock::Timer1_Timer()
{
    clockStep();
}

void MatchClock::Command3_Click()
{
    m_state.keyPreview = true;
    starten();
}

void MatchClock::Command4_Click()
{
    m_state.keyPreview = true;
    stoppen();
}

void MatchClock::clockStep()
{
    MatchState& s = m_state;
    double sec = Numbers::val(s.Label3.caption());
    double min = Numbers::val(s.Label1.caption());
    double tens = Numbers::val(s.Label2.caption());
    if (tens == 0 && sec == 0) {
        tens = 6;
        min -= 1;
    }
    if (sec == 0) {
        sec = 10;
        tens -= 1;
    }
    sec -= 1;

    showTime(Numbers::str(min), Numbers::str(tens), Numbers::str(sec));

    const bool warning = min == 0 && tens == 3 && sec == 0;
    const bool end = min == 0 && tens == 0 && sec == 0;
    if (warning) {
        // The new digits must be visible before the sound starts.
        s.Label2.refresh();
        m_boards.currentOrNewHidden().Label6.refresh();
        m_signal.waargeluid();
        setBoardClockColour(kClockWarning);
    } else if (end) {
        s.Label2.refresh();
        m_boards.currentOrNewHidden().Label6.refresh();
        stoppen();
        m_signal.scoreknipper();
        m_signal.eindgeluid();
        setBoardClockColour(kClockBlack);
    }
}

void MatchClock::Form_KeyPress(int code)
{
    if (code != 115 && code != 83) // "s", "S"
        return;
    // The visible Stop button is the record that the clock runs.
    if (m_state.Command4.visible())
        stoppen();
    else
        starten();
}

} // namespace kestrane
