#include "console/ConsoleCanvas.h"

#include "console/AccessibleReadouts.h"
#include "console/Announcements.h"
#include "console/ElementCheckBox.h"
#include "console/ElementLine.h"
#include "console/ElementShape.h"
#include "console/ElementTextBox.h"
#include "console/PenaltyBoxNames.h"
#include "console/TabChain.h"
#include "match/MatchState.h"
#include "widgets/ElementFrame.h"
#include "widgets/ElementLabel.h"
#include "widgets/PushButton.h"

#include <algorithm>

namespace kestrane::view {

namespace {

bool hasWidget(const Element& e)
{
    switch (e.kind()) {
    case ElementKind::Form:
    case ElementKind::Timer:
    case ElementKind::MenuItem:
        return false;
    default:
        return true;
    }
}

// Stacking rank inside a container: shapes at the back, then lines and
// labels, then the controls.
int rank(const Element& e)
{
    switch (e.kind()) {
    case ElementKind::Shape:
        return 0;
    case ElementKind::Line:
        return 1;
    case ElementKind::Label:
    case ElementKind::Image:
        return 2;
    default:
        return 3;
    }
}

} // namespace

ConsoleCanvas::ConsoleCanvas(MatchState& state, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("consoleClientArea"));
    AccessibleReadouts::installFactory();
    std::vector<Element*> order;
    for (Element* e : state.elements()) {
        if (hasWidget(*e))
            order.push_back(e);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Element* a, const Element* b) { return rank(*a) < rank(*b); });
    for (Element* e : order)
        create(*e);
    // Raise in rank order, so that the stacking follows the ranks whatever
    // order the containers had to be made in.
    for (Element* e : order)
        m_widgets.value(e)->raise();
    // Long minutes shrink the whole clock, not the minutes alone.
    std::vector<ElementLabel*> clock;
    for (Element* e : {&state.Label1, &state.Label4, &state.Label2, &state.Label3})
        clock.push_back(qobject_cast<ElementLabel*>(m_widgets.value(e)));
    ElementLabel::shrinkTogether(clock);
    new AccessibleReadouts(state, *this);
    new PenaltyBoxNames(state, *this);
    new Announcements(state, *this);
    new TabChain(state, *this);
}

QWidget* ConsoleCanvas::create(Element& e)
{
    if (QWidget* existing = m_widgets.value(&e))
        return existing;
    QWidget* parent = this;
    if (Element* c = e.container())
        parent = create(*c);
    QWidget* w = nullptr;
    switch (e.kind()) {
    case ElementKind::Label:
        w = new ElementLabel(e, parent);
        break;
    case ElementKind::TextBox:
        w = new ElementTextBox(e, parent);
        break;
    case ElementKind::CheckBox:
        w = new ElementCheckBox(e, parent);
        break;
    case ElementKind::Button:
        w = new PushButton(e, parent);
        break;
    case ElementKind::Frame:
        w = new ElementFrame(e, parent);
        break;
    case ElementKind::Shape:
        w = new ElementShape(e, parent);
        break;
    case ElementKind::Line:
        w = new ElementLine(e, parent);
        break;
    default:
        w = new ElementFrame(e, parent);
        break;
    }
    m_widgets.insert(&e, w);
    return w;
}

} // namespace kestrane::view
