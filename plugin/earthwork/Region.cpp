#include "Region.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace {

struct Vec {
    double x;
    double y;
};

Vec Relative(const AcGePoint2d& p, const AcGePoint2d& origin) {
    return {p.x - origin.x, p.y - origin.y};
}

// Twice the signed area of the triangle o, p, q (positive when counter-clockwise).
double Cross(const Vec& o, const Vec& p, const Vec& q) {
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
}

double Length(const Vec& p, const Vec& q) { return std::hypot(q.x - p.x, q.y - p.y); }

// Distance from point p to the segment a-b.
double SegmentDistance(const Vec& p, const Vec& a, const Vec& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0.0 ? 0.0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

std::vector<Vec> RelativeCorners(std::span<const AcGePoint2d> region) {
    std::vector<Vec> corners;
    corners.reserve(region.size());
    for (const AcGePoint2d& p : region) corners.push_back(Relative(p, region[0]));
    return corners;
}

// Twice the signed area of a polygon (shoelace, relative corners).
double SignedArea2(const std::vector<Vec>& corners) {
    double sum = 0.0;
    for (size_t i = 0; i < corners.size(); ++i) {
        const Vec& p = corners[i];
        const Vec& q = corners[(i + 1) % corners.size()];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum;
}

bool OnBoundary(const Vec& p, const std::vector<Vec>& corners, double tolerance) {
    for (size_t i = 0; i < corners.size(); ++i)
        if (SegmentDistance(p, corners[i], corners[(i + 1) % corners.size()]) <= tolerance)
            return true;
    return false;
}

// Even-odd crossing test of a horizontal ray to the right of p.
bool CrossingInside(const Vec& p, const std::vector<Vec>& corners) {
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Vec& a = corners[i];
        const Vec& b = corners[j];
        if ((a.y > p.y) == (b.y > p.y)) continue;
        const double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
        if (p.x < xCross) inside = !inside;
    }
    return inside;
}

// True when q lies inside triangle a, b, c with a margin of more than
// `tolerance` from each of its sides; `orientation` is the sign of its area.
bool StrictlyInside(const Vec& q, const Vec& a, const Vec& b, const Vec& c, double orientation,
                    double tolerance) {
    const Vec* v[3] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
        const Vec& from = *v[k];
        const Vec& to = *v[(k + 1) % 3];
        const double side = Length(from, to);
        if (orientation * Cross(from, to, q) <= tolerance * side) return false;
    }
    return true;
}

// True when q lies on side a-b or side b-c (within `tolerance`) anywhere but
// at one of a, b, c. Such a corner is where a pane touches itself: cutting
// the triangle off would leave the rest of the pane crossing itself. A
// corner on the new side a-c does not block, so collinear corners of a
// convex pane keep their triangles.
bool OnTriangleSide(const Vec& q, const Vec& a, const Vec& b, const Vec& c, double tolerance) {
    for (const Vec* corner : {&a, &b, &c})
        if (Length(q, *corner) <= tolerance) return false;
    return SegmentDistance(q, a, b) <= tolerance || SegmentDistance(q, b, c) <= tolerance;
}

}  // namespace

double RoundingTolerance(std::span<const AcGePoint2d> corners) {
    double largest = 0.0;
    for (const AcGePoint2d& p : corners)
        largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)});
    // 16 units of the relative rounding of the largest coordinate: corners
    // computed by intersecting lines at survey coordinates are off their
    // ideal lines by a few units in the last place.
    return 16.0 * DBL_EPSILON * std::max(largest, 1.0);
}

int JudgePointInRegion(const AcGePoint2d& point, std::span<const AcGePoint2d> region) {
    if (region.size() < 3) return 0;
    const std::vector<Vec> corners = RelativeCorners(region);
    const Vec p = Relative(point, region[0]);
    const AcGePoint2d all[2] = {point, region[0]};
    const double tolerance = std::max(RoundingTolerance(region), RoundingTolerance(all));
    if (OnBoundary(p, corners, tolerance)) return 1;
    return CrossingInside(p, corners) ? 1 : 0;
}

bool IsLeadingEar(std::span<const AcGePoint2d> region) {
    if (region.size() < 3) return false;
    const std::vector<Vec> corners = RelativeCorners(region);
    const double tolerance = RoundingTolerance(region);
    const Vec& a = corners[0];
    const Vec& b = corners[1];
    const Vec& c = corners[2];
    for (size_t i = 3; i < corners.size(); ++i)
        if (OnTriangleSide(corners[i], a, b, c, tolerance)) return false;
    const double turn = Cross(a, b, c);
    // Corner 2 within rounding of the line 1-3 counts as collinear.
    if (std::fabs(turn) <= tolerance * Length(a, c)) return true;
    const double orientation = SignedArea2(corners);
    if (turn * orientation < 0.0) return false;
    const double sign = turn > 0.0 ? 1.0 : -1.0;
    for (size_t i = 3; i < corners.size(); ++i)
        if (StrictlyInside(corners[i], a, b, c, sign, tolerance)) return false;
    return true;
}
