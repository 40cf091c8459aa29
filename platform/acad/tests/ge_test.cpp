#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "acge.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct TransformCase {
    const char* name;
    AcGeMatrix3d matrix;
    AcGePoint3d in;
    AcGePoint3d out;
};

TEST(Matrix, TransformsPointsAsDocumented) {
    const TransformCase cases[] = {
        {"translation", AcGeMatrix3d::translation({1, 2, 3}), {1, 1, 1}, {2, 3, 4}},
        {"quarter turn about z",
         AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis),
         {1, 0, 0},
         {0, 1, 0}},
        {"turn about a centre",
         AcGeMatrix3d::rotation(kPi, AcGeVector3d::kZAxis, {1, 1, 0}),
         {2, 1, 5},
         {0, 1, 5}},
        {"quarter turn about x",
         AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kXAxis),
         {0, 1, 0},
         {0, 0, 1}},
        {"scaling about a centre", AcGeMatrix3d::scaling(2, {1, 1, 1}), {2, 3, 1}, {3, 5, 1}},
        {"mirror in the yz plane",
         AcGeMatrix3d::mirroring(AcGePlane::kYZPlane),
         {3, 2, 1},
         {-3, 2, 1}},
        {"mirror in a shifted plane",
         AcGeMatrix3d::mirroring(AcGePlane({0, 0, 2}, AcGeVector3d::kZAxis)),
         {1, 1, 5},
         {1, 1, -1}},
        {"translate after rotate",
         AcGeMatrix3d::translation({10, 0, 0}) *
             AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis),
         {1, 0, 0},
         {10, 1, 0}},
    };
    for (const TransformCase& c : cases) {
        const AcGePoint3d got = c.matrix * c.in;
        EXPECT_TRUE(got.isEqualTo(c.out,
                                  [] {
                                      AcGeTol t;
                                      t.setEqualPoint(1e-12);
                                      return t;
                                  }()))
            << c.name << ": " << got.x << ", " << got.y << ", " << got.z;
        // The inverse brings the point back.
        EXPECT_TRUE((c.matrix.inverse() * got)
                        .isEqualTo(c.in,
                                   [] {
                                       AcGeTol t;
                                       t.setEqualPoint(1e-12);
                                       return t;
                                   }()))
            << c.name;
    }
}

TEST(Matrix, VectorsIgnoreTranslation) {
    AcGeVector3d v(1, 0, 0);
    v.transformBy(AcGeMatrix3d::translation({5, 5, 5}) *
                  AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis));
    EXPECT_NEAR(v.x, 0, 1e-15);
    EXPECT_NEAR(v.y, 1, 1e-15);
}

TEST(Matrix, InverseDeterminantAndSingularity) {
    const AcGeMatrix3d m = AcGeMatrix3d::translation({1, 2, 3}) *
                           AcGeMatrix3d::rotation(0.3, {1, 1, 1}) * AcGeMatrix3d::scaling(2.5);
    EXPECT_TRUE((m * m.inverse()).isEqualTo(AcGeMatrix3d::kIdentity));
    EXPECT_NEAR(m.det(), 2.5 * 2.5 * 2.5, 1e-12);
    EXPECT_NEAR(m.scale(), 2.5, 1e-12);
    EXPECT_TRUE(m.isUniScaledOrtho());
    AcGeMatrix3d flat;
    flat.entry[2][2] = 0.0;
    EXPECT_TRUE(flat.isSingular());
    AcGeMatrix3d inv;
    EXPECT_FALSE(flat.inverse(inv));
    EXPECT_TRUE(flat.inverse().isEqualTo(AcGeMatrix3d::kIdentity));
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2.0;
    EXPECT_FALSE(stretch.isUniScaledOrtho());
    EXPECT_LT(AcGeMatrix3d::mirroring(AcGePlane::kXYPlane).det(), 0.0);
}

TEST(Matrix, PlaneFrameFollowsTheArbitraryAxisRule) {
    // Normal near z: x axis = world y cross normal; otherwise world z cross normal.
    EXPECT_TRUE(acgeArbitraryXAxis(AcGeVector3d::kZAxis).isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(acgeArbitraryXAxis(-AcGeVector3d::kZAxis).isEqualTo(-AcGeVector3d::kXAxis));
    EXPECT_TRUE(acgeArbitraryXAxis(AcGeVector3d::kXAxis).isEqualTo(AcGeVector3d::kYAxis));
    const AcGeVector3d n = AcGeVector3d(1, 2, 3).normal();
    const AcGePoint3d p(4, 5, 6);
    const AcGePoint3d back = AcGeMatrix3d::planeToWorld(n) * (AcGeMatrix3d::worldToPlane(n) * p);
    EXPECT_TRUE(back.isEqualTo(p, [] {
        AcGeTol t;
        t.setEqualPoint(1e-12);
        return t;
    }()));
}

TEST(Vector, AnglesAndRotation) {
    AcGeVector3d v(1, 0, 0);
    v.rotateBy(kPi / 3, AcGeVector3d::kZAxis);
    EXPECT_NEAR(v.x, 0.5, 1e-15);
    EXPECT_NEAR(v.y, std::sqrt(3.0) / 2, 1e-15);
    EXPECT_NEAR(v.angleOnPlane(AcGePlane::kXYPlane), kPi / 3, 1e-15);
    EXPECT_NEAR(AcGeVector3d(0, -1, 5).angleOnPlane(AcGePlane::kXYPlane), 1.5 * kPi, 1e-15);
    EXPECT_NEAR(AcGeVector3d::kXAxis.angleTo(AcGeVector3d::kYAxis), kPi / 2, 1e-15);
    EXPECT_NEAR(AcGeVector3d::kXAxis.angleTo(AcGeVector3d::kYAxis, -AcGeVector3d::kZAxis),
                1.5 * kPi, 1e-15);
    EXPECT_NEAR(AcGeVector3d(1, 1e-9, 0).angleTo(AcGeVector3d::kXAxis), 1e-9, 1e-20);
    EXPECT_TRUE(AcGeVector3d(2, 0, 0).isParallelTo(AcGeVector3d(-1, 0, 0)));
    EXPECT_TRUE(AcGeVector3d(0, 0, 3).isPerpendicularTo(AcGeVector3d(1, 1, 0)));
}

TEST(Points, ToleranceAndProjection) {
    const AcGePoint3d a(1, 2, 3);
    EXPECT_TRUE(a.isEqualTo(AcGePoint3d(1, 2, 3 + 1e-11)));
    EXPECT_FALSE(a.isEqualTo(AcGePoint3d(1, 2, 3 + 1e-9)));
    AcGeTol loose;
    loose.setEqualPoint(1e-3);
    EXPECT_TRUE(a.isEqualTo(AcGePoint3d(1.0005, 2, 3), loose));
    EXPECT_EQ(a.orthoProject(AcGePlane::kXYPlane), AcGePoint3d(1, 2, 0));
    EXPECT_EQ(a.project(AcGePlane::kXYPlane, {1, 0, 1}), AcGePoint3d(-2, 2, 0));
}

TEST(Arrays, GrowByTheirStep) {
    AcGeDoubleArray values(0, 8);
    for (int i = 0; i < 9; ++i) values.append(i * 0.5);
    EXPECT_EQ(values.length(), 9);
    EXPECT_EQ(values.growLength(), 8);
    EXPECT_EQ(values[8], 4.0);
    EXPECT_EQ(values.find(1.5), 3);
    values.removeAt(0);
    EXPECT_EQ(values.first(), 0.5);
}

}  // namespace
