// Neighbour search of the corner elevations: the elevation points that the
// layer elevations of one pane corner are interpolated from.
//
// Rules, in order:
//  1. exact hit: the first point whose plan distance to the corner is below
//     kExactHitDistance is the only neighbour;
//  2. fewer than kSectorCount points: all of them, in list order;
//  3. octant search: for sector s = 0 ... 7 the nearest point whose direction
//     from the corner lies in sector s (ties: the earlier point); a point is
//     taken at most once. "Nearest" is the distance from the corner at z = 0
//     to the point's stored position, z included, as stored values were
//     always computed; directions are plan directions;
//  4. top-up: while fewer than kMinimumNeighbours were taken, the nearest
//     untaken point of the lowest sector that still has one.
// Points without any elevation, or with a coordinate that is not finite, can
// give no value and are treated as absent from the list.
#pragma once

#include <vector>

#include "ElevationPoint.h"

inline constexpr int kSectorCount = 8;
inline constexpr int kMinimumNeighbours = 3;

// A point this close to a corner in plan stands on it; survey points are not
// placed closer than a hundredth of a millimetre to each other.
inline constexpr double kExactHitDistance = 0.00001;

// Degrees to radians as stored corner values were always computed: a little
// below pi/180, so every sector bound s * 45 degrees (s >= 1) lies about
// s * 1.3e-8 rad short of the true multiple of pi/4. A direction of exactly
// 45 degrees therefore lies in the higher sector only.
inline constexpr double kDegreeToRadian = 0.017453292222222222;

// Lower bound of sector s in radians: s * 45 degrees with kDegreeToRadian.
// Sector s spans [SectorBound(s), SectorBound(s + 1)], both bounds included,
// except that the last sector reaches up to 2 pi: the eight bounds end about
// 1.1e-7 rad short of 2 pi and a direction in that sliver belongs to sector 7.
double SectorBound(int sector);

// Direction of the plan vector (dx, dy): atan2 measured counter-clockwise from
// +x, moved into [0, 2 pi] by adding 2 pi to a negative angle.
double DirectionAngle(double dx, double dy);

// The sectors a direction lies in: `first` (-1 for none, which only a NaN
// direction has) and, when the direction is exactly the upper bound of
// `first`, the next sector too.
struct SectorMembership {
    int first = -1;
    bool alsoNext = false;
};
SectorMembership SectorsOfDirection(double angle);

// True when the point can take part in the search (see above).
bool IsUsableElevationPoint(const MLAYERELEDATA& point);

// Indices into sitePoints of the chosen neighbours, in selection order. The
// corner's z is ignored (the corner lies at z = 0). One pass over the list per
// corner, plus one more per top-up pick; the list is neither copied nor changed.
std::vector<int> SelectNeighbourIndices(const ElevationPointList& sitePoints,
                                        const AcGePoint3d& corner);

// Copies of the chosen neighbours in selection order; false when none was found.
bool SelectNeighbours(const ElevationPointList& sitePoints, const AcGePoint3d& corner,
                      ElevationPointList& neighbours);
