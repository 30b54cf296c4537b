#pragma once

#include "board/BoardRenderer.h"
#include "board/Kubord2.h"

#include <QKeyEvent>
#include <QWidget>

#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrane {

// The audience board's window: borderless, black behind the board, painting
// the board model through the renderer at 15 twips a pixel. The model's
// twips are already scaled to the screen when the board opens, so the
// window itself never scales.
//
// A click on the field number Label4 asks for the board to close, and so
// does closing the window (Alt+F4). The window never closes itself: the
// presenter closes the board later, outside this window's event handlers.
//
// The console keeps the keyboard: the window refuses the focus where the
// window system lets it (X11), and hands every key it receives all the same
// (Wayland) on through keyReceived.
class BoardWindow final : public QWidget {
    Q_OBJECT
public:
    explicit BoardWindow(Kubord2& board, QWidget* parent = nullptr);
    ~BoardWindow() override;

    // The board about to be discarded: stop observing and painting it.
    void detach();
    Kubord2* board() const { return m_board; }
    const BoardRenderer& renderer() const { return m_renderer; }

Q_SIGNALS:
    void closeRequested();
    // A key press or release that reached the board; the console's.
    void keyReceived(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void changed(const Element& e, Property p);
    void invalidate(const Element& e);
    bool onLabel4(const QPoint& pos) const;

    Kubord2* m_board;
    BoardRenderer m_renderer;
    std::vector<std::pair<Element*, int>> m_observers;
    // Where each element was last painted, to repaint its old place too.
    std::unordered_map<const Element*, QRect> m_painted;
    bool m_pressedOnLabel4 = false;
};

} // namespace kestrane
