#include "AppIcon.h"
#include "CommandLine.h"
#include "InstanceGuard.h"
#include "board/BoardPresenter.h"
#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "console/QtWindowPort.h"
#include "feed/FeedService.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtMessagePort.h"
#include "platform/QtScreenPort.h"
#include "platform/QtSoundPort.h"
#include "platform/TimerDriver.h"
#include "tournament/TournamentActions.h"

#include <QApplication>

#include <cstdio>

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
    if (guard.state() == kestrane::InstanceGuard::State::AlreadyRunning) {
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

    // The live board feed, only when asked for; the console runs without it.
    std::unique_ptr<kestrane::FeedService> feed;
    if (const QString where = commandLine.serveBoard(); !where.isNull())
        feed = kestrane::FeedService::start(console, where);

    kestrane::view::ConsoleWindow window(console);
    const kestrane::view::TournamentActions tournament(console, window);
    windows.setConsole(&window);
    // Once the console has closed nothing of it may tick again.
    QObject::connect(&window, &kestrane::view::ConsoleWindow::closed, &timers,
                     &kestrane::TimerDriver::shutdown);
    window.show();
    return QApplication::exec();
}
