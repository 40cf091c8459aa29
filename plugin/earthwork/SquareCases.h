// The sixteen sign cases of a square pane. Corners are numbered 1 to 4 around
// the pane; a height h >= 0 counts as cut ("+"), h <= 0 as fill ("-"), both
// inclusive, and the first row whose signs all hold is the case.
#pragma once

#include <array>

#include "PaneVolumeResult.h"

enum class SquareClass {
    AllOneSide,  // all four corners on one side
    LoneCorner,  // one corner alone on its side
    Pair,        // two adjacent corners fill, the other two cut
    Opposite,    // two opposite corners cut, the other two fill
};

struct SquareCase {
    int order;             // row number, 1 to 16
    const wchar_t* signs;  // signs of h1 h2 h3 h4, "+" for h >= 0, "-" for h <= 0
    SquareClass kind;
    int corner;     // lone corner; lower corner j of the fill pair; first cut corner p
    int partner;    // k of the fill pair; second cut corner q; otherwise 0
    PaneSide side;  // side of the lone corner; occupied side of all-one-side; else fill
    int turn;       // pane corner that is corner 1 of a user formula
};

// The first row of the table that matches the heights h[0..3] of corners 1..4.
const SquareCase& SelectSquareCase(const std::array<double, 4>& heights);

// All sixteen rows in order.
const std::array<SquareCase, 16>& SquareCaseTable();

// Edge neighbours and opposite corner of a corner (1-based): the neighbour
// with the lower number, with the higher number, and the opposite corner.
struct CornerNeighbours {
    int lower;
    int higher;
    int opposite;
};
const CornerNeighbours& NeighboursOf(int corner);
