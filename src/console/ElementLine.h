#pragma once

#include "widgets/ElementBinding.h"

#include <QWidget>

namespace kestrane::view {

// A line from (left, top) to (left + width, top + height), drawn in the
// element's border colour; the widget covers the line's bounding box.
class ElementLine final : public QWidget {
    Q_OBJECT
public:
    ElementLine(Element& element, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    ElementBinding m_binding;
};

} // namespace kestrane::view
