#include "tournament/MatchEnd.h"

#include "match/MatchState.h"
#include "penalties/PenaltyBoxes.h"

namespace kestrane {

MatchEnd::~MatchEnd()
{
    for (const auto& [element, id] : m_observers)
        element->removeObserver(id);
}

// Every end is signalled from inside the handler of the change that caused
// it (a score, a penalty box, the clock's last step, the KO count's tenth),
// so the last such change before a blink starts names the cause.
void MatchEnd::wire()
{
    const int caption = static_cast<int>(Property::Caption);
    for (Element* score : {&m_s.scri, &m_s.scrw, &m_s.scwi, &m_s.scww})
        observe(*score, caption, Cause::Points, true);
    for (const PenaltyBox& box : kPenaltyBoxes) {
        if (box.endsMatch())
            observe(m_s.check(box.box), static_cast<int>(Property::Value), Cause::Penalty, true);
    }
    for (Element* digit : {&m_s.Label1, &m_s.Label2, &m_s.Label3})
        observe(*digit, caption, Cause::Time, false);
    observe(m_s.Label20, caption, Cause::KoCount, false);

    const auto id = m_s.Timer1.addObserver([this](const Element& e, Property p) {
        if (p == Property::Enabled && e.enabled())
            goesOn();
    });
    m_observers.emplace_back(&m_s.Timer1, id);
    for (Element* blink : {&m_s.Timer3, &m_s.Timer4}) {
        const auto bid = blink->addObserver([this](const Element& e, Property p) {
            if (p == Property::Enabled && e.enabled())
                blinkStarted();
        });
        m_observers.emplace_back(blink, bid);
    }
}

void MatchEnd::observe(Element& e, int property, Cause trigger, bool on)
{
    const auto id = e.addObserver([this, property, trigger, on](const Element& el, Property p) {
        if (static_cast<int>(p) != property)
            return;
        // Taking back a match-ending penalty stops every blink.
        if (trigger == Cause::Penalty && el.value() == 0)
            forget();
        else if (on)
            goesOn();
        m_trigger = trigger;
    });
    m_observers.emplace_back(&e, id);
}

void MatchEnd::blinkStarted()
{
    m_cause = m_trigger;
    m_aka = m_aka || m_s.Timer3.enabled();
    m_shiro = m_shiro || m_s.Timer4.enabled();
}

// A change that continues the match drops the end, except a side whose
// name still blinks: a score change made by the end itself (two waza-ari
// turned into an ippon after the decision) keeps it.
void MatchEnd::goesOn()
{
    m_aka = m_aka && m_s.Timer3.enabled();
    m_shiro = m_shiro && m_s.Timer4.enabled();
    if (!signalled())
        m_cause = Cause::None;
}

void MatchEnd::forget()
{
    m_cause = Cause::None;
    m_aka = false;
    m_shiro = false;
}

QString MatchEnd::winner() const
{
    if (m_aka && m_shiro)
        return QStringLiteral("both");
    if (m_aka)
        return QStringLiteral("Aka");
    if (m_shiro)
        return QStringLiteral("Shiro");
    return QStringLiteral("none");
}

QString MatchEnd::how() const
{
    if (!signalled())
        return QStringLiteral("abandoned");
    switch (m_cause) {
    case Cause::Points:
        return QStringLiteral("points");
    case Cause::Time:
        return QStringLiteral("time");
    case Cause::Penalty:
        return QStringLiteral("penalty");
    case Cause::KoCount:
        return QStringLiteral("KO count");
    case Cause::None:
        break;
    }
    return QStringLiteral("abandoned");
}

} // namespace kestrane
