#pragma once

namespace kestrane {

class Kubord2;
class Kumite2;

// The competitors' names on the board: written at every opening and
// whenever the pair on the mat changes while a board exists.
class BoardNames {
public:
    explicit BoardNames(Kumite2& k) : m_k(k) {}

    // Follows the pair on the mat.
    void wire();
    void write(Kubord2& board) const;

private:
    Kumite2& m_k;
};

} // namespace kestrane
