#include "board/BoardHolder.h"

namespace kestrane {

BoardHolder::~BoardHolder()
{
    close();
}

Kubord2& BoardHolder::board()
{
    if (!m_board) {
        m_board = std::make_unique<Kubord2>();
        m_shown = false;
        m_board->form().setVisible(false);
        if (m_measure)
            m_board->setTextMeasure(m_measure);
    }
    return *m_board;
}

void BoardHolder::setTextMeasure(const TextMeasure* measure)
{
    m_measure = measure;
    if (m_board)
        m_board->setTextMeasure(measure);
}

void BoardHolder::show(int screenIndex)
{
    Kubord2& b = board();
    m_shown = true;
    m_screen = screenIndex;
    b.form().setVisible(true);
    if (m_listener)
        m_listener->boardShown(b, screenIndex);
}

void BoardHolder::close()
{
    if (!m_board)
        return;
    // Take the board out first, so that nothing reached from the listener
    // can find (or recreate) it half-closed.
    std::unique_ptr<Kubord2> old = std::move(m_board);
    const bool wasShown = m_shown;
    m_shown = false;
    m_screen = -1;
    if (wasShown && m_listener)
        m_listener->boardClosing(*old);
}

} // namespace kestrane
