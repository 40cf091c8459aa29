// Construction of the geometric variant.
//
// Every corner P_k stands on the second surface (its z); raised by its signed
// height h_k it becomes R_k = P_k + (0, 0, h_k) on the first surface. Over a
// triangle both surfaces are planes, so the soil between them is bounded by
// the triangles P and R and by vertical faces over the triangle's sides.
//
// Plan areas are half the cross product of the sides from the triangle's
// first corner, exact to the rounding of the coordinates; a triangle flat in
// the plan (within that rounding) has no areas and no volumes.
//
// Triangle of one sign: a prism cut obliquely at both ends; its volume is
// (H1 + H2 + H3)/3 times the plan area.
//
// Triangle of mixed sign, odd corner Q3 alone on its side, Q1 and Q2 on the
// other: the zero line meets Q1-Q3 at D and Q2-Q3 at E, found by linear
// interpolation of the heights (D = Q1 + (Q3 − Q1)·G1/(G1 + G3), E alike), in
// space on the second surface, where both surfaces meet.
//   - The odd solid is the tetrahedron P3, D, E, R3.
//   - The other solid stands over the quadrilateral Q1, Q2, E, D; split along
//     Q1-E into the triangles (Q1, Q2, E) and (Q1, E, D), each is an oblique
//     prism P_a P_b P_c / R_a R_b R_c (R = P at the zero points), which is the
//     union of the tetrahedra (P_a, P_b, P_c, R_a), (P_b, P_c, R_a, R_b) and
//     (P_c, R_a, R_b, R_c).
// Each tetrahedron is measured as the Heron area of a face times the distance
// of the fourth corner from the face's plane, over 3. Both solids are exact
// for planar surfaces over the triangle, that is for any linear height field.
//
// Quadrilateral: the split along a diagonal that lies inside it (the diagonal
// from a reflex corner when it is not convex); when both lie inside and one
// corner is alone on its side, the diagonal that does not touch that corner,
// so that only one triangle crosses the zero line; otherwise corners 1-3.
// Any inside split is exact for a linear height field.
#include "GeometricVolumes.h"

#include <algorithm>
#include <cmath>

#include "PlanGeometry.h"
#include "TriangleCases.h"

namespace {

// Distance of `point` from the plane through a, b, c; 0 when they are collinear.
double PlaneDistance(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c,
                     const AcGePoint3d& point) {
    const AcGeVector3d normal = (b - a).crossProduct(c - a);
    const double length = normal.length();
    if (length == 0.0) return 0.0;
    return std::fabs(normal.dotProduct(point - a)) / length;
}

double ObliquePrismVolume(const std::array<AcGePoint3d, 3>& P,
                          const std::array<AcGePoint3d, 3>& R) {
    return TetrahedronVolume(P[0], P[1], P[2], R[0]) + TetrahedronVolume(P[1], P[2], R[0], R[1]) +
           TetrahedronVolume(P[2], R[0], R[1], R[2]);
}

AcGePoint3d Raised(const AcGePoint3d& p, double h) { return AcGePoint3d(p.x, p.y, p.z + h); }

PaneVolumeResult MixedTriangle(const std::array<AcGePoint3d, 3>& c, const std::array<double, 3>& h,
                               const TriangleCase& row) {
    const size_t i3 = static_cast<size_t>(row.oddCorner - 1), i1 = (i3 + 1) % 3, i2 = (i3 + 2) % 3;
    const double G1 = std::fabs(h[i1]), G2 = std::fabs(h[i2]), G3 = std::fabs(h[i3]);
    const AcGePoint3d d = Interpolate(c[i1], c[i3], G1 / (G1 + G3));
    const AcGePoint3d e = Interpolate(c[i2], c[i3], G2 / (G2 + G3));
    const AcGePoint3d r1 = Raised(c[i1], h[i1]), r2 = Raised(c[i2], h[i2]);

    PaneVolumeResult result;
    PaneSideResult& odd = SideOf(result, row.side);
    PaneSideResult& rest = SideOf(result, OtherSide(row.side));
    odd.volume = TetrahedronVolume(c[i3], d, e, Raised(c[i3], h[i3]));
    rest.volume = ObliquePrismVolume({c[i1], c[i2], e}, {r1, r2, e}) +
                  ObliquePrismVolume({c[i1], e, d}, {r1, e, d});
    const double total = PlanCrossArea(c[0], c[1], c[2]);
    odd.area = std::clamp(PlanCrossArea(c[i3], d, e), 0.0, total);
    rest.area = total - odd.area;
    return result;
}

void MakeNonNegative(PaneVolumeResult& r) {
    for (PaneSideResult* side : {&r.fill, &r.cut}) {
        side->volume = std::fabs(side->volume);
        side->area = std::fabs(side->area);
    }
}

// Sign of the plan turn a -> b -> c, computed relative to a.
int TurnSign(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    return (cross > 0.0) - (cross < 0.0);
}

// The diagonal p-q lies inside when the other two corners lie on its two sides.
bool DiagonalInside(const std::array<AcGePoint3d, 4>& c, size_t p, size_t q) {
    return TurnSign(c[p], c[q], c[(p + 1) % 4]) * TurnSign(c[p], c[q], c[(q + 1) % 4]) < 0;
}

// The corner alone on its side (1..4), or 0.
int LoneCorner(const std::array<double, 4>& h) {
    for (int k = 0; k < 4; ++k) {
        bool alone = h[static_cast<size_t>(k)] != 0.0;
        for (int m = 0; m < 4 && alone; ++m)
            if (m != k) alone = h[static_cast<size_t>(m)] * h[static_cast<size_t>(k)] <= 0.0;
        if (alone) return k + 1;
    }
    return 0;
}

void Accumulate(PaneVolumeResult& sum, const PaneVolumeResult& part) {
    sum.fill.volume += part.fill.volume;
    sum.cut.volume += part.cut.volume;
    sum.fill.area += part.fill.area;
    sum.cut.area += part.cut.area;
}

}  // namespace

double TetrahedronVolume(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c,
                         const AcGePoint3d& apex) {
    return SpaceHeronArea(a, b, c) * PlaneDistance(a, b, c, apex) / 3.0;
}

PaneVolumeResult GeometricTriangleVolumes(const std::array<AcGePoint3d, 3>& corners,
                                          const std::array<double, 3>& h) {
    const TriangleCase& row = SelectTriangleCase(h);
    PaneVolumeResult result;
    if (IsFlatInPlan(corners[0], corners[1], corners[2])) return result;
    if (row.oneSide) {
        PaneSideResult& side = SideOf(result, row.side);
        side.area = PlanCrossArea(corners[0], corners[1], corners[2]);
        side.volume = (std::fabs(h[0]) + std::fabs(h[1]) + std::fabs(h[2])) / 3.0 * side.area;
    } else {
        result = MixedTriangle(corners, h, row);
    }
    MakeNonNegative(result);
    return result;
}

int GeometricQuadDiagonal(const std::array<AcGePoint3d, 4>& corners,
                          const std::array<double, 4>& h) {
    const bool inside13 = DiagonalInside(corners, 0, 2);
    const bool inside24 = DiagonalInside(corners, 1, 3);
    if (inside13 != inside24) return inside13 ? 1 : 2;
    const int lone = LoneCorner(h);
    return lone == 1 || lone == 3 ? 2 : 1;
}

PaneVolumeResult GeometricQuadVolumes(const std::array<AcGePoint3d, 4>& c,
                                      const std::array<double, 4>& h) {
    const bool along13 = GeometricQuadDiagonal(c, h) == 1;
    const std::array<size_t, 6> order =
        along13 ? std::array<size_t, 6>{0, 1, 2, 0, 2, 3} : std::array<size_t, 6>{1, 2, 3, 1, 3, 0};
    PaneVolumeResult sum;
    for (size_t t = 0; t < 6; t += 3) {
        const size_t i = order[t], j = order[t + 1], k = order[t + 2];
        Accumulate(sum, GeometricTriangleVolumes({c[i], c[j], c[k]}, {h[i], h[j], h[k]}));
    }
    return sum;
}
