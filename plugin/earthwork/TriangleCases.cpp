#include "TriangleCases.h"

namespace {

const std::array<TriangleCase, 8> kCases = {{
    {1, L"+++", true, PaneSide::Cut, 0},
    {2, L"---", true, PaneSide::Fill, 0},
    {3, L"++-", false, PaneSide::Fill, 3},
    {4, L"+-+", false, PaneSide::Fill, 2},
    {5, L"-++", false, PaneSide::Fill, 1},
    {6, L"+--", false, PaneSide::Cut, 1},
    {7, L"-+-", false, PaneSide::Cut, 2},
    {8, L"--+", false, PaneSide::Cut, 3},
}};

bool Matches(const TriangleCase& row, const std::array<double, 3>& heights) {
    for (size_t i = 0; i < 3; ++i) {
        const bool holds = row.signs[i] == L'+' ? heights[i] >= 0.0 : heights[i] <= 0.0;
        if (!holds) return false;
    }
    return true;
}

}  // namespace

const TriangleCase& SelectTriangleCase(const std::array<double, 3>& heights) {
    for (const TriangleCase& row : kCases)
        if (Matches(row, heights)) return row;
    return kCases[0];  // only NaN heights match no row
}

const std::array<TriangleCase, 8>& TriangleCaseTable() { return kCases; }
