#include "console/KeyPreviewFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <memory>

namespace kestrane::view {

KeyPreviewFilter::KeyPreviewFilter(QWidget& window, std::function<bool()> isOn, Handler handler)
    : QObject(&window), m_window(window), m_isOn(std::move(isOn)), m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreviewFilter::~KeyPreviewFilter()
{
    qApp->removeEventFilter(this);
}

void KeyPreviewFilter::deliver(QWidget& target, const QKeyEvent& event)
{
    const std::unique_ptr<QEvent> copy(event.clone());
    m_delivering = &target;
    QCoreApplication::sendEvent(&target, copy.get());
    m_delivering = nullptr;
}

bool KeyPreviewFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key event travels from the focus widget up to its parents; the
    // filter sees each step. Only the first receiver counts.
    QWidget* first = m_delivering ? m_delivering : QApplication::focusWidget();
    if (!first)
        first = QApplication::activeWindow();
    if (watched != first || !first || first->window() != &m_window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (!m_isOn || !m_isOn() || !m_handler)
        return false;
    for (const QChar ch : key->text())
        m_handler(ch.unicode());
    return false;
}

} // namespace kestrane::view
