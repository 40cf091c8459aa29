// The neighbour search of NeighbourSearch.h through a spatial index of the
// site's points, built once per site: the same neighbours, in the same order,
// for every corner, at a cost that depends on the points around the corner
// rather than on all points of the site.
#pragma once

#include <vector>

#include "ElevationPoint.h"
#include "NeighbourSearch.h"
#include "SectorPass.h"

// A k-d tree over the usable points of a site. Each corner walks the tree
// depth first, the child on its side of a split first, and skips a box when
// no point in it can be an exact hit or come before what every sector it
// reaches already holds: its plan distance bound (which never exceeds the
// distance of any point inside) is not below that sector's nearest, or its
// box lies outside the sector's wedge. The top-up searches the sectors in
// turn the same way.
class NeighbourIndex {
  public:
    // The list must outlive the index and stay unchanged.
    explicit NeighbourIndex(const ElevationPointList& sitePoints);

    // Exactly SelectNeighbourIndices(sitePoints, corner).
    std::vector<int> select(const AcGePoint3d& corner) const;

    // A box of the tree and its points, mX[begin] ... mX[end - 1]. The lower
    // child of an inner node follows it; the tree is stored depth first.
    struct Node {
        double minX, maxX, minY, maxY;
        int begin, end;
        int upper = -1;       // -1 for a leaf
        bool alongX = false;  // children split at x = split (else at y = split)
        double split = 0.0;
    };

  private:
    // A usable point while the tree is built.
    struct Entry {
        AcGePoint3d position;
        int index;  // in the site list
    };
    int build(std::vector<Entry>& entries, int begin, int end);
    // Step 4, one pick: the nearest untaken point of the lowest sector holding one.
    sector_pass::Candidate topUpPick(const AcGePoint3d& corner,
                                     const std::vector<int>& taken) const;

    const ElevationPointList& mSitePoints;
    std::vector<Node> mNodes;
    // The usable points in the order of the leaves, a coordinate per array so
    // that a leaf is a few cache lines; mIndex is the point's site index.
    std::vector<double> mX, mY, mZ;
    std::vector<int> mIndex;
    std::vector<int> mUsable;  // indices of the usable points, in list order
};

// Copies of the chosen neighbours in selection order; false when none was found.
bool SelectNeighbours(const NeighbourIndex& index, const ElevationPointList& sitePoints,
                      const AcGePoint3d& corner, ElevationPointList& neighbours);
