#pragma once

namespace kestrane {

class BoardHolder;
class MatchState;
class SoundPort;

// Winner signalling and the two sounds: the blinking name plates and the end and warning sounds.
class WinnerSignal {
public:
    WinnerSignal(MatchState& state, BoardHolder& boards, SoundPort& sound)
        : m_state(state), m_boards(boards), m_sound(sound)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void eindstraf();
    void eindstrafbl();
    void eindstrafro();
    void knipperuit();
    void scoreknipper();
    void eindgeluid();
    void waargeluid();
    void Timer3_Timer();
    void Timer4_Timer();
    void MyButton3_Click();
    void MyButton4_Click();

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    SoundPort& m_sound;
};

} // namespace kestrane
