#include "CornerInterpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "NeighbourSearch.h"
#include "ReferenceNeighbourSearch.h"

namespace {

MLAYERELEDATA Point(double x, double y, std::vector<double> elevations, double z = 0.0) {
    return {{x, y, z}, std::move(elevations)};
}

struct InterpolationCase {
    const char* name;
    ElevationPointList points;
    AcGePoint3d corner;
    bool ok;
    std::vector<double> expected;
};

std::vector<InterpolationCase> Cases() {
    return {
        {"no point", {}, {0, 0, 0}, false, {}},
        {"only points without elevations", {Point(1, 1, {})}, {0, 0, 0}, false, {}},
        {"one point gives its values unchanged",
         {Point(10, 20, {5.5, 4.25, 3.0})},
         {-7, 3, 0},
         true,
         {5.5, 4.25, 3.0}},
        {"two points at equal distance: the mean",
         {Point(-1, 0, {10, 20}), Point(1, 0, {20, 40})},
         {0, 0, 0},
         true,
         {15, 30}},
        {"weights follow the inverse distance",
         {Point(1, 0, {8}), Point(-3, 0, {4})},
         {0, 0, 0},
         true,
         {7}},  // weights 3/4 and 1/4
        {"point and corner z do not matter",
         {Point(1, 0, {8}, 50), Point(-3, 0, {4}, -9)},
         {0, 0, 12},
         true,
         {7}},
        {"layer count of the first neighbour; a shorter one lends its last value",
         {Point(1, 0, {8, 6}), Point(-3, 0, {4})},
         {0, 0, 0},
         true,
         {7, 5.5}},
        {"a longer later neighbour is cut to the first one's layers",
         {Point(1, 0, {8}), Point(-3, 0, {4, 0, 0})},
         {0, 0, 0},
         true,
         {7}},
        {"an exact hit takes that point alone",
         {Point(5, 0, {1}), Point(0, 5, {2}), Point(-5, 0, {3}), Point(0, -5, {4}),
          Point(3, 3, {5}), Point(-3, 3, {6}), Point(-3, -3, {7}), Point(3, -3, {8}),
          Point(0.000001, 0, {42, 41})},
         {0, 0, 0},
         true,
         {42, 41}},
    };
}

TEST(InterpolateCorner, Layouts) {
    for (const InterpolationCase& c : Cases()) {
        std::vector<double> values{99.0};
        EXPECT_EQ(InterpolateCorner(c.points, c.corner, values), c.ok) << c.name;
        ASSERT_EQ(values.size(), c.expected.size()) << c.name;
        for (size_t k = 0; k < values.size(); ++k)
            EXPECT_NEAR(values[k], c.expected[k], 1e-12) << c.name;
    }
}

// Eight points east of the corner: the first sector gives the nearest one and
// the top-up the next two, so the value is weighted over three points.
TEST(InterpolateCorner, AllPointsOnOneSideUseTheThreeNearest) {
    ElevationPointList points;
    for (int i = 8; i >= 1; --i) points.push_back(Point(i, 0.1, {double(i)}));
    std::vector<double> values;
    ASSERT_TRUE(InterpolateCorner(points, {0, 0, 0}, values));
    const double d[3] = {std::hypot(1, 0.1), std::hypot(2, 0.1), std::hypot(3, 0.1)};
    const double w = 1 / d[0] + 1 / d[1] + 1 / d[2];
    EXPECT_NEAR(values.at(0), (1 / d[0] + 2 / d[1] + 3 / d[2]) / w, 1e-12);
}

// Values stored in drawings came from sum_j e_jk / ((d_j / D) * T); the
// result must match that sequence bit for bit, not merely to rounding.
double StoredFormula(const ElevationPointList& n, const AcGePoint3d& c, size_t k) {
    std::vector<double> d;
    double sum = 0.0;
    for (const MLAYERELEDATA& p : n) {
        d.push_back(std::sqrt((p.position.x - c.x) * (p.position.x - c.x) +
                              (p.position.y - c.y) * (p.position.y - c.y)));
        sum += d.back();
    }
    const double mean = sum / double(n.size());
    double t = 0.0;
    for (double dj : d) t += 1.0 / (dj / mean);
    double value = 0.0;
    for (size_t j = 0; j < n.size(); ++j) {
        const std::vector<double>& e = n[j].elevations;
        value += (k < e.size() ? e[k] : e.back()) / ((d[j] / mean) * t);
    }
    return value;
}

TEST(InterpolateCorner, ReproducesTheStoredFormulaExactly) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> coordinate(-500.0, 500.0), elevation(80.0, 120.0);
    std::uniform_int_distribution<int> count(1, 40), layers(1, 5);
    for (int round = 0; round < 500; ++round) {
        ElevationPointList points;
        for (int i = count(rng); i > 0; --i) {
            std::vector<double> e(size_t(layers(rng)));
            for (double& v : e) v = elevation(rng);
            points.push_back(Point(coordinate(rng), coordinate(rng), e));
        }
        const AcGePoint3d corner(coordinate(rng), coordinate(rng), 0.0);
        ElevationPointList neighbours;
        for (int i : reference::SelectNeighbourIndices(points, corner))
            neighbours.push_back(points[size_t(i)]);
        std::vector<double> values;
        ASSERT_TRUE(InterpolateCorner(points, corner, values));
        ASSERT_EQ(values.size(), neighbours.front().elevations.size());
        for (size_t k = 0; k < values.size(); ++k) {
            if (neighbours.size() == 1)
                EXPECT_EQ(values[k], neighbours[0].elevations[k]);
            else
                EXPECT_EQ(values[k], StoredFormula(neighbours, corner, k)) << round;
        }
    }
}

// The weights sum to one, so equal layer values everywhere come back unchanged
// (to rounding) and every value lies within its neighbours' range.
TEST(InterpolateCorner, ValuesStayWithinTheNeighboursRange) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coordinate(-50.0, 50.0), elevation(0.0, 10.0);
    for (int round = 0; round < 300; ++round) {
        ElevationPointList points;
        double low = 1e300, high = -1e300;
        for (int i = 0; i < 12; ++i) {
            const double e = elevation(rng);
            low = std::min(low, e);
            high = std::max(high, e);
            points.push_back(Point(coordinate(rng), coordinate(rng), {e, 7.0}));
        }
        std::vector<double> values;
        ASSERT_TRUE(InterpolateCorner(points, {coordinate(rng), coordinate(rng), 0}, values));
        EXPECT_GE(values[0], low - 1e-9);
        EXPECT_LE(values[0], high + 1e-9);
        EXPECT_NEAR(values[1], 7.0, 1e-12);
    }
}

}  // namespace
