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
    buildTournamentMenu(bar);
}

void ConsoleMenu::buildTournamentMenu(QMenuBar& bar)
{
    m_tournament = bar.addMenu(QStringLiteral("Tournament"));
    m_tournament->setObjectName(QStringLiteral("Tournament"));
    struct Entry {
        TournamentItem item;
        const char* name;
        const char* caption;
    };
    static constexpr Entry entries[] = {
        {TournamentItem::Competitors, "tournamentCompetitors", "Competitors..."},
        {TournamentItem::LoadMatchList, "tournamentLoadMatchList", "Load match list..."},
        {TournamentItem::NextMatch, "tournamentNextMatch", "Next match"},
        {TournamentItem::ResultsLog, "tournamentResultsLog", "Results log..."},
        {TournamentItem::BoardFeed, "tournamentBoardFeed", "Board feed..."},
    };
    for (const Entry& e : entries) {
        if (e.item == TournamentItem::BoardFeed)
            m_tournament->addSeparator()->setObjectName(QStringLiteral("tournamentFeedSeparator"));
        QAction* action = m_tournament->addAction(QString::fromLatin1(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        action->setVisible(false);
        m_tournamentActions[static_cast<std::size_t>(e.item)] = action;
    }
    m_tournament->menuAction()->setVisible(false);
}

QAction* ConsoleMenu::tournamentAction(TournamentItem item) const
{
    return m_tournamentActions[static_cast<std::size_t>(item)];
}

QAction* ConsoleMenu::offer(TournamentItem item, std::function<void()> run)
{
    QAction* action = tournamentAction(item);
    action->setVisible(true);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    m_tournament->menuAction()->setVisible(true);
    return action;
}

ConsoleMenu::~ConsoleMenu()
{
    for (const Binding& b : m_bindings)
        b.element->removeObserver(b.observer);
}

} // namespace kestrane::view
