// Plan geometry of pane corners (x, y; z is ignored unless a name says "space").
#pragma once

#include "acge.h"

// Distance between two corners in the plan.
double PlanDistance(const AcGePoint3d& p, const AcGePoint3d& q);

// Area of a triangle from its three side lengths (Heron's formula), in the
// numerically stable arrangement for sorted sides a >= b >= c:
//   s = 1/4 · sqrt((a + (b + c)) · (c − (a − b)) · (c + (a − b)) · (a + (b − c))).
// 0 when one side is longer than half the perimeter (no triangle).
double HeronArea(double a, double b, double c);

// Heron area of the triangle p, q, r in the plan.
double PlanHeronArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r);

// Area of the triangle p, q, r in the plan as half the cross product of its
// sides from p. The sides are differences of nearby coordinates, so the area
// is exact to the rounding of the coordinates, also at survey coordinates and
// for triangles of nearly no area.
double PlanCrossArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r);

// True when the triangle's plan area is zero within the rounding of its
// coordinates: its corners lie on one line (two of them may share a plan
// point) up to the coordinates' own rounding. Such a triangle has no area and
// no volume, whatever its heights.
bool IsFlatInPlan(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r);

// The plan area the triangle formulas use: Heron's formula, and exactly 0 for
// a triangle flat in the plan, where Heron's formula leaves rounding.
double TriangleFormulaArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r);

// Heron area of the triangle p, q, r in space.
double SpaceHeronArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r);

// Distance, from a corner of height hFrom, to the zero line toward an edge
// neighbour of height hToward on the other side, along an edge of length
// `length`: length · hFrom / (hFrom + hToward), with magnitudes hFrom, hToward.
// 0 when the denominator is 0.
double ZeroDistance(double length, double hFrom, double hToward);

// Point at `fraction` of the way from p to q (in space).
AcGePoint3d Interpolate(const AcGePoint3d& p, const AcGePoint3d& q, double fraction);
