#pragma once

#include <QHash>
#include <QWidget>

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

// The console's client area: one widget per element of the match state,
// each inside the widget of its container, at its design place. Graphical
// elements (shapes, lines, labels) lie under the controls of their
// container, as on the designed form.
class ConsoleCanvas final : public QWidget {
    Q_OBJECT
public:
    ConsoleCanvas(MatchState& state, QWidget* parent);

    // The widget bound to an element, or nullptr.
    QWidget* widgetFor(const Element* e) const { return m_widgets.value(e); }

private:
    QWidget* create(Element& e);

    QHash<const Element*, QWidget*> m_widgets;
};

} // namespace kestrane::view
