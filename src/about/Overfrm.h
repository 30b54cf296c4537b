#pragma once

#include "core/Element.h"

#include <QWidget>

#include <deque>

namespace kestrane::view {

// The About window: product name, version and date, the maker and the
// warranty disclaimer, with a Close button. Fixed content, no match data.
class Overfrm final : public QWidget {
    Q_OBJECT
public:
    explicit Overfrm(QWidget* parent = nullptr);
    ~Overfrm() override;

    static QString disclaimer();

private:
    Element& add(ElementKind kind, const char* name);

    // Its own elements, laid out like the console's; destroyed after the
    // widgets bound to them.
    std::deque<Element> m_elements;
};

} // namespace kestrane::view
