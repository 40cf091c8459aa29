// Plan test of a point against a region bounded by straight and arc
// segments. Pure computation on coordinates.
#pragma once

#include <span>
#include <vector>

#include "acge.h"

// One boundary segment from start to end. bulge = tan(sweep / 4): 0 a straight
// segment, positive an arc turning counter-clockwise, negative clockwise.
struct PlanSegment {
    AcGePoint2d start;
    AcGePoint2d end;
    double bulge = 0.0;
};

// The closed boundary through the corners (a repeated first corner at the end
// is dropped), with bulges[i] for the segment leaving corner i (missing: 0).
std::vector<PlanSegment> PlanBoundary(std::span<const AcGePoint2d> corners,
                                      std::span<const double> bulges = {});

// True when the point lies inside the region or on its boundary. A point
// within the coordinates' own rounding of the boundary counts as on it, so a
// point computed on an edge (a midpoint of two corners, say) is inside. The
// test is made on coordinates relative to the first corner.
bool PointInPlanRegion(const AcGePoint2d& point, std::span<const PlanSegment> boundary);

// Distance below which a point cannot be told from a point of the boundary:
// a few units in the last place of the largest coordinate involved.
double PlanRoundingTolerance(const AcGePoint2d& point, std::span<const PlanSegment> boundary);
