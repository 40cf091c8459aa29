#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "ArxHelpers.h"
#include "Region.h"

namespace {

AcGePoint3dArray Array(const std::vector<AcGePoint2d>& corners) {
    AcGePoint3dArray points;
    for (const AcGePoint2d& c : corners) points.append(AcGePoint3d(c.x, c.y, 0));
    return points;
}

// Cuts triangles off a polygon pane as the polygon volumes do: while three or
// more corners remain, the triangle of corners 1, 2, 3 is taken when the
// midpoint of corners 1 and 3 is in the region, else the corners turn.
int TrianglesTaken(std::vector<AcGePoint2d> corners) {
    int taken = 0;
    for (int moves = 0; corners.size() >= 3 && moves < 51;) {
        const AcGePoint3d mid((corners[0].x + corners[2].x) / 2, (corners[0].y + corners[2].y) / 2,
                              0);
        if (ArxJudgeClass::Arx_JudgePointInRegion(mid, Array(corners)) != 0) {
            ++taken;
            corners.erase(corners.begin() + 1);
        } else {
            std::rotate(corners.begin(), corners.begin() + 1, corners.end());
            ++moves;
        }
    }
    return taken;
}

TEST(RegionRule, PolygonPanesAddTheirLastTriangle) {
    const double e = 3512345.678, n = 4123456.789;
    const std::vector<std::vector<AcGePoint2d>> panes = {
        {{e, n}, {e + 10, n}, {e + 12, n + 6}, {e + 5, n + 11}, {e - 2, n + 6}},  // pentagon
        {{e, n},
         {e + 10, n},
         {e + 10, n + 4},
         {e + 6, n + 10},
         {e + 2, n + 10},
         {e, n + 6}},                                  // hexagon
        {{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}},  // concave
    };
    for (const auto& pane : panes)
        EXPECT_EQ(TrianglesTaken(pane), static_cast<int>(pane.size()) - 2);
}

TEST(RegionRule, SameAnswersAsThePaneGeometry) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> offset(-20.0, 20.0);
    const double e = 3512345.678, n = 4123456.789;
    for (int round = 0; round < 200; ++round) {
        std::vector<AcGePoint2d> corners;
        const int count = 3 + round % 5;
        for (int i = 0; i < count; ++i) {
            const double angle = 2.0 * std::numbers::pi * i / count;
            const double radius = 10.0 + offset(random) / 4.0;
            corners.emplace_back(e + radius * std::cos(angle), n + radius * std::sin(angle));
        }
        std::vector<AcGePoint2d> probes = {{e + offset(random), n + offset(random)}};
        for (int i = 0; i < count; ++i) {
            const AcGePoint2d& a = corners[static_cast<size_t>(i)];
            const AcGePoint2d& b = corners[static_cast<size_t>((i + 1) % count)];
            const AcGePoint2d& c = corners[static_cast<size_t>((i + 2) % count)];
            probes.push_back(a);
            probes.emplace_back((a.x + b.x) / 2, (a.y + b.y) / 2);
            probes.emplace_back((a.x + c.x) / 2, (a.y + c.y) / 2);
        }
        for (const AcGePoint2d& p : probes) {
            const int suite =
                ArxJudgeClass::Arx_JudgePointInRegion(AcGePoint3d(p.x, p.y, 0), Array(corners));
            EXPECT_EQ(suite != 0, JudgePointInRegion(p, corners) != 0) << "round " << round;
        }
    }
}

}  // namespace
