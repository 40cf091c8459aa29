// Plan tests of points against a closed polygon given by its corners (no
// closing duplicate). Every test works on coordinates taken relative to the
// polygon's first corner, so survey coordinates (millions of metres) keep the
// digits that decide them.
#pragma once

#include <span>

#include "acge.h"

// Non-zero when the point lies inside the region or on its boundary. A point
// within the coordinates' own rounding of an edge counts as on it.
int JudgePointInRegion(const AcGePoint2d& point, std::span<const AcGePoint2d> region);

// True when corners 1, 2, 3 of the region form an ear of it: no other corner
// lies on side 1-2 or side 2-3 (other than at corners 1, 2, 3: the region
// touching itself there), the turn at corner 2 is not against the region's
// orientation (three collinear corners are allowed) and no other corner of
// the region lies strictly inside the triangle.
bool IsLeadingEar(std::span<const AcGePoint2d> region);

// Distance below which a point cannot be told from a point on a line through
// these corners: a few units in the last place of the largest coordinate.
double RoundingTolerance(std::span<const AcGePoint2d> corners);
