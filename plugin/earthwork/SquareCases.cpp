#include "SquareCases.h"

#include <cassert>

namespace {

using enum SquareClass;

const std::array<SquareCase, 16> kCases = {{
    {1, L"++++", AllOneSide, 0, 0, PaneSide::Cut, 1},
    {2, L"----", AllOneSide, 0, 0, PaneSide::Fill, 1},
    {3, L"+++-", LoneCorner, 4, 0, PaneSide::Fill, 4},
    {4, L"++-+", LoneCorner, 3, 0, PaneSide::Fill, 3},
    {5, L"++--", Pair, 3, 4, PaneSide::Fill, 3},
    {6, L"+-++", LoneCorner, 2, 0, PaneSide::Fill, 2},
    {7, L"+---", LoneCorner, 1, 0, PaneSide::Cut, 1},
    {8, L"+--+", Pair, 2, 3, PaneSide::Fill, 2},
    {9, L"-+++", LoneCorner, 1, 0, PaneSide::Fill, 1},
    {10, L"---+", LoneCorner, 4, 0, PaneSide::Cut, 4},
    {11, L"--+-", LoneCorner, 3, 0, PaneSide::Cut, 3},
    {12, L"-+--", LoneCorner, 2, 0, PaneSide::Cut, 2},
    {13, L"--++", Pair, 1, 2, PaneSide::Fill, 1},
    {14, L"-++-", Pair, 1, 4, PaneSide::Fill, 4},
    {15, L"+-+-", Opposite, 1, 3, PaneSide::Fill, 1},
    {16, L"-+-+", Opposite, 2, 4, PaneSide::Fill, 2},
}};

const std::array<CornerNeighbours, 4> kNeighbours = {{
    {2, 4, 3},
    {1, 3, 4},
    {2, 4, 1},
    {1, 3, 2},
}};

bool SignHolds(wchar_t sign, double h) { return sign == L'+' ? h >= 0.0 : h <= 0.0; }

bool Matches(const SquareCase& row, const std::array<double, 4>& heights) {
    for (size_t i = 0; i < 4; ++i)
        if (!SignHolds(row.signs[i], heights[i])) return false;
    return true;
}

}  // namespace

const SquareCase& SelectSquareCase(const std::array<double, 4>& heights) {
    for (const SquareCase& row : kCases)
        if (Matches(row, heights)) return row;
    // Every sign pattern has a row; only NaN heights get here.
    return kCases[0];
}

const std::array<SquareCase, 16>& SquareCaseTable() { return kCases; }

const CornerNeighbours& NeighboursOf(int corner) {
    assert(corner >= 1 && corner <= 4);
    return kNeighbours[static_cast<size_t>(corner - 1)];
}
