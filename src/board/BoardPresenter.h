#pragma once

#include "board/BoardHolder.h"
#include "board/LabelMeasure.h"

#include <QObject>

#include <functional>

class QKeyEvent;

namespace kestrane {

class BoardWindow;

// Puts the board's window on the screen when the board is shown and takes it
// away when the board is discarded. It also lends the board holder the
// measure that sizes board labels to their text.
class BoardPresenter final : public QObject, public BoardHolder::Listener {
    Q_OBJECT
public:
    explicit BoardPresenter(BoardHolder& holder, QObject* parent = nullptr);
    ~BoardPresenter() override;

    void boardShown(Kubord2& board, int screenIndex) override;
    void boardClosing(Kubord2& board) override;

    // The shown board's window, if any.
    BoardWindow* window() const { return m_window; }

    // What a click on the field number (or Alt+F4 on the board) does; by
    // default it closes the board. Runs after the window's event handler.
    std::function<void()> closeBoard;
    // Where a key the board's window received goes (the console); by
    // default nowhere.
    std::function<void(QKeyEvent*)> passKey;

private:
    void placeOnScreen(int screenIndex);
    void dropWindow();

    BoardHolder& m_holder;
    LabelMeasure m_measure;
    BoardWindow* m_window = nullptr;
};

} // namespace kestrane
