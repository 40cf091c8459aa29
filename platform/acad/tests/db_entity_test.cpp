// Entity geometry: drawing, grips, snaps, extents and transforms.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "db_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Records what an entity draws.
struct Drawn {
    std::string kind;  // "circle", "polyline", "text"
    std::vector<AcGePoint3d> points;
    double size = 0.0;  // radius or text height
    std::wstring text;
    AcGeVector3d direction;
};

class RecordingDraw : public AcGiWorldDraw, public AcGiWorldGeometry, public AcGiSubEntityTraits {
  public:
    std::vector<Drawn> drawn;
    Adesk::UInt16 colour = 256;

    AcGiWorldGeometry& geometry() const override { return const_cast<RecordingDraw&>(*this); }
    AcGiSubEntityTraits& subEntityTraits() const override {
        return const_cast<RecordingDraw&>(*this);
    }
    void setColor(Adesk::UInt16 c) override { colour = c; }
    Adesk::UInt16 color() const override { return colour; }
    void setLayer(AcDbObjectId) override {}
    AcDbObjectId layerId() const override { return AcDbObjectId::kNull; }

    Adesk::Boolean circle(const AcGePoint3d& c, double r, const AcGeVector3d&) const override {
        record({"circle", {c}, r, L"", {}});
        return false;
    }
    Adesk::Boolean circularArc(const AcGePoint3d& c, double r, const AcGeVector3d&,
                               const AcGeVector3d&, double, AcGiArcType) const override {
        record({"arc", {c}, r, L"", {}});
        return false;
    }
    Adesk::Boolean polyline(Adesk::UInt32 n, const AcGePoint3d* pts, const AcGeVector3d*,
                            Adesk::LongPtr) const override {
        record({"polyline", std::vector<AcGePoint3d>(pts, pts + n), 0.0, L"", {}});
        return false;
    }
    Adesk::Boolean polygon(Adesk::UInt32 n, const AcGePoint3d* pts) const override {
        record({"polygon", std::vector<AcGePoint3d>(pts, pts + n), 0.0, L"", {}});
        return false;
    }
    Adesk::Boolean text(const AcGePoint3d& p, const AcGeVector3d&, const AcGeVector3d& dir,
                        double h, double, double, const ACHAR* msg) const override {
        record({"text", {p}, h, msg, dir});
        return false;
    }
    Adesk::Boolean text(const AcGePoint3d& p, const AcGeVector3d&, const AcGeVector3d& dir,
                        const ACHAR* msg, Adesk::Int32, Adesk::Boolean,
                        const AcGiTextStyle& style) const override {
        record({"text", {p}, style.textSize(), msg, dir});
        return false;
    }

  private:
    void record(Drawn d) const { const_cast<RecordingDraw*>(this)->drawn.push_back(std::move(d)); }
};

std::unique_ptr<AcDbPolyline> squareWithArc() {
    auto pl = std::make_unique<AcDbPolyline>();
    pl->addVertexAt(0, {0, 0}, 1.0);  // half circle below the first edge
    pl->addVertexAt(1, {10, 0});
    pl->addVertexAt(2, {10, 10});
    pl->addVertexAt(3, {0, 10});
    pl->setClosed(true);
    return pl;
}

TEST(EntityDrawing, EachEntityDrawsItsGeometry) {
    struct Row {
        const char* name;
        std::function<std::unique_ptr<AcDbEntity>()> make;
        std::string kind;
        size_t minPoints;
    };
    const Row rows[] = {
        {"line",
         [] { return std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)); },
         "polyline", 2},
        {"circle",
         [] {
             return std::make_unique<AcDbCircle>(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 3.0);
         },
         "circle", 1},
        {"text",
         [] {
             return std::make_unique<AcDbText>(AcGePoint3d(1, 2, 0), L"高程", AcDbObjectId::kNull,
                                               2.5, 0.0);
         },
         "text", 1},
        // Four edges, the arc drawn as chords of at most 1/64 turn: 32 for the half circle.
        {"polyline with an arc",
         [] { return std::unique_ptr<AcDbEntity>(squareWithArc().release()); }, "polyline",
         1 + 32 + 3},
    };
    for (const Row& r : rows) {
        RecordingDraw draw;
        auto ent = r.make();
        EXPECT_TRUE(ent->worldDraw(&draw)) << r.name;
        ASSERT_EQ(draw.drawn.size(), 1u) << r.name;
        EXPECT_EQ(draw.drawn[0].kind, r.kind) << r.name;
        EXPECT_GE(draw.drawn[0].points.size(), r.minPoints) << r.name;
    }
}

TEST(EntityDrawing, ArcChordsStayOnTheCircle) {
    RecordingDraw draw;
    squareWithArc()->worldDraw(&draw);
    const std::vector<AcGePoint3d>& pts = draw.drawn.at(0).points;
    ASSERT_GT(pts.size(), 10u);
    for (size_t i = 1; i < 32; ++i) {
        EXPECT_NEAR(pts[i].distanceTo(AcGePoint3d(5, 0, 0)), 5.0, 1e-9);
        EXPECT_LE(pts[i].y, 1e-9);
    }
}

TEST(EntityDrawing, TextDrawnWithItsHeightAndDirection) {
    AcDbText text({1, 2, 0}, L"T=1.00", AcDbObjectId::kNull, 4.0, kPi / 2);
    RecordingDraw draw;
    text.worldDraw(&draw);
    ASSERT_EQ(draw.drawn.size(), 1u);
    EXPECT_EQ(draw.drawn[0].text, L"T=1.00");
    EXPECT_EQ(draw.drawn[0].size, 4.0);
    EXPECT_NEAR(draw.drawn[0].direction.x, 0.0, 1e-15);
    EXPECT_NEAR(draw.drawn[0].direction.y, 1.0, 1e-15);
}

TEST(TextAlignment, AlignmentPointDecidesThePosition) {
    struct Row {
        AcDb::TextHorzMode horz;
        AcDb::TextVertMode vert;
        AcGePoint3d position;
    };
    // "AB" at height 2: estimated width 2 * 0.6 * 2 = 2.4; alignment point at (10, 10).
    const Row rows[] = {
        {AcDb::kTextCenter, AcDb::kTextBase, {8.8, 10, 0}},
        {AcDb::kTextRight, AcDb::kTextBase, {7.6, 10, 0}},
        {AcDb::kTextMid, AcDb::kTextBase, {8.8, 9, 0}},
        {AcDb::kTextLeft, AcDb::kTextTop, {10, 8, 0}},
        {AcDb::kTextCenter, AcDb::kTextVertMid, {8.8, 9, 0}},
        {AcDb::kTextLeft, AcDb::kTextBottom, {10, 10.4, 0}},
    };
    for (const Row& r : rows) {
        AcDbText text({0, 0, 0}, L"AB", AcDbObjectId::kNull, 2.0, 0.0);
        text.setHorizontalMode(r.horz);
        text.setVerticalMode(r.vert);
        text.setAlignmentPoint({10, 10, 0});
        ASSERT_EQ(text.adjustAlignment(), Acad::eOk);
        EXPECT_NEAR(text.position().x, r.position.x, 1e-12) << r.horz << "/" << r.vert;
        EXPECT_NEAR(text.position().y, r.position.y, 1e-12) << r.horz << "/" << r.vert;
    }
    AcDbText wide({0, 0, 0}, L"土方", AcDbObjectId::kNull, 2.0, 0.0);
    wide.setWidthFactor(0.7);
    EXPECT_NEAR(wide.estimatedWidth(), 2 * 2.0 * 0.7, 1e-12);
}

TEST(EntityEditing, GripsAndSnaps) {
    AcDbLine line({0, 0, 0}, {4, 0, 0});
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    ASSERT_EQ(line.getGripPoints(grips, modes, ids), Acad::eOk);
    ASSERT_EQ(grips.length(), 3);
    EXPECT_EQ(grips[1], AcGePoint3d(2, 0, 0));
    AcDbIntArray which;
    which.append(2);
    ASSERT_EQ(line.moveGripPointsAt(which, {0, 3, 0}), Acad::eOk);
    EXPECT_EQ(line.endPoint(), AcGePoint3d(4, 3, 0));
    which[0] = 1;
    line.moveGripPointsAt(which, {1, 0, 0});
    EXPECT_EQ(line.startPoint(), AcGePoint3d(1, 0, 0));

    AcDbCircle circle({0, 0, 0}, AcGeVector3d::kZAxis, 2.0);
    AcGePoint3dArray snaps;
    circle.getOsnapPoints(AcDb::kOsModeQuad, 0, {}, {}, AcGeMatrix3d::kIdentity, snaps, ids);
    EXPECT_EQ(snaps.length(), 4);
    which[0] = 1;  // the quadrant at angle 0
    circle.moveGripPointsAt(which, {1, 0, 0});
    EXPECT_DOUBLE_EQ(circle.radius(), 3.0);

    auto pl = squareWithArc();
    snaps.removeAll();
    pl->getOsnapPoints(AcDb::kOsModeCen, 0, {}, {}, AcGeMatrix3d::kIdentity, snaps, ids);
    ASSERT_EQ(snaps.length(), 1);
    EXPECT_EQ(snaps[0], AcGePoint3d(5, 0, 0));
    snaps.removeAll();
    pl->getOsnapPoints(AcDb::kOsModeMid, 0, {}, {}, AcGeMatrix3d::kIdentity, snaps, ids);
    EXPECT_EQ(snaps[0], AcGePoint3d(5, -5, 0));
}

TEST(EntityEditing, ExtentsOfEachEntity) {
    struct Row {
        const char* name;
        std::function<std::unique_ptr<AcDbEntity>()> make;
        AcGePoint3d min, max;
        double tolerance;
    };
    const Row rows[] = {
        {"line",
         [] { return std::make_unique<AcDbLine>(AcGePoint3d(3, 1, 0), AcGePoint3d(-1, 4, 2)); },
         {-1, 1, 0},
         {3, 4, 2},
         0.0},
        {"circle",
         [] {
             return std::make_unique<AcDbCircle>(AcGePoint3d(1, 1, 1), AcGeVector3d::kZAxis, 2.0);
         },
         {-1, -1, 1},
         {3, 3, 1},
         1e-12},
        {"polyline with an arc",
         [] { return std::unique_ptr<AcDbEntity>(squareWithArc().release()); },
         {0, -5, 0},
         {10, 10, 0},
         0.01},
        {"text",
         [] {
             return std::make_unique<AcDbText>(AcGePoint3d(0, 0, 0), L"土方", AcDbObjectId::kNull,
                                               2.0, 0.0);
         },
         {0, 0, 0},
         {4, 2, 0},
         1e-12},
    };
    for (const Row& r : rows) {
        AcDbExtents ext;
        ASSERT_EQ(r.make()->getGeomExtents(ext), Acad::eOk) << r.name;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(ext.minPoint()[i], r.min[i], r.tolerance + 1e-12) << r.name << " min " << i;
            EXPECT_NEAR(ext.maxPoint()[i], r.max[i], r.tolerance + 1e-12) << r.name << " max " << i;
        }
    }
}

TEST(EntityEditing, TransformsKeepShapes) {
    const AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, {0, 0, 0});
    auto pl = squareWithArc();
    ASSERT_EQ(pl->transformBy(turn), Acad::eOk);
    AcGePoint3d p;
    pl->getPointAt(1, p);
    EXPECT_NEAR(p.x, 0, 1e-12);
    EXPECT_NEAR(p.y, 10, 1e-12);
    pl->getPointAtParam(0.5, p);  // the arc's middle turned with it
    EXPECT_NEAR(p.x, 5, 1e-12);
    EXPECT_NEAR(p.y, 5, 1e-12);

    // A mirror keeps the arc on the mirrored side.
    auto mirrored = squareWithArc();
    ASSERT_EQ(
        mirrored->transformBy(AcGeMatrix3d::mirroring(AcGePlane({0, 0, 0}, AcGeVector3d::kYAxis))),
        Acad::eOk);
    mirrored->getPointAtParam(0.5, p);
    EXPECT_NEAR(p.x, 5, 1e-12);
    EXPECT_NEAR(p.y, 5, 1e-12);
    double area = 0.0;
    mirrored->getArea(area);
    EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-9);

    AcDbCircle circle({1, 0, 0}, AcGeVector3d::kZAxis, 1.0);
    ASSERT_EQ(circle.transformBy(AcGeMatrix3d::scaling(3.0)), Acad::eOk);
    EXPECT_EQ(circle.center(), AcGePoint3d(3, 0, 0));
    EXPECT_DOUBLE_EQ(circle.radius(), 3.0);
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2.0;
    EXPECT_EQ(circle.transformBy(stretch), Acad::eCannotScaleNonUniformly);

    AcDbText text({1, 0, 0}, L"x", AcDbObjectId::kNull, 2.0, 0.0);
    ASSERT_EQ(text.transformBy(turn * AcGeMatrix3d::scaling(2.0)), Acad::eOk);
    EXPECT_NEAR(text.rotation(), kPi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(text.height(), 4.0);
}

TEST(EntityEditing, PolylineVerticesAndSegments) {
    AcDbPolyline pl;
    EXPECT_EQ(pl.segType(0), AcDb::kEmpty);
    pl.addVertexAt(0, {0, 0});
    EXPECT_EQ(pl.segType(0), AcDb::kPoint);
    pl.addVertexAt(1, {0, 0});
    pl.addVertexAt(2, {5, 0}, 0.5);
    pl.addVertexAt(3, {5, 5});
    EXPECT_EQ(pl.addVertexAt(9, {1, 1}), Acad::eInvalidIndex);
    EXPECT_EQ(pl.segType(0), AcDb::kCoincident);
    EXPECT_EQ(pl.segType(1), AcDb::kLine);
    EXPECT_EQ(pl.segType(2), AcDb::kArc);
    EXPECT_EQ(pl.numSegments(), 3u);
    pl.setClosed(true);
    EXPECT_EQ(pl.numSegments(), 4u);
    EXPECT_FALSE(pl.isOnlyLines());
    double bulge = 0.0;
    EXPECT_EQ(pl.getBulgeAt(7, bulge), Acad::eInvalidIndex);
    EXPECT_EQ(pl.setWidthsAt(0, -1, 0), Acad::eInvalidInput);
    ASSERT_EQ(pl.removeVertexAt(0), Acad::eOk);
    EXPECT_EQ(pl.numVerts(), 3u);
    AcDbVoidPtrArray pieces;
    ASSERT_EQ(pl.explode(pieces), Acad::eOk);
    EXPECT_GT(pieces.length(), 3);
    for (void* piece : pieces) delete static_cast<AcDbEntity*>(piece);
    ASSERT_EQ(pl.setConstantWidth(0.5), Acad::eOk);
    double start = 0.0, end = 0.0;
    pl.getWidthsAt(1, start, end);
    EXPECT_EQ(start, 0.5);
}

TEST_F(DrawingTest, TransformNeedsWriteAndCopiesAreIndependent) {
    const AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->transformBy(AcGeMatrix3d::translation({1, 0, 0})), Acad::eNotOpenForWrite);
    AcDbEntity* moved = nullptr;
    ASSERT_EQ(ent->getTransformedCopy(AcGeMatrix3d::translation({0, 5, 0}), moved), Acad::eOk);
    std::unique_ptr<AcDbEntity> owned(moved);
    EXPECT_EQ(AcDbLine::cast(moved)->startPoint(), AcGePoint3d(0, 5, 0));
    EXPECT_EQ(AcDbLine::cast(ent)->startPoint(), AcGePoint3d(0, 0, 0));
    ent->close();
}

}  // namespace
