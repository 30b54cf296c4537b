#pragma once

#include <array>

namespace kestrane {

// The 22 penalty boxes of the console: where each stands, the board lamp it
// drives and whether it ends the match. The model, the console window, the
// board opening and the accessible names all read this one table.
struct PenaltyBox {
    enum class Side { Shiro, Aka };
    // Rows of a panel; the "S" box stands outside the grid.
    enum class Row { First, M, J, S };
    // Columns of a row; the extra box stands before "A" in row "J".
    enum class Column { Extra, A, C, H, None };

    int box; // CheckN
    Side side;
    Row row;
    Column column;
    int lamp;   // board Shape4 index
    int sLabel; // board Label1 index of the "S" letter, -1 for none

    // Column "H" and the "S" boxes end the match, naming the other side.
    constexpr bool endsMatch() const { return column == Column::H || row == Row::S; }
    constexpr bool inGrid() const { return row != Row::S; }
};

// Shiro's panel, then Aka's; within a panel row by row, each row from the
// extra box over "A" to "H"; the "S" box last.
inline constexpr std::array<PenaltyBox, 22> kPenaltyBoxes{{
    {1, PenaltyBox::Side::Shiro, PenaltyBox::Row::First, PenaltyBox::Column::A, 13, -1},
    {4, PenaltyBox::Side::Shiro, PenaltyBox::Row::First, PenaltyBox::Column::C, 14, -1},
    {3, PenaltyBox::Side::Shiro, PenaltyBox::Row::First, PenaltyBox::Column::H, 15, -1},
    {19, PenaltyBox::Side::Shiro, PenaltyBox::Row::M, PenaltyBox::Column::A, 28, -1},
    {17, PenaltyBox::Side::Shiro, PenaltyBox::Row::M, PenaltyBox::Column::C, 27, -1},
    {18, PenaltyBox::Side::Shiro, PenaltyBox::Row::M, PenaltyBox::Column::H, 26, -1},
    {8, PenaltyBox::Side::Shiro, PenaltyBox::Row::J, PenaltyBox::Column::Extra, 17, -1},
    {5, PenaltyBox::Side::Shiro, PenaltyBox::Row::J, PenaltyBox::Column::A, 18, -1},
    {6, PenaltyBox::Side::Shiro, PenaltyBox::Row::J, PenaltyBox::Column::C, 19, -1},
    {7, PenaltyBox::Side::Shiro, PenaltyBox::Row::J, PenaltyBox::Column::H, 20, -1},
    {2, PenaltyBox::Side::Shiro, PenaltyBox::Row::S, PenaltyBox::Column::None, 16, 8},
    {12, PenaltyBox::Side::Aka, PenaltyBox::Row::First, PenaltyBox::Column::A, 5, -1},
    {9, PenaltyBox::Side::Aka, PenaltyBox::Row::First, PenaltyBox::Column::C, 6, -1},
    {10, PenaltyBox::Side::Aka, PenaltyBox::Row::First, PenaltyBox::Column::H, 7, -1},
    {20, PenaltyBox::Side::Aka, PenaltyBox::Row::M, PenaltyBox::Column::A, 25, -1},
    {22, PenaltyBox::Side::Aka, PenaltyBox::Row::M, PenaltyBox::Column::C, 24, -1},
    {21, PenaltyBox::Side::Aka, PenaltyBox::Row::M, PenaltyBox::Column::H, 23, -1},
    {16, PenaltyBox::Side::Aka, PenaltyBox::Row::J, PenaltyBox::Column::Extra, 9, -1},
    {13, PenaltyBox::Side::Aka, PenaltyBox::Row::J, PenaltyBox::Column::A, 10, -1},
    {14, PenaltyBox::Side::Aka, PenaltyBox::Row::J, PenaltyBox::Column::C, 11, -1},
    {15, PenaltyBox::Side::Aka, PenaltyBox::Row::J, PenaltyBox::Column::H, 12, -1},
    {11, PenaltyBox::Side::Aka, PenaltyBox::Row::S, PenaltyBox::Column::None, 8, 4},
}};

// The entry of box CheckN, or nullptr outside 1 to 22.
constexpr const PenaltyBox* penaltyBox(int n)
{
    for (const PenaltyBox& b : kPenaltyBoxes) {
        if (b.box == n)
            return &b;
    }
    return nullptr;
}

} // namespace kestrane
