#include "CornerInterpolation.h"

#include <cassert>
#include <cmath>

#include "NeighbourSearch.h"

namespace {

double PlanDistance(const AcGePoint3d& a, const AcGePoint3d& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Elevation of layer k (from 0) of a point, or its last one when it has fewer.
double LayerOrLast(const MLAYERELEDATA& point, size_t layer) {
    const std::vector<double>& e = point.elevations;
    return layer < e.size() ? e[layer] : e.back();
}

}  // namespace

std::vector<double> InverseDistanceMean(const ElevationPointList& neighbours,
                                        const AcGePoint3d& corner) {
    assert(!neighbours.empty());
    if (neighbours.size() == 1) return neighbours.front().elevations;

    std::vector<double> distances;
    double sum = 0.0;
    for (const MLAYERELEDATA& n : neighbours) {
        assert(!n.elevations.empty());
        distances.push_back(PlanDistance(corner, n.position));
        sum += distances.back();
    }
    const double mean = sum / static_cast<double>(neighbours.size());
    double inverseSum = 0.0;
    for (double d : distances) inverseSum += 1.0 / (d / mean);

    std::vector<double> values(neighbours.front().elevations.size(), 0.0);
    for (size_t k = 0; k < values.size(); ++k)
        for (size_t j = 0; j < neighbours.size(); ++j)
            values[k] += LayerOrLast(neighbours[j], k) / ((distances[j] / mean) * inverseSum);
    return values;
}

bool InterpolateCorner(const ElevationPointList& sitePoints, const AcGePoint3d& corner,
                       std::vector<double>& values) {
    values.clear();
    const AcGePoint3d flat(corner.x, corner.y, 0.0);
    ElevationPointList neighbours;
    if (!SelectNeighbours(sitePoints, flat, neighbours)) return false;
    values = InverseDistanceMean(neighbours, flat);
    return true;
}

bool InterpolateCorner(const NeighbourIndex& index, const ElevationPointList& sitePoints,
                       const AcGePoint3d& corner, std::vector<double>& values) {
    values.clear();
    const AcGePoint3d flat(corner.x, corner.y, 0.0);
    ElevationPointList neighbours;
    if (!SelectNeighbours(index, sitePoints, flat, neighbours)) return false;
    values = InverseDistanceMean(neighbours, flat);
    return true;
}
