#include "penalties/PenaltyPanel.h"

#include "console/Kumite2.h"

#include <array>

namespace kestrane {

namespace {

enum class BoxKind {
    Plain,       // columns "A" and "C", the extra box of row "J"
    MatchEnding, // column "H"
    S,           // the "S" box, with the board's "S" letter
};

enum class Winner { None, Aka, Shiro };

struct Box {
    int lamp; // board Shape4 index
    BoxKind kind;
    Winner winner; // who a tick declares the winner: always the other side
    int sLabel;    // board Label1 index of the "S" letter, -1 for none
};

// Indexed by the box number n of CheckN, 1 to 22.
constexpr std::array<Box, 23> kBoxes{{
    {-1, BoxKind::Plain, Winner::None, -1},        // (unused)
    {13, BoxKind::Plain, Winner::None, -1},        // Check1: Shiro, first row "A"
    {16, BoxKind::S, Winner::Aka, 8},              // Check2: Shiro "S"
    {15, BoxKind::MatchEnding, Winner::Aka, -1},   // Check3: Shiro, first row "H"
    {14, BoxKind::Plain, Winner::None, -1},        // Check4: Shiro, first row "C"
    {18, BoxKind::Plain, Winner::None, -1},        // Check5: Shiro, "J" "A"
    {19, BoxKind::Plain, Winner::None, -1},        // Check6: Shiro, "J" "C"
    {20, BoxKind::MatchEnding, Winner::Aka, -1},   // Check7: Shiro, "J" "H"
    {17, BoxKind::Plain, Winner::None, -1},        // Check8: Shiro, "J" extra
    {6, BoxKind::Plain, Winner::None, -1},         // Check9: Aka, first row "C"
    {7, BoxKind::MatchEnding, Winner::Shiro, -1},  // Check10: Aka, first row "H"
    {8, BoxKind::S, Winner::Shiro, 4},             // Check11: Aka "S"
    {5, BoxKind::Plain, Winner::None, -1},         // Check12: Aka, first row "A"
    {10, BoxKind::Plain, Winner::None, -1},        // Check13: Aka, "J" "A"
    {11, BoxKind::Plain, Winner::None, -1},        // Check14: Aka, "J" "C"
    {12, BoxKind::MatchEnding, Winner::Shiro, -1}, // Check15: Aka, "J" "H"
    {9, BoxKind::Plain, Winner::None, -1},         // Check16: Aka, "J" extra
    {27, BoxKind::Plain, Winner::None, -1},        // Check17: Shiro, "M" "C"
    {26, BoxKind::MatchEnding, Winner::Aka, -1},   // Check18: Shiro, "M" "H"
    {28, BoxKind::Plain, Winner::None, -1},        // Check19: Shiro, "M" "A"
    {25, BoxKind::Plain, Winner::None, -1},        // Check20: Aka, "M" "A"
    {23, BoxKind::MatchEnding, Winner::Shiro, -1}, // Check21: Aka, "M" "H"
    {24, BoxKind::Plain, Winner::None, -1},        // Check22: Aka, "M" "C"
}};

} // namespace

void PenaltyPanel::wire()
{
    for (int n = 1; n <= 22; ++n)
        m_k.state.check(n).onClick = [this, n] { checkChanged(n); };
}

int PenaltyPanel::lampOf(int n)
{
    return kBoxes.at(static_cast<std::size_t>(n)).lamp;
}

void PenaltyPanel::checkChanged(int n)
{
    if (n < 1 || n > 22)
        return;
    const Box& box = kBoxes.at(static_cast<std::size_t>(n));
    const Element& check = m_k.state.check(n);

    // Each step reads the box again, as the value is the only record.
    if (check.value() == 1) {
        m_k.kubord2().shape4(box.lamp).setVisible(true);
        if (box.kind == BoxKind::S)
            m_k.kubord2().label1(box.sLabel).setVisible(true);
    }
    if (check.value() == 0) {
        m_k.kubord2().shape4(box.lamp).setVisible(false);
        if (box.kind == BoxKind::S)
            m_k.kubord2().label1(box.sLabel).setVisible(false);
    }
    if (box.kind == BoxKind::Plain)
        return;

    // A match-ending penalty names the other side; taking one back stops
    // every blink, whatever started it. A greyed box (2) does neither.
    if (check.value() == 1) {
        if (box.winner == Winner::Aka)
            m_k.signal.eindstrafbl();
        else
            m_k.signal.eindstrafro();
    } else if (check.value() == 0) {
        m_k.signal.knipperuit();
    }
}

} // namespace kestrane
