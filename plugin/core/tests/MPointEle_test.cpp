// The elevation point entity: members, drawing, listing, editing, filing.
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "EntityTestSupport.h"
#include "giRenderRecord.h"

namespace {

using PointTest = EntityDrawingTest;

AcGeDoubleArray List(std::initializer_list<double> values) {
    AcGeDoubleArray list;
    for (double v : values) list.append(v);
    return list;
}

std::unique_ptr<AcDbMPointEle> MakePoint(const AcGePoint3d& at,
                                         std::initializer_list<double> layers, double height = 2.5,
                                         double angle = 0.0) {
    auto point = std::make_unique<AcDbMPointEle>();
    point->setPosition(at);
    point->setTextHeight(height);
    point->setTextAngle(angle);
    EXPECT_EQ(point->setElevations(List(layers)), Acad::eOk);
    return point;
}

AcDbObjectId AddToModelSpace(std::unique_ptr<AcDbMPointEle> point) {
    AcDbObjectId id;
    EXPECT_EQ(ArxEntity::Arx_addToModelSpace(point.get(), id), Acad::eOk);
    point.release()->close();
    return id;
}

// What the point draws, begun with another colour than "by layer".
std::vector<AcGiPrimitive> Draw(AcDbMPointEle& point) {
    AcGiRecordingDraw draw;
    draw.beginEntity(point.objectId(), 5, point.layerId());
    point.worldDraw(&draw);
    return draw.primitives();
}

std::vector<double> Values(const AcGeDoubleArray& list) { return {list.begin(), list.end()}; }

TEST_F(PointTest, DefaultsAndTheSharedStyle) {
    AcDbMPointEle point;
    EXPECT_EQ(point.position(), AcGePoint3d(0, 0, 0));
    EXPECT_EQ(point.textHeight(), 2.5);
    EXPECT_EQ(point.textAngle(), 0.0);
    AcGeDoubleArray layers = List({1.0});
    point.elevations(layers);
    EXPECT_TRUE(layers.isEmpty());
    EXPECT_TRUE(point.styleReady());
    AcDbTextStyleTableRecord* style = openStyle(L"土方标注");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->textSize(), 2.5);
    EXPECT_EQ(style->xScale(), 0.7);
    style->close();
}

// Constructing, reading or re-sizing a point sets the shared record's height.
TEST_F(PointTest, TheStyleRecordFollowsTheLastPointSetUp) {
    auto heightOfRecord = [this] {
        AcDbTextStyleTableRecord* style = openStyle(L"土方标注");
        const double h = style != nullptr ? style->textSize() : -1.0;
        if (style != nullptr) style->close();
        return h;
    };
    AcDbMPointEle first;
    first.setTextHeight(5.0);
    EXPECT_EQ(heightOfRecord(), 5.0);
    AcDbMPointEle second;
    EXPECT_EQ(heightOfRecord(), 2.5);
}

TEST_F(PointTest, LayerOneIsShownWithG) {
    const std::pair<double, const wchar_t*> cases[] = {
        {12.5, L"12.5"}, {100.0, L"100"}, {1234567.0, L"1.23457E+06"}, {-0.25, L"-0.25"}};
    for (const auto& [value, text] : cases) {
        auto point = MakePoint({0, 0, 0}, {value, 99.0});
        const std::vector<AcGiPrimitive> drawn = Draw(*point);
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[1].text, text);
    }
}

TEST_F(PointTest, CircleAtThePointTextOnTheGroundAlongTheAngle) {
    auto point = MakePoint({10, 20, 3}, {7.0}, 4.0, std::numbers::pi / 2);
    const std::vector<AcGiPrimitive> drawn = Draw(*point);
    ASSERT_EQ(drawn.size(), 2u);
    const AcGiPrimitive& circle = drawn[0];
    EXPECT_EQ(circle.kind, AcGiPrimitive::Kind::kCircle);
    EXPECT_EQ(circle.points[0], AcGePoint3d(10, 20, 3));
    EXPECT_DOUBLE_EQ(circle.radius, 0.2);
    const AcGiPrimitive& text = drawn[1];
    EXPECT_EQ(text.kind, AcGiPrimitive::Kind::kText);
    EXPECT_EQ(text.points[0], AcGePoint3d(10, 20.4, 0));
    EXPECT_EQ(text.points[0].z, 0.0);
    EXPECT_TRUE(text.direction.normal().isEqualTo(AcGeVector3d(0, 1, 0)));
    EXPECT_EQ(text.height, 4.0);
    EXPECT_EQ(text.widthFactor, 0.7);
    EXPECT_EQ(text.typeface, L"仿宋_GB2312");
    for (const AcGiPrimitive& p : drawn) EXPECT_EQ(p.color, 256);
}

TEST_F(PointTest, WithoutAStyleTheTextIsDrawnPlain) {
    closeDocument();
    auto point = MakePoint({0, 0, 0}, {3.0}, 6.0);
    EXPECT_FALSE(point->styleReady());
    const std::vector<AcGiPrimitive> drawn = Draw(*point);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].height, 6.0);
    EXPECT_EQ(drawn[1].widthFactor, 0.7);
    EXPECT_EQ(drawn[1].oblique, 0.0);
    EXPECT_EQ(drawn[1].typeface, L"");
}

TEST_F(PointTest, WithoutLayersOnlyTheCircleAndTwoBlankLines) {
    AcDbObjectId id = AddToModelSpace(MakePoint({1, 1, 0}, {}));
    AcDbMPointEle* point = nullptr;
    ASSERT_EQ(acdbOpenObject(point, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(Draw(*point).size(), 1u);
    acedHostClearTranscript();
    point->list();
    point->close();
    const std::wstring listed = acedHostTranscript();
    EXPECT_EQ(listed.substr(0, 3), L"\n\n\n");
    EXPECT_NE(listed.find(L"AcDbMPointEle  Layer"), std::wstring::npos) << wcrtToUtf8(listed);
}

TEST_F(PointTest, ListingShowsEveryLayer) {
    auto point = MakePoint({0, 0, 0}, {10, 8.5, 1234567.0});
    acedHostClearTranscript();
    point->list();
    const std::wstring listed = acedHostTranscript();
    const std::wstring head = L"\n\n第1层高程: 10\n第2层高程: 8.5\n第3层高程: 1.23457E+06\n";
    EXPECT_EQ(listed.substr(0, head.size()), head) << wcrtToUtf8(listed);
}

TEST_F(PointTest, TransformMovesThePointOnly) {
    auto point = MakePoint({110, 0, 2}, {5.0}, 3.0, 0.25);
    const AcGeVector3d before = Draw(*point)[1].direction;
    AcGeMatrix3d turn =
        AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d(100, 0, 0));
    ASSERT_EQ(point->transformBy(turn), Acad::eOk);
    EXPECT_TRUE(point->position().isEqualTo(AcGePoint3d(100, 10, 2)));
    EXPECT_EQ(point->textAngle(), 0.25);
    EXPECT_TRUE(Draw(*point)[1].direction.isEqualTo(before));
    ASSERT_EQ(point->transformBy(AcGeMatrix3d::scaling(2.0, AcGePoint3d(0, 0, 0))), Acad::eOk);
    EXPECT_TRUE(point->position().isEqualTo(AcGePoint3d(200, 20, 4)));
    EXPECT_EQ(point->textHeight(), 3.0);
}

TEST_F(PointTest, OneGripOneSnapPointNothingToExplode) {
    auto point = MakePoint({4, 5, 6}, {1.0});
    AcGePoint3dArray grips;
    AcDbIntArray modes, geomIds;
    ASSERT_EQ(point->getGripPoints(grips, modes, geomIds), Acad::eOk);
    ASSERT_EQ(grips.length(), 1);
    EXPECT_EQ(grips[0], AcGePoint3d(4, 5, 6));
    AcDbIntArray other;
    other.append(1);
    point->moveGripPointsAt(other, AcGeVector3d(1, 2, 0));
    EXPECT_EQ(point->position(), AcGePoint3d(4, 5, 6));
    AcDbIntArray first;
    first.append(0);
    point->moveGripPointsAt(first, AcGeVector3d(1, 2, 0));
    EXPECT_EQ(point->position(), AcGePoint3d(5, 7, 6));
    for (AcDb::OsnapMode mode : {AcDb::kOsModeEnd, AcDb::kOsModeCen, AcDb::kOsModeNear}) {
        AcGePoint3dArray snaps;
        ASSERT_EQ(
            point->getOsnapPoints(mode, 0, {0, 0, 0}, {0, 0, 0}, AcGeMatrix3d(), snaps, geomIds),
            Acad::eOk);
        ASSERT_EQ(snaps.length(), 1);
        EXPECT_EQ(snaps[0], AcGePoint3d(5, 7, 6));
    }
    // Exploding would lose the layers: refused, the point stays whole.
    AcDbVoidPtrArray pieces;
    EXPECT_NE(point->explode(pieces), Acad::eOk);
    EXPECT_TRUE(pieces.isEmpty());
}

TEST_F(PointTest, LayerListsBeyondTheFiledCountAreRefused) {
    auto point = MakePoint({0, 0, 0}, {1, 2});
    AcGeDoubleArray many;
    for (int i = 0; i < AcDbMPointEle::kMaxLayers; ++i) many.append(i);
    EXPECT_EQ(point->setElevations(many), Acad::eOk);
    many.append(-1.0);
    EXPECT_EQ(point->setElevations(many), Acad::eOutOfRange);
    AcGeDoubleArray back;
    point->elevations(back);
    EXPECT_EQ(back.length(), AcDbMPointEle::kMaxLayers);
}

TEST_F(PointTest, BinaryRecordHasItsOrderAndWidths) {
    auto point = MakePoint({1, 2, 3}, {10, 8.5, 7}, 5.0, 0.5);
    AcDbDwgBufferFiler filer;
    ASSERT_EQ(point->dwgOutFields(&filer), Acad::eOk);
    AcDbDwgBufferFiler expected;
    ASSERT_EQ(point->AcDbEntity::dwgOutFields(&expected), Acad::eOk);
    expected.writeInt16(1);  // maintenance release of the birth version
    expected.writePoint3d({1, 2, 3});
    expected.writeDouble(5.0);
    expected.writeDouble(0.5);
    expected.writeInt16(3);
    for (double e : {10.0, 8.5, 7.0}) expected.writeDouble(e);
    EXPECT_EQ(filer.buffer(), expected.buffer());

    AcDbMPointEle copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(filer.bytesLeft(), 0u);
    AcGeDoubleArray layers;
    copy.elevations(layers);
    EXPECT_EQ(Values(layers), (std::vector<double>{10, 8.5, 7}));
    EXPECT_EQ(copy.position(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(copy.textHeight(), 5.0);
    EXPECT_EQ(copy.textAngle(), 0.5);
    EXPECT_EQ(Draw(copy)[1].height, 5.0);
}

TEST_F(PointTest, BinaryCountBelowOneReadsNoLayers) {
    AcDbMPointEle blank;
    AcDbDwgBufferFiler filer;
    ASSERT_EQ(blank.AcDbEntity::dwgOutFields(&filer), Acad::eOk);
    filer.writeInt16(1);
    filer.writePoint3d({1, 1, 1});
    filer.writeDouble(2.0);
    filer.writeDouble(0.0);
    filer.writeInt16(-4);
    auto point = MakePoint({0, 0, 0}, {3, 4});
    ASSERT_EQ(point->dwgInFields(&filer), Acad::eOk);
    AcGeDoubleArray layers;
    point->elevations(layers);
    EXPECT_TRUE(layers.isEmpty());
    // A truncated record is an error, not a point with made-up members.
    AcDbDwgBufferFiler cut;
    ASSERT_EQ(blank.AcDbEntity::dwgOutFields(&cut), Acad::eOk);
    cut.writeInt16(1);
    EXPECT_NE(point->dwgInFields(&cut), Acad::eOk);
}

TEST_F(PointTest, CopiesCarryEveryMember) {
    auto point = MakePoint({1, 2, 3}, {10, 8.5, 7}, 5.0, 0.5);
    std::unique_ptr<AcDbMPointEle> copy(AcDbMPointEle::cast(point->clone()));
    ASSERT_NE(copy, nullptr);
    AcGeDoubleArray layers;
    copy->elevations(layers);
    EXPECT_EQ(Values(layers), (std::vector<double>{10, 8.5, 7}));
    EXPECT_EQ(copy->textAngle(), 0.5);
}

TEST_F(PointTest, SaveAndReopenKeepsThePoint) {
    AddToModelSpace(MakePoint({1000.25, -3, 3}, {10, 8.5, 7}, 5.0, 0.3));
    AddToModelSpace(MakePoint({0, 0, 0}, {}));
    saveAndReopen();
    std::vector<AcDbMPointEle*> points;
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    for (AcDbObjectId id : space->entityIds()) {
        AcDbMPointEle* point = nullptr;
        ASSERT_EQ(acdbOpenObject(point, id, AcDb::kForRead), Acad::eOk);
        points.push_back(point);
    }
    space->close();
    ASSERT_EQ(points.size(), 2u);
    AcGeDoubleArray layers;
    points[0]->elevations(layers);
    EXPECT_EQ(Values(layers), (std::vector<double>{10, 8.5, 7}));
    EXPECT_EQ(points[0]->position(), AcGePoint3d(1000.25, -3, 3));
    EXPECT_EQ(points[0]->textHeight(), 5.0);
    EXPECT_NEAR(points[0]->textAngle(), 0.3, 1e-12);
    EXPECT_TRUE(points[0]->styleReady());
    const std::vector<AcGiPrimitive> drawn = Draw(*points[0]);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].height, 5.0);
    EXPECT_EQ(drawn[1].text, L"10");
    points[1]->elevations(layers);
    EXPECT_TRUE(layers.isEmpty());
    for (AcDbMPointEle* p : points) p->close();
}

class PointDxfTest : public EntityDrawingTest {
  protected:
    // Saves one point and returns the file's text.
    std::string savedText() {
        AddToModelSpace(MakePoint({1, 2, 0}, {10, 8.5, 7}, 5.0));
        EXPECT_EQ(db()->dxfOut(path("drawing.dxf").wstring().c_str()), Acad::eOk);
        std::ifstream in(mDir / "drawing.dxf");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Writes the text back and opens it in a new drawing.
    Acad::ErrorStatus reopen(const std::string& text) {
        std::ofstream(mDir / "edited.dxf") << text;
        closeDocument();
        mDoc = acDocManager->addDocument(nullptr, path("edited.dxf").wstring());
        return db()->dxfIn(path("edited.dxf").wstring().c_str());
    }
    AcDbMPointEle* openOnlyPoint() {
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForRead) != Acad::eOk)
            return nullptr;
        const AcDbObjectId id = space->entityIds().at(0);
        space->close();
        AcDbMPointEle* point = nullptr;
        acdbOpenObject(point, id, AcDb::kForRead);
        return point;
    }
};

TEST_F(PointDxfTest, MembersAreWrittenAsDocumented) {
    const std::string text = savedText();
    const std::string members =
        "100\nAcDbMPointEle\n 10\n1\n 20\n2\n 30\n0\n 40\n5\n 50\n0\n 90\n     3\n"
        " 41\n10\n 41\n8.5\n 41\n7\n";
    EXPECT_NE(text.find(members), std::string::npos) << text;
    EXPECT_NE(text.find("CLASS\n  1\nAcDbMPointEle\n"), std::string::npos);
}

// Drawings written before the members had DXF groups hold the common data
// only: the point opens with its defaults.
TEST_F(PointDxfTest, APointWithoutMemberGroupsKeepsItsDefaults) {
    std::string text = savedText();
    const size_t from = text.find("100\nAcDbMPointEle\n");
    const size_t to = text.find("  0\nENDSEC", from);
    ASSERT_NE(from, std::string::npos);
    text.erase(from, to - from);
    ASSERT_EQ(reopen(text), Acad::eOk);
    AcDbMPointEle* point = openOnlyPoint();
    ASSERT_NE(point, nullptr);
    AcGeDoubleArray layers;
    point->elevations(layers);
    EXPECT_TRUE(layers.isEmpty());
    EXPECT_EQ(point->textHeight(), 2.5);
    EXPECT_TRUE(point->styleReady());
    point->close();
}

TEST_F(PointDxfTest, ACountThatDisagreesWithTheLayersIsAnError) {
    const std::string text = savedText();
    const std::pair<std::string, std::string> edits[] = {
        {" 90\n     3\n", " 90\n     4\n"},
        {" 90\n     3\n", " 90\n     40000\n"},
    };
    for (const auto& [from, to] : edits) {
        std::string edited = text;
        const size_t at = edited.find(from);
        ASSERT_NE(at, std::string::npos);
        edited.replace(at, from.size(), to);
        EXPECT_NE(reopen(edited), Acad::eOk) << to;
    }
    // Without a count the 41 groups are the layers.
    std::string uncounted = text;
    uncounted.erase(uncounted.find(" 90\n     3\n"), std::string(" 90\n     3\n").size());
    ASSERT_EQ(reopen(uncounted), Acad::eOk);
    AcDbMPointEle* point = openOnlyPoint();
    ASSERT_NE(point, nullptr);
    AcGeDoubleArray layers;
    point->elevations(layers);
    EXPECT_EQ(Values(layers), (std::vector<double>{10, 8.5, 7}));
    point->close();
}

}  // namespace
