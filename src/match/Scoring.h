#pragma once

namespace kestrane {

class Kumite2;

// The eight score buttons and the match decision of the four score labels.
class Scoring {
public:
    explicit Scoring(Kumite2& k) : m_k(k) {}

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
    Kumite2& m_k;
};

} // namespace kestrane
