// The measures of a square pane that every square formula uses.
#pragma once

#include <array>
#include <span>

#include "PaneVolumeResult.h"
#include "SquareCases.h"
#include "acge.h"

struct SquarePane {
    double a = 0.0;             // side: plan distance corner 1 - corner 2
    double A = 0.0;             // a²
    double S = 0.0;             // H1 + H2 + H3 + H4
    std::array<double, 4> h{};  // h_k = first − second at corner k (> 0 cut)
    std::array<double, 4> H{};  // |h_k|

    // |h| of corner k, k = 1..4.
    double Hk(int corner) const { return H[static_cast<size_t>(corner - 1)]; }
};

SquarePane MakeSquarePane(std::span<const AcGePoint3d> points, std::span<const double> first,
                          std::span<const double> second);

// The zero distances b and c of a lone-corner or pair case: lone corner k, b
// toward its lower-numbered neighbour and c toward its higher-numbered one;
// fill pair (j, k), b from j and c from k, each toward its neighbour outside
// the pair. Other classes: both 0.
struct CaseZeroDistances {
    double b = 0.0;
    double c = 0.0;
};
CaseZeroDistances ZeroDistancesOf(const SquarePane& pane, const SquareCase& row);

// The neighbour of corner `corner` that is not `member` (corner of a pair).
int NeighbourOutsidePair(int corner, int member);

// Plan areas of the fill and cut parts; they do not depend on the family.
//   all one side: A on the occupied side;
//   lone corner:  b·c/2 on its side, A − b·c/2 on the other;
//   pair:         fill a·(b + c)/2, cut a·(2a − (b + c))/2;
//   opposite:     cut = Σ over p, q of (zero distances toward r and s)·½,
//                 a corner triangle counting 0 when a denominator is 0;
//                 fill = A − cut.
void SetSquareAreas(PaneVolumeResult& result, const SquarePane& pane, const SquareCase& row);
