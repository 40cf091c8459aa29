// The pieces of the neighbour search that every way of visiting the points
// shares: the sector of an offset, the candidates a visit collects, and the
// per-sector picks made from them (rules in NeighbourSearch.h).
#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "NeighbourSearch.h"

namespace sector_pass {

// A point reached by the search: its distance to the corner and its index.
struct Candidate {
    double distance = 0.0;
    int index = -1;
};

// True when a should be taken rather than b: nearer, or as near and earlier.
inline bool Precedes(const Candidate& a, const Candidate& b) {
    if (a.index < 0) return false;
    if (b.index < 0) return true;
    return a.distance < b.distance || (a.distance == b.distance && a.index < b.index);
}

// Offsets whose angle to an axis or a diagonal exceeds this (as a ratio of
// the larger component) lie inside one octant far from any sector bound: the
// bounds sit at most 1.1e-7 rad below the octant lines and atan2 is accurate
// to about 1e-15 rad, so a margin of 1e-6 (at least 5e-7 rad) decides the
// sector without atan2 and always as atan2 with the bounds would.
inline constexpr double kOctantMargin = 1e-6;

// The sectors of the plan offset (dx, dy), without atan2 where the offset is
// clearly inside one octant; elsewhere exactly as SectorsOfDirection.
inline SectorMembership SectorsOfOffset(double dx, double dy) {
    const double ax = std::fabs(dx);
    const double ay = std::fabs(dy);
    const double margin = kOctantMargin * (ax > ay ? ax : ay);
    const bool clear =
        (ax < ay ? ax : ay) > margin && std::fabs(ax - ay) > margin && std::isfinite(margin);
    if (!clear) return SectorsOfDirection(DirectionAngle(dx, dy));
    int octant;
    if (dy > 0)
        octant = dx > 0 ? (ax > ay ? 0 : 1) : (ay > ax ? 2 : 3);
    else
        octant = dx < 0 ? (ax > ay ? 4 : 5) : (ay > ax ? 6 : 7);
    return {octant, false};
}

// True when the position stands on the corner (plan distance below
// kExactHitDistance).
inline bool IsExactHit(const AcGePoint3d& corner, const AcGePoint3d& position) {
    const double dx = position.x - corner.x;
    const double dy = position.y - corner.y;
    // The plan distance is at least each component, so most points skip the root.
    if (std::fabs(dx) >= kExactHitDistance || std::fabs(dy) >= kExactHitDistance) return false;
    return std::sqrt(dx * dx + dy * dy) < kExactHitDistance;
}

// What visiting the points gathers for the per-sector picks.
struct Visit {
    std::array<Candidate, kSectorCount> nearest{};                  // by first sector
    std::array<std::vector<Candidate>, kSectorCount> onUpperBound;  // also in the next sector
};

// Offers the point (not an exact hit) to the sectors its direction lies in.
inline void Consider(Visit& visit, const AcGePoint3d& corner, const AcGePoint3d& position,
                     int index) {
    const SectorMembership sectors = SectorsOfOffset(position.x - corner.x, position.y - corner.y);
    if (sectors.first < 0) return;
    const Candidate candidate{corner.distanceTo(position), index};
    if (Precedes(candidate, visit.nearest[sectors.first])) visit.nearest[sectors.first] = candidate;
    if (sectors.alsoNext) visit.onUpperBound[sectors.first].push_back(candidate);
}

// Step 3: sector s takes its nearest point of first sector s or, when nearer,
// a point on the bound it shares with sector s - 1 that that sector did not take.
std::vector<int> PickPerSector(const Visit& visit);

}  // namespace sector_pass
