#pragma once

#include "widgets/ElementBinding.h"

#include <QWidget>

namespace kestrane::view {

// A frame: a container that clips its children, filled with its back
// colour. A frame with a border shows an etched outline with its caption
// set into the top edge; a borderless frame shows neither.
class ElementFrame final : public QWidget {
    Q_OBJECT
public:
    ElementFrame(Element& element, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ElementBinding m_binding;
};

} // namespace kestrane::view
