#pragma once

#include <QString>

namespace kestrane {
class Element;
}

namespace kestrane::view {

// The name a screen reader gives a console control: its text where that
// says what it is for, a description where it shows none or only part of it
// (the "S" boxes, arrows, browse buttons, text boxes, the score buttons
// with their side).
QString accessibleNameFor(const Element& e);

} // namespace kestrane::view
