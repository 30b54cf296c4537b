#pragma once

#include "board/Kubord2.h"

#include <memory>
#include <vector>

namespace kestrane {

// Owns the audience board between its creation and its closing. A reference
// to the board while none exists creates a fresh, hidden one from the design
// layout; closing discards it with every change made to it.
class BoardHolder {
public:
    // The views listen to put the board on a screen and take it off again.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void boardShown(Kubord2& board, int screenIndex) = 0;
        virtual void boardClosing(Kubord2& board) = 0;
    };

    BoardHolder() = default;
    ~BoardHolder();
    BoardHolder(const BoardHolder&) = delete;
    BoardHolder& operator=(const BoardHolder&) = delete;

    // The board, created hidden from the design layout when there is none:
    // for the parts that write into it whether or not it is shown.
    Kubord2& currentOrNewHidden();
    // The board if one exists, without creating one.
    Kubord2* current() const { return m_board.get(); }
    bool isShown() const { return m_board && m_shown; }
    int screenIndex() const { return m_screen; }

    // Shows the existing (or a fresh) board on the given screen.
    void show(int screenIndex);
    // Discards the board, shown or not. Nothing happens when there is none.
    void close();

    // The board window and the live feed both listen; each told in the
    // order they were added.
    void addListener(Listener* listener);
    void removeListener(Listener* listener);
    // Every board from now on (and the current one) sizes its labels with
    // this measure.
    void setTextMeasure(const TextMeasure* measure);

private:
    std::unique_ptr<Kubord2> m_board;
    bool m_shown = false;
    int m_screen = -1;
    std::vector<Listener*> m_listeners;
    const TextMeasure* m_measure = nullptr;
};

} // namespace kestrane
