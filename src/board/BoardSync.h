#pragma once

namespace kestrane {

class Kubord2;
class Kumite2;
class MatchState;

// Copying the match onto a freshly opened board, and its mirrored layout.
class BoardSync {
public:
    explicit BoardSync(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void laaddata();
    void bordspiegel();
    void Check23_Click();
    // The same onto any board (a copy that shows what the next opening would).
    static void laaddata(const MatchState& s, Kubord2& board);
    static void bordspiegel(Kubord2& board);

private:
    Kumite2& m_k;
};

} // namespace kestrane
