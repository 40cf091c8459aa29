// The eight sign cases of a triangle. h >= 0 counts as cut ("+"), h <= 0 as
// fill ("-"), both inclusive; the first row whose signs all hold is the case.
#pragma once

#include <array>

#include "PaneVolumeResult.h"

struct TriangleCase {
    int order;             // row number, 1 to 8
    const wchar_t* signs;  // signs of h1 h2 h3
    bool oneSide;          // all three corners on one side
    PaneSide side;         // the occupied side, or the side of the odd corner
    int oddCorner;         // corner alone on its side (1..3), 0 when oneSide
};

const TriangleCase& SelectTriangleCase(const std::array<double, 3>& heights);
const std::array<TriangleCase, 8>& TriangleCaseTable();
