#include "console/CloseGuard.h"

#include "clock/MatchClock.h"

#include "clock/KoTimer.h"
#include "console/ConsoleCommands.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "platform/MessagePort.h"

namespace kestrane {

bool CloseGuard::matchUnderWay() const
{
    const MatchState& s = m_state;
    const MatchClock::SecondsDigits reset = MatchClock::secondsDigits(s.Text6.text());
    const QString minutes = s.Text5.text().isEmpty() ? QStringLiteral("0") : s.Text5.text();
    if (s.Label1.caption() != minutes || s.Label2.caption() != reset.tens ||
        s.Label3.caption() != reset.units)
        return true;
    for (const Element* score : {&s.scri, &s.scrw, &s.scwi, &s.scww}) {
        if (Numbers::val(score->caption()) != 0)
            return true;
    }
    for (int n = 1; n <= 22; ++n) {
        if (s.check(n).value() != 0)
            return true;
    }
    return s.Timer1.enabled() || s.Timer2.enabled() || s.Timer3.enabled() || s.Timer4.enabled() ||
           m_koTimer.panelOpen();
}

bool CloseGuard::windowClose()
{
    if (m_commands.closingByCommand() || !matchUnderWay())
        return true;
    if (m_asking)
        return false;
    m_asking = true;
    const bool kept = matchKept && matchKept();
    const bool yes = m_messages.ask(
        kept ? QStringLiteral("Close Kestrane? The match is kept and can be restored at the next "
                              "start.")
             : QStringLiteral("Close Kestrane? The match on the board will be lost."));
    m_asking = false;
    return yes;
}

} // namespace kestrane
