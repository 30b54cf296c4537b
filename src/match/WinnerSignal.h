#pragma once

namespace kestrane {

class Kumite2;

// Winner signalling and the two sounds: the blinking name plates and the end and warning sounds.
class WinnerSignal {
public:
    explicit WinnerSignal(Kumite2& k) : m_k(k) {}

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
    Kumite2& m_k;
};

} // namespace kestrane
