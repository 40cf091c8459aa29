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

// The octant of an offset clearly inside one, by the three bits
// (dy > 0, dx > 0, |dx| > |dy|) read as a number.
inline constexpr std::array<int, kSectorCount> kOctantBySigns = {5, 4, 6, 7, 2, 3, 1, 0};

// The octant of the plan offset (dx, dy) when it lies clearly inside one,
// else -1. Without branches: offsets fall in the octants at random.
inline int ClearOctant(double dx, double dy) {
    const double ax = std::fabs(dx);
    const double ay = std::fabs(dy);
    const double margin = kOctantMargin * (ax > ay ? ax : ay);
    const bool clear =
        ((ax < ay ? ax : ay) > margin) & (std::fabs(ax - ay) > margin) & std::isfinite(margin);
    const int octant =
        kOctantBySigns[static_cast<size_t>((dy > 0) << 2 | (dx > 0) << 1 | (ax > ay))];
    return clear ? octant : -1;
}

// The sectors of the plan offset (dx, dy), without atan2 where the offset is
// clearly inside one octant; elsewhere exactly as SectorsOfDirection.
inline SectorMembership SectorsOfOffset(double dx, double dy) {
    const int octant = ClearOctant(dx, dy);
    if (octant < 0) return SectorsOfDirection(DirectionAngle(dx, dy));
    return {octant, false};
}

// True when the position stands on the corner (plan distance below
// kExactHitDistance), from the plan offset or from the two points.
inline bool IsExactHitOffset(double dx, double dy) {
    // The plan distance is at least each component, so most points skip the root.
    if (std::fabs(dx) >= kExactHitDistance || std::fabs(dy) >= kExactHitDistance) return false;
    return std::sqrt(dx * dx + dy * dy) < kExactHitDistance;
}

inline bool IsExactHit(const AcGePoint3d& corner, const AcGePoint3d& position) {
    return IsExactHitOffset(position.x - corner.x, position.y - corner.y);
}

// The first two of the points offered, in the order of Precedes.
using FirstTwo = std::array<Candidate, 2>;

inline void Offer(FirstTwo& firstTwo, const Candidate& candidate) {
    if (Precedes(candidate, firstTwo[0])) {
        firstTwo[1] = firstTwo[0];
        firstTwo[0] = candidate;
    } else if (Precedes(candidate, firstTwo[1])) {
        firstTwo[1] = candidate;
    }
}

// What visiting the points gathers for the per-sector picks. Of the points on
// the bound shared by sectors s and s + 1 only the first two matter: at most
// one of them is taken before sector s + 1 picks, sector s's own nearest (no
// point lies in a sector below its first one), and sector s + 1 considers the
// first one left.
struct Visit {
    std::array<Candidate, kSectorCount> nearest{};      // by first sector
    std::array<FirstTwo, kSectorCount> onUpperBound{};  // also in the next sector
};

// Offers the point (not an exact hit) to the sectors its direction lies in.
inline void Consider(Visit& visit, const AcGePoint3d& corner, const AcGePoint3d& position,
                     int index) {
    const SectorMembership sectors = SectorsOfOffset(position.x - corner.x, position.y - corner.y);
    if (sectors.first < 0) return;
    const Candidate candidate{corner.distanceTo(position), index};
    if (Precedes(candidate, visit.nearest[sectors.first])) visit.nearest[sectors.first] = candidate;
    if (sectors.alsoNext) Offer(visit.onUpperBound[sectors.first], candidate);
}

// Step 3: sector s takes its nearest point of first sector s or, when nearer,
// a point on the bound it shares with sector s - 1 that that sector did not take.
std::vector<int> PickPerSector(const Visit& visit);

}  // namespace sector_pass
