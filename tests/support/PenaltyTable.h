#pragma once

namespace kestrane::test {

// The penalty boxes as the match rules lay them out, typed here once and
// independently of the program's own table, so that a wrong entry there
// fails a test.
struct DescribedBox {
    int box;
    int lamp;           // board Shape4
    int sLabel;         // board Label1 of the "S" letter, -1 for none
    const char* winner; // whom a tick declares the winner, "" for none
};

// clang-format off
inline constexpr DescribedBox kDescribedBoxes[] = {
    // Shiro: first row, "M", "J" with its extra box, "S"
    {1, 13, -1, ""}, {4, 14, -1, ""}, {3, 15, -1, "Aka"},
    {19, 28, -1, ""}, {17, 27, -1, ""}, {18, 26, -1, "Aka"},
    {8, 17, -1, ""}, {5, 18, -1, ""}, {6, 19, -1, ""}, {7, 20, -1, "Aka"},
    {2, 16, 8, "Aka"},
    // Aka
    {12, 5, -1, ""}, {9, 6, -1, ""}, {10, 7, -1, "Shiro"},
    {20, 25, -1, ""}, {22, 24, -1, ""}, {21, 23, -1, "Shiro"},
    {16, 9, -1, ""}, {13, 10, -1, ""}, {14, 11, -1, ""}, {15, 12, -1, "Shiro"},
    {11, 8, 4, "Shiro"},
};
// clang-format on

} // namespace kestrane::test
