#include <vector>

#include "db_test_support.h"

namespace {

// One step of an open/close sequence on a single entity: the first opened object
// slot it acts on, what it does, and the status it must give.
enum class Op {
    kOpenRead,
    kOpenWrite,
    kOpenWriteErased,
    kClose,
    kUpgrade,
    kDowngrade,
    kErase,
    kUnerase
};

struct Step {
    Op op;
    int slot;  // which earlier successful open the step acts on (for close/upgrade/...)
    Acad::ErrorStatus expected;
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

const std::vector<Sequence> kSequences = {
    {"two readers",
     {{Op::kOpenRead, 0, Acad::eOk},
      {Op::kOpenRead, 1, Acad::eOk},
      {Op::kClose, 0, Acad::eOk},
      {Op::kClose, 1, Acad::eOk}}},
    {"write while read",
     {{Op::kOpenRead, 0, Acad::eOk}, {Op::kOpenWrite, 1, Acad::eWasOpenForRead}}},
    {"read while write",
     {{Op::kOpenWrite, 0, Acad::eOk}, {Op::kOpenRead, 1, Acad::eWasOpenForWrite}}},
    {"write while write",
     {{Op::kOpenWrite, 0, Acad::eOk}, {Op::kOpenWrite, 1, Acad::eWasOpenForWrite}}},
    {"close then write",
     {{Op::kOpenRead, 0, Acad::eOk}, {Op::kClose, 0, Acad::eOk}, {Op::kOpenWrite, 1, Acad::eOk}}},
    {"upgrade single reader",
     {{Op::kOpenRead, 0, Acad::eOk},
      {Op::kUpgrade, 0, Acad::eOk},
      {Op::kOpenRead, 1, Acad::eWasOpenForWrite}}},
    {"upgrade with two readers",
     {{Op::kOpenRead, 0, Acad::eOk},
      {Op::kOpenRead, 1, Acad::eOk},
      {Op::kUpgrade, 0, Acad::eHadMultipleReaders}}},
    {"upgrade when writing",
     {{Op::kOpenWrite, 0, Acad::eOk}, {Op::kUpgrade, 0, Acad::eWasOpenForWrite}}},
    {"downgrade",
     {{Op::kOpenWrite, 0, Acad::eOk},
      {Op::kDowngrade, 0, Acad::eOk},
      {Op::kOpenRead, 1, Acad::eOk}}},
    {"downgrade a reader",
     {{Op::kOpenRead, 0, Acad::eOk}, {Op::kDowngrade, 0, Acad::eWasNotOpenForWrite}}},
    {"erase needs write", {{Op::kOpenRead, 0, Acad::eOk}, {Op::kErase, 0, Acad::eNotOpenForWrite}}},
    {"erased is not opened",
     {{Op::kOpenWrite, 0, Acad::eOk},
      {Op::kErase, 0, Acad::eOk},
      {Op::kClose, 0, Acad::eOk},
      {Op::kOpenRead, 1, Acad::eWasErased}}},
    {"erased opened with openErased",
     {{Op::kOpenWrite, 0, Acad::eOk},
      {Op::kErase, 0, Acad::eOk},
      {Op::kClose, 0, Acad::eOk},
      {Op::kOpenWriteErased, 1, Acad::eOk},
      {Op::kErase, 1, Acad::eWasErased},
      {Op::kUnerase, 1, Acad::eOk},
      {Op::kClose, 1, Acad::eOk},
      {Op::kOpenRead, 2, Acad::eOk}}},
    {"unerase a live object",
     {{Op::kOpenWrite, 0, Acad::eOk}, {Op::kUnerase, 0, Acad::eWasNotErased}}},
    {"close twice",
     {{Op::kOpenRead, 0, Acad::eOk},
      {Op::kClose, 0, Acad::eOk},
      {Op::kClose, 0, Acad::eNotOpenForRead}}},
};

class OpenModeTest : public DrawingTest, public ::testing::WithParamInterface<Sequence> {};

Acad::ErrorStatus run(const Step& step, AcDbObjectId id, std::vector<AcDbObject*>& opened) {
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = Acad::eOk;
    switch (step.op) {
        case Op::kOpenRead:
            es = acdbOpenObject(obj, id, AcDb::kForRead);
            break;
        case Op::kOpenWrite:
            es = acdbOpenObject(obj, id, AcDb::kForWrite);
            break;
        case Op::kOpenWriteErased:
            es = acdbOpenObject(obj, id, AcDb::kForWrite, true);
            break;
        case Op::kClose:
            return opened.at(static_cast<size_t>(step.slot))->close();
        case Op::kUpgrade:
            return opened.at(static_cast<size_t>(step.slot))->upgradeOpen();
        case Op::kDowngrade:
            return opened.at(static_cast<size_t>(step.slot))->downgradeOpen();
        case Op::kErase:
            return opened.at(static_cast<size_t>(step.slot))->erase();
        case Op::kUnerase:
            return opened.at(static_cast<size_t>(step.slot))->erase(false);
    }
    if (es == Acad::eOk)
        opened.push_back(obj);
    else
        EXPECT_EQ(obj, nullptr);
    return es;
}

TEST_P(OpenModeTest, EachStepGivesTheHostsStatus) {
    const AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    std::vector<AcDbObject*> opened;
    int n = 0;
    for (const Step& step : GetParam().steps) {
        const Acad::ErrorStatus es = run(step, id, opened);
        EXPECT_EQ(es, step.expected) << "step " << n << ": " << wcrtToUtf8(acadErrorStatusText(es));
        ++n;
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, OpenModeTest, ::testing::ValuesIn(kSequences),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST_F(DrawingTest, NullIdAndWrongClassAreRefused) {
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenObject(obj, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
    AcDbCircle* circle = nullptr;
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 1, 0});
    EXPECT_EQ(acdbOpenObject(circle, line, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(circle, nullptr);
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, db->layerTableId(), AcDb::kForRead), Acad::eNotAnEntity);
    // A refused open leaves the object free for others.
    AcDbLine* asLine = nullptr;
    ASSERT_EQ(acdbOpenObject(asLine, line, AcDb::kForWrite), Acad::eOk);
    asLine->close();
}

TEST_F(DrawingTest, AppendedEntityStaysOpenForWriteUntilClosed) {
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine({0, 0, 0}, {2, 0, 0});
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
    space->close();
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_EQ(line->setEndPoint({3, 0, 0}), Acad::eOk);
    AcDbEntity* other = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(other, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    line->close();
    ASSERT_EQ(acdbOpenAcDbEntity(other, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(AcDbLine::cast(other)->endPoint(), AcGePoint3d(3, 0, 0));
    EXPECT_EQ(other->layerName(), L"0");
    other->close();
}

TEST_F(DrawingTest, AppendNeedsTheBlockOpenForWrite) {
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    auto line = std::make_unique<AcDbLine>();
    EXPECT_EQ(space->appendAcDbEntity(line.get()), Acad::eNotOpenForWrite);
    space->close();
}

TEST_F(DrawingTest, IteratorSkipsErasedEntities) {
    const AcDbObjectId keep = addLine({0, 0, 0}, {1, 0, 0});
    const AcDbObjectId gone = addLine({0, 0, 0}, {2, 0, 0});
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, gone, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(ent->erase(), Acad::eOk);
    ent->close();
    EXPECT_TRUE(gone.isErased());
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* raw = nullptr;
    space->newIterator(raw);
    std::unique_ptr<AcDbBlockTableRecordIterator> it(raw);
    std::vector<AcDbObjectId> seen;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        seen.push_back(id);
    }
    space->close();
    EXPECT_EQ(seen, std::vector<AcDbObjectId>{keep});
}

TEST_F(DrawingTest, CurrentLayerAndStyleTakeOnlyRecordsOfTheirTable) {
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbLayerTableRecord;
    ASSERT_EQ(record->setName(L"多层标高"), Acad::eOk);
    AcCmColor color;
    color.setColorIndex(6);
    ASSERT_EQ(record->setColor(color), Acad::eOk);
    AcDbObjectId layerId;
    ASSERT_EQ(layers->add(layerId, record), Acad::eOk);
    record->close();
    auto duplicate = std::make_unique<AcDbLayerTableRecord>();
    duplicate->setName(L"多层标高");
    EXPECT_EQ(layers->add(duplicate.get()), Acad::eDuplicateRecordName);
    layers->close();

    EXPECT_EQ(db->setClayer(db->textstyle()), Acad::eInvalidInput);
    ASSERT_EQ(db->setClayer(layerId), Acad::eOk);
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, line, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ent->layerName(), L"多层标高");
    EXPECT_EQ(ent->colorIndex(), 256);
    EXPECT_EQ(ent->setLayer(L"no such layer"), Acad::eKeyNotFound);
    EXPECT_EQ(ent->setLayer(L"0"), Acad::eOk);
    ent->close();
}

}  // namespace
