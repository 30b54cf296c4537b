#pragma once

#include "board/Kubord2.h"

#include <QString>

namespace kestrane {

class MatchState;

// The audience board as the live feed shows it, built on a board model of
// its own: never the console's board, so the feed can neither create nor
// disturb it.
//
// While the console's board is shown, the copy is that board at another
// size: the same design layout, mirror and rule set, opened with the same
// scale settings for the browser's window, then every caption, colour and
// visibility taken over from the shown board (blinking, lamps, the KO
// count). While it is closed, the copy is the match as the next opening
// would show it: the design layout with the current values copied as the
// opening copies them.
class FeedBoard {
public:
    // The three scale settings as the console holds them (text).
    struct Scales {
        QString hsch;
        QString vsch;
        QString fsch;
    };

    // Builds into a fresh board for a window of widthPx x heightPx; with a
    // size of 0 x 0 it stays in design twips (no scaling). `shown` is the
    // console's shown board or nullptr, `openedWith` the scales it was
    // opened with (ignored without a shown board: the current ones count).
    static void build(const MatchState& s, const Kubord2* shown, const Scales& openedWith,
                      int widthPx, int heightPx, Kubord2& out);

    // A scale that the opening would refuse (0, or no number) counts as 1:
    // the feed still shows the match rather than nothing.
    static double usableScale(const QString& text);
};

} // namespace kestrane
