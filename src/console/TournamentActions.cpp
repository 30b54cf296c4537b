#include "console/TournamentActions.h"

#include "console/ConsoleMenu.h"
#include "console/ConsoleWindow.h"
#include "platform/MessagePort.h"
#include "tournament/TournamentDay.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QUrl>

namespace kestrane::view {

TournamentActions::TournamentActions(TournamentDay& day, MessagePort& messages,
                                     ConsoleWindow& window)
    : QObject(&window), m_day(day), m_messages(messages), m_window(window)
{
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    ConsoleMenu& menu = window.menu();
    menu.offer(ConsoleMenu::TournamentItem::LoadMatchList, [this] { m_day.loadMatchList(); });
    // Two modifiers and a letter: nothing an operator types by accident
    // while scoring with the mouse and "S".
    QAction* next =
        menu.offer(ConsoleMenu::TournamentItem::NextMatch, [this] { m_day.nextMatch(); });
    next->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    next->setShortcutContext(Qt::WindowShortcut);
    menu.offer(ConsoleMenu::TournamentItem::ResultsLog, [this] { openResultsLog(); });

    m_status = new QLabel(&window);
    m_status->setObjectName(QStringLiteral("tournamentStatus"));
    m_status->setFont(window.menuBar()->font());
    m_status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_status->hide();
    window.menuBar()->installEventFilter(this);
    m_observer = day.addObserver([this] { showStatus(); });
    showStatus();
}

TournamentActions::~TournamentActions()
{
    m_day.removeObserver(m_observer);
}

// Shown only while a list is loaded, over the free end of the menu bar: a
// child of the window (not the bar's corner widget), so that screen readers
// find it and the bar keeps its height.
void TournamentActions::showStatus()
{
    const QString text = m_day.status();
    if (text.isEmpty()) {
        m_status->hide();
        return;
    }
    const QMenuBar* bar = m_window.menuBar();
    const QList<QAction*> menus = bar->actions();
    const int used = menus.isEmpty() ? 0 : bar->actionGeometry(menus.last()).right() + 16;
    const QRect room(bar->x() + used, bar->y(), std::max(80, bar->width() - used - 8),
                     bar->height());
    // What does not fit ends in "...": the whole text stays in the tooltip
    // and for screen readers.
    m_status->setGeometry(room);
    m_status->setText(m_status->fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
    m_status->setToolTip(text);
    m_status->setAccessibleName(text);
    m_status->show();
    m_status->raise();
}

bool TournamentActions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && !m_status->isHidden())
        showStatus();
    return QObject::eventFilter(watched, event);
}

void TournamentActions::openResultsLog()
{
    const QString path = m_day.resultsLogPath();
    const QFileInfo file(path);
    // Before the first row there is no file yet: its folder, then.
    const QString target = file.exists() ? file.absoluteFilePath() : file.absolutePath();
    if (!openUrl(QUrl::fromLocalFile(target)))
        m_messages.show(QStringLiteral("No program could open the results log. It is %1")
                            .arg(QDir::toNativeSeparators(file.absoluteFilePath())),
                        MessagePort::Information);
}

} // namespace kestrane::view
