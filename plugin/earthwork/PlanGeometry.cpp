#include "PlanGeometry.h"

#include <algorithm>
#include <cmath>

#include "Region.h"

double PlanDistance(const AcGePoint3d& p, const AcGePoint3d& q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

double HeronArea(double a, double b, double c) {
    if (a < b) std::swap(a, b);
    if (a < c) std::swap(a, c);
    if (b < c) std::swap(b, c);
    const double f1 = a + (b + c);
    const double f2 = c - (a - b);
    const double f3 = c + (a - b);
    const double f4 = a + (b - c);
    if (f2 < 0.0) return 0.0;  // a > b + c: the sides do not close
    return 0.25 * std::sqrt(f1 * f2 * f3 * f4);
}

double PlanHeronArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    return HeronArea(PlanDistance(p, q), PlanDistance(q, r), PlanDistance(r, p));
}

namespace {

// Twice the signed plan area of p, q, r, from p.
double PlanCross(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

}  // namespace

double PlanCrossArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    return 0.5 * std::fabs(PlanCross(p, q, r));
}

bool IsFlatInPlan(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    const double longest = std::max({PlanDistance(p, q), PlanDistance(q, r), PlanDistance(r, p)});
    if (longest == 0.0) return true;
    // The triangle's height over its longest side against the rounding of
    // the coordinates.
    const AcGePoint2d corners[3] = {p.convert2d(), q.convert2d(), r.convert2d()};
    return std::fabs(PlanCross(p, q, r)) / longest <= RoundingTolerance(corners);
}

double TriangleFormulaArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    return IsFlatInPlan(p, q, r) ? 0.0 : PlanHeronArea(p, q, r);
}

double SpaceHeronArea(const AcGePoint3d& p, const AcGePoint3d& q, const AcGePoint3d& r) {
    return HeronArea(p.distanceTo(q), q.distanceTo(r), r.distanceTo(p));
}

double ZeroDistance(double length, double hFrom, double hToward) {
    const double sum = hFrom + hToward;
    return sum == 0.0 ? 0.0 : length * hFrom / sum;
}

AcGePoint3d Interpolate(const AcGePoint3d& p, const AcGePoint3d& q, double fraction) {
    return p + (q - p) * fraction;
}
