#pragma once

#include <QString>

namespace kestrane {
class Element;
}

namespace kestrane::view {

// The name a screen reader gives a console control: its text where it has
// one, a description where it shows none (penalty boxes, arrows, browse
// buttons, text boxes).
QString accessibleNameFor(const Element& e);

} // namespace kestrane::view
