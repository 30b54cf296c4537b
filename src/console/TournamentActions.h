#pragma once

#include <QObject>

#include <functional>

class QLabel;
class QUrl;

namespace kestrane {
class MessagePort;
class TournamentDay;
} // namespace kestrane

namespace kestrane::view {

class ConsoleWindow;

// The tournament day's entries in the console's "Tournament" menu, and the
// list's progress at the right end of the menu bar while a list is loaded.
class TournamentActions final : public QObject {
    Q_OBJECT
public:
    TournamentActions(TournamentDay& day, MessagePort& messages, ConsoleWindow& window);
    ~TournamentActions() override;

    QLabel* status() const { return m_status; }
    // Opens a file or folder with the desktop's handler (tests replace it).
    std::function<bool(const QUrl&)> openUrl;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStatus();
    void openResultsLog();

    TournamentDay& m_day;
    MessagePort& m_messages;
    ConsoleWindow& m_window;
    QLabel* m_status = nullptr;
    int m_observer = 0;
};

} // namespace kestrane::view
