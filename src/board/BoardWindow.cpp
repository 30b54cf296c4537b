#include "board/BoardWindow.h"

#include "platform/ViewUnits.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kestrane {

BoardWindow::BoardWindow(Kubord2& board, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_board(&board)
{
    setObjectName(QStringLiteral("kubord2"));
    setWindowTitle(board.form().caption());
    // The board paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, view::toQColor(board.form().backColor()));
    setPalette(pal);
    // The operator keeps typing into the console while the board shows.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The console's closing ends the program, a shown board or not.
    setAttribute(Qt::WA_QuitOnClose, false);

    for (Element* e : board.elements()) {
        m_painted[e] = m_renderer.damage(*e);
        const int id = e->addObserver([this](const Element& el, Property p) { changed(el, p); });
        m_observers.emplace_back(e, id);
    }
}

BoardWindow::~BoardWindow()
{
    detach();
}

void BoardWindow::detach()
{
    if (!m_board)
        return;
    for (const auto& [e, id] : m_observers)
        e->removeObserver(id);
    m_observers.clear();
    m_painted.clear();
    m_board = nullptr;
    update();
}

void BoardWindow::changed(const Element& e, Property p)
{
    if (!m_board)
        return;
    switch (p) {
    case Property::Caption:
    case Property::Visible:
    case Property::Geometry:
    case Property::ForeColor:
    case Property::BackColor:
    case Property::BorderColor:
    case Property::Font:
    case Property::Alignment:
        invalidate(e);
        break;
    case Property::Repaint:
        // "Paint it now", before the handler goes on.
        invalidate(e);
        if (isVisible())
            repaint(m_painted[&e]);
        break;
    default:
        break;
    }
}

void BoardWindow::invalidate(const Element& e)
{
    if (&e == &m_board->form()) {
        update();
        return;
    }
    QRect now = m_renderer.damage(e);
    QRect& before = m_painted[&e];
    update(before.united(now));
    before = now;
    if (e.kind() == ElementKind::Frame) {
        // Its children move and show with it.
        for (const Element* child : m_board->childrenOf(&e))
            m_painted[child] = m_renderer.damage(*child);
    }
}

void BoardWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_board) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    m_renderer.paint(painter, *m_board, event->rect());
}

bool BoardWindow::onLabel4(const QPoint& pos) const
{
    if (!m_board)
        return false;
    // The frontmost label or frame under the pointer takes the click; shapes
    // take none, and frames stand in front of the window's own labels.
    const auto& order = m_board->paintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const Element* e = *it;
        const Element* frame = e->container();
        if (e->kind() == ElementKind::Shape || !e->visible() || (frame && !frame->visible()))
            continue;
        QRect r = m_renderer.box(*e);
        if (frame)
            r &= m_renderer.box(*frame);
        if (r.contains(pos))
            return e == &m_board->Label4;
    }
    return false;
}

void BoardWindow::mousePressEvent(QMouseEvent* event)
{
    m_pressedOnLabel4 = event->button() == Qt::LeftButton && onLabel4(event->position().toPoint());
}

void BoardWindow::mouseReleaseEvent(QMouseEvent* event)
{
    // A click: pressed and released on the field number.
    const bool click = m_pressedOnLabel4 && event->button() == Qt::LeftButton &&
                       onLabel4(event->position().toPoint());
    m_pressedOnLabel4 = false;
    if (click)
        Q_EMIT closeRequested();
}

void BoardWindow::closeEvent(QCloseEvent* event)
{
    // Alt+F4 closes the board the same way as the field number does; the
    // window goes when the board is discarded.
    if (m_board) {
        event->ignore();
        Q_EMIT closeRequested();
        return;
    }
    event->accept();
}

} // namespace kestrane

namespace kestrane {

void BoardWindow::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT keyReceived(event);
    event->accept();
}

void BoardWindow::keyReleaseEvent(QKeyEvent* event)
{
    Q_EMIT keyReceived(event);
    event->accept();
}

} // namespace kestrane
