#include "console/ConsoleMenu.h"

#include "match/MatchState.h"

#include <QMenu>
#include <QMenuBar>

namespace kestrane::view {

ConsoleMenu::ConsoleMenu(MatchState& state, QMenuBar& bar) : QObject(&bar)
{
    QMenu* menu = bar.addMenu(state.Menu.caption());
    menu->setObjectName(state.Menu.name());
    for (Element* item : state.menuItems()) {
        QAction* action = item->caption() == QLatin1String("-") ? menu->addSeparator()
                                                                : menu->addAction(item->caption());
        action->setObjectName(item->name());
        action->setVisible(item->visible());
        if (!action->isSeparator())
            connect(action, &QAction::triggered, this, [item] { item->click(); });
        const int id = item->addObserver([action](const Element& e, Property p) {
            if (p == Property::Caption && !action->isSeparator())
                action->setText(e.caption());
            else if (p == Property::Visible)
                action->setVisible(e.visible());
        });
        m_bindings.push_back({item, action, id});
    }
}

ConsoleMenu::~ConsoleMenu()
{
    for (const Binding& b : m_bindings)
        b.element->removeObserver(b.observer);
}

} // namespace kestrane::view
