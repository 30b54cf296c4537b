#include "board/BoardOpening.h"

#include "board/BoardHolder.h"
#include "board/BoardNames.h"
#include "board/BoardScaling.h"
#include "board/BoardSync.h"
#include "core/Numbers.h"
#include "core/Twips.h"
#include "match/MatchState.h"
#include "penalties/RuleSets.h"
#include "platform/MessagePort.h"
#include "platform/ScreenPort.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

void BoardOpening::wire()
{
    MatchState& s = m_state;
    s.startext.onClick = [this] { startbord(); };
    s.command1.onClick = [this] { startbord(); };
    s.closeext.onClick = [this] { closeBoard(); };
    s.Command2.onClick = [this] { closeBoard(); };
    s.Command12.onClick = [this] { Command12_Click(); };
    m_screens.setScreensChanged([this] { screensChanged(); });
}

void BoardOpening::startbord()
{
    MatchState& s = m_state;

    // 1. Every opening starts from the design layout.
    closeBoard();

    // 2. The rule set; this creates the fresh, hidden board.
    if (s.Check26.value() == 1)
        m_ruleSets.wukf();
    else
        m_ruleSets.geenwukf();

    // 3. A zero scale would divide by zero.
    if (Numbers::val(s.hsch.text()) == 0 || Numbers::val(s.vsch.text()) == 0 ||
        Numbers::val(s.fsch.text()) == 0) {
        m_messages.show(QString::fromLatin1(kZeroScaleMessage), MessagePort::Exclamation);
        return;
    }

    // 4. The mirrored layout replaces design positions before any scaling.
    if (s.Check23.value() == 1)
        m_boardSync.bordspiegel();

    // 5. The primary screen's width. Its full width, not the usable one of a
    // maximized window: a dock beside it must not pull the board's point
    // back onto the console's screen.
    const std::vector<ScreenPort::Screen> screens = m_screens.screens();
    const int primary = ScreenPort::primaryIndex(screens);
    if (primary < 0)
        return;
    const QString primaryWidth = Numbers::singleText(
        static_cast<float>(toTwips(screens[static_cast<std::size_t>(primary)].geometry.width)));

    // 6. Onto the screen right of the primary one (or the one the screen
    // port picks instead), maximized there.
    const int target = ScreenPort::screenFor(screens, Numbers::val(primaryWidth) + 100, 0);
    const ScreenPort::Screen& onScreen = screens[static_cast<std::size_t>(target)];
    m_boards.show(target);
    m_boardScreen = onScreen.geometry;

    // 8. The board's outer size once maximized. On X11 maximizing happens
    // later, so it is taken from the screen rather than read back.
    s.sbtxt.setText(Numbers::singleText(static_cast<float>(toTwips(onScreen.available.width))));
    s.shtxt.setText(Numbers::singleText(static_cast<float>(toTwips(onScreen.available.height))));

    // 9. The factors, from the measured size and the settings read again.
    const double W = Numbers::val(s.sbtxt.text());
    const double H = Numbers::val(s.shtxt.text());
    const double hsch = Numbers::val(s.hsch.text());
    const double fsch = Numbers::val(s.fsch.text());
    const double vsch = Numbers::val(s.vsch.text());
    const BoardScaling::Factors factors = BoardScaling::factors(W, H, hsch, vsch, fsch);

    copyAndScale(s, m_boards.currentOrNewHidden(), factors);
    m_boardNames.write(m_boards.currentOrNewHidden());
}

void BoardOpening::copyAndScale(const MatchState& s, Kubord2& b,
                                const BoardScaling::Factors& factors)
{
    // 10. The clock digits and the field number.
    b.Label5.setCaption(s.Label1.caption());
    b.Label6.setCaption(s.Label2.caption());
    b.Label8.setCaption(s.Label3.caption());
    b.Label4.setCaption(s.Text1.text());

    // 11. Lamps and scores, in design coordinates.
    BoardSync::laaddata(s, b);

    // 12. Design canvas to screen.
    BoardScaling::apply(b, factors);

    // 13. The numbers stay centred when they grow a digit.
    for (Element* e : {&b.scrw, &b.scri, &b.scww, &b.scwi, &b.Label4})
        e->setAlignment(Alignment::Centre);
}

void BoardOpening::closeBoard()
{
    m_reopen = false;
    m_boardScreen.reset();
    m_boards.close();
}

void BoardOpening::Command12_Click()
{
    m_boards.currentOrNewHidden().Label4.setCaption(m_state.Text1.text());
}

// A projector unplugged while the board is on it: close the board, as the
// "Close Scoreboard" button would, rather than let it land on the console's
// screen; open it again as "Start Scoreboard" would once a screen beside the
// primary is back (a blip of the projector, a cable pulled and put back).
void BoardOpening::screensChanged()
{
    if (m_consoleClosed())
        return;
    const std::vector<ScreenPort::Screen> screens = m_screens.screens();
    if (m_boards.isShown() && m_boardScreen) {
        const int index = m_boards.screenIndex();
        const bool indexGone = index < 0 || index >= static_cast<int>(screens.size());
        const bool screenGone =
            std::none_of(screens.begin(), screens.end(), [this](const ScreenPort::Screen& sc) {
                return sc.geometry == *m_boardScreen;
            });
        if (indexGone || screenGone) {
            closeBoard();
            m_reopen = true;
        }
    }
    const bool besidePrimary =
        std::any_of(screens.begin(), screens.end(), [](const ScreenPort::Screen& sc) {
            return !sc.primary && sc.geometry.width > 0 && sc.geometry.height > 0;
        });
    if (m_reopen && !m_boards.isShown() && besidePrimary)
        startbord();
}

} // namespace kestrane
