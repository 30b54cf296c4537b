#pragma once

#include "match/Competitors.h"

#include <QString>

namespace kestrane {

// What a competitor's name or club may hold, whoever typed or brought it:
// one line of printable text, capped without cutting a character in two.
class CompetitorText {
public:
    // Long enough for any real name; the board shrinks and cuts what does
    // not fit its room anyway.
    static constexpr int kNameMax = 60;
    static constexpr int kClubMax = 30;

    // Control characters and line breaks become spaces, runs of spaces one,
    // the ends trimmed; then at most `max` UTF-16 units, ending on a whole
    // character.
    static QString cleaned(const QString& text, int max);
    static Competitor cleaned(const Competitor& c);

    // One side's line on the board: "name (club)", the name or the club
    // alone, or nothing.
    static QString boardLine(const Competitor& c);
};

} // namespace kestrane
