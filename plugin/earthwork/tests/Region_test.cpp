#include "Region.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<AcGePoint2d> Shifted(const std::vector<AcGePoint2d>& corners, double dx, double dy) {
    std::vector<AcGePoint2d> out;
    for (const AcGePoint2d& p : corners) out.emplace_back(p.x + dx, p.y + dy);
    return out;
}

// An L of six corners: the square 0..2 with the quarter 1..2 x 1..2 missing.
const std::vector<AcGePoint2d> kL = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};

struct PointCase {
    AcGePoint2d point;
    int inside;
};

TEST(JudgePointInRegion, InsideOutsideAndBoundaryAtSmallAndSurveyCoordinates) {
    const PointCase cases[] = {
        {{0.5, 0.5}, 1}, {{1.5, 0.5}, 1}, {{1.5, 1.5}, 0}, {{3, 3}, 0},
        {{-0.1, 1}, 0},  {{1, 1.5}, 1},   {{1.5, 1}, 1},   {{0, 0}, 1},
        {{2, 0.5}, 1},   {{1, 0}, 1},     {{0.5, 2}, 1},   {{2.0000001, 0.5}, 0},
    };
    for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, std::pair{3500000.0, 2800000.0}}) {
        const std::vector<AcGePoint2d> region = Shifted(kL, dx, dy);
        for (const PointCase& c : cases) {
            const AcGePoint2d p(c.point.x + dx, c.point.y + dy);
            EXPECT_EQ(JudgePointInRegion(p, region), c.inside)
                << c.point.x << "," << c.point.y << " shifted by " << dx;
        }
    }
}

// The midpoint of two corners at survey coordinates, computed in absolute
// coordinates, is off their edge by rounding; it still counts as on it.
TEST(JudgePointInRegion, MidpointOfASurveyEdgeIsOnTheBoundary) {
    const std::vector<AcGePoint2d> triangle = {{3512345.678912, 2801234.567891},
                                               {3512367.123457, 2801240.987654},
                                               {3512350.246802, 2801260.135792}};
    for (size_t i = 0; i < 3; ++i) {
        const AcGePoint2d& a = triangle[i];
        const AcGePoint2d& b = triangle[(i + 1) % 3];
        const AcGePoint2d mid((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
        EXPECT_EQ(JudgePointInRegion(mid, triangle), 1) << i;
    }
}

TEST(JudgePointInRegion, TooFewCornersHoldNothing) {
    const std::vector<AcGePoint2d> segment = {{0, 0}, {1, 0}};
    EXPECT_EQ(JudgePointInRegion({0.5, 0}, segment), 0);
}

struct EarCase {
    std::vector<AcGePoint2d> region;
    bool ear;
    const char* what;
};

TEST(IsLeadingEar, ConvexReflexCoveringCollinearAndTouching) {
    const EarCase cases[] = {
        {kL, true, "convex corner 2 of the L"},
        {{{2, 1}, {1, 1}, {1, 2}, {0, 2}, {0, 0}, {2, 0}}, false, "reflex corner 2"},
        {{{1, 1}, {1, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 1}}, true, "turned list, convex corner"},
        // Corner 2 convex, but the triangle covers corner 5.
        {{{0, 0}, {4, 0}, {4, 4}, {3, 1}, {0, 4}}, false, "triangle covers another corner"},
        {{{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}}, true, "three collinear corners"},
        // The same pane clockwise: orientation is taken from the list.
        {{{0, 0}, {0, 2}, {2, 2}, {2, 0}, {1, -1}}, true, "clockwise convex corner"},
        {{{0, 2}, {1, 1}, {2, 2}, {2, 0}, {0, 0}}, false, "clockwise reflex corner"},
        // A notch whose tip (5, 0) touches the bottom side.
        {{{0, 0}, {10, 0}, {10, 10}, {7, 10}, {5, 0}, {3, 10}, {0, 10}},
         false,
         "another corner on side 1-2"},
        {{{0, 10}, {0, 0}, {10, 0}, {10, 10}, {7, 10}, {5, 0}, {3, 10}},
         false,
         "another corner on side 2-3"},
        {{{0, 0}, {10, 0}, {10, 10}, {5, 5}}, true, "another corner on the new side 1-3"},
    };
    for (const EarCase& c : cases) {
        EXPECT_EQ(IsLeadingEar(c.region), c.ear) << c.what;
        EXPECT_EQ(IsLeadingEar(Shifted(c.region, 3500000.0, 2800000.0)), c.ear)
            << c.what << " at survey coordinates";
    }
}

}  // namespace
