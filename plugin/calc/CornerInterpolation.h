// Layer elevations at one pane corner, interpolated from the site's
// multi-layer elevation points.
#pragma once

#include <vector>

#include "ElevationPoint.h"
#include "NeighbourIndex.h"

// Inverse-distance mean of the neighbours' layer elevations at the corner
// (plan distances; z is ignored on both sides). With d_j the plan distance of
// neighbour j, D the mean of the d_j over the N neighbours and
// T = sum_j 1 / (d_j / D):
//     value_k = sum_j e_jk / ((d_j / D) * T),   k = 1 ... L,
// which is sum_j w_j e_jk with w_j = (1/d_j) / sum_i (1/d_i): weights
// proportional to the inverse distance, summing to 1. The terms are formed in
// exactly this order so that values stored in drawings are reproduced to the
// last bit. L is the layer count of the first neighbour; a neighbour with
// fewer layers lends its last elevation to the missing ones. A single
// neighbour gives its own elevations unchanged.
// Every neighbour must have at least one elevation and lie away from the
// corner (the neighbour search guarantees both).
std::vector<double> InverseDistanceMean(const ElevationPointList& neighbours,
                                        const AcGePoint3d& corner);

// The layer elevations at the corner from the site points: neighbour search,
// then InverseDistanceMean. False (and values empty) when the site has no
// usable point.
bool InterpolateCorner(const ElevationPointList& sitePoints, const AcGePoint3d& corner,
                       std::vector<double>& values);

// The same through the site's neighbour index (built over sitePoints).
bool InterpolateCorner(const NeighbourIndex& index, const ElevationPointList& sitePoints,
                       const AcGePoint3d& corner, std::vector<double>& values);
