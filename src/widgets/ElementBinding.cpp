#include "widgets/ElementBinding.h"

#include "platform/ViewUnits.h"

#include <QCoreApplication>
#include <QWidget>

namespace kestrane::view {

ElementBinding::ElementBinding(QWidget& widget, Element& element, Handler handler)
    : m_widget(widget), m_element(element), m_handler(std::move(handler))
{
    m_widget.setObjectName(m_element.displayName());
    m_widget.setGeometry(rectOf(m_element));
    m_widget.setFont(fontOf(m_element));
    m_widget.setHidden(!m_element.visible());
    m_observer = m_element.addObserver([this](const Element&, Property p) { update(p); });
}

ElementBinding::~ElementBinding()
{
    m_element.removeObserver(m_observer);
}

QEvent::Type ElementBinding::hidingWithFocus()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void ElementBinding::update(Property p)
{
    switch (p) {
    case Property::Geometry:
        m_widget.setGeometry(rectOf(m_element));
        break;
    case Property::Visible:
        if (!m_element.visible() && m_widget.hasFocus()) {
            QEvent hiding(hidingWithFocus());
            QCoreApplication::sendEvent(&m_widget, &hiding);
        }
        m_widget.setHidden(!m_element.visible());
        break;
    case Property::Font:
        m_widget.setFont(fontOf(m_element));
        break;
    case Property::Repaint:
        // Painted now, before the handler goes on (a count step, a blink).
        m_widget.repaint();
        break;
    default:
        break;
    }
    if (m_handler)
        m_handler(p);
}

} // namespace kestrane::view
