#pragma once

#include "match/Competitors.h"
#include "tournament/MatchList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace kestrane {

// The day's set-up as kept in the tournament file: what the operator would
// otherwise type again after a restart.
struct DaySetup {
    QString field;
    QString minutes;
    QString seconds;
    QString ippon;
    Competitor aka;
    Competitor shiro;
    QString label; // the match on the mat, as the list named it

    QString listName; // the file the list came from, for the operator
    QList<MatchEntry> list;
    int position = -1; // the match on the mat; -1 before the first, size() after the last

    // The row logged when the program closed with a match under way, kept
    // until the next start knows whether that match comes back.
    qint64 closeRowOffset = -1;
    QByteArray closeRow;

    bool operator==(const DaySetup&) const = default;

    // Nothing when the file is missing (`error` empty) or unreadable
    // (`error` says why).
    static std::optional<DaySetup> read(const QString& path, QString* error);
    bool write(const QString& path) const;
};

} // namespace kestrane
