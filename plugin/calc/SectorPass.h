// The pieces of the neighbour search that every way of visiting the points
// shares: the sector of an offset, the candidates a visit collects, and the
// per-sector picks made from them (rules in NeighbourSearch.h).
#pragma once

#include <array>
#include <vector>

#include "NeighbourSearch.h"

namespace sector_pass {

// A point reached by the search: its distance to the corner and its index.
struct Candidate {
    double distance = 0.0;
    int index = -1;
};

// True when a should be taken rather than b: nearer, or as near and earlier.
bool Precedes(const Candidate& a, const Candidate& b);

// The sectors of the plan offset (dx, dy), without atan2 where the offset is
// clearly inside one octant; elsewhere exactly as SectorsOfDirection.
SectorMembership SectorsOfOffset(double dx, double dy);

// True when the position stands on the corner (plan distance below
// kExactHitDistance).
bool IsExactHit(const AcGePoint3d& corner, const AcGePoint3d& position);

// What visiting the points gathers for the per-sector picks.
struct Visit {
    std::array<Candidate, kSectorCount> nearest{};                  // by first sector
    std::array<std::vector<Candidate>, kSectorCount> onUpperBound;  // also in the next sector
};

// Offers the point (not an exact hit) to the sectors its direction lies in.
void Consider(Visit& visit, const AcGePoint3d& corner, const AcGePoint3d& position, int index);

// Step 3: sector s takes its nearest point of first sector s or, when nearer,
// a point on the bound it shares with sector s - 1 that that sector did not take.
std::vector<int> PickPerSector(const Visit& visit);

}  // namespace sector_pass
