#include "board/BoardPresenter.h"
#include "console/Kumite2.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtMessagePort.h"
#include "platform/QtScreenPort.h"
#include "platform/QtSoundPort.h"
#include "platform/TimerDriver.h"
#include "platform/WindowPort.h"

#include <QApplication>
#include <QMainWindow>

namespace {

class PlainWindows final : public kestrane::WindowPort {
public:
    explicit PlainWindows(QMainWindow& w) : m_window(w) {}
    void closeConsole() override { m_window.close(); }
    void showAbout() override {}
    void closeAbout() override {}

private:
    QMainWindow& m_window;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrane 1.2.1"));

    kestrane::QtSoundPort sound;
    kestrane::QtMessagePort messages;
    kestrane::QtFileDialogPort files;
    kestrane::QtScreenPort screens;
    PlainWindows windows(window);
    kestrane::Kumite2 console({sound, messages, files, screens, windows},
                              QCoreApplication::applicationDirPath());
    const auto& s = console.state;
    kestrane::TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});
    // Shows and discards the audience board's window; before start-up, which
    // already writes into the board.
    kestrane::BoardPresenter boardPresenter(console.boards);

    console.startUp.Form_Load();
    window.resize(697, 460);
    window.show();
    return QApplication::exec();
}
