#include "db_test_support.h"

namespace {

class GroupTest : public DrawingTest {
  protected:
    // Creates a group under name in the group dictionary and returns its id.
    AcDbObjectId makeGroup(const wchar_t* name, std::vector<AcDbObjectId> members = {}) {
        AcDbDictionary* groups = nullptr;
        EXPECT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
        auto* group = new AcDbGroup(L"", true);
        AcDbObjectId id;
        EXPECT_EQ(groups->setAt(name, group, id), Acad::eOk);
        for (AcDbObjectId member : members) EXPECT_EQ(group->append(member), Acad::eOk);
        group->close();
        groups->close();
        return id;
    }
    std::wstring nameOf(AcDbObjectId id) {
        AcDbGroup* group = nullptr;
        EXPECT_EQ(acdbOpenObject(group, id, AcDb::kForRead), Acad::eOk);
        std::wstring name = group->name();
        group->close();
        return name;
    }
};

TEST_F(GroupTest, AnonymousNamesCountUp) {
    EXPECT_EQ(nameOf(makeGroup(L"*NoName")), L"*A1");
    EXPECT_EQ(nameOf(makeGroup(L"*NoName")), L"*A2");
    EXPECT_EQ(nameOf(makeGroup(L"场区1")), L"场区1");
    EXPECT_EQ(nameOf(makeGroup(L"*")), L"*A3");
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, makeGroup(L"*NoName"), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(group->isAnonymous());
    group->close();
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(groups->numEntries(), 5u);
    EXPECT_TRUE(groups->has(L"*a4"));  // names compare without regard to case
    groups->close();
}

// Lookups by name stay right after removals shift the entries, and a name
// given again in another case replaces its entry.
TEST_F(GroupTest, NamesFoundAfterRemovalsAndReplacement) {
    const AcDbObjectId a = makeGroup(L"Alpha");
    makeGroup(L"Beta");
    const AcDbObjectId g = makeGroup(L"Gamma");
    const AcDbObjectId beta = makeGroup(L"BETA");
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(groups->numEntries(), 3u);
    EXPECT_EQ(groups->remove(a), Acad::eOk);
    const std::pair<const wchar_t*, AcDbObjectId> cases[] = {
        {L"alpha", AcDbObjectId::kNull}, {L"beta", beta}, {L"GAMMA", g}};
    for (const auto& [name, expected] : cases) {
        AcDbObjectId id;
        groups->getAt(name, id);
        EXPECT_EQ(id, expected);
    }
    groups->close();
}

TEST_F(GroupTest, MembersAndErasedEntities) {
    const AcDbObjectId a = addLine({0, 0, 0}, {1, 0, 0});
    const AcDbObjectId b = addLine({0, 0, 0}, {0, 1, 0});
    const AcDbObjectId groupId = makeGroup(L"*NoName", {a, b});
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, groupId, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(group->append(a), Acad::eAlreadyInDb);
    EXPECT_EQ(group->append(db->layerTableId()), Acad::eNotAnEntity);
    group->close();
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, a, AcDb::kForWrite), Acad::eOk);
    ent->erase();
    ent->close();
    ASSERT_EQ(acdbOpenObject(group, groupId, AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray ids;
    EXPECT_EQ(group->allEntityIds(ids), 1u);
    EXPECT_EQ(ids[0], b);
    EXPECT_TRUE(group->has(a));
    group->close();
}

TEST_F(GroupTest, ReplacingAnEntryErasesTheOldObject) {
    const AcDbObjectId first = makeGroup(L"G");
    const AcDbObjectId second = makeGroup(L"G");
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.isErased());
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(groups->getAt(L"g", found), Acad::eOk);
    EXPECT_EQ(found, second);
    EXPECT_EQ(groups->remove(L"G"), Acad::eOk);
    EXPECT_EQ(groups->getAt(L"G", found), Acad::eKeyNotFound);
    groups->close();
}

TEST_F(DrawingTest, DefaultDrawingHasTheStandardRecords) {
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getBlockTable(blocks), Acad::eOk);
    AcDbObjectId space;
    EXPECT_EQ(blocks->getAt(ACDB_MODEL_SPACE, space), Acad::eOk);
    EXPECT_EQ(space, db->modelSpaceId());
    EXPECT_TRUE(blocks->has(L"*paper_space"));
    blocks->close();
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps), Acad::eOk);
    EXPECT_TRUE(apps->has(L"ACAD"));
    apps->close();
    AcDbLayerTableRecord* layer0 = nullptr;
    ASSERT_EQ(acdbOpenObject(layer0, db->clayer(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(layer0->nameText(), L"0");
    EXPECT_EQ(layer0->color().colorIndex(), 7);
    layer0->close();
}

TEST_F(DrawingTest, TextStyleRecordKeepsItsFont) {
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db->getTextStyleTable(styles, AcDb::kForWrite), Acad::eOk);
    auto* style = new AcDbTextStyleTableRecord;
    ASSERT_EQ(style->setName(L"土方标注"), Acad::eOk);
    ASSERT_EQ(style->setFont(L"仿宋_GB2312", false, false, 134, 49), Acad::eOk);
    ASSERT_EQ(style->setXScale(0.7), Acad::eOk);
    ASSERT_EQ(style->setTextSize(2.5), Acad::eOk);
    EXPECT_EQ(style->setXScale(0.0), Acad::eInvalidInput);
    AcDbObjectId id;
    ASSERT_EQ(styles->add(id, style), Acad::eOk);
    style->close();
    styles->close();
    ASSERT_EQ(db->setTextstyle(id), Acad::eOk);
    AcDbTextStyleTableRecord* read = nullptr;
    ASSERT_EQ(acdbOpenObject(read, id, AcDb::kForRead), Acad::eOk);
    ACHAR* typeface = nullptr;
    bool bold = true, italic = true;
    int charset = 0, pitch = 0;
    read->font(typeface, bold, italic, charset, pitch);
    EXPECT_STREQ(typeface, L"仿宋_GB2312");
    acutDelString(typeface);
    EXPECT_FALSE(bold);
    EXPECT_EQ(charset, 134);
    EXPECT_EQ(pitch, 49);
    EXPECT_DOUBLE_EQ(read->xScale(), 0.7);
    EXPECT_DOUBLE_EQ(read->textSize(), 2.5);
    read->close();
    AcGiTextStyle drawing;
    drawing.setStyleName(L"土方标注");
    ASSERT_EQ(drawing.loadStyleRec(db.get()), 1);
    EXPECT_DOUBLE_EQ(drawing.xScale(), 0.7);
    EXPECT_STREQ(drawing.typeface(), L"仿宋_GB2312");
}

}  // namespace
