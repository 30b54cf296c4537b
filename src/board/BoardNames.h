#pragma once

namespace kestrane {

class Kubord2;
class BoardHolder;
class Competitors;

// The competitors' names on the board: written at every opening and
// whenever the pair on the mat changes while a board exists.
class BoardNames {
public:
    BoardNames(Competitors& competitors, BoardHolder& boards)
        : m_competitors(competitors), m_boards(boards)
    {
    }

    // Follows the pair on the mat.
    void wire();
    void write(Kubord2& board) const;

private:
    Competitors& m_competitors;
    BoardHolder& m_boards;
};

} // namespace kestrane
