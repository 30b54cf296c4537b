#pragma once

#include "console/ElementBinding.h"

#include <QLabel>

namespace kestrane::view {

// A label: caption in the element's font, fore colour and alignment, on its
// back colour when opaque.
class ElementLabel final : public QLabel {
    Q_OBJECT
public:
    ElementLabel(Element& element, QWidget* parent);

private:
    void applyLook();
    void changed(Property p);
    void fitText();

    ElementBinding m_binding;
};

} // namespace kestrane::view
