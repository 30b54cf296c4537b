#include "board/BoardHolder.h"

namespace kestrane {

BoardHolder::~BoardHolder()
{
    close();
}

Kubord2& BoardHolder::currentOrNewHidden()
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

void BoardHolder::addListener(Listener* listener)
{
    m_listeners.push_back(listener);
}

void BoardHolder::removeListener(Listener* listener)
{
    std::erase(m_listeners, listener);
}

void BoardHolder::show(int screenIndex)
{
    Kubord2& b = currentOrNewHidden();
    m_shown = true;
    m_screen = screenIndex;
    b.form().setVisible(true);
    for (Listener* l : std::vector<Listener*>(m_listeners))
        l->boardShown(b, screenIndex);
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
    if (wasShown) {
        for (Listener* l : std::vector<Listener*>(m_listeners))
            l->boardClosing(*old);
    }
}

} // namespace kestrane
