#include "dxf_sample.h"

#include <gtest/gtest.h>

ACRX_DXF_DEFINE_MEMBERS(DxfTestMarker, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 3071,
                        DXFTESTMARKER, DxfTestApp)

Acad::ErrorStatus DxfTestMarker::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"DxfTestMarker");
    filer->writePoint3d(10, position);
    filer->writeDouble(40, size);
    filer->writeInt16(70, static_cast<Adesk::Int16>(levels.length()));
    for (double level : levels) filer->writeDouble(41, level);
    return filer->filerStatus();
}

Acad::ErrorStatus DxfTestMarker::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"DxfTestMarker"))
        return filer->setError(Acad::eBadDxfSequence, L"no marker data");
    levels.removeAll();
    return readDxfSubclass(filer, L"DxfTestMarker", [&](const resbuf& item) {
        switch (item.restype) {
            case 10:
                position = AcGePoint3d(item.resval.rpoint[0], item.resval.rpoint[1],
                                       item.resval.rpoint[2]);
                return true;
            case 40:
                size = item.resval.rreal;
                return true;
            case 70:
                return true;
            case 41:
                levels.append(item.resval.rreal);
                return true;
            default:
                return false;
        }
    });
}

Acad::ErrorStatus DxfTestMarker::dwgOutFields(AcDbDwgFiler* filer) const {
    AcDbEntity::dwgOutFields(filer);
    filer->writePoint3d(position);
    filer->writeDouble(size);
    return filer->filerStatus();
}

Acad::ErrorStatus DxfTestMarker::dwgInFields(AcDbDwgFiler* filer) {
    AcDbEntity::dwgInFields(filer);
    filer->readPoint3d(&position);
    filer->readDouble(&size);
    return filer->filerStatus();
}

DxfTestMarkerClass::DxfTestMarkerClass() {
    DxfTestMarker::rxInit();
    acrxBuildClassHierarchy();
}

DxfTestMarkerClass::~DxfTestMarkerClass() { DxfTestMarker::rxUninit(); }

std::wstring dxfTestLongValue() {
    std::wstring value;
    for (int i = 0; i < 40; ++i) value += L"标高组" + std::to_wstring(i) + L"=12.50;";
    return value;
}

AcDbObjectId dxfTestAddLayer(AcDbDatabase& db, const ACHAR* name, int color) {
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db.getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbLayerTableRecord();
    record->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(color));
    record->setColor(c);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
}

namespace {

void addApp(AcDbDatabase& db, const ACHAR* name) {
    AcDbRegAppTable* table = nullptr;
    db.getRegAppTable(table, AcDb::kForWrite);
    auto* record = new AcDbRegAppTableRecord();
    record->setName(name);
    EXPECT_EQ(table->add(record), Acad::eOk);
    record->close();
    table->close();
}

// Extended data as the suite writes it: keyed strings, and a long value split
// into 1000 groups of at most 255 bytes between 1002 braces.
resbuf* siteXdata() {
    std::string utf8 = wcrtToUtf8(dxfTestLongValue());
    resbuf* head = acutBuildList(1001, L"场区", 1000, L"场区编号", 1000, L"1", 1070, 3, 1040, 2.5,
                                 1002, L"{", 0);
    resbuf* tail = head;
    while (tail->rbnext != nullptr) tail = tail->rbnext;
    size_t at = 0;
    while (at < utf8.size()) {
        size_t n = std::min<size_t>(255, utf8.size() - at);
        while (n > 0 && at + n < utf8.size() &&
               (static_cast<unsigned char>(utf8[at + n]) & 0xC0) == 0x80)
            --n;
        tail->rbnext = acutBuildList(1000, wcrtFromUtf8(utf8.substr(at, n)).c_str(), 0);
        tail = tail->rbnext;
        at += n;
    }
    tail->rbnext = acutBuildList(1002, L"}", 1001, L"OTHERAPP", 1000, L"kept", 1071, 70000, 0);
    return head;
}

// Appends to model space; the entity is closed unless the caller keeps it open.
AcDbObjectId append(AcDbDatabase& db, AcDbEntity* entity, const ACHAR* layer,
                    bool keepOpen = false) {
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite);
    entity->setDatabaseDefaults(&db);
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
    EXPECT_EQ(entity->setLayer(layer), Acad::eOk);
    space->close();
    if (!keepOpen) entity->close();
    return id;
}

AcDbObjectId addPane(AcDbDatabase& db, double x, double y, bool withXdata) {
    auto* pl = new AcDbPolyline();
    const double corners[4][2] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    for (unsigned i = 0; i < 4; ++i)
        pl->addVertexAt(i, AcGePoint2d(x + corners[i][0], y + corners[i][1]));
    pl->setBulgeAt(1, 0.25);
    pl->setClosed(true);
    AcDbObjectId id = append(db, pl, L"方格", true);
    if (withXdata) {
        AcRbChain xdata(siteXdata());
        EXPECT_EQ(pl->setXData(xdata.get()), Acad::eOk);
    }
    pl->close();
    return id;
}

void addGroup(AcDbDatabase& db, const ACHAR* name, const AcDbObjectIdArray& ids) {
    AcDbDictionary* groups = nullptr;
    db.getGroupDictionary(groups, AcDb::kForWrite);
    auto* group = new AcDbGroup(L"样例", true);
    AcDbObjectId id;
    EXPECT_EQ(groups->setAt(name, group, id), Acad::eOk);
    group->append(ids);
    group->close();
    groups->close();
}

}  // namespace

std::unique_ptr<AcDbDatabase> dxfTestDrawing() {
    auto db = std::make_unique<AcDbDatabase>(true, true);
    AcDbObjectId fieldLayer = dxfTestAddLayer(*db, L"场区", 1);
    dxfTestAddLayer(*db, L"方格", 2);
    addApp(*db, L"场区");
    addApp(*db, L"OTHERAPP");
    AcDbObjectIdArray panes;
    panes.append(addPane(*db, 0, 0, true));
    panes.append(addPane(*db, 20, 0, false));
    panes.append(
        append(*db, new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 2.5), L"场区"));
    AcDbObjectId text = append(
        *db, new AcDbText(AcGePoint3d(1, 2, 0), L"T=12.50\n第二行", AcDbObjectId(), 2.5, 0.5),
        L"场区");
    auto* marker = new DxfTestMarker();
    marker->position = AcGePoint3d(3, 4, 5);
    marker->size = 0.1;
    marker->levels.append(10.0);
    marker->levels.append(8.5);
    append(*db, marker, L"0");
    addGroup(*db, L"场区1", panes);
    AcDbObjectIdArray one;
    one.append(text);
    addGroup(*db, L"*", one);
    db->setClayer(fieldLayer);
    return db;
}

std::string dxfTestText(AcDbDatabase& db) {
    std::string text;
    DxfError error;
    EXPECT_EQ(dxfWriteDatabase(db, text, error), Acad::eOk) << error.message;
    return text;
}

namespace {

// The long value of the sample is stored the way the suite stores it: 1002
// braces around 1000 groups of at most 255 bytes, each whole UTF-8 characters.
TEST(DxfSample, LongValueIsSplitAtCharacterBoundaries) {
    auto db = dxfTestDrawing();
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbObjectId first = space->entityIds().front();
    space->close();
    AcDbObject* pane = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(pane, first, AcDb::kForRead), Acad::eOk);
    AcRbChain chain(pane->xData(L"场区"));
    pane->close();
    std::wstring joined;
    bool inside = false;
    int pieces = 0;
    for (const resbuf* rb = chain.get(); rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == 1002) inside = std::wstring(rb->resval.rstring) == L"{";
        if (rb->restype != 1000 || !inside) continue;
        std::string utf8 = wcrtToUtf8(rb->resval.rstring);
        EXPECT_LE(utf8.size(), 255u);
        EXPECT_EQ(wcrtFromUtf8(utf8).find(L'\uFFFD'), std::wstring::npos);
        joined += rb->resval.rstring;
        ++pieces;
    }
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(joined, dxfTestLongValue());
}

}  // namespace
