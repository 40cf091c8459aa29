#include "SurveyLog.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Thickness of the layer below layer k (k = 1, 2, 3) at local offsets (dx, dy)
// from the reference: topsoil, then clay, then sand, each a gentle wave.
double Thickness(int k, double dx, double dy) {
    switch (k) {
        case 1:
            return 0.9 + 0.5 * std::sin(dx / 53.0 + 1.0);
        case 2:
            return 3.0 + 1.2 * std::cos(dy / 41.0);
        default:
            return 2.0 + 0.8 * std::sin((dx + dy) / 61.0);
    }
}

// How far the lens lifts layer 3: enough to put it 2 m above layer 2 at the
// centre, fading to nothing at the lens radius (a paraboloid).
double LensLift(const SurveyModel& model, const AcGePoint2d& at, double clayThickness) {
    if (model.lensRadius <= 0.0) return 0.0;
    const double r = at.distanceTo(model.lensCentre) / model.lensRadius;
    return r >= 1.0 ? 0.0 : (clayThickness + 2.0) * (1.0 - r * r);
}

// A uniform number in (0, 1) from the raw generator output, which unlike the
// standard distributions is the same on every platform.
double Uniform(std::mt19937& random) { return (random() + 0.5) / 4294967296.0; }

double RoundToCentimetre(double metres) { return std::round(metres * 100.0) / 100.0; }

}  // namespace

std::vector<double> ModelElevations(const SurveyModel& model, const AcGePoint2d& at) {
    const double dx = at.x - model.reference.x;
    const double dy = at.y - model.reference.y;
    std::vector<double> layers;
    layers.push_back(model.groundElevation + model.slopeX * dx + model.slopeY * dy +
                     0.8 * std::sin(dx / 37.0) * std::cos(dy / 29.0));
    for (int k = 1; k < std::clamp(model.layerCount, 1, 4); ++k) {
        double below = layers.back() - Thickness(k, dx, dy);
        if (k == 2) below += LensLift(model, at, Thickness(2, dx, dy));
        layers.push_back(below);
    }
    return layers;
}

std::vector<SurveyPoint> MakeSurveyPoints(const SurveyModel& model, const AcGePoint2d& low,
                                          const AcGePoint2d& high, int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<SurveyPoint> points;
    for (int i = 0; i < count; ++i) {
        const double x = low.x + Uniform(random) * (high.x - low.x);
        const double y = low.y + Uniform(random) * (high.y - low.y);
        SurveyPoint p{AcGePoint3d(RoundToCentimetre(x), RoundToCentimetre(y), 0.0), {}};
        for (double e : ModelElevations(model, {p.position.x, p.position.y}))
            p.elevations.push_back(RoundToCentimetre(e + 0.2 * (Uniform(random) - 0.5)));
        points.push_back(std::move(p));
    }
    return points;
}
