#include "AppIcon.h"
#include "CommandLine.h"
#include "InstanceChannel.h"
#include "InstanceGuard.h"
#include "board/BoardPresenter.h"
#include "console/CompetitorsEntry.h"
#include "console/ConsoleMenu.h"
#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "console/MatchJournal.h"
#include "console/QtWindowPort.h"
#include "console/TournamentActions.h"
#include "core/ProgramFiles.h"
#include "feed/FeedControl.h"
#include "feed/FeedService.h"
#include "feed/FeedWindow.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtMessagePort.h"
#include "platform/QtScreenPort.h"
#include "platform/QtSoundPort.h"
#include "platform/TimerDriver.h"
#include "tournament/ResultRow.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// A second start asked for the console.
kestrane::InstanceChannel::Raised raiseConsole(QWidget& console)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return kestrane::InstanceChannel::Raised::Refused;
    if (console.isMinimized())
        console.showNormal();
    console.raise();
    console.activateWindow();
    // Where the window manager refuses to hand over the focus, the task bar
    // shows the console as wanting attention instead.
    QTimer::singleShot(500, &console, [&console] {
        if (!console.isActiveWindow())
            QApplication::alert(&console);
    });
    return kestrane::InstanceChannel::Raised::Raised;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    kestrane::CommandLine commandLine;
    switch (commandLine.parse(arguments)) {
    case kestrane::CommandLine::Outcome::Print:
        std::fputs(qPrintable(commandLine.text()), stdout);
        return 0;
    case kestrane::CommandLine::Outcome::Refuse:
        std::fputs(qPrintable(commandLine.text()), stderr);
        return 2;
    case kestrane::CommandLine::Outcome::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrane"));
    QApplication::setWindowIcon(kestrane::AppIcon::icon());
    // The program ends when its last window closes (a hidden board does not count).
    QApplication::setQuitOnLastWindowClosed(true);

    const QString programDir = QCoreApplication::applicationDirPath();
    kestrane::QtMessagePort messages;
    // Before anything reads the settings or opens a window.
    const kestrane::InstanceGuard guard(programDir);
    kestrane::InstanceChannel channel(programDir);
    if (guard.state() == kestrane::InstanceGuard::State::AlreadyRunning) {
        // The operator wants the console: bring the running one forward,
        // quietly. A box only when it cannot be reached.
        if (const auto raised = channel.askToRaise()) {
            std::fprintf(stderr, "%s\n",
                         *raised == kestrane::InstanceChannel::Raised::Raised
                             ? "Kestrane is already running; its console was brought to the front."
                             : "Kestrane is already running; this desktop (Wayland) does not let "
                               "it bring its console to the front.");
            return 0;
        }
        const QString text = QStringLiteral("Kestrane is already running.");
        std::fprintf(stderr, "%s\n", qPrintable(text));
        messages.show(text, kestrane::MessagePort::Information);
        return 1;
    }
    if (guard.state() == kestrane::InstanceGuard::State::Unguarded)
        std::fprintf(stderr, "kestrane: no lock file %s; a second start would not be refused.\n",
                     qPrintable(guard.lockPath()));

    kestrane::QtSoundPort sound(programDir);
    kestrane::QtFileDialogPort files;
    kestrane::QtScreenPort screens;
    kestrane::view::QtWindowPort windows;
    kestrane::Kumite2 console({sound, messages, files, screens, windows}, programDir);
    auto& s = console.state;
    // Both sounds load as soon as their boxes name a file, start-up included.
    sound.follow(kestrane::SoundPort::Sound::End, s.eindwav);
    sound.follow(kestrane::SoundPort::Sound::Warning, s.waarwav);
    kestrane::TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});
    // Shows and discards the audience board's window; before start-up, which
    // already writes into the board.
    kestrane::BoardPresenter boardPresenter(console.boards);
    boardPresenter.closeBoard = [&console] { console.boardOpening.closeBoard(); };

    console.startUp.Form_Load();

    // The live board feed, as the command line or the operator's kept choice
    // says; the console runs without it.
    kestrane::FeedControl feed({console.state, console.competitors, console.boards},
                               kestrane::ProgramFiles(programDir).feedChoice());
    feed.startUp(commandLine.serveBoard());

    kestrane::view::ConsoleWindow window(console);
    const kestrane::view::TournamentActions tournament(console.day, console.ports.messages, window);
    windows.setConsole(&window);
    // Keys that reach the board (Wayland gives it the focus on a click).
    boardPresenter.passKey = [&window](QKeyEvent* e) { window.takeKey(*e); };
    messages.setConsole(&window);
    new kestrane::view::CompetitorsEntry(console, window); // owned by the window
    kestrane::FeedWindow* feedWindow = nullptr;
    window.menu().offer(kestrane::view::ConsoleMenu::TournamentItem::BoardFeed, [&] {
        if (!feedWindow)
            feedWindow = new kestrane::FeedWindow(feed, &window);
        feedWindow->show();
        feedWindow->raise();
        feedWindow->activateWindow();
    });
    // Once the console has closed nothing of it may tick again.
    QObject::connect(&window, &kestrane::view::ConsoleWindow::closed, &timers,
                     &kestrane::TimerDriver::shutdown);
    // The match under way, kept on disk; offered back once the console shows.
    kestrane::MatchJournal journal(console, kestrane::ProgramFiles(programDir).matchJournal());
    console.commands.beforeClose = [&journal] { journal.seal(); };
    console.closeGuard.matchKept = [&journal] { return journal.keeping(); };
    // A match the operator declines to restore goes into the results log as
    // abandoned, under the names it was fought under.
    journal.onRestoreDeclined = [&console](const kestrane::MatchJournal::Snapshot& snap) {
        kestrane::ResultRow row = console.day.rowFrom([&snap](const QString& name) {
            const kestrane::MatchJournal::Item* item = snap.consoleItem(name);
            if (!item)
                return QString();
            return name.startsWith(QLatin1String("Check")) ? QString::number(item->value)
                                                           : item->caption;
        });
        row.aka = snap.aka;
        row.shiro = snap.shiro;
        console.day.declinedRestore(std::move(row));
    };
    feed.setResultsProvider([&console] { return console.day.resultsJson(); });
    channel.listen([&window] { return raiseConsole(window); });
    window.show();
    QTimer::singleShot(0, &window, [&journal] { journal.offerRestore(); });
    return QApplication::exec();
}
