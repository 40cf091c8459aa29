#include "NeighbourIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <limits>

#include "SectorPass.h"

namespace {

using sector_pass::Candidate;
using sector_pass::Precedes;
using Node = NeighbourIndex::Node;

// Points per leaf: few enough that a leaf near the corner costs little, many
// enough that the tree stays shallow.
constexpr int kLeafSize = 8;
constexpr double kExactHitSquared = kExactHitDistance * kExactHitDistance * (1.0 + 1e-9);

// Square of the plan distance from the corner to the box (0 inside it).
// Rounding is monotone, so its root never exceeds the computed distance of a
// point in the box, z included.
double BoxDistanceSquared(const Node& n, const AcGePoint3d& c) {
    const double dx = c.x < n.minX ? n.minX - c.x : (c.x > n.maxX ? c.x - n.maxX : 0.0);
    const double dy = c.y < n.minY ? n.minY - c.y : (c.y > n.maxY ? c.y - n.maxY : 0.0);
    return dx * dx + dy * dy;
}

// A distance limit as a bound on squares, widened far beyond the rounding of
// squaring and of the root: a square above it has a root above the limit, so
// comparing squares never skips what comparing distances would keep.
double SquaredLimit(double limit) { return limit * limit * (1.0 + 1e-9); }

// The sectors whose wedge from the corner may reach into the box, one bit
// each. Octant s holds the offsets with 0 <= v <= u for its own pair of axes
// (u, v); the box reaches it when v can be >= 0 and u can be >= v there. The
// margin, a millionth of the box's offset, covers the sector bounds lying up
// to 1.1e-7 rad below the octant lines and the rounding of atan2.
unsigned WedgesReaching(const Node& n, const AcGePoint3d& c) {
    const double x0 = n.minX - c.x, x1 = n.maxX - c.x;
    const double y0 = n.minY - c.y, y1 = n.maxY - c.y;
    const double m = 1e-6 * (std::fabs(x0) + std::fabs(x1) + std::fabs(y0) + std::fabs(y1));
    if (!std::isfinite(m)) return 0xFFu;
    auto reaches = [m](double uMax, double vMin, double vMax) {
        return static_cast<unsigned>(vMax >= -m && uMax >= std::max(vMin, 0.0) - m);
    };
    return reaches(x1, y0, y1) << 0 |     // 0 <= y <= x
           reaches(y1, x0, x1) << 1 |     // 0 <= x <= y
           reaches(y1, -x1, -x0) << 2 |   // 0 <= -x <= y
           reaches(-x0, y0, y1) << 3 |    // 0 <= y <= -x
           reaches(-x0, -y1, -y0) << 4 |  // 0 <= -y <= -x
           reaches(-y0, -x1, -x0) << 5 |  // 0 <= -x <= -y
           reaches(-y0, x0, x1) << 6 |    // 0 <= x <= -y
           reaches(x1, -y1, -y0) << 7;    // 0 <= -y <= x
}

// The distance each sector's nearest point so far sets (infinite while the
// sector has none): a box whose bound is not below it may still improve it.
// Limits and bounds are kept as squares (SquaredLimit), which spares a root
// per box and per point.
struct SectorLimits {
    std::array<double, kSectorCount> limit;
    double largest;
    double smallest;

    void update(const sector_pass::Visit& visit) {
        largest = 0.0;
        smallest = std::numeric_limits<double>::infinity();
        for (int s = 0; s < kSectorCount; ++s) {
            const Candidate& best = visit.nearest[static_cast<size_t>(s)];
            limit[static_cast<size_t>(s)] = best.index < 0 ? std::numeric_limits<double>::infinity()
                                                           : SquaredLimit(best.distance);
            largest = std::max(largest, limit[static_cast<size_t>(s)]);
            smallest = std::min(smallest, limit[static_cast<size_t>(s)]);
        }
    }
    // True when some sector whose wedge reaches the box may still improve.
    bool worthEntering(const Node& n, const AcGePoint3d& c, double bound) const {
        if (largest < bound) return false;
        // Every box reaches some wedge, so with all sectors open there is
        // nothing to test.
        if (!(smallest < bound)) return true;
        for (unsigned wedges = WedgesReaching(n, c); wedges != 0; wedges &= wedges - 1)
            if (!(limit[static_cast<size_t>(std::countr_zero(wedges))] < bound)) return true;
        return false;
    }
};

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

// Depth-first walk, nearer child first; enter decides on a node from its
// squared distance bound and returns whether to go on into it, leaf takes the points
// of an entered leaf.
template <typename Enter, typename Leaf>
void Walk(const std::vector<Node>& nodes, const AcGePoint3d& c, Enter enter, Leaf leaf) {
    if (nodes.empty()) return;
    int stack[128];  // the tree is balanced: its depth is about log2(points / leaf size)
    int depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const Node& n = nodes[static_cast<size_t>(stack[--depth])];
        if (!enter(n, BoxDistanceSquared(n, c))) continue;
        if (n.lower < 0) {
            leaf(n);
            continue;
        }
        const Node& lower = nodes[static_cast<size_t>(n.lower)];
        const Node& upper = nodes[static_cast<size_t>(n.upper)];
        const bool lowerFirst =
            n.alongX ? c.x - lower.maxX < upper.minX - c.x : c.y - lower.maxY < upper.minY - c.y;
        stack[depth++] = lowerFirst ? n.upper : n.lower;
        stack[depth++] = lowerFirst ? n.lower : n.upper;
    }
}

}  // namespace

NeighbourIndex::NeighbourIndex(const ElevationPointList& sitePoints) : mSitePoints(sitePoints) {
    for (int i = 0; i < static_cast<int>(sitePoints.size()); ++i) {
        const MLAYERELEDATA& point = sitePoints[static_cast<size_t>(i)];
        if (!IsUsableElevationPoint(point)) continue;
        mUsable.push_back(i);
        mPoints.push_back({point.position, i});
    }
    if (!mPoints.empty()) build(0, static_cast<int>(mPoints.size()));
}

int NeighbourIndex::build(int begin, int end) {
    Node node{mPoints[static_cast<size_t>(begin)].position.x,
              mPoints[static_cast<size_t>(begin)].position.x,
              mPoints[static_cast<size_t>(begin)].position.y,
              mPoints[static_cast<size_t>(begin)].position.y,
              begin,
              end};
    for (int i = begin; i < end; ++i) {
        const AcGePoint3d& p = mPoints[static_cast<size_t>(i)].position;
        node.minX = std::min(node.minX, p.x);
        node.maxX = std::max(node.maxX, p.x);
        node.minY = std::min(node.minY, p.y);
        node.maxY = std::max(node.maxY, p.y);
    }
    const int at = static_cast<int>(mNodes.size());
    mNodes.push_back(node);
    if (end - begin <= kLeafSize) return at;
    // Split the longer side at the median; the tree stays balanced whatever
    // the layout (clusters, a line, duplicates).
    const bool alongX = node.maxX - node.minX >= node.maxY - node.minY;
    const int middle = begin + (end - begin) / 2;
    std::nth_element(mPoints.begin() + begin, mPoints.begin() + middle, mPoints.begin() + end,
                     [alongX](const Point& a, const Point& b) {
                         return alongX ? a.position.x < b.position.x : a.position.y < b.position.y;
                     });
    const int lower = build(begin, middle);
    const int upper = build(middle, end);
    mNodes[static_cast<size_t>(at)].alongX = alongX;
    mNodes[static_cast<size_t>(at)].lower = lower;
    mNodes[static_cast<size_t>(at)].upper = upper;
    return at;
}

std::vector<int> NeighbourIndex::select(const AcGePoint3d& cornerIn) const {
    const AcGePoint3d c(cornerIn.x, cornerIn.y, 0.0);
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return SelectNeighbourIndices(mSitePoints, c);

    // Step 1 and the gathering for step 3: a box is entered while it may
    // hold an exact hit or improve a sector whose wedge reaches it.
    int exactHit = INT_MAX;
    sector_pass::Visit visit;
    SectorLimits limits;
    limits.update(visit);
    Walk(
        mNodes, c,
        [&](const Node& n, double bound) {
            return bound < kExactHitSquared || limits.worthEntering(n, c, bound);
        },
        [&](const Node& n) {
            for (int i = n.begin; i < n.end; ++i) {
                const Point& p = mPoints[static_cast<size_t>(i)];
                if (sector_pass::IsExactHit(c, p.position)) {
                    exactHit = std::min(exactHit, p.index);
                    continue;
                }
                // Farther than every sector's nearest: it can neither be
                // nearest nor win a shared bound (the sector it would share
                // holds a nearer point).
                const double dx = p.position.x - c.x, dy = p.position.y - c.y,
                             dz = p.position.z - c.z;
                if (dx * dx + dy * dy + dz * dz > limits.largest) continue;
                sector_pass::Consider(visit, c, p.position, p.index);
            }
            limits.update(visit);
        });
    if (exactHit != INT_MAX) return {exactHit};
    if (mUsable.size() < static_cast<size_t>(kSectorCount)) return mUsable;

    std::vector<int> taken = sector_pass::PickPerSector(visit);
    while (taken.size() < static_cast<size_t>(kMinimumNeighbours)) {
        const Candidate pick = topUpPick(c, taken);
        if (pick.index < 0) break;
        taken.push_back(pick.index);
    }
    return taken;
}

Candidate NeighbourIndex::topUpPick(const AcGePoint3d& c, const std::vector<int>& taken) const {
    // The lowest sector holding an untaken point; a point's lowest sector is
    // its first one.
    for (int s = 0; s < kSectorCount; ++s) {
        Candidate best;
        Walk(
            mNodes, c,
            [&](const Node& n, double bound) {
                if (best.index >= 0 && SquaredLimit(best.distance) < bound) return false;
                return (WedgesReaching(n, c) >> s & 1u) != 0;
            },
            [&](const Node& n) {
                for (int i = n.begin; i < n.end; ++i) {
                    const Point& p = mPoints[static_cast<size_t>(i)];
                    const double dx = p.position.x - c.x, dy = p.position.y - c.y;
                    if (sector_pass::SectorsOfOffset(dx, dy).first != s || IsTaken(taken, p.index))
                        continue;
                    const Candidate candidate{c.distanceTo(p.position), p.index};
                    if (Precedes(candidate, best)) best = candidate;
                }
            });
        if (best.index >= 0) return best;
    }
    return {};
}

bool SelectNeighbours(const NeighbourIndex& index, const ElevationPointList& sitePoints,
                      const AcGePoint3d& corner, ElevationPointList& neighbours) {
    neighbours.clear();
    for (int i : index.select(corner)) neighbours.push_back(sitePoints[static_cast<size_t>(i)]);
    return !neighbours.empty();
}
