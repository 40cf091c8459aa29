#include "NeighbourIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "SectorPass.h"

namespace {

using sector_pass::Candidate;
using sector_pass::Precedes;
using Node = NeighbourIndex::Node;

// Points per leaf: few enough that a leaf near the corner costs little, many
// enough that the tree stays shallow; a point costs less than a box.
constexpr int kLeafSize = 16;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr unsigned kAllSectors = (1u << kSectorCount) - 1;
// Above the square of any plan distance that is an exact hit.
constexpr double kExactHitSquared = kExactHitDistance * kExactHitDistance * (1.0 + 1e-9);

// A distance limit as a bound on squares, widened far beyond the rounding of
// squaring and of the root: a square above it has a root above the limit, so
// comparing squares never skips what comparing distances would keep.
double SquaredLimit(double limit) { return limit * limit * (1.0 + 1e-9); }

// The sectors whose wedge from the corner may reach into the box with the
// offsets x0 ... x1, y0 ... y1 from the corner, one bit each. Octant s holds
// the offsets with 0 <= v <= u for its own pair of axes (u, v); the box
// reaches it when v and u can be >= 0 and u can be >= v there, all within a
// margin m: a millionth of the box's offset, which covers the sector bounds
// lying up to 1.1e-7 rad below the octant lines and the rounding of atan2.
// Comparisons only, without branches: where a box lies depends on the corner.
unsigned WedgesReaching(double x0, double x1, double y0, double y1) {
    const double m = 1e-6 * (std::fabs(x0) + std::fabs(x1) + std::fabs(y0) + std::fabs(y1));
    if (!std::isfinite(m)) return kAllSectors;
    // The largest of x, y, -x, -y in the box, widened by the margin.
    const double right = x1 + m, up = y1 + m, left = m - x0, down = m - y0;
    const bool r = right >= 0.0, u = up >= 0.0, l = left >= 0.0, d = down >= 0.0;
    auto bit = [](bool reaches, int s) { return static_cast<unsigned>(reaches) << s; };
    return bit(u & r & (right >= y0), 0) |  // 0 <= y <= x
           bit(r & u & (up >= x0), 1) |     // 0 <= x <= y
           bit(l & u & (up >= -x1), 2) |    // 0 <= -x <= y
           bit(u & l & (left >= y0), 3) |   // 0 <= y <= -x
           bit(d & l & (left >= -y1), 4) |  // 0 <= -y <= -x
           bit(l & d & (down >= -x1), 5) |  // 0 <= -x <= -y
           bit(r & d & (down >= x0), 6) |   // 0 <= x <= -y
           bit(d & r & (right >= -y1), 7);  // 0 <= -y <= x
}

// What a corner sees of a box: the square of its plan distance, and the
// sectors whose wedge may reach into it.
struct BoxView {
    double bound;
    unsigned wedges;
};

// The bound is the square of the offset to the point of the box nearest to
// the corner. Rounding is monotone, so its root never exceeds the computed
// distance of a point in the box, z included.
BoxView View(const Node& n, const AcGePoint3d& c) {
    const double dx = std::min(std::max(c.x, n.minX), n.maxX) - c.x;
    const double dy = std::min(std::max(c.y, n.minY), n.maxY) - c.y;
    const double bound = dx * dx + dy * dy;
    // A box around the corner reaches every wedge.
    if (bound == 0.0) return {bound, kAllSectors};
    return {bound, WedgesReaching(n.minX - c.x, n.maxX - c.x, n.minY - c.y, n.maxY - c.y)};
}

// Depth-first walk, the child on the corner's side of the split first.
// enter(view) is asked when a node comes up and says whether to go into it;
// leaf(node) takes the points of an entered leaf.
template <typename Enter, typename Leaf>
void Walk(const std::vector<Node>& nodes, const AcGePoint3d& c, Enter enter, Leaf leaf) {
    if (nodes.empty()) return;
    // Each level adds at most one pending node, and the median splits keep
    // the depth below 32 for any count of points an int can hold.
    int stack[64];
    int depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const int at = stack[--depth];
        const Node& n = nodes[static_cast<size_t>(at)];
        if (!enter(View(n, c))) continue;
        if (n.upper < 0) {
            leaf(n);
            continue;
        }
        const bool lowerFirst = (n.alongX ? c.x : c.y) < n.split;
        stack[depth++] = lowerFirst ? n.upper : at + 1;
        stack[depth++] = lowerFirst ? at + 1 : n.upper;
    }
}

// a if first, else b, without a branch: which one it is depends on the point.
Candidate Choose(bool first, const Candidate& a, const Candidate& b) {
    const uint64_t mask = 0 - static_cast<uint64_t>(first);
    const uint64_t distance = (std::bit_cast<uint64_t>(a.distance) & mask) |
                              (std::bit_cast<uint64_t>(b.distance) & ~mask);
    return {std::bit_cast<double>(distance), first ? a.index : b.index};
}

// Steps 1 and 3 for one corner: the exact hit of lowest index and what the
// per-sector picks need. Points fall in the sectors at random, so the common
// path is written without branches that depend on them.
class CornerSearch {
  public:
    explicit CornerSearch(const AcGePoint3d& corner) : mCorner(corner) {
        mNearest.fill(kNone);
        refreshLimits();
    }

    int exactHit() const { return mExactHit; }

    // True when the box may hold an exact hit or a point that comes before
    // the nearest of a sector whose wedge reaches it.
    bool worthEntering(const BoxView& box) const {
        if (box.bound < kExactHitSquared) return true;
        return std::max(mLargestLimit[0][box.wedges & 15u], mLargestLimit[1][box.wedges >> 4]) >=
               box.bound;
    }

    // The point at (x, y, z) with site index `index`.
    void consider(double x, double y, double z, int index) {
        const double dx = x - mCorner.x, dy = y - mCorner.y;
        const double plan = dx * dx + dy * dy;
        // As corner.distanceTo computes it, the corner lying at z = 0.
        const double distance = std::sqrt(plan + z * z);
        const int octant = sector_pass::ClearOctant(dx, dy);
        if (octant < 0 || plan < kExactHitSquared) [[unlikely]] {
            considerSlowly(dx, dy, {distance, index});
            return;
        }
        // Precedes, for a candidate and a nearest that may be kNone.
        Candidate& best = mNearest[static_cast<size_t>(octant)];
        const bool before =
            (distance < best.distance) | ((distance == best.distance) & (index < best.index));
        best = Choose(before, {distance, index}, best);
    }

    // After each leaf: the limit on squares that each sector's nearest sets
    // (SquaredLimit, infinite while it has none); a box beyond it cannot hold
    // a point that comes before that nearest. With an exact hit only other
    // exact hits, of lower index, still matter. Kept as the largest limit of
    // every set of sectors 0-3 and of every set of sectors 4-7, so that a box
    // is decided by two look-ups whatever wedges it reaches.
    void refreshLimits() {
        std::array<double, kSectorCount> limit;
        for (size_t s = 0; s < kSectorCount; ++s)
            limit[s] = mExactHit != INT_MAX ? -1.0 : SquaredLimit(mNearest[s].distance);
        for (size_t half = 0; half < 2; ++half) {
            // The largest limit of every set of the sectors 4 half + {0, 1}, and + {2, 3}.
            const double* l = &limit[4 * half];
            const double low[] = {-kInfinity, l[0], l[1], std::max(l[0], l[1])};
            const double high[] = {-kInfinity, l[2], l[3], std::max(l[2], l[3])};
            for (unsigned set = 0; set < 16; ++set)
                mLargestLimit[half][set] = std::max(low[set & 3u], high[set >> 2]);
        }
    }

    sector_pass::Visit visit() const {
        sector_pass::Visit visit;
        visit.onUpperBound = mOnUpperBound;
        for (size_t s = 0; s < kSectorCount; ++s)
            if (mNearest[s].index != kNone.index) visit.nearest[s] = mNearest[s];
        return visit;
    }

  private:
    // A sector without a point; Precedes puts every candidate before it.
    static constexpr Candidate kNone{kInfinity, INT_MAX};

    // An exact hit, or a point close to a sector bound, possibly on one.
    void considerSlowly(double dx, double dy, const Candidate& candidate) {
        if (sector_pass::IsExactHitOffset(dx, dy)) {
            mExactHit = std::min(mExactHit, candidate.index);
            return;
        }
        const SectorMembership sectors = sector_pass::SectorsOfOffset(dx, dy);
        if (sectors.first < 0) return;
        const auto s = static_cast<size_t>(sectors.first);
        if (sectors.alsoNext) sector_pass::Offer(mOnUpperBound[s], candidate);
        if (Precedes(candidate, mNearest[s])) mNearest[s] = candidate;
    }

    AcGePoint3d mCorner;
    std::array<Candidate, kSectorCount> mNearest;  // by first sector
    std::array<std::array<double, 16>, 2> mLargestLimit;
    std::array<sector_pass::FirstTwo, kSectorCount> mOnUpperBound{};  // as in Visit
    int mExactHit = INT_MAX;
};

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

}  // namespace

NeighbourIndex::NeighbourIndex(const ElevationPointList& sitePoints) : mSitePoints(sitePoints) {
    std::vector<Entry> entries;
    for (int i = 0; i < static_cast<int>(sitePoints.size()); ++i) {
        const MLAYERELEDATA& point = sitePoints[static_cast<size_t>(i)];
        if (!IsUsableElevationPoint(point)) continue;
        mUsable.push_back(i);
        entries.push_back({point.position, i});
    }
    if (entries.empty()) return;
    build(entries, 0, static_cast<int>(entries.size()));
    for (const Entry& entry : entries) {
        mX.push_back(entry.position.x);
        mY.push_back(entry.position.y);
        mZ.push_back(entry.position.z);
        mIndex.push_back(entry.index);
    }
}

// The node of entries[begin, end), which build arranges in the order of the
// leaves.
int NeighbourIndex::build(std::vector<Entry>& entries, int begin, int end) {
    const AcGePoint3d& first = entries[static_cast<size_t>(begin)].position;
    Node node{first.x, first.x, first.y, first.y, begin, end};
    for (int k = begin; k < end; ++k) {
        const AcGePoint3d& p = entries[static_cast<size_t>(k)].position;
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
    std::nth_element(entries.begin() + begin, entries.begin() + middle, entries.begin() + end,
                     [alongX](const Entry& a, const Entry& b) {
                         return alongX ? a.position.x < b.position.x : a.position.y < b.position.y;
                     });
    const int lower = build(entries, begin, middle);  // follows its parent
    const int upper = build(entries, middle, end);
    const Node& low = mNodes[static_cast<size_t>(lower)];
    const Node& high = mNodes[static_cast<size_t>(upper)];
    Node& parent = mNodes[static_cast<size_t>(at)];
    parent.upper = upper;
    parent.alongX = alongX;
    parent.split = alongX ? (low.maxX + high.minX) / 2 : (low.maxY + high.minY) / 2;
    return at;
}

std::vector<int> NeighbourIndex::select(const AcGePoint3d& cornerIn) const {
    const AcGePoint3d c(cornerIn.x, cornerIn.y, 0.0);
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return SelectNeighbourIndices(mSitePoints, c);

    CornerSearch search(c);
    Walk(
        mNodes, c, [&](const BoxView& box) { return search.worthEntering(box); },
        [&, x = mX.data(), y = mY.data(), z = mZ.data(), index = mIndex.data()](const Node& n) {
            for (int i = n.begin; i < n.end; ++i) search.consider(x[i], y[i], z[i], index[i]);
            search.refreshLimits();
        });
    if (search.exactHit() != INT_MAX) return {search.exactHit()};
    if (mUsable.size() < static_cast<size_t>(kSectorCount)) return mUsable;

    std::vector<int> taken = sector_pass::PickPerSector(search.visit());
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
        double limit = kInfinity;
        Walk(
            mNodes, c,
            [&](const BoxView& box) { return !(limit < box.bound) && (box.wedges >> s & 1u) != 0; },
            [&](const Node& n) {
                for (auto i = static_cast<size_t>(n.begin); i < static_cast<size_t>(n.end); ++i) {
                    const double dx = mX[i] - c.x, dy = mY[i] - c.y;
                    if (sector_pass::SectorsOfOffset(dx, dy).first != s ||
                        IsTaken(taken, mIndex[i]))
                        continue;
                    const Candidate candidate{std::sqrt(dx * dx + dy * dy + mZ[i] * mZ[i]),
                                              mIndex[i]};
                    if (!Precedes(candidate, best)) continue;
                    best = candidate;
                    limit = SquaredLimit(best.distance);
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
