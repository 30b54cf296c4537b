#pragma once

#include <QString>
#include <utility>

#include <QByteArray>
#include <QIODevice>

#include <functional>

namespace kestrane {

class MatchClock;
class MatchState;
class MessagePort;
class RuleSets;
class TournamentDay;
namespace SettingsFile {
struct Settings;
}

// Start-up of the console and the Save button of the settings.
class StartUp {
public:
    StartUp(MatchState& state, MessagePort& messages, RuleSets& ruleSets, MatchClock& clock,
            TournamentDay& day, QString programDir)
        : m_state(state), m_messages(messages), m_ruleSets(ruleSets), m_clock(clock), m_day(day),
          m_programDir(std::move(programDir))
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void Form_Load();
    void MyButton7_Click();

    // Writes Save's bytes into the new file; a test puts a failing writer here.
    std::function<qint64(QIODevice& file, const QByteArray& bytes)> writeBytes =
        [](QIODevice& file, const QByteArray& bytes) { return file.write(bytes); };

private:
    // Steps 6 to 11 of start-up: the settings file, loaded in place.
    void loadSettings();
    bool saveSettings(const SettingsFile::Settings& settings);

    MatchState& m_state;
    MessagePort& m_messages;
    RuleSets& m_ruleSets;
    MatchClock& m_clock;
    TournamentDay& m_day;
    QString m_programDir;
};

} // namespace kestrane
