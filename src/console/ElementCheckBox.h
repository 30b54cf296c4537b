#pragma once

#include "widgets/ElementBinding.h"

#include <QCheckBox>

namespace kestrane::view {

// A check box: every change of its state by the operator (mouse, Space, an
// assistive tool's Toggle) sets the element's value, which runs its handler
// once; a value set by the program only moves the tick.
class ElementCheckBox final : public QCheckBox {
    Q_OBJECT
public:
    ElementCheckBox(Element& element, QWidget* parent);

private:
    void applyLook();
    void changed(Property p);

    ElementBinding m_binding;
    bool m_showingValue = false;
};

} // namespace kestrane::view
