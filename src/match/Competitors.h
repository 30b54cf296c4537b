#pragma once

#include <QString>

#include <functional>
#include <map>

namespace kestrane {

// One side's competitor: a name and an optional club or country code.
struct Competitor {
    QString name;
    QString club;

    bool isEmpty() const { return name.isEmpty() && club.isEmpty(); }
    bool operator==(const Competitor&) const = default;
};

// The pair on the mat. Not part of the described match: with both sides
// empty every window looks and acts as it does without it. Whoever shows the
// names (the board, the feed, the console's accessible names) follows the
// change through an observer.
class Competitors {
public:
    const Competitor& aka() const { return m_aka; }
    const Competitor& shiro() const { return m_shiro; }
    bool isEmpty() const { return m_aka.isEmpty() && m_shiro.isEmpty(); }

    // Sets both sides; observers run only when something changed.
    void set(Competitor aka, Competitor shiro);
    void clear() { set({}, {}); }

    int addObserver(std::function<void()> observer);
    void removeObserver(int id);

private:
    Competitor m_aka;
    Competitor m_shiro;
    std::map<int, std::function<void()>> m_observers;
    int m_nextId = 1;
};

} // namespace kestrane
