#pragma once

#include <functional>
#include <utility>

namespace kestrane {

class Element;
class BoardHolder;
class MatchState;
class WinnerSignal;

// The eight score buttons and the match decision of the four score labels.
class Scoring {
public:
    Scoring(MatchState& state, BoardHolder& boards, WinnerSignal& signal,
            std::function<void()> stopClock)
        : m_state(state), m_boards(boards), m_signal(signal), m_stopClock(std::move(stopClock))
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void Command6_Click();
    void Command8_Click();
    void Command10_Click();
    void MyButton2_Click();
    void SanbonB_Click();
    void NihonB_Click();
    void MyButton1_Click();
    void Command9_Click();
    void scri_Change();
    void scrw_Change();
    void scwi_Change();
    void scww_Change();

private:
    enum class Side { Aka, Shiro };
    void ipponPress(Element& ipponLabel);
    void wazaariPress(Element& wazaariLabel, Element& ipponLabel);
    void minusPress(Element& label);
    void decide(Side side);
    // The board label of the same name as a console score label.
    Element& boardCopy(const Element& label);

    MatchState& m_state;
    BoardHolder& m_boards;
    WinnerSignal& m_signal;
    // The clock sits above the scores, so its stop is handed in.
    std::function<void()> m_stopClock;
};

} // namespace kestrane
