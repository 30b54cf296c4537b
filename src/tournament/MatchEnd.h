#pragma once

#include <QString>

#include <vector>

namespace kestrane {

class Element;
class MatchState;

// Remembers the end the board signalled (the blinking name or names) and
// what brought it: points, time, a penalty or the KO count. The blink itself
// stops with many actions (closing the KO count, extra time), so the end is
// forgotten only when the match goes on: a score or a match-ending penalty
// changes, or the clock starts.
class MatchEnd {
public:
    enum class Cause { None, Points, Time, Penalty, KoCount };

    explicit MatchEnd(MatchState& state) : m_s(state) {}
    MatchEnd(const MatchEnd&) = delete;
    MatchEnd& operator=(const MatchEnd&) = delete;
    ~MatchEnd();

    // Connects to the console's elements.
    void wire();

    bool signalled() const { return m_aka || m_shiro; }
    // "Aka", "Shiro", "both" or "none".
    QString winner() const;
    // "points", "time", "penalty", "KO count"; "abandoned" with no end.
    QString how() const;
    // The match was left: a new one starts with no end.
    void forget();

private:
    void goesOn();
    void observe(Element& e, int property, Cause trigger, bool on);
    void blinkStarted();

    MatchState& m_s;
    Cause m_trigger = Cause::None;
    Cause m_cause = Cause::None;
    bool m_aka = false;
    bool m_shiro = false;
    std::vector<std::pair<Element*, int>> m_observers;
};

} // namespace kestrane
