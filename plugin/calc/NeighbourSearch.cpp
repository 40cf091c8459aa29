#include "NeighbourSearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "SectorPass.h"

namespace {

using sector_pass::Candidate;
using sector_pass::Precedes;
using sector_pass::SectorsOfOffset;

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

// Result of the pass over the list that every corner needs.
struct FirstPass {
    int exactHit = -1;
    std::vector<int> firstUsable;  // up to kSectorCount indices
    sector_pass::Visit visit;
};

FirstPass ScanPoints(const ElevationPointList& points, const AcGePoint3d& corner) {
    FirstPass pass;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const MLAYERELEDATA& point = points[static_cast<size_t>(i)];
        if (!IsUsableElevationPoint(point)) continue;
        if (sector_pass::IsExactHit(corner, point.position)) {
            pass.exactHit = i;
            return pass;
        }
        if (pass.firstUsable.size() < kSectorCount) pass.firstUsable.push_back(i);
        sector_pass::Consider(pass.visit, corner, point.position, i);
    }
    return pass;
}

// Step 4, one pick: the nearest untaken point of the lowest sector holding
// one. A point's lowest sector is its first one, so only first sectors count.
Candidate TopUpPick(const ElevationPointList& points, const AcGePoint3d& corner,
                    const std::vector<int>& taken) {
    int lowest = kSectorCount;
    Candidate best;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const MLAYERELEDATA& point = points[static_cast<size_t>(i)];
        if (!IsUsableElevationPoint(point) || IsTaken(taken, i)) continue;
        const int sector =
            SectorsOfOffset(point.position.x - corner.x, point.position.y - corner.y).first;
        if (sector < 0 || sector > lowest) continue;
        const Candidate candidate{corner.distanceTo(point.position), i};
        if (sector < lowest || Precedes(candidate, best)) best = candidate;
        lowest = sector;
    }
    return best;
}

}  // namespace

double SectorBound(int sector) { return sector * 45 * kDegreeToRadian; }

double DirectionAngle(double dx, double dy) {
    const double angle = std::atan2(dy, dx);
    return angle < 0.0 ? angle + 2.0 * std::numbers::pi : angle;
}

SectorMembership SectorsOfDirection(double angle) {
    for (int s = 0; s < kSectorCount - 1; ++s) {
        if (angle >= SectorBound(s) && angle <= SectorBound(s + 1))
            return {s, angle == SectorBound(s + 1)};
    }
    if (angle >= SectorBound(kSectorCount - 1)) return {kSectorCount - 1, false};
    return {};
}

bool IsUsableElevationPoint(const MLAYERELEDATA& point) {
    const AcGePoint3d& p = point.position;
    return !point.elevations.empty() && std::isfinite(p.x) && std::isfinite(p.y) &&
           std::isfinite(p.z);
}

std::vector<int> SelectNeighbourIndices(const ElevationPointList& sitePoints,
                                        const AcGePoint3d& corner) {
    const AcGePoint3d flat(corner.x, corner.y, 0.0);
    const FirstPass pass = ScanPoints(sitePoints, flat);
    if (pass.exactHit >= 0) return {pass.exactHit};
    if (pass.firstUsable.size() < kSectorCount) return pass.firstUsable;
    std::vector<int> taken = sector_pass::PickPerSector(pass.visit);
    while (taken.size() < kMinimumNeighbours) {
        const Candidate pick = TopUpPick(sitePoints, flat, taken);
        if (pick.index < 0) break;
        taken.push_back(pick.index);
    }
    return taken;
}

bool SelectNeighbours(const ElevationPointList& sitePoints, const AcGePoint3d& corner,
                      ElevationPointList& neighbours) {
    neighbours.clear();
    for (int index : SelectNeighbourIndices(sitePoints, corner))
        neighbours.push_back(sitePoints[static_cast<size_t>(index)]);
    return !neighbours.empty();
}
