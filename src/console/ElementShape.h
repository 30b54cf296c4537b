#pragma once

#include "widgets/ElementBinding.h"

#include <QWidget>

namespace kestrane::view {

// A rectangle, rounded rectangle or circle with fill and border colours.
// It takes no mouse input.
class ElementShape final : public QWidget {
    Q_OBJECT
public:
    ElementShape(Element& element, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ElementBinding m_binding;
};

} // namespace kestrane::view
