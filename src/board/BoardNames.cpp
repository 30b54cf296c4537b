#include "board/BoardNames.h"

#include "console/Kumite2.h"

namespace kestrane {

void BoardNames::wire()
{
    // Never boards.board(): a change of names must not create a board.
    m_k.competitors.addObserver([this] {
        if (Kubord2* board = m_k.boards.current())
            write(*board);
    });
}

void BoardNames::write(Kubord2& board) const
{
    board.setCompetitors(m_k.competitors.aka(), m_k.competitors.shiro());
}

} // namespace kestrane
