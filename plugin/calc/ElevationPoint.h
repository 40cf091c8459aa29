// In-memory copy of one multi-layer elevation point, as the corner
// calculation reads it from the drawing: plan position (with the z the point
// was created with) and the elevation of every layer, layer 1 first.
#pragma once

#include <vector>

#include "acge.h"

struct MLAYERELEDATA {
    AcGePoint3d position;
    std::vector<double> elevations;
};

// The elevation points of one site, in collection order.
using ElevationPointList = std::vector<MLAYERELEDATA>;
