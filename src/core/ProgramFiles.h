#pragma once

#include <QString>

namespace kestrane {

// The files the program keeps in its folder, named in one place. kumite.ini
// is shared by every PC that runs from the folder (a program folder on a
// share or a USB stick); everything else carries this PC's host name, so two
// PCs never take each other's lock, restore each other's match or append to
// each other's results.
class ProgramFiles {
public:
    explicit ProgramFiles(QString folder);

    QString folder() const { return m_folder; }
    // The nine described settings lines.
    QString settings() const;
    // One running program per PC and folder.
    QString instanceLock() const;
    // The match under way, for a restore after a crash or a close.
    QString matchJournal() const;
    // Whether the live feed runs, where and on which port.
    QString feedChoice() const;
    // The day's set-up: names, match list and position, field and match time.
    QString tournament() const;
    // One row per match left, for the results desk.
    QString resultsLog() const;

    // The host name as it appears in file names: letters, digits, '-' and
    // '_' only, never empty.
    static QString hostTag();
    static QString hostTag(const QString& hostName);

private:
    QString inFolder(const QString& name) const;
    QString m_folder;
};

} // namespace kestrane
