#include "console/CompetitorsEntry.h"

#include "console/CompetitorsWindow.h"
#include "console/ConsoleCanvas.h"
#include "console/ConsoleMenu.h"
#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "match/CompetitorText.h"

#include <QAction>
#include <QKeySequence>

namespace kestrane::view {

CompetitorsEntry::CompetitorsEntry(Kumite2& k, ConsoleWindow& console)
    : QObject(&console), m_k(k), m_console(console)
{
    m_action = console.menu().offer(ConsoleMenu::TournamentItem::Competitors, [this] { open(); });
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_action->setShortcutContext(Qt::ApplicationShortcut);
    m_observer = m_k.competitors.addObserver([this] { updateHeadings(); });
    updateHeadings();
}

CompetitorsEntry::~CompetitorsEntry()
{
    m_k.competitors.removeObserver(m_observer);
}

CompetitorsWindow* CompetitorsEntry::window() const
{
    return m_window;
}

void CompetitorsEntry::open()
{
    if (!m_window) {
        m_window = new CompetitorsWindow(m_k.competitors, &m_console);
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    // Already open: what the operator is typing stays.
    if (!m_window->isVisible())
        m_window->refresh();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

QString CompetitorsEntry::headingName(const QString& side, const QString& line)
{
    return line.isEmpty() ? QString() : side + QStringLiteral(", ") + line;
}

// The scoring buttons keep their short names ("Aka Ippon"): the operator
// presses them on the referee's call, which is a colour, and hears the
// button confirmed without a name read out in front of it.
void CompetitorsEntry::updateHeadings()
{
    MatchState& s = m_k.state;
    const std::pair<const Element*, QString> headings[] = {
        {&s.Label19,
         headingName(QStringLiteral("Aka"), CompetitorText::boardLine(m_k.competitors.aka()))},
        {&s.Label18,
         headingName(QStringLiteral("Shiro"), CompetitorText::boardLine(m_k.competitors.shiro()))}};
    for (const auto& [element, name] : headings) {
        if (QWidget* w = m_console.canvas().widgetFor(element))
            w->setAccessibleName(name);
    }
}

} // namespace kestrane::view
