#pragma once

#include <QObject>

#include <vector>

class QMenuBar;
class QAction;

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

// The console's menu bar: the one menu "Menu" with its items in order, a
// separator for each "-" item. Each action's objectName is the item's name;
// triggering it runs the item's click.
class ConsoleMenu final : public QObject {
    Q_OBJECT
public:
    ConsoleMenu(MatchState& state, QMenuBar& bar);
    ~ConsoleMenu() override;

private:
    struct Binding {
        Element* element;
        QAction* action;
        int observer;
    };
    std::vector<Binding> m_bindings;
};

} // namespace kestrane::view
