#include "match/Competitors.h"

namespace kestrane {

void Competitors::set(Competitor aka, Competitor shiro)
{
    if (aka == m_aka && shiro == m_shiro)
        return;
    m_aka = std::move(aka);
    m_shiro = std::move(shiro);
    // A copy: an observer may remove itself (a window closing).
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        observer();
}

int Competitors::addObserver(std::function<void()> observer)
{
    const int id = m_nextId++;
    m_observers.emplace(id, std::move(observer));
    return id;
}

void Competitors::removeObserver(int id)
{
    m_observers.erase(id);
}

} // namespace kestrane
