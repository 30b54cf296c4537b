#pragma once

namespace kestrane {

class Kumite2;

// Copying the match onto a freshly opened board, and its mirrored layout.
class BoardSync {
public:
    explicit BoardSync(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void laaddata();
    void bordspiegel();
    void Check23_Click();

private:
    Kumite2& m_k;
};

} // namespace kestrane
