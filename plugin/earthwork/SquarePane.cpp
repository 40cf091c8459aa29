#include "SquarePane.h"

#include <cassert>
#include <cmath>

#include "PlanGeometry.h"

SquarePane MakeSquarePane(std::span<const AcGePoint3d> points, std::span<const double> first,
                          std::span<const double> second) {
    assert(points.size() == 4 && first.size() == 4 && second.size() == 4);
    SquarePane pane;
    pane.a = PlanDistance(points[0], points[1]);
    pane.A = pane.a * pane.a;
    for (size_t k = 0; k < 4; ++k) {
        pane.h[k] = first[k] - second[k];
        pane.H[k] = std::fabs(pane.h[k]);
        pane.S += pane.H[k];
    }
    return pane;
}

int NeighbourOutsidePair(int corner, int member) {
    const CornerNeighbours& n = NeighboursOf(corner);
    return n.lower == member ? n.higher : n.lower;
}

CaseZeroDistances ZeroDistancesOf(const SquarePane& pane, const SquareCase& row) {
    const int k = row.corner;
    if (row.kind == SquareClass::LoneCorner) {
        const CornerNeighbours& n = NeighboursOf(k);
        return {ZeroDistance(pane.a, pane.Hk(k), pane.Hk(n.lower)),
                ZeroDistance(pane.a, pane.Hk(k), pane.Hk(n.higher))};
    }
    if (row.kind == SquareClass::Pair) {
        const int j = row.corner, m = row.partner;
        return {ZeroDistance(pane.a, pane.Hk(j), pane.Hk(NeighbourOutsidePair(j, m))),
                ZeroDistance(pane.a, pane.Hk(m), pane.Hk(NeighbourOutsidePair(m, j)))};
    }
    return {};
}

namespace {

// Triangle cut off at cut corner p by the zero line toward its fill
// neighbours r and s; 0 when a zero distance has no denominator.
double CornerTriangleArea(const SquarePane& pane, int p, int r, int s) {
    const double Hp = pane.Hk(p);
    if (Hp + pane.Hk(r) == 0.0 || Hp + pane.Hk(s) == 0.0) return 0.0;
    return ZeroDistance(pane.a, Hp, pane.Hk(r)) * ZeroDistance(pane.a, Hp, pane.Hk(s)) / 2.0;
}

}  // namespace

void SetSquareAreas(PaneVolumeResult& result, const SquarePane& pane, const SquareCase& row) {
    const CaseZeroDistances z = ZeroDistancesOf(pane, row);
    switch (row.kind) {
        case SquareClass::AllOneSide:
            SideOf(result, row.side).area = pane.A;
            SideOf(result, OtherSide(row.side)).area = 0.0;
            break;
        case SquareClass::LoneCorner:
            SideOf(result, row.side).area = z.b * z.c / 2.0;
            SideOf(result, OtherSide(row.side)).area = pane.A - z.b * z.c / 2.0;
            break;
        case SquareClass::Pair:
            result.fill.area = pane.a * (z.b + z.c) / 2.0;
            result.cut.area = pane.a * (2.0 * pane.a - (z.b + z.c)) / 2.0;
            break;
        case SquareClass::Opposite: {
            const CornerNeighbours& n = NeighboursOf(row.corner);
            result.cut.area = CornerTriangleArea(pane, row.corner, n.lower, n.higher) +
                              CornerTriangleArea(pane, row.partner, n.lower, n.higher);
            result.fill.area = pane.A - result.cut.area;
            break;
        }
    }
}
