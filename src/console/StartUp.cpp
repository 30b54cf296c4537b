#include "console/StartUp.h"

#include "console/Kumite2.h"

namespace kestrane {

void StartUp::wire()
{
    m_k.state.MyButton7.onClick = [this] { MyButton7_Click(); };
}

void StartUp::Form_Load()
{
    MatchState& s = m_k.state;

    // The console window, outer size: width, left, top, height in this order.
    s.Kumite2.setWidth(10450);
    s.Kumite2.setLeft(2000);
    s.Kumite2.setTop(100);
    s.Kumite2.setHeight(6900);

    // The match time into the console's clock digits, then the board's.
    const MatchClock::SecondsDigits seconds = MatchClock::secondsDigits(s.Text6.text());
    s.Label1.setCaption(s.Text5.text());
    s.Label2.setCaption(seconds.tens);
    s.Label3.setCaption(seconds.units);
    Kubord2& board = m_k.kubord2();
    board.Label5.setCaption(s.Text5.text());
    board.Label6.setCaption(seconds.tens);
    board.Label8.setCaption(seconds.units);

    // Start and Stop share one place; Stop starts hidden.
    s.Command3.setLeft(820);
    s.Command4.setLeft(820);
    s.Command4.setVisible(false);

    // The settings file follows here.
}

void StartUp::MyButton7_Click()
{
}

} // namespace kestrane
