#include "PlanRegion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Case {
    const char* what;
    AcGePoint2d point;
    bool inside;
};

std::vector<PlanSegment> Square(double x0, double y0, double side) {
    const std::vector<AcGePoint2d> corners = {
        {x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
    return PlanBoundary(corners);
}

TEST(PlanRegion, SquareWithEdgesAndCornersInside) {
    const auto square = Square(0, 0, 10);
    const Case cases[] = {
        {"centre", {5, 5}, true},
        {"outside right", {11, 5}, false},
        {"outside below", {5, -0.001}, false},
        {"on bottom edge", {5, 0}, true},
        {"on right edge", {10, 3}, true},
        {"on top edge", {2, 10}, true},
        {"on left edge", {0, 7}, true},
        {"corner 0", {0, 0}, true},
        {"corner 2", {10, 10}, true},
        {"beyond a corner on the edge line", {12, 0}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(PointInPlanRegion(c.point, square), c.inside) << c.what;
}

TEST(PlanRegion, OrientationAndRepeatedFirstCornerDoNotMatter) {
    const std::vector<AcGePoint2d> clockwise = {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
    const auto boundary = PlanBoundary(clockwise);
    EXPECT_EQ(boundary.size(), 4u);
    EXPECT_TRUE(PointInPlanRegion({5, 5}, boundary));
    EXPECT_TRUE(PointInPlanRegion({10, 5}, boundary));
    EXPECT_FALSE(PointInPlanRegion({-5, 5}, boundary));
}

TEST(PlanRegion, ConcavePolygonNotch) {
    // A U shape: the notch between the arms is outside.
    const std::vector<AcGePoint2d> u = {{0, 0}, {9, 0}, {9, 9}, {6, 9},
                                        {6, 3}, {3, 3}, {3, 9}, {0, 9}};
    const auto boundary = PlanBoundary(u);
    EXPECT_TRUE(PointInPlanRegion({1, 8}, boundary));
    EXPECT_TRUE(PointInPlanRegion({8, 8}, boundary));
    EXPECT_FALSE(PointInPlanRegion({4.5, 6}, boundary));
    EXPECT_TRUE(PointInPlanRegion({4.5, 3}, boundary));  // notch floor
    EXPECT_TRUE(PointInPlanRegion({3, 9}, boundary));    // vertex at the ray's height
}

TEST(PlanRegion, MidpointsOfCornersAtSurveyCoordinatesAreOnTheEdge) {
    // A triangle at survey coordinates: the midpoint of its corners 1 and 3 is
    // computed with rounding, yet lies on the closing edge.
    const double e = 3512345.678, n = 4123456.789;
    const std::vector<AcGePoint2d> triangle = {
        {e + 0.1, n + 0.3}, {e + 20.7, n + 1.9}, {e + 7.3, n + 15.1}};
    const auto boundary = PlanBoundary(triangle);
    const AcGePoint2d mid((triangle[0].x + triangle[2].x) / 2, (triangle[0].y + triangle[2].y) / 2);
    EXPECT_TRUE(PointInPlanRegion(mid, boundary));
    EXPECT_FALSE(PointInPlanRegion({mid.x - 0.001, mid.y}, boundary));
    EXPECT_TRUE(PointInPlanRegion({e + 9, n + 5}, boundary));
    EXPECT_LT(PlanRoundingTolerance(mid, boundary), 2e-8);
}

TEST(PlanRegion, ArcSegmentsBoundTheRegion) {
    // A 10 x 10 square whose top edge bulges up into a half circle of radius 5
    // (from (10,10) to (0,10), counter-clockwise).
    const std::vector<AcGePoint2d> corners = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<double> bulges = {0, 0, 1, 0};
    const auto boundary = PlanBoundary(corners, bulges);
    const Case cases[] = {
        {"in the half disc", {5, 14}, true},
        {"above the arc", {5, 15.5}, false},
        {"on the arc top", {5, 15}, true},
        {"beside the arc", {9.5, 14}, false},
        {"in the square", {5, 5}, true},
        {"at the arc's end", {10, 10}, true},
        {"level with the arc's centre", {-1, 10}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(PointInPlanRegion(c.point, boundary), c.inside) << c.what;
}

TEST(PlanRegion, ClockwiseArcBulgesInward) {
    // The same square with the top edge bulging down (negative bulge).
    const std::vector<AcGePoint2d> corners = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<double> bulges = {0, 0, -0.5, 0};
    const auto boundary = PlanBoundary(corners, bulges);
    EXPECT_FALSE(PointInPlanRegion({5, 9}, boundary));
    EXPECT_TRUE(PointInPlanRegion({5, 5}, boundary));
    EXPECT_TRUE(PointInPlanRegion({0.2, 9.5}, boundary));
    EXPECT_FALSE(PointInPlanRegion({0.2, 9.9}, boundary));  // above the arc near its end
}

TEST(PlanRegion, TooFewSegmentsContainNothing) {
    const std::vector<AcGePoint2d> one = {{0, 0}};
    EXPECT_FALSE(PointInPlanRegion({0, 0}, PlanBoundary(one)));
}

}  // namespace
