#include "PlanRegion.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>

namespace {

struct Vec {
    double x;
    double y;
};

Vec Minus(const AcGePoint2d& p, const AcGePoint2d& origin) {
    return {p.x - origin.x, p.y - origin.y};
}

// A segment in coordinates relative to the region's first corner.
struct RelSegment {
    Vec a;
    Vec b;
    double bulge;
};

// Centre, radius, start angle and signed sweep of an arc segment.
struct Arc {
    Vec centre;
    double radius;
    double startAngle;
    double sweep;
};

// The arc of a bulged segment: sweep = 4 atan(bulge); with chord length d and
// left unit normal n of the chord, centre = mid + n * d (1 - bulge^2) / (4 bulge)
// and radius = d (1 + bulge^2) / (4 |bulge|).
Arc ArcOf(const RelSegment& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double d = std::hypot(dx, dy);
    const double k = (1.0 - s.bulge * s.bulge) / (4.0 * s.bulge);
    const Vec centre{(s.a.x + s.b.x) / 2.0 - dy * k, (s.a.y + s.b.y) / 2.0 + dx * k};
    const double radius = d * (1.0 + s.bulge * s.bulge) / (4.0 * std::fabs(s.bulge));
    return {centre, radius, std::atan2(s.a.y - centre.y, s.a.x - centre.x),
            4.0 * std::atan(s.bulge)};
}

double SegmentDistance(const Vec& p, const Vec& a, const Vec& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0.0 ? 0.0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Angle of v measured from `from` in the direction of the sweep, in [0, 2 pi).
double SweptAngle(double angle, double from, double sweep) {
    double delta = sweep >= 0.0 ? angle - from : from - angle;
    delta = std::fmod(delta, 2.0 * std::numbers::pi);
    return delta < 0.0 ? delta + 2.0 * std::numbers::pi : delta;
}

double ArcDistance(const Vec& p, const RelSegment& s) {
    const Arc arc = ArcOf(s);
    const double angle = std::atan2(p.y - arc.centre.y, p.x - arc.centre.x);
    const double endDistance =
        std::min(std::hypot(p.x - s.a.x, p.y - s.a.y), std::hypot(p.x - s.b.x, p.y - s.b.y));
    if (SweptAngle(angle, arc.startAngle, arc.sweep) > std::fabs(arc.sweep)) return endDistance;
    return std::fabs(std::hypot(p.x - arc.centre.x, p.y - arc.centre.y) - arc.radius);
}

bool IsArc(const RelSegment& s) { return s.bulge != 0.0 && (s.a.x != s.b.x || s.a.y != s.b.y); }

double Distance(const Vec& p, const RelSegment& s) {
    return IsArc(s) ? ArcDistance(p, s) : SegmentDistance(p, s.a, s.b);
}

// Crossing of the horizontal ray to the right of p with the edge a-b, by the
// half-open rule (an end exactly at p's height counts on its upper side only).
bool RayCrossesEdge(const Vec& p, const Vec& a, const Vec& b) {
    if ((a.y > p.y) == (b.y > p.y)) return false;
    const double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
    return p.x < xCross;
}

// The same for a piece of arc that is monotone in y, from angle a0 to a1 on
// the arc's circle, with its end points q0 and q1.
bool RayCrossesArcPiece(const Vec& p, const Arc& arc, double a0, double a1, const Vec& q0,
                        const Vec& q1) {
    if ((q0.y > p.y) == (q1.y > p.y)) return false;
    const double dy = p.y - arc.centre.y;
    const double half = std::sqrt(std::max(0.0, arc.radius * arc.radius - dy * dy));
    const bool rightHalf = std::cos((a0 + a1) / 2.0) >= 0.0;
    return p.x < arc.centre.x + (rightHalf ? half : -half);
}

// Splits the arc at its highest and lowest points so that every piece is
// monotone in y, and counts the ray's crossings with the pieces.
int ArcCrossings(const Vec& p, const RelSegment& s) {
    const Arc arc = ArcOf(s);
    std::vector<double> cuts;
    for (double extreme : {std::numbers::pi / 2.0, 3.0 * std::numbers::pi / 2.0}) {
        const double along = SweptAngle(extreme, arc.startAngle, arc.sweep);
        if (along > 0.0 && along < std::fabs(arc.sweep)) cuts.push_back(along);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(std::fabs(arc.sweep));
    const double dir = arc.sweep >= 0.0 ? 1.0 : -1.0;
    int crossings = 0;
    double from = 0.0;
    Vec q0 = s.a;
    for (size_t i = 0; i < cuts.size(); ++i) {
        const double a1 = arc.startAngle + dir * cuts[i];
        const Vec q1 = i + 1 == cuts.size() ? s.b
                                            : Vec{arc.centre.x + arc.radius * std::cos(a1),
                                                  arc.centre.y + arc.radius * std::sin(a1)};
        if (RayCrossesArcPiece(p, arc, arc.startAngle + dir * from, a1, q0, q1)) ++crossings;
        from = cuts[i];
        q0 = q1;
    }
    return crossings;
}

int Crossings(const Vec& p, const RelSegment& s) {
    return IsArc(s) ? ArcCrossings(p, s) : (RayCrossesEdge(p, s.a, s.b) ? 1 : 0);
}

}  // namespace

std::vector<PlanSegment> PlanBoundary(std::span<const AcGePoint2d> corners,
                                      std::span<const double> bulges) {
    size_t n = corners.size();
    if (n > 1 && corners[n - 1].isEqualTo(corners[0])) --n;
    std::vector<PlanSegment> boundary;
    boundary.reserve(n);
    for (size_t i = 0; i < n; ++i)
        boundary.push_back({corners[i], corners[(i + 1) % n], i < bulges.size() ? bulges[i] : 0.0});
    return boundary;
}

double PlanRoundingTolerance(const AcGePoint2d& point, std::span<const PlanSegment> boundary) {
    double largest = std::max(std::fabs(point.x), std::fabs(point.y));
    for (const PlanSegment& s : boundary)
        largest = std::max({largest, std::fabs(s.start.x), std::fabs(s.start.y), std::fabs(s.end.x),
                            std::fabs(s.end.y)});
    // A point computed from corners (a midpoint, a projection) carries an error
    // of a few units in the last place of the largest coordinate; 16 of them
    // keep such a point on the edge it was computed on, and at survey
    // coordinates (4e6) that is still only 1.5e-8 drawing units.
    return 16.0 * DBL_EPSILON * largest;
}

bool PointInPlanRegion(const AcGePoint2d& point, std::span<const PlanSegment> boundary) {
    if (boundary.size() < 2) return false;
    const AcGePoint2d origin = boundary[0].start;
    const double tolerance = PlanRoundingTolerance(point, boundary);
    const Vec p = Minus(point, origin);
    int crossings = 0;
    for (const PlanSegment& seg : boundary) {
        const RelSegment s{Minus(seg.start, origin), Minus(seg.end, origin), seg.bulge};
        if (Distance(p, s) <= tolerance) return true;
        crossings += Crossings(p, s);
    }
    return crossings % 2 == 1;
}
