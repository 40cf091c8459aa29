#include "GeometricVolumes.h"

#include <gtest/gtest.h>

#include <random>

#include "PaneTestSupport.h"
#include "QuadVolumes.h"
#include "TriangleVolumes.h"

namespace {

using panetest::LinearField;
using panetest::Near;
using panetest::Settings;

const MapSettingsReader kGeometric = Settings({{L"CALTUFTriMODE", L"1"}});

struct Origin {
    double x, y;
};
const Origin kOrigins[] = {{0.0, 0.0}, {3512345.0, 2801234.0}};

std::vector<AcGePoint3d> RandomCorners(std::mt19937& rng, size_t n, const Origin& o) {
    std::uniform_real_distribution<double> coordinate(0.0, 30.0);
    std::vector<AcGePoint3d> p;
    for (size_t k = 0; k < n; ++k)
        p.emplace_back(o.x + coordinate(rng), o.y + coordinate(rng), 0.0);
    return p;
}

// A random linear field over the pane: a sloping second surface at survey
// elevations and a height that crosses zero somewhere near the pane.
void RandomFields(std::mt19937& rng, const Origin& o, LinearField& second, LinearField& height) {
    std::uniform_real_distribution<double> slope(-0.2, 0.2), level(-2.0, 2.0);
    second = {1200.0 + level(rng), slope(rng), slope(rng), o.x, o.y};
    height = {level(rng), slope(rng), slope(rng), o.x + 15.0, o.y + 15.0};
}

void ExpectExact(const PaneVolumeResult& r, const std::vector<AcGePoint3d>& points,
                 const std::vector<double>& h, const std::string& what) {
    const panetest::Volumes exact = panetest::ExactLinearVolumes(points, h);
    const double scale = exact.fill + exact.cut;
    EXPECT_NEAR(r.fill.volume, exact.fill, 1e-9 * std::max(scale, 1.0)) << what;
    EXPECT_NEAR(r.cut.volume, exact.cut, 1e-9 * std::max(scale, 1.0)) << what;
    EXPECT_NEAR(r.fill.area + r.cut.area, panetest::PlanArea(points),
                1e-9 * std::max(panetest::PlanArea(points), 1.0))
        << what;
    EXPECT_TRUE(r.fill.formula.empty() && r.cut.formula.empty() && r.fill.process.empty()) << what;
}

TEST(GeometricVariant, TrianglesAreExactForLinearHeightFields) {
    std::mt19937 rng(1234);
    for (const Origin& o : kOrigins) {
        for (int trial = 0; trial < 400; ++trial) {
            const std::vector<AcGePoint3d> points = RandomCorners(rng, 3, o);
            LinearField second{}, height{};
            RandomFields(rng, o, second, height);
            std::vector<double> h;
            const panetest::Pane pane = panetest::LinearPane(points, second, height, &h);
            const PaneVolumeResult r =
                CalcTriangleVolumes(kGeometric, pane.points, pane.first, pane.second);
            ExpectExact(r, points, h, "triangle " + std::to_string(trial));
        }
    }
}

// Quadrilaterals of every shape: the corners are random, kept when they make
// a simple polygon (convex or not).
bool IsSimpleQuad(const std::vector<AcGePoint3d>& p) {
    auto cross = [](const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c) {
        return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    };
    auto intersect = [&](size_t i, size_t j) {
        const AcGePoint3d &a = p[i], &b = p[(i + 1) % 4], &c = p[j], &d = p[(j + 1) % 4];
        return cross(a, b, c) * cross(a, b, d) < 0 && cross(c, d, a) * cross(c, d, b) < 0;
    };
    return !intersect(0, 2) && !intersect(1, 3);
}

bool IsConvexQuad(const std::vector<AcGePoint3d>& p) {
    int positive = 0;
    for (size_t k = 0; k < 4; ++k) {
        const AcGePoint3d &a = p[k], &b = p[(k + 1) % 4], &c = p[(k + 2) % 4];
        positive += (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) > 0;
    }
    return positive == 0 || positive == 4;
}

TEST(GeometricVariant, QuadrilateralsAreExactForLinearHeightFieldsOfEverySignPattern) {
    std::mt19937 rng(4321);
    int nonConvex = 0;
    for (const Origin& o : kOrigins) {
        for (int trial = 0; trial < 600; ++trial) {
            const std::vector<AcGePoint3d> points = RandomCorners(rng, 4, o);
            if (!IsSimpleQuad(points)) continue;
            LinearField second{}, height{};
            RandomFields(rng, o, second, height);
            std::vector<double> h;
            const panetest::Pane pane = panetest::LinearPane(points, second, height, &h);
            ASSERT_FALSE(IsSquarePane(pane.points));
            nonConvex += !IsConvexQuad(points);
            const PaneVolumeResult r =
                CalcQuadVolumes(kGeometric, pane.points, pane.first, pane.second);
            ExpectExact(r, points, h, "quad " + std::to_string(trial));
        }
    }
    EXPECT_GT(nonConvex, 0);
}

TEST(GeometricVariant, OneSignTriangleIsMeanHeightTimesArea) {
    const std::vector<AcGePoint3d> points = {{0, 0, 0}, {4, 0, 0}, {0, 3, 0}};
    const panetest::Pane pane = panetest::MakePane(points, {-1, -2, -3});
    const PaneVolumeResult r =
        CalcTriangleVolumes(kGeometric, pane.points, pane.first, pane.second);
    EXPECT_NEAR(r.fill.volume, 12.0, 1e-12);
    EXPECT_NEAR(r.fill.area, 6.0, 1e-12);
    EXPECT_EQ(r.cut.volume, 0.0);
}

TEST(GeometricVariant, TetrahedronOfAUnitCorner) {
    EXPECT_NEAR(TetrahedronVolume({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}), 1.0 / 6.0, 1e-15);
    EXPECT_EQ(TetrahedronVolume({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 1}), 0.0);
}

}  // namespace
