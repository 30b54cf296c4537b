#pragma once

#include "match/Competitors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kestrane {

// One match of the organiser's draw: a label (category and round), the pair,
// and the match time as "m:ss" when the list gives one (empty otherwise).
struct MatchEntry {
    QString label;
    Competitor aka;
    Competitor shiro;
    QString time;

    bool operator==(const MatchEntry&) const = default;
};

// Reads a match list: CSV in UTF-8 (with or without a byte order mark),
// comma or semicolon separated, a header row first, then one match per line:
// match, Aka, Aka club, Shiro, Shiro club and an optional time. A line that
// cannot be read is reported with its number; the good lines still load.
class MatchList {
public:
    struct Result {
        QList<MatchEntry> entries;
        QStringList problems; // "Line 4: ...", in file order
    };

    // Files people bring can be anything: past these the rest is refused.
    static constexpr qsizetype kMaxBytes = 1 << 20;
    static constexpr qsizetype kMaxEntries = 2000;
    static constexpr qsizetype kMaxLineLength = 1000;
    static constexpr qsizetype kMaxCell = 200;

    static Result parse(const QByteArray& bytes);
    // "m:ss" with seconds 00 to 59 and more than no time at all.
    static bool isMatchTime(const QString& text);
};

} // namespace kestrane
