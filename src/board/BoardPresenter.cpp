#include "board/BoardPresenter.h"

#include "board/BoardWindow.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace kestrane {

BoardPresenter::BoardPresenter(BoardHolder& holder, QObject* parent)
    : QObject(parent), m_holder(holder)
{
    closeBoard = [this] { m_holder.close(); };
    m_holder.setTextMeasure(&m_measure);
    m_holder.addListener(this);
}

BoardPresenter::~BoardPresenter()
{
    m_holder.removeListener(this);
    m_holder.setTextMeasure(nullptr);
    if (m_window) {
        m_window->detach();
        delete m_window;
    }
}

void BoardPresenter::boardShown(Kubord2& board, int screenIndex)
{
    if (m_window && m_window->board() != &board)
        dropWindow();
    if (!m_window) {
        m_window = new BoardWindow(board);
        // Queued: the board must not be discarded inside its own window's
        // event handler. A request from a window whose board has gone since
        // is dropped.
        const QPointer<BoardWindow> w = m_window;
        connect(
            m_window, &BoardWindow::closeRequested, this,
            [this, w] {
                if (w && w->board() && w->board() == m_holder.current() && closeBoard)
                    closeBoard();
            },
            Qt::QueuedConnection);
        connect(m_window, &BoardWindow::keyReceived, this, [this](QKeyEvent* e) {
            if (passKey)
                passKey(e);
        });
    }
    placeOnScreen(screenIndex);
}

void BoardPresenter::placeOnScreen(int screenIndex)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = screenIndex >= 0 && screenIndex < screens.size()
                          ? screens.at(screenIndex)
                          : QGuiApplication::primaryScreen();
    // Placing the normal window on the screen first lets it maximize there,
    // with or without a window manager.
    if (m_window->isVisible())
        m_window->showNormal();
    m_window->setScreen(screen);
    m_window->setGeometry(screen->geometry());
    // A Wayland client cannot place its windows: the compositor honours the
    // target screen only for a window that goes full-screen.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_window->showFullScreen();
    else
        m_window->showMaximized();
}

void BoardPresenter::boardClosing(Kubord2& board)
{
    if (m_window && m_window->board() == &board)
        dropWindow();
}

void BoardPresenter::dropWindow()
{
    m_window->detach();
    m_window->hide();
    // Possibly inside one of the window's own handlers: delete it later.
    m_window->deleteLater();
    m_window = nullptr;
}

} // namespace kestrane
