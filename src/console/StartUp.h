#pragma once

namespace kestrane {

class Kumite2;

// Start-up of the console and the Save button of the settings.
class StartUp {
public:
    explicit StartUp(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void Form_Load();
    void MyButton7_Click();

private:
    Kumite2& m_k;
};

} // namespace kestrane
