#pragma once

#include "core/Element.h"

#include <QEvent>

#include <functional>

class QWidget;

namespace kestrane::view {

// Keeps one widget in step with its element: the object name, geometry,
// visibility and font on creation and on every change; everything else is
// handed to the widget's own handler. Removes its observer when destroyed.
class ElementBinding {
public:
    using Handler = std::function<void(Property)>;

    ElementBinding(QWidget& widget, Element& element, Handler handler = {});
    ~ElementBinding();
    ElementBinding(const ElementBinding&) = delete;
    ElementBinding& operator=(const ElementBinding&) = delete;

    Element& element() const { return m_element; }

    // Sent to a widget that holds the focus just before its element hides
    // it: whoever looks after the focus can hand it on first, before the
    // toolkit passes it to the next control in the chain.
    static QEvent::Type hidingWithFocus();

private:
    void update(Property p);

    QWidget& m_widget;
    Element& m_element;
    Handler m_handler;
    int m_observer = 0;
};

} // namespace kestrane::view
