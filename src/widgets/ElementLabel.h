#pragma once

#include "widgets/ElementBinding.h"

#include <QLabel>

#include <memory>
#include <vector>

namespace kestrane::view {

// A label: caption in the element's font, fore colour and alignment, on its
// back colour when opaque.
//
// A number never shows cut: a right-aligned label whose text is wider than
// its box grows to the left, keeping its right edge, up to its container's
// edge; a centred one grows about its centre up to the widgets beside it.
// Where even that room is too small, the font shrinks just enough.
class ElementLabel final : public QLabel {
    Q_OBJECT
public:
    ElementLabel(Element& element, QWidget* parent);

    // Labels that shrink their fonts together (the clock's digits and its
    // colon): all take the smallest share of their font that one needs, and
    // the others close up towards the first one's right edge by that share.
    static void shrinkTogether(const std::vector<ElementLabel*>& labels);

private:
    void applyLook();
    void changed(Property p);
    void fitText();
    // The share of its own font at which the text fits its room.
    double neededShare() const;
    void showAt(double share);
    QFont fontAt(double share) const;
    double textWidth(const QFont& font) const;
    bool fitsBox(const QFont& font) const;
    bool canWrap() const;
    // The width the centred text may take, between its neighbours.
    double roomAroundCentre() const;

    ElementBinding m_binding;
    std::shared_ptr<const std::vector<ElementLabel*>> m_group;
};

} // namespace kestrane::view
