#include "FieldLabel.h"

#include <cmath>
#include <numbers>

#include "ArxHelpers.h"

namespace {

// Two plan directions closer than this (radians) are the same ray from the
// centre: well above the rounding of atan2 on drawing coordinates.
constexpr double kSameDirection = 0.0001;

AcGePoint3d Flat(const AcGePoint3d& p) { return {p.x, p.y, 0.0}; }

double PlanAngle(const AcGePoint3d& from, const AcGePoint3d& to) {
    return std::atan2(to.y - from.y, to.x - from.x);
}

// Difference of two angles brought into [-pi, pi], so that directions on
// either side of the negative x axis (atan2 near +pi and -pi) compare as close.
double AngleBetween(double a, double b) { return std::remainder(a - b, 2.0 * std::numbers::pi); }

// The crossing of the outline farthest from the centre on the ray from the
// centre through the nearest outline point; the nearest point when no
// crossing lies beyond it on that ray.
AcGePoint3d FarthestOnRay(const AcGePoint3d& centre, const AcGePoint3d& nearest,
                          const AcGePoint3dArray& crossings) {
    AcGePoint3d farthest = nearest;
    double distance = centre.distanceTo(nearest);
    const double direction = PlanAngle(centre, nearest);
    for (int i = 0; i < crossings.length(); ++i) {
        const AcGePoint3d x = Flat(crossings[i]);
        if (x.isEqualTo(nearest)) continue;
        if (std::abs(AngleBetween(PlanAngle(centre, x), direction)) < kSameDirection &&
            centre.distanceTo(x) > distance) {
            farthest = x;
            distance = centre.distanceTo(x);
        }
    }
    return farthest;
}

}  // namespace

bool GetFieldLabelPoint(AcDbObjectId outline, AcGePoint3d& point) {
    AcGePoint3d low, high;
    if (ArxEntity::Arx_GetEntityExtent(outline, low, high) == 0) {
        AcGePoint3d end;
        return ArxCurve::Arx_GetCurveSEPoint(outline, point, end) != 0;
    }
    const AcGePoint3d centre((low.x + high.x) / 2.0, (low.y + high.y) / 2.0, 0.0);
    AcGePoint3d nearest;
    AcGePoint3dArray crossings;
    if (ArxJudgeClass::Arx_JudgePointInRegion(centre, outline) != 0 ||
        ArxCurve::Arx_getClosestPointTo(outline, centre, nearest) == 0 ||
        ArxLine::Arx_GetInterOfLineThis(centre, Flat(nearest), outline, crossings, 1) == 0) {
        point = centre;
        return true;
    }
    nearest = Flat(nearest);
    const AcGePoint3d farthest = FarthestOnRay(centre, nearest, crossings);
    point.x = (nearest.x + farthest.x) / 2.0;
    point.y = (nearest.y + farthest.y) / 2.0;
    return true;
}
