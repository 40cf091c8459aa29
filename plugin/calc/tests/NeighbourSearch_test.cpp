#include "NeighbourSearch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "NeighbourIndex.h"
#include "ReferenceNeighbourSearch.h"

namespace {

constexpr double kPi = std::numbers::pi;

MLAYERELEDATA At(double x, double y, double z = 0.0) { return {{x, y, z}, {1.0}}; }

ElevationPointList Points(std::initializer_list<std::pair<double, double>> xy) {
    ElevationPointList points;
    for (const auto& [x, y] : xy) points.push_back(At(x, y));
    return points;
}

// A point whose direction from the corner is exactly the double
// SectorBound(s), so that it lies in sectors s - 1 and s. Varies the radius
// until the rounded offset gives the bound itself (most radii do).
AcGePoint3d OnBound(int s, double radius, const AcGePoint3d& corner = {0, 0, 0}) {
    const double bound = SectorBound(s);
    AcGePoint3d p;
    for (int k = 0; k < 10000; ++k) {
        const double r = radius * (1.0 + 1e-4 * k);
        p.set(corner.x + r * std::cos(bound), corner.y + r * std::sin(bound), 0.0);
        if (DirectionAngle(p.x - corner.x, p.y - corner.y) == bound) break;
    }
    return p;
}

TEST(SectorsOfDirection, BoundsAndTheSliverBelowTwoPi) {
    struct Case {
        const char* name;
        double angle;
        int first;
        bool alsoNext;
    } cases[] = {
        {"zero", 0.0, 0, false},
        {"negative zero", -0.0, 0, false},
        {"exact 45 degrees", kPi / 4, 1, false},
        {"bound of sector 1", SectorBound(1), 0, true},
        {"just above the bound", std::nextafter(SectorBound(1), 1.0), 1, false},
        {"exact 90 degrees", kPi / 2, 2, false},
        {"bound of sector 7", SectorBound(7), 6, true},
        {"top bound", SectorBound(8), 7, false},
        {"sliver", 2 * kPi - 1e-8, 7, false},
        {"two pi", 2 * kPi, 7, false},
        {"nan", std::nan(""), -1, false},
    };
    for (const Case& c : cases) {
        const SectorMembership m = SectorsOfDirection(c.angle);
        EXPECT_EQ(m.first, c.first) << c.name;
        EXPECT_EQ(m.alsoNext, c.alsoNext) << c.name;
    }
    EXPECT_LT(SectorBound(1), kPi / 4);
    EXPECT_LT(SectorBound(8), 2 * kPi);
}

TEST(SectorsOfDirection, DirectionAngleIsInZeroToTwoPi) {
    EXPECT_EQ(DirectionAngle(1, 0), 0.0);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 1), kPi / 2);
    EXPECT_DOUBLE_EQ(DirectionAngle(-1, 0), kPi);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, -1), 1.5 * kPi);
    EXPECT_GT(DirectionAngle(1, -1e-12), SectorBound(8));
}

struct SearchCase {
    const char* name;
    ElevationPointList points;
    AcGePoint3d corner;
    std::vector<int> expected;
};

// Eight or more points unless stated; the corner is at the origin.
std::vector<SearchCase> HandCases() {
    return {
        {"empty list", {}, {0, 0, 0}, {}},
        {"fewer than eight: all in list order",
         Points({{5, 5}, {-1, 0}, {1, 0}, {0, 2}}),
         {0, 0, 0},
         {0, 1, 2, 3}},
        {"exact hit beats everything, first of duplicates",
         Points(
             {{1, 0}, {2, 0}, {3e-6, 0}, {0, 2e-6}, {3e-6, 0}, {-1, 0}, {0, 1}, {0, -1}, {4, 4}}),
         {0, 0, 0},
         {2}},
        {"a point at 1e-5 is no exact hit",
         Points({{1e-5, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}),
         {0, 0, 0},
         {0, 1, 2, 3, 4, 5, 6}},
        {"one per sector in sector order",
         Points({{-2, -1}, {1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {-1, -2}, {1, -2}, {2, -1}}),
         {0, 0, 0},
         {2, 1, 3, 4, 0, 5, 6, 7}},
        {"exactly 45 degrees lies in the higher sector only",
         Points({{1, 1}, {2, 3}, {-1, 3}, {-3, 1}, {-3, -1}, {-1, -3}, {1, -3}, {3, -1}}),
         {0, 0, 0},
         {0, 2, 3, 4, 5, 6, 7}},
        {"all east: nearest, then top-up by distance",
         Points({{9, 1}, {3, 1}, {7, 1}, {5, 1}, {4, 1}, {8, 1}, {6, 1}, {2, 0.5}}),
         {0, 0, 0},
         {7, 1, 4}},
        {"equal distances: the earlier point wins",
         Points({{3, 4}, {4, 3}, {5, 0}, {0, 5}, {-5, 0}, {0, -5}, {3, -4}, {4, -3}, {-4, 3}}),
         {0, 0, 0},
         {1, 0, 3, 8, 4, 5, 7}},
        {"a direction in the sliver below +x is taken by the last sector",
         Points({{1, -1e-9},
                 {1, -0.5},
                 {-2, 0.1},
                 {-2, 0.2},
                 {-2, 0.3},
                 {-2, 0.4},
                 {-2, 0.5},
                 {-2, 0.6}}),
         {0, 0, 0},
         {2, 0, 3}},
        {"two sectors hold everything: top-up from the lower one",
         Points(
             {{1, 0.1}, {2, 0.1}, {3, 0.1}, {-1, 0.1}, {-2, 0.1}, {-3, 0.1}, {-4, 0.1}, {4, 0.1}}),
         {0, 0, 0},
         {0, 3, 1}},
        {"point z counts within a sector, corner z does not",
         {At(1, 0.1, 100), At(2, 0.2, 0), At(-1, 0.1), At(-2, 0.1), At(-3, 0.1), At(-4, 0.1),
          At(-5, 0.1), At(-6, 0.1)},
         {0, 0, 100},
         {1, 2, 0}},
    };
}

TEST(SelectNeighbours, HandPickedLayouts) {
    for (const SearchCase& c : HandCases()) {
        EXPECT_EQ(SelectNeighbourIndices(c.points, c.corner), c.expected) << c.name;
        EXPECT_EQ(reference::SelectNeighbourIndices(c.points, c.corner), c.expected) << c.name;
        EXPECT_EQ(NeighbourIndex(c.points).select(c.corner), c.expected) << c.name;
    }
}

TEST(SelectNeighbours, PointsWithoutElevationsOrFiniteCoordinatesAreAbsent) {
    ElevationPointList points =
        Points({{1, 0.1}, {2, 0.1}, {3, 0.1}, {4, 0.1}, {5, 0.1}, {6, 0.1}, {7, 0.1}, {8, 0.1}});
    points[0].elevations.clear();
    points[1].position.y = std::numeric_limits<double>::quiet_NaN();
    points[2].position.x = std::numeric_limits<double>::infinity();
    points.push_back({{0, 0, 0}, {}});  // would be an exact hit
    // Five usable points remain: fewer than eight, so all of them.
    EXPECT_EQ(SelectNeighbourIndices(points, {0, 0, 0}), (std::vector<int>{3, 4, 5, 6, 7}));
}

TEST(SelectNeighbours, CopiesInSelectionOrder) {
    ElevationPointList points =
        Points({{2, 1}, {1, 2}, {-1, 2}, {-2, 1}, {-2, -1}, {-1, -2}, {1, -2}, {2, -1}});
    for (size_t i = 0; i < points.size(); ++i) points[i].elevations = {double(i), 10.0 + double(i)};
    ElevationPointList neighbours;
    ASSERT_TRUE(SelectNeighbours(points, {0, 0, 0}, neighbours));
    ASSERT_EQ(neighbours.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(neighbours[i].elevations, points[i].elevations);
    EXPECT_FALSE(SelectNeighbours({}, {0, 0, 0}, neighbours));
    EXPECT_TRUE(neighbours.empty());
}

// The picks among points 0, 1 and 2, in selection order.
std::vector<int> FirstThree(const std::vector<int>& picks) {
    std::vector<int> kept;
    for (int i : picks)
        if (i < 3) kept.push_back(i);
    return kept;
}

// A point on the bound shared by sectors s-1 and s is offered to both: taken
// by s-1 when nearest there, otherwise still available to s.
TEST(SelectNeighbours, PointOnASharedBound) {
    for (int s = 1; s < kSectorCount; ++s) {
        const AcGePoint3d b = OnBound(s, 1.0);
        ASSERT_EQ(DirectionAngle(b.x, b.y), SectorBound(s)) << s;
        const double mid = SectorBound(s) - 0.3;    // inside sector s - 1
        const double after = SectorBound(s) + 0.3;  // inside sector s
        ElevationPointList farther = {At(b.x, b.y), At(0.5 * std::cos(mid), 0.5 * std::sin(mid)),
                                      At(2 * std::cos(after), 2 * std::sin(after))};
        ElevationPointList nearer = {At(b.x, b.y), At(3 * std::cos(mid), 3 * std::sin(mid)),
                                     At(2 * std::cos(after), 2 * std::sin(after))};
        for (int k = 0; k < 5; ++k) {  // filler far away in the opposite direction
            const double a = SectorBound(s) + kPi + 0.05 * k;
            farther.push_back(At(50 * std::cos(a), 50 * std::sin(a)));
            nearer.push_back(At(50 * std::cos(a), 50 * std::sin(a)));
        }
        const std::vector<int> a = SelectNeighbourIndices(farther, {0, 0, 0});
        const std::vector<int> c = SelectNeighbourIndices(nearer, {0, 0, 0});
        EXPECT_EQ(a, reference::SelectNeighbourIndices(farther, {0, 0, 0})) << s;
        EXPECT_EQ(c, reference::SelectNeighbourIndices(nearer, {0, 0, 0})) << s;
        // Sector s-1 takes point 1 (nearer than the bound point), sector s the bound point.
        EXPECT_EQ(FirstThree(a), (std::vector<int>{1, 0})) << s;
        // Sector s-1 takes the bound point, sector s falls back to point 2.
        EXPECT_EQ(FirstThree(c), (std::vector<int>{0, 2})) << s;
    }
}

// Random layouts built to hit the hard spots: integer grids (exact diagonals
// and axes, many equal distances), duplicates, points exactly on sector
// bounds or just above them, the sliver below +x, one-sided clusters, exact hits, unusable points.
class LayoutGenerator {
  public:
    explicit LayoutGenerator(unsigned seed) : mRng(seed) {}

    ElevationPointList Make(int count, const AcGePoint3d& corner) {
        ElevationPointList points;
        const int style = Uniform(0, 5);
        for (int i = 0; i < count; ++i) points.push_back(MakePoint(style, corner, points));
        return points;
    }

    AcGePoint3d Corner() { return {double(Uniform(-3, 3)), double(Uniform(-3, 3)), 0.0}; }
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mRng); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(mRng);
    }

  private:
    MLAYERELEDATA MakePoint(int style, const AcGePoint3d& c, const ElevationPointList& sofar) {
        const int kind = Uniform(0, 19);
        if (kind == 0 && !sofar.empty()) return sofar[size_t(Uniform(0, int(sofar.size()) - 1))];
        if (kind == 1) return {OnBound(Uniform(1, 7), double(Uniform(1, 4)), c), {1.0, 2.0}};
        if (kind == 2) return Offset(c, {Real(0.5, 3), -Real(0, 1e-7), 0});
        if (kind == 3) return Offset(c, {Real(-1e-5, 1e-5), Real(-1e-5, 1e-5), 0});
        if (kind == 4) return {{c.x + 1, c.y, 0}, {}};
        if (kind == 5) {  // between a sector bound and the true multiple of 45 degrees above it
            const int s = Uniform(1, 7);
            const double a = SectorBound(s) + Real(0, 1) * (s * kPi / 4 - SectorBound(s));
            const double r = Uniform(1, 4);
            return Offset(c, {r * std::cos(a), r * std::sin(a), 0});
        }
        if (style == 0) return Offset(c, {double(Uniform(-3, 3)), double(Uniform(-3, 3)), 0});
        if (style == 1) return Offset(c, {Real(0.1, 5), Real(0, 0.9) * 0.1, 0});  // all east
        if (style == 2) return Offset(c, {Real(-5, 5), Real(-5, 5), double(Uniform(0, 2))});
        if (style == 3) {  // on the diagonals and axes, at a few distances
            const double a = Uniform(0, 7) * kPi / 4;
            const double r = Uniform(1, 3);
            return Offset(c, {r * std::cos(a), r * std::sin(a), 0});
        }
        return Offset(c, {Real(-1000, 1000), Real(-1000, 1000), 0});
    }

    static MLAYERELEDATA Offset(const AcGePoint3d& c, const AcGePoint3d& d) {
        return {{c.x + d.x, c.y + d.y, d.z}, {1.0, 2.0}};
    }

    std::mt19937 mRng;
};

bool HasPointOnSharedBound(const ElevationPointList& points, const AcGePoint3d& c) {
    for (const MLAYERELEDATA& p : points)
        if (SectorsOfDirection(DirectionAngle(p.position.x - c.x, p.position.y - c.y)).alsoNext)
            return true;
    return false;
}

TEST(SelectNeighbours, AgreesWithTheStraightforwardSearch) {
    LayoutGenerator generator(20240521);
    int withSharedBound = 0;
    for (int round = 0; round < 4000; ++round) {
        const AcGePoint3d corner = generator.Corner();
        const int count = round % 10 == 0 ? generator.Uniform(0, 200) : generator.Uniform(0, 30);
        const ElevationPointList points = generator.Make(count, corner);
        const std::vector<int> fast = SelectNeighbourIndices(points, corner);
        const std::vector<int> slow = reference::SelectNeighbourIndices(points, corner);
        ASSERT_EQ(fast, slow) << "round " << round << " with " << count << " points";
        ASSERT_EQ(NeighbourIndex(points).select(corner), slow) << "index, round " << round;
        if (HasPointOnSharedBound(points, corner)) ++withSharedBound;
    }
    EXPECT_GT(withSharedBound, 1000);  // the hard case is really exercised
}

// Corners away from the points' integer grid, where offsets are not exact.
TEST(SelectNeighbours, AgreesAtArbitraryCorners) {
    LayoutGenerator generator(7);
    for (int round = 0; round < 2000; ++round) {
        const AcGePoint3d corner(generator.Real(-10, 10), generator.Real(-10, 10), 0);
        const ElevationPointList points = generator.Make(generator.Uniform(8, 60), {0.3, -0.7, 0});
        const std::vector<int> slow = reference::SelectNeighbourIndices(points, corner);
        ASSERT_EQ(SelectNeighbourIndices(points, corner), slow) << "round " << round;
        ASSERT_EQ(NeighbourIndex(points).select(corner), slow) << "index, round " << round;
    }
}

// Large sites: survey points in clusters, on one line, and 100,000 spread
// ones; corners inside, between and outside the points. The index is checked
// against the reference on some corners of each and against the single-pass
// search, itself checked against the reference above, on many more.
TEST(NeighbourIndex, AgreesOnLargeSites) {
    std::mt19937 rng(99);
    auto real = [&rng](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto clustered = [&](int count) {
        ElevationPointList points;
        for (int i = 0; i < count; ++i) {
            const double cx = 200.0 * (i % 5), cy = 150.0 * (i % 3);
            points.push_back({{cx + real(-3, 3), cy + real(-3, 3), 0}, {1.0, 2.0}});
        }
        return points;
    };
    auto onALine = [&](int count) {
        ElevationPointList points;
        for (int i = 0; i < count; ++i) {
            const double t = std::round(real(0, 1000));  // repeats and exact diagonals
            points.push_back({{t, 0.5 * t, 0}, {1.0}});
        }
        return points;
    };
    auto spread = [&](int count) {
        ElevationPointList points;
        for (int i = 0; i < count; ++i)
            points.push_back({{real(0, 1000), real(0, 1000), real(0, 1)}, {1.0}});
        return points;
    };
    const struct {
        const char* name;
        ElevationPointList points;
        int checkedByReference;
        int corners;
    } sites[] = {
        {"clusters", clustered(5000), 50, 1000},
        {"one line", onALine(5000), 50, 1000},
        {"100,000 points", spread(100000), 2, 100},
    };
    for (const auto& site : sites) {
        const NeighbourIndex index(site.points);
        for (int k = 0; k < site.corners; ++k) {
            AcGePoint3d corner(std::round(real(-200, 1200)), std::round(real(-200, 1200)), 0);
            if (k % 4 == 0) corner = site.points[size_t(k) % site.points.size()].position;
            const std::vector<int> picks = index.select(corner);
            if (k < site.checkedByReference) {
                ASSERT_EQ(picks, reference::SelectNeighbourIndices(site.points, corner))
                    << site.name << " " << k;
            }
            ASSERT_EQ(picks, SelectNeighbourIndices(site.points, corner)) << site.name << " " << k;
        }
    }
}

}  // namespace
