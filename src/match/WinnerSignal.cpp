#include "match/WinnerSignal.h"

#include "board/BoardHolder.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "platform/SoundPort.h"

namespace kestrane {

namespace {

// Name plate text colours: normal, and the other phase of the blink.
constexpr Colour kAkaConsoleNormal = 0xFFFFFF;
constexpr Colour kAkaBoardNormal = 0xE0E0E0;
constexpr Colour kAkaHidden = 0x0000C0; // the plate's red background
constexpr Colour kShiroConsoleNormal = 0x400000;
constexpr Colour kShiroBoardNormal = 0x000000;
constexpr Colour kShiroHidden = 0xE0E0E0; // the plate's grey background

constexpr int kBoardAkaPlate = 11;
constexpr int kBoardShiroPlate = 12;

} // namespace

void WinnerSignal::wire()
{
    MatchState& s = m_state;
    s.Timer3.onTick = [this] { Timer3_Timer(); };
    s.Timer4.onTick = [this] { Timer4_Timer(); };
    s.MyButton3.onClick = [this] { MyButton3_Click(); };
    s.MyButton4.onClick = [this] { MyButton4_Click(); };
}

void WinnerSignal::eindstraf()
{
    eindgeluid();
    m_state.Timer3.setEnabled(true);
    m_state.Timer4.setEnabled(true);
}

void WinnerSignal::eindstrafbl()
{
    eindgeluid();
    m_state.Timer3.setEnabled(true);
}

void WinnerSignal::eindstrafro()
{
    eindgeluid();
    m_state.Timer4.setEnabled(true);
}

void WinnerSignal::knipperuit()
{
    MatchState& s = m_state;
    s.Timer3.setEnabled(false);
    s.Timer4.setEnabled(false);
    s.Label19.setForeColor(kAkaConsoleNormal);
    s.Label18.setForeColor(kShiroConsoleNormal);
    m_boards.currentOrNewHidden().label1(kBoardShiroPlate).setForeColor(kShiroBoardNormal);
    m_boards.currentOrNewHidden().label1(kBoardAkaPlate).setForeColor(kAkaBoardNormal);
}

void WinnerSignal::scoreknipper()
{
    MatchState& s = m_state;
    const double shiro = 2 * Numbers::val(s.scwi.caption()) + Numbers::val(s.scww.caption());
    const double aka = 2 * Numbers::val(s.scri.caption()) + Numbers::val(s.scrw.caption());
    // A blink that already runs is left running: a penalty winner stays shown.
    if (aka > shiro)
        s.Timer3.setEnabled(true);
    if (shiro > aka)
        s.Timer4.setEnabled(true);
    if (aka == shiro) {
        s.Timer4.setEnabled(true);
        s.Timer3.setEnabled(true);
    }
}

void WinnerSignal::eindgeluid()
{
    // Requested whatever the path holds; the sound service decides what an
    // empty or unplayable path sounds like.
    m_sound.play(SoundPort::Sound::End, m_state.eindwav.text());
}

void WinnerSignal::waargeluid()
{
    m_sound.play(SoundPort::Sound::Warning, m_state.waarwav.text());
}

void WinnerSignal::Timer3_Timer()
{
    // The console plate decides the phase; the board plate follows it.
    Element& plate = m_state.Label19;
    if (plate.foreColor() == kAkaConsoleNormal) {
        m_boards.currentOrNewHidden().label1(kBoardAkaPlate).setForeColor(kAkaHidden);
        plate.setForeColor(kAkaHidden);
    } else {
        m_boards.currentOrNewHidden().label1(kBoardAkaPlate).setForeColor(kAkaBoardNormal);
        plate.setForeColor(kAkaConsoleNormal);
    }
}

void WinnerSignal::Timer4_Timer()
{
    Element& plate = m_state.Label18;
    if (plate.foreColor() == kShiroConsoleNormal) {
        m_boards.currentOrNewHidden().label1(kBoardShiroPlate).setForeColor(kShiroHidden);
        plate.setForeColor(kShiroHidden);
    } else {
        m_boards.currentOrNewHidden().label1(kBoardShiroPlate).setForeColor(kShiroBoardNormal);
        plate.setForeColor(kShiroConsoleNormal);
    }
}

void WinnerSignal::MyButton3_Click()
{
    eindgeluid();
}

void WinnerSignal::MyButton4_Click()
{
    waargeluid();
}

} // namespace kestrane
