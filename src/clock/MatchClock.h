#pragma once

#include "core/Element.h"

#include <QString>

namespace kestrane {

class BoardHolder;
class MatchState;
class WinnerSignal;

// The count-down match clock: start, stop, the one-second step, reset time and the S key.
class MatchClock {
public:
    MatchClock(MatchState& state, BoardHolder& boards, WinnerSignal& signal)
        : m_state(state), m_boards(boards), m_signal(signal)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void starten();
    void stoppen();
    void resett();
    void Timer1_Timer();
    void Command3_Click();
    void Command4_Click();
    // One clock step, shared by the timer tick and the manual step down.
    void clockStep();
    // The console key handler: "s" or "S" starts or stops the clock.
    void Form_KeyPress(int code);

    // The seconds digits of the match-time entry Text6: its first character
    // is the tens, its last the units. A single character c is read as "0c"
    // and an empty entry as "00", so the clock never takes an empty or
    // doubled digit from a short entry.
    struct SecondsDigits {
        QString tens;
        QString units;
    };
    static SecondsDigits secondsDigits(const QString& text6);

    // Shows a time on the console's clock digits and the board's copies.
    // The only writer of the digits: the windows repaint once the handler
    // has returned, so the order of these writes cannot be seen; where the
    // new digits must be seen before a sound, clockStep repaints them first.
    void showTime(const QString& min, const QString& tens, const QString& units);
    // Shows the match time of Text5 and Text6 (start-up and resett).
    void loadMatchTime();

    // The board clock's text colour: black, or dark red after the warning.
    static constexpr Colour kClockBlack = 0;
    static constexpr Colour kClockWarning = 143; // RGB(143, 0, 0)
    // Colours the board's four clock labels.
    void setBoardClockColour(Colour colour);

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    WinnerSignal& m_signal;
};

} // namespace kestrane
