#include <cmath>
#include <fstream>
#include <sstream>

#include "SuiteTestSupport.h"

namespace {

class PtEleDim : public DrawingTest {
  protected:
    void SetUp() override {
        AcDbPtEleDim::rxInit();
        acrxBuildClassHierarchy();
        DrawingTest::SetUp();
    }
    void TearDown() override {
        DrawingTest::TearDown();
        AcDbPtEleDim::rxUninit();
    }

    // A dimension set up the way the extraction annotates a corner.
    AcDbObjectId addCornerDim(const AcGePoint3d& corner) {
        auto dim = std::make_unique<AcDbPtEleDim>();
        dim->setOriginColor(173);
        dim->setDesignColor(130);
        dim->setVarColor(7);
        dim->setOriginLayer(L"场区1-2自然标注");
        dim->setDesignLayer(L"场区1-2设计标注");
        dim->setVarLayer(L"场区1-2差值标注");
        dim->setTextHeight(2.0);
        dim->setTextAngle(0.5);
        dim->setDimPoint(corner);
        dim->setLeadPoint(corner);
        dim->setDesignEle(L"11.20");
        dim->setOriginEle(L"12.35");
        dim->setVar(L"-1.15");
        return add(std::move(dim));
    }
};

TEST_F(PtEleDim, SettersStoreAndLayersAreMadeInTheirColours) {
    const AcDbObjectId id = addCornerDim({10, 20, 0});
    AcDbPtEleDim* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wstring(dim->originEle()), L"12.35");
    EXPECT_EQ(std::wstring(dim->designEle()), L"11.20");
    EXPECT_EQ(std::wstring(dim->var()), L"-1.15");
    EXPECT_EQ(dim->originColor(), 173);
    EXPECT_EQ(dim->varColor(), 7);
    EXPECT_DOUBLE_EQ(dim->textAngle(), 0.5);
    EXPECT_TRUE(dim->dimPoint().isEqualTo({10, 20, 0}));
    dim->close();
    AcDbObjectId layer;
    ASSERT_NE(ArxLayer::Arx_FindLayerFromName(L"场区1-2设计标注", layer), 0);
    AcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, layer, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(record->color().colorIndex(), 130);
    record->close();
}

TEST_F(PtEleDim, SurvivesADxfSaveAndLoad) {
    const AcDbObjectId id = addCornerDim({3512345.25, 4123456.5, 0});
    const AcDbHandle handle = id.handle();
    saveAndReopen();
    AcDbObjectId reread;
    ASSERT_EQ(db()->getAcDbObjectId(reread, false, handle), Acad::eOk);
    AcDbPtEleDim* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, reread, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wstring(dim->originEle()), L"12.35");
    EXPECT_EQ(std::wstring(dim->designLayer()), L"场区1-2设计标注");
    EXPECT_EQ(dim->designColor(), 130);
    EXPECT_DOUBLE_EQ(dim->textHeight(), 2.0);
    EXPECT_NEAR(dim->textAngle(), 0.5, 1e-12);
    EXPECT_TRUE(dim->leadPoint().isEqualTo({3512345.25, 4123456.5, 0}));
    dim->close();
    std::ifstream in(mDir / "drawing.dxf");
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("AcDbPtEleDim"), std::string::npos);
}

TEST_F(PtEleDim, CopyGripsTransformAndExplode) {
    const AcDbObjectId id = addCornerDim({0, 0, 0});
    AcDbObjectId copyId;
    ASSERT_NE(ArxEntity::Arx_CopyTranslation(id, AcGeVector3d(5, 0, 0), copyId), 0);
    AcDbPtEleDim* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, copyId, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(dim->dimPoint().isEqualTo({5, 0, 0}));
    EXPECT_EQ(std::wstring(dim->var()), L"-1.15");

    AcGePoint3dArray grips;
    AcDbIntArray modes, geomIds;
    ASSERT_EQ(dim->getGripPoints(grips, modes, geomIds), Acad::eOk);
    ASSERT_EQ(grips.length(), 2);
    AcDbIntArray moveLead;
    moveLead.append(1);
    ASSERT_EQ(dim->moveGripPointsAt(moveLead, AcGeVector3d(0, 3, 0)), Acad::eOk);
    EXPECT_TRUE(dim->dimPoint().isEqualTo({5, 0, 0}));
    EXPECT_TRUE(dim->leadPoint().isEqualTo({5, 3, 0}));

    ASSERT_EQ(dim->transformBy(AcGeMatrix3d::scaling(2.0)), Acad::eOk);
    EXPECT_DOUBLE_EQ(dim->textHeight(), 4.0);
    EXPECT_NEAR(dim->textAngle(), 0.5, 1e-12);

    AcDbVoidPtrArray pieces;
    ASSERT_EQ(dim->explode(pieces), Acad::eOk);
    dim->close();
    // Circle, leader (the points differ now) and three texts.
    ASSERT_EQ(pieces.length(), 5);
    std::vector<std::unique_ptr<AcDbEntity>> owned;
    for (void* p : pieces) owned.emplace_back(static_cast<AcDbEntity*>(p));
    const AcDbText* natural = AcDbText::cast(owned[4].get());
    ASSERT_NE(natural, nullptr);
    EXPECT_EQ(std::wstring(natural->textStringConst()), L"12.35");
    EXPECT_EQ(natural->layerName(), L"场区1-2自然标注");
    EXPECT_EQ(natural->colorIndex(), 173);
}

TEST_F(PtEleDim, TextsAroundTheLeadPoint) {
    AcDbPtEleDim dim;
    dim.setLeadPoint({0, 0, 0});
    dim.setTextHeight(2.0);
    dim.setDesignEle(L"11.20");
    dim.setOriginEle(L"12.35");
    AcDbPtEleDim::TextPiece pieces[3];
    int count = 0;
    dim.textPieces(pieces, count);
    ASSERT_EQ(count, 2);                                    // no difference text
    EXPECT_TRUE(pieces[0].position.isEqualTo({1, 1, 0}));   // design, upper right
    EXPECT_TRUE(pieces[1].position.isEqualTo({1, -3, 0}));  // natural, lower right
}

}  // namespace
