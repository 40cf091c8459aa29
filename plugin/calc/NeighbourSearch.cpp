#include "NeighbourSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Offsets whose angle to an axis or a diagonal exceeds this (as a ratio of
// the larger component) lie inside one octant far from any sector bound: the
// bounds sit at most 1.1e-7 rad below the octant lines and atan2 is accurate
// to about 1e-15 rad, so a margin of 1e-6 (at least 5e-7 rad) decides the
// sector without atan2 and always as atan2 with the bounds would.
constexpr double kOctantMargin = 1e-6;

// A point reached by the search: its distance to the corner and its index.
struct Candidate {
    double distance = 0.0;
    int index = -1;
};

// True when a should be taken rather than b: nearer, or as near and earlier.
bool Precedes(const Candidate& a, const Candidate& b) {
    if (a.index < 0) return false;
    if (b.index < 0) return true;
    return a.distance < b.distance || (a.distance == b.distance && a.index < b.index);
}

// The sectors of the plan offset (dx, dy), without atan2 where the offset is
// clearly inside one octant; elsewhere exactly as SectorsOfDirection.
SectorMembership SectorsOfOffset(double dx, double dy) {
    const double ax = std::fabs(dx);
    const double ay = std::fabs(dy);
    const double margin = kOctantMargin * std::max(ax, ay);
    const bool clear =
        std::min(ax, ay) > margin && std::fabs(ax - ay) > margin && std::isfinite(margin);
    if (!clear) return SectorsOfDirection(DirectionAngle(dx, dy));
    int octant;
    if (dy > 0)
        octant = dx > 0 ? (ax > ay ? 0 : 1) : (ay > ax ? 2 : 3);
    else
        octant = dx < 0 ? (ax > ay ? 4 : 5) : (ay > ax ? 6 : 7);
    return {octant, false};
}

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

// Result of the pass over the list that every corner needs.
struct FirstPass {
    int exactHit = -1;
    std::vector<int> firstUsable;                                   // up to kSectorCount indices
    std::array<Candidate, kSectorCount> nearest{};                  // by first sector
    std::array<std::vector<Candidate>, kSectorCount> onUpperBound;  // also in the next sector
};

void ConsiderForSectors(FirstPass& pass, const AcGePoint3d& corner, const MLAYERELEDATA& point,
                        int index) {
    const SectorMembership sectors =
        SectorsOfOffset(point.position.x - corner.x, point.position.y - corner.y);
    if (sectors.first < 0) return;
    const Candidate candidate{corner.distanceTo(point.position), index};
    if (Precedes(candidate, pass.nearest[sectors.first])) pass.nearest[sectors.first] = candidate;
    if (sectors.alsoNext) pass.onUpperBound[sectors.first].push_back(candidate);
}

bool IsExactHit(const AcGePoint3d& corner, const AcGePoint3d& position) {
    const double dx = position.x - corner.x;
    const double dy = position.y - corner.y;
    // The plan distance is at least each component, so most points skip the root.
    if (std::fabs(dx) >= kExactHitDistance || std::fabs(dy) >= kExactHitDistance) return false;
    return std::sqrt(dx * dx + dy * dy) < kExactHitDistance;
}

FirstPass ScanPoints(const ElevationPointList& points, const AcGePoint3d& corner) {
    FirstPass pass;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const MLAYERELEDATA& point = points[static_cast<size_t>(i)];
        if (!IsUsableElevationPoint(point)) continue;
        if (IsExactHit(corner, point.position)) {
            pass.exactHit = i;
            return pass;
        }
        if (pass.firstUsable.size() < kSectorCount) pass.firstUsable.push_back(i);
        ConsiderForSectors(pass, corner, point, i);
    }
    return pass;
}

// Step 3: sector s offers its nearest point of first sector s and the points
// on the bound it shares with sector s - 1 that that sector did not take.
std::vector<int> PickPerSector(const FirstPass& pass) {
    std::vector<int> taken;
    for (int s = 0; s < kSectorCount; ++s) {
        Candidate best = pass.nearest[s];
        if (s > 0)
            for (const Candidate& shared : pass.onUpperBound[s - 1])
                if (!IsTaken(taken, shared.index) && Precedes(shared, best)) best = shared;
        if (best.index >= 0) taken.push_back(best.index);
    }
    return taken;
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
    std::vector<int> taken = PickPerSector(pass);
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
