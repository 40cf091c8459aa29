// Elevation points: collecting them, keeping those inside a site, look-ups.
#include "ElevationPoints.h"

#include "DataTestSupport.h"

namespace {

using PointsTest = SiteDrawingTest;

TEST_F(PointsTest, CollectsPointsOfTheConfiguredLayerAndWritesTheDefaultBack) {
    AcDbObjectId a = addPoint({1, 2, 0}, {10});
    add(std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 1.0),
        L"多层标高");
    addPoint({3, 4, 0}, {9}, L"其他");
    AcDbObjectId b = addPoint({5, 6, 0}, {8, 7});
    AcDbObjectId gone = addPoint({7, 8, 0}, {1});
    erase(gone);
    ASSERT_EQ(setting(L"MLayerELeLayer"), L"");
    AcDbObjectIdArray points;
    ASSERT_TRUE(CollectElevationPoints(points));
    EXPECT_EQ(Ids(points), (std::vector<AcDbObjectId>{a, b}));
    EXPECT_EQ(setting(L"MLayerELeLayer"), L"多层标高");

    setSetting(L"MLayerELeLayer", L"空层");
    EXPECT_FALSE(CollectElevationPoints(points));
    EXPECT_TRUE(points.isEmpty());
    EXPECT_EQ(setting(L"MLayerELeLayer"), L"空层");
}

TEST_F(PointsTest, OnlyElevationPointsAreElevationPoints) {
    AcDbObjectId point = addPoint({0, 0, 0}, {});
    AcDbObjectId line = add(std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(IsElevationPoint(point));
    EXPECT_FALSE(IsElevationPoint(line));
    EXPECT_FALSE(IsElevationPoint(AcDbObjectId()));
}

TEST_F(PointsTest, RecordCopiesPositionAndLayers) {
    AcDbObjectId point = addPoint({1.5, -2, 3}, {10, 8.5, 7});
    MLAYERELEDATA record;
    ASSERT_TRUE(ReadElevationPoint(point, record));
    EXPECT_EQ(record.position, AcGePoint3d(1.5, -2, 3));
    EXPECT_EQ(record.elevations, (std::vector<double>{10, 8.5, 7}));
    AcDbObjectId line = add(std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    EXPECT_FALSE(ReadElevationPoint(line, record));
}

// Survey coordinates: at X = 3.5e6 a test on absolute coordinates loses the
// digits that decide points 10 nanometres from an edge.
TEST_F(PointsTest, FilterKeepsPointsInsideTheSiteAtSurveyCoordinates) {
    const double x0 = 3500000.123, y0 = 500000.456;
    // A quadrilateral with a slanted edge from (x0 + 100, y0) to (x0 + 130, y0 + 90).
    AcDbObjectId site =
        addSite({{x0, y0}, {x0 + 100, y0}, {x0 + 130, y0 + 90}, {x0, y0 + 90}}, L"1");
    // Unit normal of the slanted edge, pointing out of the site.
    const double len = std::hypot(30.0, 90.0);
    const AcGeVector3d out(90.0 / len, -30.0 / len, 0.0);
    const AcGePoint3d onEdge(x0 + 115, y0 + 45, 0);
    const double d = 1e-8;
    struct Case {
        AcGePoint3d position;
        bool kept;
    };
    const Case cases[] = {
        {onEdge - out * d, true},           {onEdge + out * d, false},
        {{x0 + 50, y0 + 45, 12.0}, true},   {{x0 - d, y0 + 45, 0}, false},
        {{x0 + 50, y0 + 90 + d, 0}, false}, {{x0 + 50, y0 + d, 0}, true},
    };
    AcDbObjectIdArray points;
    std::vector<AcDbObjectId> expected;
    for (const Case& c : cases) {
        AcDbObjectId id = addPoint(c.position, {1});
        points.append(id);
        if (c.kept) expected.push_back(id);
    }
    AcDbObjectId line = add(
        std::make_unique<AcDbLine>(AcGePoint3d(x0 + 1, y0 + 1, 0), AcGePoint3d(x0 + 2, y0 + 2, 0)));
    points.append(line);  // not a point: left out
    ASSERT_TRUE(FilterPointsInField(site, points));
    EXPECT_EQ(Ids(points), expected);
}

TEST_F(PointsTest, FilterFollowsArcEdgesOfTheOutline) {
    // The edge from (10, 0) to (10, 10) bulges out to x = 15.
    AcDbObjectId site =
        addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, L"场区", true, {0.0, 1.0, 0.0, 0.0});
    AcDbObjectId inBulge = addPoint({13, 5, 0}, {1});
    AcDbObjectId beyond = addPoint({16, 5, 0}, {1});
    AcDbObjectIdArray points;
    points.append(beyond);
    points.append(inBulge);
    ASSERT_TRUE(FilterPointsInField(site, points));
    EXPECT_EQ(Ids(points), (std::vector<AcDbObjectId>{inBulge}));
}

TEST_F(PointsTest, AnOutlineWithoutVerticesLeavesTheListAlone) {
    AcDbObjectId circle =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 5.0));
    AcDbObjectIdArray points;
    points.append(addPoint({100, 100, 0}, {1}));
    EXPECT_FALSE(FilterPointsInField(circle, points));
    EXPECT_EQ(points.length(), 1);
}

TEST(FindPointInList, FirstPointCloserThanATenthOfAMillimetre) {
    AcGePoint3dArray list;
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 0), AcGePoint3d(5, 5, 0), AcGePoint3d(5, 5, 0)})
        list.append(p);
    const std::pair<AcGePoint3d, int> cases[] = {
        {{5, 5, 0}, 1},       {{5.00009, 5, 0}, 1}, {{5.00011, 5, 0}, -1},
        {{0, 0, 0.00005}, 0}, {{1, 1, 0}, -1},
    };
    for (const auto& [point, index] : cases) EXPECT_EQ(FindPointInList(point, list), index);
    EXPECT_EQ(FindPointInList({0, 0, 0}, AcGePoint3dArray()), -1);
}

}  // namespace
