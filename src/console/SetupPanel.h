#pragma once

namespace kestrane {

class Kumite2;

// The setup row: opening and closing it, choosing the sound files, and the digit filter of the number boxes.
class SetupPanel {
public:
    explicit SetupPanel(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void MyButton9_Click();
    void setu_Click();
    void MyButton5_Click();
    void MyButton8_Click();
    // The digit filter of ippon, Text1, Text5 and Text6: returns the code
    // to pass on, 0 to discard the key.
    int digitFilter(int code);

private:
    Kumite2& m_k;
};

} // namespace kestrane
