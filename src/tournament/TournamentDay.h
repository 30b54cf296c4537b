#pragma once

#include <utility>

#include "tournament/DaySetup.h"
#include "tournament/MatchEnd.h"
#include "tournament/ResultRow.h"
#include "tournament/ResultsLog.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>

namespace kestrane {

class Competitors;
class FileDialogPort;
class MatchClock;
class MatchReset;
class MatchState;
class MessagePort;

// A tournament day at the mat table: the organiser's match list stepped
// through with "Next match", a results row for every match left, and the
// day's set-up kept across restarts. Unused (no list, no names, no set-up
// file) it changes nothing the console shows.
class TournamentDay {
public:
    TournamentDay(MatchState& state, Competitors& competitors, MessagePort& messages,
                  FileDialogPort& files, MatchClock& clock, MatchReset& matchReset,
                  QString programDir, std::function<bool()> matchUnderWay);
    TournamentDay(const TournamentDay&) = delete;
    TournamentDay& operator=(const TournamentDay&) = delete;
    ~TournamentDay();

    // Connects to the console's elements and the pair on the mat.
    void wire();
    // Last step of start-up: puts the day's set-up back, when there is one.
    void restoreAtStart();

    // "Load match list...": the file dialog, then loadMatchList(path).
    void loadMatchList();
    bool loadMatchList(const QString& path);
    // "Next match": ends the match as Reset match does, then the next pair.
    void nextMatch();
    // Reset match: the row of the match under way, then `reset`.
    void leaveMatch(const std::function<void()>& reset);
    // The program closes: the match under way, if any, is logged.
    void consoleClosing();
    // The operator declined to restore a match after a crash or a close:
    // it is logged as abandoned, unless its close already logged it.
    void declinedRestore(ResultRow row);

    // The row the match on the console would give now.
    ResultRow currentRow() const;
    // A row, with no end signalled, from a match's element values by element
    // name (captions and texts; "0" or "1" for the penalty boxes CheckN), as
    // a kept snapshot of a match has them.
    ResultRow rowFrom(const std::function<QString(const QString&)>& valueOf) const;
    QString resultsLogPath() const { return m_log.path(); }
    // The day's rows as JSON, for a read-only view on the feed.
    QByteArray resultsJson() const { return m_log.json(); }
    ResultsLog& resultsLog() { return m_log; }

    const DaySetup& setup() const { return m_day; }
    bool listLoaded() const { return !m_day.list.isEmpty(); }
    // Which match of how many is on and what comes next; empty with no list.
    QString status() const;
    // Runs after every change of the list, the position or the status.
    int addObserver(std::function<void()> observer);
    void removeObserver(int id);

private:
    void logLeaving();
    ResultsLog::Appended log(const ResultRow& row);
    void save();
    void changed();
    void showProblems(const QString& intro, const QStringList& problems);

    MatchState& m_state;
    Competitors& m_competitors;
    MessagePort& m_messages;
    FileDialogPort& m_files;
    MatchClock& m_clock;
    MatchReset& m_matchReset;
    QString m_programDir;
    // The console's own judgement of a match under way (its close guard).
    std::function<bool()> m_matchUnderWay;
    MatchEnd m_end;
    ResultsLog m_log;
    DaySetup m_day;
    std::optional<DaySetup> m_written; // as the file holds it
    bool m_keeping = false;            // the set-up is written once start-up has run
    int m_competitorsObserver = 0;
    std::map<int, std::function<void()>> m_observers;
    int m_nextObserver = 1;
};

} // namespace kestrane
