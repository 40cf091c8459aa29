// Polylines, point-in-region tests, curve queries and coordinate systems of
// the base module on a drawing.
#include <cmath>
#include <numbers>

#include "SuiteTestSupport.h"

namespace {

using Polylines = DrawingTest;

TEST_F(Polylines, VerticesAndBulgesInOrderWithoutClosingDuplicate) {
    const AcDbObjectId id = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {0, 0.5, 0, 0});
    AcGePoint3dArray points;
    AcGeDoubleArray bulges;
    ASSERT_NE(ArxPolyline::Arx_TakeAllPLinePtArr(id, points, bulges), 0);
    ASSERT_EQ(points.length(), 4);
    EXPECT_TRUE(points[2].isEqualTo({10, 10, 0}));
    ASSERT_EQ(bulges.length(), 4);
    EXPECT_DOUBLE_EQ(bulges[1], 0.5);
    points.append(AcGePoint3d(99, 99, 0));
    ASSERT_NE(ArxPolyline::Arx_TakeAllPLinePtArr(id, points), 0);
    EXPECT_EQ(points.length(), 4);  // emptied first

    const AcDbObjectId circle =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(), AcGeVector3d::kZAxis, 1.0));
    EXPECT_EQ(ArxPolyline::Arx_TakeAllPLinePtArr(circle, points), 0);
    EXPECT_EQ(points.length(), 0);
}

TEST_F(Polylines, ExtentCornersAndNewClosedPolyline) {
    AcGePoint3dArray points;
    points.append({2, 3, 0});
    points.append({12, 3, 0});
    points.append({12, 9, 0});
    AcGeDoubleArray bulges;
    const AcDbObjectId id = ArxPolyline::Arx_CreateClosePolyine(points, bulges);
    ASSERT_FALSE(id.isNull());
    AcDbPolyline* pl = nullptr;
    ASSERT_EQ(acdbOpenObject(pl, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_EQ(pl->numVerts(), 3u);
    pl->close();
    AcGePoint3d lb, rt;
    ASSERT_NE(ArxPolyline::Arx_getPLinePointOfLBRT(id, lb, rt), 0);
    EXPECT_TRUE(lb.isEqualTo({2, 3, 0}));
    EXPECT_TRUE(rt.isEqualTo({12, 9, 0}));
}

using Regions = DrawingTest;

AcGePoint3dArray Points(std::initializer_list<AcGePoint3d> list) {
    AcGePoint3dArray points;
    for (const AcGePoint3d& p : list) points.append(p);
    return points;
}

struct RegionCase {
    const char* what;
    AcGePoint3d point;
    int inside;
};

TEST_F(Regions, EdgesAndVerticesCountAsInsideForEveryForm) {
    const AcGePoint3dArray square = Points({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}});
    const AcDbObjectId outline = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    AcDbPolyline temporary;
    for (int i = 0; i < square.length(); ++i)
        temporary.addVertexAt(static_cast<unsigned>(i), square[i].convert2d());
    temporary.setClosed(true);
    const RegionCase cases[] = {
        {"inside", {5, 5, 3}, 1},        {"outside", {15, 5, 0}, 0},
        {"edge", {10, 5, 0}, 1},         {"vertex", {0, 10, 0}, 1},
        {"edge midpoint", {5, 0, 0}, 1}, {"just outside", {-1e-6, 5, 0}, 0},
    };
    for (const RegionCase& c : cases) {
        EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion(c.point, square), c.inside) << c.what;
        EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion(c.point, outline), c.inside) << c.what;
        EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegionPL(c.point, square, &temporary), c.inside)
            << c.what;
        EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegionPL(c.point, square, nullptr), c.inside)
            << c.what;
    }
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({1, 1, 0}, Points({{0, 0, 0}, {10, 0, 0}})), 0);
}

TEST_F(Regions, CurvesWithArcsAndCircles) {
    const AcDbObjectId arched =
        addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, {0, 0, 1, 0});
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({5, 14, 0}, arched), 1);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({5, 15, 0}, arched), 1);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({9.5, 14, 0}, arched), 0);
    const AcDbObjectId circle =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 5.0));
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({53, 53, 0}, circle), 1);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({55, 50, 0}, circle), 1);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({54, 54, 0}, circle), 0);
    const AcDbObjectId text = add(std::make_unique<AcDbText>(AcGePoint3d(), L"x"));
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion({0, 0, 0}, text), 0);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgeIsAcDbText(text), 1);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgeIsAcDbText(circle), 0);
}

TEST_F(Regions, RelativeCoordinatesAtSurveyScale) {
    const double e = 3512345.678, n = 4123456.789;
    AcGePoint3dArray outline =
        Points({{e, n, 0}, {e + 40, n, 0}, {e + 40, n + 30, 0}, {e, n + 30, 0}});
    const AcGePoint3d origin = outline[0];
    ArxJudgeClass::Arx_AdjustPointXYCoord(origin, outline);
    EXPECT_TRUE(outline[0].isEqualTo({0, 0, 0}));
    EXPECT_TRUE(outline[2].isEqualTo({40, 30, 0}));
    const AcGePoint3d inside(e + 40 - origin.x, n + 12.5 - origin.y, 0);  // on the right edge
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion(inside, outline), 1);
    // The polygon case of a pane: the midpoint of corners 1 and 3 of the last
    // triangle lies on its closing edge and is inside.
    const AcGePoint3dArray triangle =
        Points({{e + 0.1, n + 0.3, 0}, {e + 20.7, n + 1.9, 0}, {e + 7.3, n + 15.1, 0}});
    const AcGePoint3d mid((triangle[0].x + triangle[2].x) / 2, (triangle[0].y + triangle[2].y) / 2,
                          0);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgePointInRegion(mid, triangle), 1);
}

TEST_F(Regions, ModuleLoadedAsTheHostListsModules) {
    EXPECT_EQ(ArxJudgeClass::Arx_JudgeisModuleLoaded(L"QUARNARXBASE.ARX"),
              0);  // linked, not loaded by the host
    EXPECT_EQ(ArxJudgeClass::Arx_JudgeisModuleLoaded(L""), 0);
    EXPECT_EQ(ArxJudgeClass::Arx_JudgeisModuleLoaded(nullptr), 0);
}

using Curves = DrawingTest;

TEST_F(Curves, EndsClosestPointAndLineIntersections) {
    const AcDbObjectId open = addPolyline({{0, 0}, {10, 0}, {10, 10}}, false);
    AcGePoint3d start, end, closest;
    ASSERT_NE(ArxCurve::Arx_GetCurveSEPoint(open, start, end), 0);
    EXPECT_TRUE(start.isEqualTo({0, 0, 0}));
    EXPECT_TRUE(end.isEqualTo({10, 10, 0}));
    ASSERT_NE(ArxCurve::Arx_getClosestPointTo(open, {5, 3, 0}, closest), 0);
    EXPECT_TRUE(closest.isEqualTo({5, 0, 0}));

    const AcDbObjectId square = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    AcGePoint3dArray points;
    // A short segment inside the square meets nothing; extended it crosses twice.
    EXPECT_EQ(ArxLine::Arx_GetInterOfLineThis({4, 5, 0}, {6, 5, 0}, square, points, 0), 0);
    EXPECT_EQ(ArxLine::Arx_GetInterOfLineThis({4, 5, 0}, {6, 5, 0}, square, points, 1), 2);
    ASSERT_EQ(points.length(), 2);
    EXPECT_NEAR(std::fabs(points[0].x - points[1].x), 10.0, 1e-9);
    EXPECT_EQ(ArxLine::Arx_GetInterOfLineThis({4, 5, 0}, {4, 5, 0}, square, points, 1), 0);
    const AcDbObjectId text = add(std::make_unique<AcDbText>(AcGePoint3d(), L"x"));
    EXPECT_EQ(ArxCurve::Arx_GetCurveSEPoint(text, start, end), 0);
}

using Coordinates = DrawingTest;

TEST_F(Coordinates, UserAndWorldPointsAndTheXAngle) {
    double angle = -1;
    EXPECT_NE(ArxUCS::Arx_getcCoordinateXangle(angle), 0);
    EXPECT_DOUBLE_EQ(angle, 0.0);
    EXPECT_TRUE(ArxTransClass::Arx_UcsToWcsPoint({1, 2, 3}).isEqualTo({1, 2, 3}));
    // A user system moved to (100, 200) and turned a quarter turn.
    ASSERT_TRUE(acedHostSetUcs({100, 200, 0}, {0, 1, 0}, {-1, 0, 0}));
    EXPECT_TRUE(ArxTransClass::Arx_UcsToWcsPoint({1, 2, 0}).isEqualTo({98, 201, 0}));
    EXPECT_TRUE(ArxTransClass::Arx_WcsToUcsPoint({98, 201, 0}).isEqualTo({1, 2, 0}));
    AcGePoint3dArray points;
    points.append({0, 0, 0});
    points.append({1, 0, 0});
    ArxTransClass::Arx_UcsToWcsPoint(points);
    EXPECT_TRUE(points[1].isEqualTo({100, 201, 0}));
    EXPECT_NE(ArxUCS::Arx_getcCoordinateXangle(angle), 0);
    EXPECT_NEAR(angle, std::numbers::pi / 2, 1e-12);
}

}  // namespace
