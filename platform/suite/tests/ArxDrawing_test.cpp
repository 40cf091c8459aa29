// Layers, groups, entities, texts and view of the base module on a drawing.
#include "ArxLayer.h"
#include "ArxText.h"
#include "SuiteTestSupport.h"

namespace {

using Layers = DrawingTest;

int LayerColor(AcDbObjectId id) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) return -1;
    const int color = layer->color().colorIndex();
    layer->close();
    return color;
}

TEST_F(Layers, CreateKeepsAnExistingLayerAndItsColour) {
    AcDbObjectId id, again, found;
    EXPECT_EQ(ArxLayer::Arx_FindLayerFromName(L"多层标高", found), 0);
    ASSERT_NE(ArxLayer::Arx_CreateLayer(L"多层标高", 6, id), 0);
    EXPECT_EQ(LayerColor(id), 6);
    ASSERT_NE(ArxLayer::Arx_CreateLayer(L"多层标高", 2, again), 0);
    EXPECT_EQ(again, id);
    EXPECT_EQ(LayerColor(id), 6);
    EXPECT_NE(ArxLayer::Arx_FindLayerFromName(L"多层标高", found), 0);
    EXPECT_EQ(found, id);
    AcDbObjectId byLayer;
    ASSERT_NE(ArxLayer::Arx_CreateLayer(L"场区1填方标注", 256, byLayer), 0);
    EXPECT_EQ(LayerColor(byLayer), 7);
}

TEST_F(Layers, SetLayerCreatesMakesCurrentAndReturnsThePrevious) {
    const AcDbObjectId zero = db()->clayer();
    const AcDbObjectId previous = ArxLayer::Arx_setLayer(L"场区1方格标高标注");
    EXPECT_EQ(previous, zero);
    AcDbObjectId made;
    ASSERT_NE(ArxLayer::Arx_FindLayerFromName(L"场区1方格标高标注", made), 0);
    EXPECT_EQ(db()->clayer(), made);
    EXPECT_EQ(db()->setClayer(previous), Acad::eOk);
}

TEST_F(Layers, EntitiesOfALayerInDrawingOrderAppended) {
    AcDbObjectId a, b;
    ArxLayer::Arx_CreateLayer(L"A", 1, a);
    ArxLayer::Arx_CreateLayer(L"B", 2, b);
    std::vector<AcDbObjectId> onA, onB;
    for (int i = 0; i < 4; ++i) {
        const AcDbObjectId id =
            add(std::make_unique<AcDbCircle>(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1.0));
        ASSERT_NE(ArxEntity::Arx_ChangeEntLayer(id, i % 2 == 0 ? L"A" : L"B"), 0);
        (i % 2 == 0 ? onA : onB).push_back(id);
    }
    ASSERT_NE(ArxEntity::Arx_EraseEntity(onB[0]), 0);
    AcDbObjectIdArray ids;
    EXPECT_EQ(ArxLayer::Arx_GetLayerEnt(L"A", ids), 2);
    EXPECT_EQ(ArxSelectEntity::Arx_GetEntFromLayer(L"B", ids), 1);
    ASSERT_EQ(ids.length(), 3);
    EXPECT_EQ(ids[0], onA[0]);
    EXPECT_EQ(ids[1], onA[1]);
    EXPECT_EQ(ids[2], onB[1]);
    EXPECT_EQ(ArxLayer::Arx_GetLayerEnt(L"missing", ids), 0);
}

using Groups = DrawingTest;

TEST_F(Groups, AnonymousGroupsAreNewEachTimeNamedOnesFound) {
    AcDbObjectId g1, g2, named, namedAgain;
    ASSERT_NE(ArxGroup::Arx_CreateGroup(L"*NoName", g1), 0);
    ASSERT_NE(ArxGroup::Arx_CreateGroup(L"*NoName", g2), 0);
    EXPECT_NE(g1, g2);
    ASSERT_NE(ArxGroup::Arx_CreateGroup(L"annotations", named), 0);
    ASSERT_NE(ArxGroup::Arx_CreateGroup(L"annotations", namedAgain), 0);
    EXPECT_EQ(named, namedAgain);

    const AcDbObjectId circle =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(), AcGeVector3d::kZAxis, 1.0));
    EXPECT_NE(ArxGroup::Arx_addEntToGroup(circle, g1), 0);
    EXPECT_NE(ArxGroup::Arx_addEntToGroup(circle, g1), 0);  // already in: still fine
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, g1, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(group->numEntities(), 1u);
    EXPECT_TRUE(group->isAnonymous());
    EXPECT_EQ(std::wstring(group->name()).substr(0, 2), L"*A");
    group->close();
    EXPECT_EQ(ArxGroup::Arx_addEntToGroup(circle, AcDbObjectId()), 0);
}

using Entities = DrawingTest;

TEST_F(Entities, AddedEntityStaysOpenForWriteUntilClosed) {
    auto text = std::make_unique<AcDbText>(AcGePoint3d(1, 2, 0), L"T=1.00");
    AcDbObjectId id;
    ASSERT_EQ(ArxEntity::Arx_addToModelSpace(text.get(), id), Acad::eOk);
    EXPECT_TRUE(text->isWriteEnabled());
    EXPECT_EQ(text->setHeight(5.0), Acad::eOk);
    text.release()->close();
    AcDbText* reread = nullptr;
    ASSERT_EQ(acdbOpenObject(reread, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reread->height(), 5.0);
    reread->close();
    EXPECT_EQ(ArxEntity::Arx_addToModelSpace(nullptr), Acad::eNullEntityPointer);
}

TEST_F(Entities, PropertiesExtentsAndHighlight) {
    const AcDbObjectId id =
        add(std::make_unique<AcDbCircle>(AcGePoint3d(10, 20, 0), AcGeVector3d::kZAxis, 2.0));
    AcDbObjectId layer;
    ArxLayer::Arx_CreateLayer(L"场区1填方标注", 2, layer);
    EXPECT_NE(ArxEntity::Arx_ChangeEntLayer(id, L"场区1填方标注"), 0);
    EXPECT_EQ(ArxEntity::Arx_ChangeEntLayer(id, L"no such layer"), 0);
    std::wstring name;
    EXPECT_NE(ArxEntity::Arx_GetEntLayer(id, name), 0);
    EXPECT_EQ(name, L"场区1填方标注");
    EXPECT_NE(ArxEntity::Arx_ChangeEntColor(id, 173), 0);
    EXPECT_NE(ArxEntity::Arx_ChangeEntColor(id, 256), 0);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->colorIndex(), 256);
    entity->close();

    AcGePoint3d low, high;
    ASSERT_NE(ArxEntity::Arx_GetEntityExtent(id, low, high), 0);
    EXPECT_TRUE(low.isEqualTo({8, 18, 0}));
    EXPECT_TRUE(high.isEqualTo({12, 22, 0}));
    EXPECT_NE(ArxEntity::Arx_HightAllEnt(id), 0);
    EXPECT_NE(ArxEntity::Arx_UnHightAllEnt(id), 0);
    EXPECT_NE(ArxView::Arx_DispEntToView(id, 4, 1), 0);
    EXPECT_NE(ArxDraw::Arx_RefreshDisplay(), 0);

    EXPECT_NE(ArxEntity::Arx_EraseEntity(id), 0);
    EXPECT_EQ(ArxEntity::Arx_EraseEntity(id), 0);  // erased: cannot be opened
    EXPECT_EQ(ArxEntity::Arx_GetEntityExtent(id, low, high), 0);
    EXPECT_EQ(ArxView::Arx_DispEntToView(AcDbObjectId(), 4, 1), 0);
}

TEST_F(Entities, CopyTranslationMovesACopyWithItsExtendedData) {
    const AcDbObjectId id = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ASSERT_EQ(acdbRegApp(L"场区"), 1);
    {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
        AcRbChain xdata(acutBuildList(1001, L"场区", 1000, L"场区编号", 1000, L"1", 0));
        EXPECT_EQ(entity->setXData(xdata.get()), Acad::eOk);
        entity->close();
    }
    AcDbObjectId copy;
    ASSERT_NE(ArxEntity::Arx_CopyTranslation(id, AcGeVector3d(100, 50, 0), copy), 0);
    EXPECT_NE(copy, id);
    AcGePoint3d low, high;
    ASSERT_NE(ArxEntity::Arx_GetEntityExtent(copy, low, high), 0);
    EXPECT_TRUE(low.isEqualTo({100, 50, 0}));
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, copy, AcDb::kForRead), Acad::eOk);
    AcRbChain xdata(entity->xData(L"场区"));
    entity->close();
    ASSERT_NE(xdata, nullptr);
    ASSERT_NE(xdata->rbnext, nullptr);
    EXPECT_EQ(std::wstring(xdata->rbnext->resval.rstring), L"场区编号");
}

using Texts = DrawingTest;

TEST_F(Texts, CreatedOnTheCurrentLayerWithStyleColourAndJustification) {
    AcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(db()->getTextStyleTable(table, AcDb::kForWrite), Acad::eOk);
    auto record = std::make_unique<AcDbTextStyleTableRecord>();
    record->setName(L"土方标注");
    record->setFont(L"仿宋_GB2312", false, false, 134, 49);
    record->setXScale(0.7);
    record->setTextSize(3.0);
    AcDbObjectId styleId;
    ASSERT_EQ(table->add(styleId, record.get()), Acad::eOk);
    record.release()->close();
    table->close();

    const AcDbObjectId previous = ArxLayer::Arx_setLayer(L"场区1方格标高标注");
    AcDbObjectId textId;
    ASSERT_NE(ArxText::Arx_CreateText({5, 5, 0}, L"12.35", 2.5, 0.5, 2, 256, styleId, textId), 0);
    db()->setClayer(previous);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, textId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wstring(text->textStringConst()), L"12.35");
    EXPECT_EQ(text->layerName(), L"场区1方格标高标注");
    EXPECT_EQ(text->textStyle(), styleId);
    EXPECT_EQ(text->colorIndex(), 256);
    EXPECT_DOUBLE_EQ(text->height(), 2.5);
    EXPECT_DOUBLE_EQ(text->rotation(), 0.5);
    EXPECT_EQ(text->horizontalMode(), AcDb::kTextCenter);
    EXPECT_EQ(text->verticalMode(), AcDb::kTextVertMid);
    EXPECT_TRUE(text->alignmentPoint().isEqualTo({5, 5, 0}));
    text->close();
    EXPECT_TRUE(ArxJudgeClass::Arx_JudgeIsAcDbText(textId));

    AcGiTextStyle style;
    ASSERT_NE(ArxText::Arx_getTextStyleFromId(style, styleId), 0);
    EXPECT_EQ(std::wstring(style.styleName()), L"土方标注");
    EXPECT_EQ(std::wstring(style.typeface()), L"仿宋_GB2312");
    EXPECT_DOUBLE_EQ(style.xScale(), 0.7);
    EXPECT_DOUBLE_EQ(style.textSize(), 3.0);
    EXPECT_EQ(ArxText::Arx_getTextStyleFromId(style, AcDbObjectId()), 0);
}

}  // namespace
