#include "board/BoardNames.h"

#include "board/BoardHolder.h"
#include "match/Competitors.h"

namespace kestrane {

void BoardNames::wire()
{
    // Never boards.currentOrNewHidden(): a change of names must not create a
    // board.
    m_competitors.addObserver([this] {
        if (Kubord2* board = m_boards.current())
            write(*board);
    });
}

void BoardNames::write(Kubord2& board) const
{
    board.setCompetitors(m_competitors.aka(), m_competitors.shiro());
}

} // namespace kestrane
