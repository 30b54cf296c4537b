#pragma once

#include <functional>
#include <utility>

namespace kestrane {

class Kubord2;
class BoardHolder;
class MatchState;

// Copying the match onto a freshly opened board, and its mirrored layout.
class BoardSync {
public:
    BoardSync(MatchState& state, BoardHolder& boards, std::function<void()> closeBoard)
        : m_state(state), m_boards(boards), m_closeBoard(std::move(closeBoard))
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void laaddata();
    void bordspiegel();
    void Check23_Click();
    // The same onto any board (a copy that shows what the next opening would).
    static void laaddata(const MatchState& s, Kubord2& board);
    static void bordspiegel(Kubord2& board);

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    // The opening closes the board; it calls into this part, so it is
    // reached back through a callback rather than by name.
    std::function<void()> m_closeBoard;
};

} // namespace kestrane
