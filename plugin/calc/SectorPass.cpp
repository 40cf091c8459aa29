#include "SectorPass.h"

#include <algorithm>
#include <cmath>

namespace sector_pass {

namespace {

// Offsets whose angle to an axis or a diagonal exceeds this (as a ratio of
// the larger component) lie inside one octant far from any sector bound: the
// bounds sit at most 1.1e-7 rad below the octant lines and atan2 is accurate
// to about 1e-15 rad, so a margin of 1e-6 (at least 5e-7 rad) decides the
// sector without atan2 and always as atan2 with the bounds would.
constexpr double kOctantMargin = 1e-6;

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

}  // namespace

bool Precedes(const Candidate& a, const Candidate& b) {
    if (a.index < 0) return false;
    if (b.index < 0) return true;
    return a.distance < b.distance || (a.distance == b.distance && a.index < b.index);
}

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

bool IsExactHit(const AcGePoint3d& corner, const AcGePoint3d& position) {
    const double dx = position.x - corner.x;
    const double dy = position.y - corner.y;
    // The plan distance is at least each component, so most points skip the root.
    if (std::fabs(dx) >= kExactHitDistance || std::fabs(dy) >= kExactHitDistance) return false;
    return std::sqrt(dx * dx + dy * dy) < kExactHitDistance;
}

void Consider(Visit& visit, const AcGePoint3d& corner, const AcGePoint3d& position, int index) {
    const SectorMembership sectors = SectorsOfOffset(position.x - corner.x, position.y - corner.y);
    if (sectors.first < 0) return;
    const Candidate candidate{corner.distanceTo(position), index};
    if (Precedes(candidate, visit.nearest[sectors.first])) visit.nearest[sectors.first] = candidate;
    if (sectors.alsoNext) visit.onUpperBound[sectors.first].push_back(candidate);
}

std::vector<int> PickPerSector(const Visit& visit) {
    std::vector<int> taken;
    for (int s = 0; s < kSectorCount; ++s) {
        Candidate best = visit.nearest[s];
        if (s > 0)
            for (const Candidate& shared : visit.onUpperBound[s - 1])
                if (!IsTaken(taken, shared.index) && Precedes(shared, best)) best = shared;
        if (best.index >= 0) taken.push_back(best.index);
    }
    return taken;
}

}  // namespace sector_pass
