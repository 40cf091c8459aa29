#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "db_test_support.h"

namespace {

using Points = std::vector<AcGePoint3d>;

std::unique_ptr<AcDbPolyline> polyline(std::initializer_list<std::array<double, 3>> vertices,
                                       bool closed, double elevation = 0.0) {
    auto pl = std::make_unique<AcDbPolyline>();
    unsigned int i = 0;
    for (const auto& v : vertices) pl->addVertexAt(i++, AcGePoint2d(v[0], v[1]), v[2]);
    pl->setClosed(closed);
    pl->setElevation(elevation);
    return pl;
}

std::unique_ptr<AcDbRay> ray(AcGePoint3d base, AcGeVector3d dir) {
    auto r = std::make_unique<AcDbRay>();
    r->setBasePoint(base);
    r->setUnitDir(dir);
    return r;
}

// Sorted by x then y, so that cases can list points in any order.
Points sorted(const AcGePoint3dArray& found) {
    Points p(found.begin(), found.end());
    std::sort(p.begin(), p.end(), [](const AcGePoint3d& a, const AcGePoint3d& b) {
        return std::fabs(a.x - b.x) > 1e-9 ? a.x < b.x : a.y < b.y;
    });
    return p;
}

void expectPoints(const AcGePoint3dArray& found, Points expected, const char* name) {
    std::sort(expected.begin(), expected.end(), [](const AcGePoint3d& a, const AcGePoint3d& b) {
        return std::fabs(a.x - b.x) > 1e-9 ? a.x < b.x : a.y < b.y;
    });
    const Points got = sorted(found);
    ASSERT_EQ(got.size(), expected.size()) << name;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-9) << name << " point " << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-9) << name << " point " << i;
        EXPECT_NEAR(got[i].z, expected[i].z, 1e-9) << name << " point " << i;
    }
}

struct Case {
    const char* name;
    std::function<std::unique_ptr<AcDbEntity>()> mine;
    std::function<std::unique_ptr<AcDbEntity>()> other;
    AcDb::Intersect mode;
    Points expected;
};

const double kRoot2 = std::sqrt(2.0);

TEST(Intersections, CurvesInThePlane) {
    auto square = [] { return polyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true); };
    // A half circle from (0,0) to (10,0) bulging below the chord (bulge 1 turns
    // counter-clockwise), and one bulging above (bulge -1).
    auto below = [] { return polyline({{0, 0, 1}, {10, 0, 0}}, false); };
    auto above = [] { return polyline({{0, 0, -1}, {10, 0, 0}}, false); };
    auto vertical = [](double x, double y0, double y1) {
        return [=] { return std::unique_ptr<AcDbEntity>(new AcDbLine({x, y0, 0}, {x, y1, 0})); };
    };
    const std::vector<Case> cases = {
        {"line across a closed square",
         square,
         vertical(5, -5, 15),
         AcDb::kOnBothOperands,
         {{5, 0, 0}, {5, 10, 0}}},
        {"line ending inside", square, vertical(5, 5, 15), AcDb::kOnBothOperands, {{5, 10, 0}}},
        {"short line extended",
         square,
         vertical(5, 4, 6),
         AcDb::kExtendArg,
         {{5, 0, 0}, {5, 10, 0}}},
        {"short line not extended", square, vertical(5, 4, 6), AcDb::kOnBothOperands, {}},
        {"line through a corner counts once",
         square,
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-1, -1, 0}, {1, 1, 0}));
         },
         AcDb::kOnBothOperands,
         {{0, 0, 0}}},
        {"arc below the chord", below, vertical(5, -10, 10), AcDb::kOnBothOperands, {{5, -5, 0}}},
        {"arc above the chord", above, vertical(5, -10, 10), AcDb::kOnBothOperands, {{5, 5, 0}}},
        {"arc seen twice by a chord-parallel line",
         below,
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-10, -3, 0}, {20, -3, 0}));
         },
         AcDb::kOnBothOperands,
         {{1, -3, 0}, {9, -3, 0}}},
        {"line missing the arc",
         below,
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-10, 3, 0}, {20, 3, 0}));
         },
         AcDb::kOnBothOperands,
         {}},
        {"open end arc extended to its circle",
         below,
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-10, 3, 0}, {20, 3, 0}));
         },
         AcDb::kExtendThis,
         {{1, 3, 0}, {9, 3, 0}}},
        {"tangent line",
         below,
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-10, -5, 0}, {20, -5, 0}));
         },
         AcDb::kOnBothOperands,
         {{5, -5, 0}}},
        {"ray from inside",
         square,
         [] {
             return std::unique_ptr<AcDbEntity>(ray({5, 5, 0}, {1, 1, 0}).release());
         },
         AcDb::kOnBothOperands,
         {{10, 10, 0}}},
        {"ray pointing away",
         square,
         [] {
             return std::unique_ptr<AcDbEntity>(ray({15, 5, 0}, {1, 0, 0}).release());
         },
         AcDb::kOnBothOperands,
         {}},
        {"ray pointing away, extended backwards",
         square,
         [] {
             return std::unique_ptr<AcDbEntity>(ray({15, 5, 0}, {1, 0, 0}).release());
         },
         AcDb::kExtendArg,
         {{0, 5, 0}, {10, 5, 0}}},
        {"two polylines, one crossing at a corner",
         square,
         [] {
             return std::unique_ptr<AcDbEntity>(
                 polyline({{5, 5, 0}, {15, 5, 0}, {5, -5, 0}}, false).release());
         },
         AcDb::kOnBothOperands,
         {{10, 5, 0}, {10, 0, 0}}},
        {"circle and diagonal",
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbCircle({0, 0, 0}, {0, 0, 1}, 2));
         },
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({-5, -5, 0}, {5, 5, 0}));
         },
         AcDb::kOnBothOperands,
         {{kRoot2, kRoot2, 0}, {-kRoot2, -kRoot2, 0}}},
        {"two arcs",
         [] {
             return std::unique_ptr<AcDbEntity>(polyline({{-2, 0, 1}, {2, 0, 0}}, false).release());
         },
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbCircle({2, 0, 0}, {0, 0, 1}, 2));
         },
         AcDb::kOnBothOperands,
         {{1, -std::sqrt(3.0), 0}}},
        {"parallel lines",
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({0, 0, 0}, {10, 0, 0}));
         },
         [] {
             return std::unique_ptr<AcDbEntity>(new AcDbLine({0, 1, 0}, {10, 1, 0}));
         },
         AcDb::kExtendBoth,
         {}},
    };
    for (const Case& c : cases) {
        auto mine = c.mine();
        auto other = c.other();
        AcGePoint3dArray found;
        ASSERT_EQ(mine->intersectWith(other.get(), c.mode, found), Acad::eOk) << c.name;
        expectPoints(found, c.expected, c.name);
    }
}

TEST(Intersections, ExtendingThisOrTheArgumentIsNotTheSame) {
    AcDbLine shortLine({0, 0, 0}, {1, 0, 0});
    AcDbLine crossing({5, -1, 0}, {5, 1, 0});
    AcGePoint3dArray found;
    ASSERT_EQ(shortLine.intersectWith(&crossing, AcDb::kExtendArg, found), Acad::eOk);
    EXPECT_EQ(found.length(), 0);
    ASSERT_EQ(shortLine.intersectWith(&crossing, AcDb::kExtendThis, found), Acad::eOk);
    expectPoints(found, {{5, 0, 0}}, "extend this");
}

TEST(Intersections, SkewLinesMeetOnlyInProjection) {
    // Over each other seen from above, but one runs at height 3.
    AcDbLine low({0, 0, 0}, {10, 0, 0});
    AcDbLine high({5, -5, 3}, {5, 5, 3});
    AcGePoint3dArray found;
    ASSERT_EQ(low.intersectWith(&high, AcDb::kOnBothOperands, found), Acad::eOk);
    EXPECT_EQ(found.length(), 0);
    ASSERT_EQ(low.intersectWith(&high, AcDb::kOnBothOperands, AcGePlane::kXYPlane, found),
              Acad::eOk);
    expectPoints(found, {{5, 0, 0}}, "projected, on this line");
    found.removeAll();
    ASSERT_EQ(high.intersectWith(&low, AcDb::kOnBothOperands, AcGePlane::kXYPlane, found),
              Acad::eOk);
    expectPoints(found, {{5, 0, 3}}, "projected, on the high line");
}

TEST(Intersections, PolylineAtAnElevation) {
    auto pl = polyline({{0, 0, 1}, {4, 0, 0}, {4, 4, 0}}, false, 2.0);
    AcDbLine ground({2, -5, 0}, {2, 5, 0});
    AcGePoint3dArray found;
    ASSERT_EQ(pl->intersectWith(&ground, AcDb::kOnBothOperands, found), Acad::eOk);
    EXPECT_EQ(found.length(), 0) << "the line lies two units below";
    ASSERT_EQ(pl->intersectWith(&ground, AcDb::kOnBothOperands, AcGePlane::kXYPlane, found),
              Acad::eOk);
    expectPoints(found, {{2, -2, 2}}, "projected");
}

TEST(Intersections, ArcsOutOfTheProjectionPlaneAreRefused) {
    auto pl = polyline({{0, 0, 1}, {4, 0, 0}}, false);
    AcDbLine line({2, -5, 0}, {2, 5, 0});
    AcGePoint3dArray found;
    EXPECT_EQ(pl->intersectWith(&line, AcDb::kOnBothOperands, AcGePlane::kYZPlane, found),
              Acad::eNotApplicable);
    AcDbText text;
    EXPECT_EQ(pl->intersectWith(&text, AcDb::kOnBothOperands, found), Acad::eNotApplicable);
}

TEST(Intersections, LargeSurveyCoordinates) {
    // Coordinates of a projected survey grid: the tolerance follows their size.
    const double x0 = 3512345.678, y0 = 412345.125;
    auto pl =
        polyline({{x0, y0, 0}, {x0 + 20, y0, 0}, {x0 + 20, y0 + 20, 0}, {x0, y0 + 20, 0}}, true);
    AcDbLine line({x0 + 10, y0 - 1, 0}, {x0 + 10, y0 + 21, 0});
    AcGePoint3dArray found;
    ASSERT_EQ(pl->intersectWith(&line, AcDb::kOnBothOperands, found), Acad::eOk);
    ASSERT_EQ(found.length(), 2);
}

TEST(Curves, ParametersAndNearestPoints) {
    auto pl = polyline({{0, 0, 0}, {10, 0, 1}, {10, 10, 0}}, false);
    AcGePoint3d p;
    ASSERT_EQ(pl->getPointAtParam(0.5, p), Acad::eOk);
    EXPECT_NEAR(p.x, 5, 1e-9);
    ASSERT_EQ(pl->getPointAtParam(1.5, p), Acad::eOk);  // half way round the arc
    EXPECT_NEAR(p.x, 15, 1e-9);
    EXPECT_NEAR(p.y, 5, 1e-9);
    double param = 0.0;
    ASSERT_EQ(pl->getParamAtPoint({15, 5, 0}, param), Acad::eOk);
    EXPECT_NEAR(param, 1.5, 1e-9);
    EXPECT_EQ(pl->getParamAtPoint({3, 3, 0}, param), Acad::eInvalidInput);
    ASSERT_EQ(pl->getClosestPointTo({20, 5, 0}, p), Acad::eOk);
    EXPECT_NEAR(p.x, 15, 1e-9);
    ASSERT_EQ(pl->getClosestPointTo({-4, 3, 0}, p), Acad::eOk);
    EXPECT_EQ(p, AcGePoint3d(0, 0, 0));
    ASSERT_EQ(pl->getClosestPointTo({-4, 3, 0}, p, true), Acad::eOk);
    EXPECT_EQ(p, AcGePoint3d(-4, 0, 0));
    double dist = 0.0;
    ASSERT_EQ(pl->getDistAtParam(2.0, dist), Acad::eOk);
    EXPECT_NEAR(dist, 10 + 5 * std::numbers::pi, 1e-9);
    AcGePoint3d end;
    ASSERT_EQ(pl->getEndPoint(end), Acad::eOk);
    EXPECT_EQ(end, AcGePoint3d(10, 10, 0));
}

TEST(Curves, PolylineArea) {
    double area = 0.0;
    ASSERT_EQ(polyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true)->getArea(area),
              Acad::eOk);
    EXPECT_NEAR(area, 100, 1e-9);
    // A counter-clockwise square whose bottom edge bulges outwards by a half circle.
    ASSERT_EQ(polyline({{0, 0, 1}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true)->getArea(area),
              Acad::eOk);
    EXPECT_NEAR(area, 100 + 12.5 * std::numbers::pi, 1e-9);
    // The same walked clockwise with the arc bulging inwards.
    ASSERT_EQ(polyline({{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 1}}, true)->getArea(area),
              Acad::eOk);
    EXPECT_NEAR(area, 100 - 12.5 * std::numbers::pi, 1e-9);
}

}  // namespace
