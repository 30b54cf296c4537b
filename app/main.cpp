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

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    // The program ends when its last window closes (a hidden board does not count).
    QApplication::setQuitOnLastWindowClosed(true);

    kestrane::QtSoundPort sound;
    kestrane::QtMessagePort messages;
    kestrane::QtFileDialogPort files;
    kestrane::QtScreenPort screens;
    kestrane::view::QtWindowPort windows;
    kestrane::Kumite2 console({sound, messages, files, screens, windows},
                              QCoreApplication::applicationDirPath());
    const auto& s = console.state;
    kestrane::TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});
    // Shows and discards the audience board's window; before start-up, which
    // already writes into the board.
    kestrane::BoardPresenter boardPresenter(console.boards);
    boardPresenter.closeBoard = [&console] { console.boardOpening.closeBoard(); };

    console.startUp.Form_Load();

    // The live board feed, only when asked for; the console runs without it.
    std::unique_ptr<kestrane::FeedService> feed;
    if (const QString where = kestrane::FeedService::requested(app.arguments()); !where.isNull())
        feed = kestrane::FeedService::start(console, where);

    kestrane::view::ConsoleWindow window(console);
    windows.setConsole(&window);
    // Once the console has closed nothing of it may tick again.
    QObject::connect(&window, &kestrane::view::ConsoleWindow::closed, &timers,
                     &kestrane::TimerDriver::shutdown);
    window.show();
    return QApplication::exec();
}
