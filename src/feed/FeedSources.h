#pragma once

namespace kestrane {

class BoardHolder;
class Competitors;
class MatchState;

// What the feed reads, and only reads: the console's elements, the pair on
// the mat and the board holder.
struct FeedSources {
    MatchState& state;
    Competitors& competitors;
    BoardHolder& boards;
};

} // namespace kestrane
