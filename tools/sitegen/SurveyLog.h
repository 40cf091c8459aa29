// Survey points of multi-layer elevations that read like a borehole log:
// layer 1 is the ground, each layer below it lies lower by a thickness that
// varies smoothly over the site, and inside one lens the third layer rises
// above the second (a pocket of harder soil), so that the layer pair between
// them has fill where every other pair has cut.
#pragma once

#include <cstdint>
#include <vector>

#include "acge.h"

struct SurveyPoint {
    AcGePoint3d position;            // plan position, z = 0
    std::vector<double> elevations;  // layer 1 first, metres, two decimals
};

// The ground and layer model of one survey.
struct SurveyModel {
    AcGePoint2d reference;        // where the ground has its base elevation
    double groundElevation = 50;  // ground at the reference point
    double slopeX = 0.0;          // ground rise per metre east
    double slopeY = 0.0;          // ground rise per metre north
    AcGePoint2d lensCentre;
    double lensRadius = 0.0;  // 0: no lens
    int layerCount = 4;       // 1 ... 4
};

// Layer elevations at a plan point: the smooth model only (no noise), each
// value before rounding. Layer k + 1 lies below layer k except inside the lens,
// where layer 3 lies up to 2 m above layer 2 at the lens centre.
std::vector<double> ModelElevations(const SurveyModel& model, const AcGePoint2d& at);

// count points spread uniformly over the box [low, high], the model's values
// plus up to ±0.1 m of noise per layer, rounded to centimetres as a survey
// records them. The same seed gives the same points on every platform.
std::vector<SurveyPoint> MakeSurveyPoints(const SurveyModel& model, const AcGePoint2d& low,
                                          const AcGePoint2d& high, int count, std::uint32_t seed);
