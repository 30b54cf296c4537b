#pragma once

#include "console/ElementBinding.h"

#include <QCheckBox>

namespace kestrane::view {

// A check box: a click by the operator sets the element's value (which runs
// its handler); a value set by the program only moves the tick.
class ElementCheckBox final : public QCheckBox {
    Q_OBJECT
public:
    ElementCheckBox(Element& element, QWidget* parent);

private:
    void applyLook();
    void changed(Property p);

    ElementBinding m_binding;
};

} // namespace kestrane::view
