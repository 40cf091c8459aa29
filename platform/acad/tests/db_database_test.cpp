// Handles, ids, iteration and the reader's hooks of the database.
#include "db_test_support.h"

namespace {

TEST(Handles, TextFormAndParsing) {
    struct Row {
        const wchar_t* text;
        std::uint64_t value;
    };
    const Row rows[] = {{L"1F", 0x1F},
                        {L"abc", 0xABC},
                        {L"0", 0},
                        {L"", 0},
                        {L"12G", 0},
                        {L"FFFFFFFFFFFFFFFF", ~0ull},
                        {L"10000000000000000", 0}};
    for (const Row& r : rows) EXPECT_EQ(AcDbHandle(r.text).value(), r.value) << wcrtToUtf8(r.text);
    ACHAR buffer[17];
    AcDbHandle(0x2A).getIntoAsciiBuffer(buffer);
    EXPECT_STREQ(buffer, L"2A");
}

TEST_F(DrawingTest, IdsCarryHandlesAndEntityNames) {
    const AcDbObjectId a = addLine({0, 0, 0}, {1, 0, 0});
    const AcDbObjectId b = addLine({0, 0, 0}, {2, 0, 0});
    EXPECT_LT(a.handle(), b.handle());
    EXPECT_EQ(a.database(), db.get());
    EXPECT_EQ(a.objectClass(), AcDbLine::desc());
    AcDbObjectId found;
    ASSERT_EQ(db->getAcDbObjectId(found, false, a.handle()), Acad::eOk);
    EXPECT_EQ(found, a);
    EXPECT_EQ(db->getAcDbObjectId(found, false, AcDbHandle(0xFFFFFF)), Acad::eUnknownHandle);
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, b), Acad::eOk);
    ASSERT_EQ(acdbGetObjectId(found, name), Acad::eOk);
    EXPECT_EQ(found, b);
    EXPECT_EQ(db->handseed().value(), b.handle().value() + 1);
}

TEST_F(DrawingTest, ForwardReferencesResolveWhenTheObjectArrives) {
    // A reader meets a reference to handle 0x500 before the object itself.
    AcDbObjectId early;
    ASSERT_EQ(db->getAcDbObjectId(early, true, AcDbHandle(0x500)), Acad::eOk);
    EXPECT_FALSE(early.isValid());
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenObject(obj, early, AcDb::kForRead), Acad::ePermanentlyErased);
    ASSERT_EQ(db->unresolvedIds().length(), 1);
    auto* line = new AcDbLine({0, 0, 0}, {1, 1, 0});
    AcDbObjectId id;
    ASSERT_EQ(db->addObjectWithHandle(id, line, AcDbHandle(0x500)), Acad::eOk);
    EXPECT_EQ(id, early);
    EXPECT_TRUE(early.isValid());
    EXPECT_EQ(db->unresolvedIds().length(), 0);
    line->close();
    auto* again = new AcDbLine;
    EXPECT_EQ(db->addObjectWithHandle(id, again, AcDbHandle(0x500)), Acad::eHandleInUse);
    delete again;
    // New objects continue above the largest handle seen.
    const AcDbObjectId next = addLine({0, 0, 0}, {1, 0, 0});
    EXPECT_EQ(next.handle().value(), 0x501u);
}

TEST_F(DrawingTest, SwapContentsMovesObjectsWithTheirIds) {
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    AcDbDatabase other;
    db->swapContents(other);
    EXPECT_EQ(line.database(), &other);
    EXPECT_EQ(other.modelSpaceId().database(), &other);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, other.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(space->entityIds().size(), 1u);
    space->close();
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(space->entityIds().empty());
    space->close();
}

TEST_F(DrawingTest, SymbolTableIterationSkipsErasedRecords) {
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        ASSERT_EQ(layers->add(record), Acad::eOk);
        if (std::wstring(name) == L"B") record->erase();
        record->close();
    }
    EXPECT_FALSE(layers->has(L"B"));
    auto* bad = new AcDbLayerTableRecord;
    EXPECT_EQ(bad->setName(L"a<b"), Acad::eInvalidInput);
    EXPECT_EQ(layers->add(bad), Acad::eInvalidSymbolTableName);
    delete bad;
    AcDbLayerTableIterator* raw = nullptr;
    layers->newIterator(raw);
    std::unique_ptr<AcDbLayerTableIterator> it(raw);
    std::vector<std::wstring> names;
    for (; !it->done(); it->step()) {
        AcDbSymbolTableRecord* record = nullptr;
        ASSERT_EQ(it->getRecord(record, AcDb::kForRead), Acad::eOk);
        names.push_back(record->nameText());
        record->close();
    }
    layers->close();
    EXPECT_EQ(names, (std::vector<std::wstring>{L"0", L"A", L"C"}));
}

// Records are found by name without regard to case, also after a rename in
// the table, an erase and a new record of the erased name.
TEST_F(DrawingTest, SymbolTableLookupFollowsRenamesAndErases) {
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId ids[3];
    const wchar_t* names[] = {L"Ground", L"场区1", L"Old"};
    for (int i = 0; i < 3; ++i) {
        auto* record = new AcDbLayerTableRecord;
        record->setName(names[i]);
        ASSERT_EQ(layers->add(ids[i], record), Acad::eOk);
        if (i == 0) record->erase();
        if (i == 2) record->setName(L"New");
        record->close();
    }
    auto* again = new AcDbLayerTableRecord;
    again->setName(L"GROUND");
    AcDbObjectId againId;
    ASSERT_EQ(layers->add(againId, again), Acad::eOk);
    again->close();
    const struct {
        const wchar_t* name;
        bool erasedToo;
        AcDbObjectId expected;
    } cases[] = {
        {L"ground", false, againId},
        {L"ground", true, ids[0]},
        {L"场区1", false, ids[1]},
        {L"new", false, ids[2]},
        {L"Old", false, AcDbObjectId::kNull},
    };
    for (const auto& c : cases) {
        AcDbObjectId id;
        layers->getAt(c.name, id, c.erasedToo);
        EXPECT_EQ(id, c.expected) << c.erasedToo;
    }
    layers->close();
}

TEST_F(DrawingTest, RegisteringApplications) {
    EXPECT_EQ(acdbRegApp(L"场区"), 1);
    EXPECT_EQ(acdbRegApp(L"场区"), 1);
    EXPECT_EQ(acdbRegApp(L""), 0);
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps), Acad::eOk);
    EXPECT_EQ(apps->recordIds().size(), 2u);
    apps->close();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(acdbRegApp(L"方格"), 0);
}

TEST(WorkingDatabase, ClearedWhenItsDatabaseGoes) {
    {
        AcDbDatabase db;
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        EXPECT_EQ(acdbCurDwg(), &db);
    }
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
}

TEST_F(DrawingTest, GroupCloneKeepsMembersAndFlags) {
    const AcDbObjectId a = addLine({0, 0, 0}, {1, 0, 0});
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    auto* group = new AcDbGroup(L"说明");
    AcDbObjectId groupId;
    ASSERT_EQ(groups->setAt(L"*NoName", group, groupId), Acad::eOk);
    group->append(a);
    std::unique_ptr<AcDbGroup> copy(AcDbGroup::cast(group->clone()));
    group->close();
    groups->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->description(), L"说明");
    EXPECT_TRUE(copy->isAnonymous());
    EXPECT_TRUE(copy->has(a));
}

}  // namespace
