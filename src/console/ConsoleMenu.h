#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QMenuBar;
class QMenu;
class QAction;

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

// The console's menu bar: the described menu "Menu" with its items in order,
// a separator for each "-" item. Each action's objectName is the item's name;
// triggering it runs the item's click.
//
// Right of it, "Tournament" holds what a tournament day adds. Its entries
// stand in a fixed order and stay hidden until a feature offers them; the
// menu itself shows once it has an entry.
class ConsoleMenu final : public QObject {
    Q_OBJECT
public:
    enum class TournamentItem { Competitors, LoadMatchList, NextMatch, ResultsLog, BoardFeed };

    ConsoleMenu(MatchState& state, QMenuBar& bar);
    ~ConsoleMenu() override;

    QMenu* tournamentMenu() const { return m_tournament; }
    QAction* tournamentAction(TournamentItem item) const;
    // Shows the entry and runs `run` when it is chosen.
    QAction* offer(TournamentItem item, std::function<void()> run);

private:
    void buildTournamentMenu(QMenuBar& bar);

    struct Binding {
        Element* element;
        QAction* action;
        int observer;
    };
    std::vector<Binding> m_bindings;
    QMenu* m_tournament = nullptr;
    std::array<QAction*, 5> m_tournamentActions{};
};

} // namespace kestrane::view
