#include <algorithm>

#include "db_stub.h"
#include "dbdict.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "rx_builtin.h"

ACRX_BUILTIN_DESC(AcDbDatabase, AcRxObject::desc(), nullptr, L"")
ACRX_BUILTIN_DESC(AcDbHostApplicationServices, AcRxObject::desc(), nullptr, L"")

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

AcDbDatabase::AcDbDatabase(bool buildDefault, bool) {
    if (buildDefault) buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase() {
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    if (services->workingDatabase() == this) services->setWorkingDatabase(nullptr);
}

AcDbStub* AcDbDatabase::stubFor(const AcDbHandle& handle, bool create) {
    auto it = mStubs.find(handle);
    if (it != mStubs.end()) return it->second.get();
    if (!create) return nullptr;
    auto stub = std::make_unique<AcDbStub>();
    stub->database = this;
    stub->handle = handle;
    AcDbStub* raw = stub.get();
    mStubs.emplace(handle, std::move(stub));
    return raw;
}

AcDbHandle AcDbDatabase::nextHandle() {
    while (mStubs.count(mHandseed) != 0) mHandseed.increment();
    AcDbHandle h = mHandseed;
    mHandseed.increment();
    return h;
}

Acad::ErrorStatus AcDbDatabase::setHandseed(const AcDbHandle& seed) {
    if (seed.isNull()) return Acad::eInvalidInput;
    mHandseed = seed;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addObjectWithHandle(AcDbObjectId& id, AcDbObject* obj,
                                                    const AcDbHandle& handle) {
    id = AcDbObjectId::kNull;
    if (obj == nullptr) return Acad::eNullObjectPointer;
    if (!obj->objectId().isNull()) return Acad::eAlreadyInDb;
    const AcDbHandle h = handle.isNull() ? nextHandle() : handle;
    AcDbStub* stub = stubFor(h, true);
    if (stub->object != nullptr) return Acad::eHandleInUse;
    stub->object.reset(obj);
    obj->attachToDatabase(AcDbObjectId(stub));
    obj->openedFor(AcDb::kForWrite);
    if (!(h < mHandseed)) mHandseed = AcDbHandle(h.value() + 1);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* obj) {
    return addObjectWithHandle(id, obj, AcDbHandle());
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                                const AcDbHandle& handle, Adesk::UInt32) {
    id = AcDbObjectId::kNull;
    if (handle.isNull()) return Acad::eNullHandle;
    AcDbStub* stub = stubFor(handle, createIfNotFound);
    if (stub == nullptr) return Acad::eUnknownHandle;
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

AcDbObjectIdArray AcDbDatabase::allObjectIds() const {
    AcDbObjectIdArray ids;
    for (const auto& [handle, stub] : mStubs)
        if (stub->object != nullptr) ids.append(AcDbObjectId(stub.get()));
    return ids;
}

AcDbObjectIdArray AcDbDatabase::unresolvedIds() const {
    AcDbObjectIdArray ids;
    for (const auto& [handle, stub] : mStubs)
        if (stub->object == nullptr) ids.append(AcDbObjectId(stub.get()));
    return ids;
}

void AcDbDatabase::swapContents(AcDbDatabase& other) {
    std::swap(mStubs, other.mStubs);
    std::swap(mHandseed, other.mHandseed);
    std::swap(mBlockTableId, other.mBlockTableId);
    std::swap(mLayerTableId, other.mLayerTableId);
    std::swap(mTextStyleTableId, other.mTextStyleTableId);
    std::swap(mRegAppTableId, other.mRegAppTableId);
    std::swap(mNamedObjectsDictionaryId, other.mNamedObjectsDictionaryId);
    std::swap(mGroupDictionaryId, other.mGroupDictionaryId);
    std::swap(mModelSpaceId, other.mModelSpaceId);
    std::swap(mPaperSpaceId, other.mPaperSpaceId);
    std::swap(mClayer, other.mClayer);
    std::swap(mTextstyle, other.mTextstyle);
    for (auto& [handle, stub] : mStubs) stub->database = this;
    for (auto& [handle, stub] : other.mStubs) stub->database = &other;
}

void AcDbDatabase::setFixedObjectIds(AcDbObjectId blockTable, AcDbObjectId layerTable,
                                     AcDbObjectId textStyleTable, AcDbObjectId regAppTable,
                                     AcDbObjectId namedObjects, AcDbObjectId groupDictionary,
                                     AcDbObjectId modelSpace, AcDbObjectId paperSpace) {
    mBlockTableId = blockTable;
    mLayerTableId = layerTable;
    mTextStyleTableId = textStyleTable;
    mRegAppTableId = regAppTable;
    mNamedObjectsDictionaryId = namedObjects;
    mGroupDictionaryId = groupDictionary;
    mModelSpaceId = modelSpace;
    mPaperSpaceId = paperSpace;
    if (AcDbDictionary* groups = groupDictionary.isValid()
                                     ? AcDbDictionary::cast(groupDictionary.stub()->object.get())
                                     : nullptr)
        groups->setNamesAnonymously(true);
}

template <typename T>
Acad::ErrorStatus AcDbDatabase::openFixed(T*& obj, AcDbObjectId id, AcDb::OpenMode mode) {
    obj = nullptr;
    return acdbOpenObject(obj, id, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return openFixed(table, mBlockTableId, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return openFixed(table, mLayerTableId, mode);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
    return openFixed(table, mTextStyleTableId, mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
    return openFixed(table, mRegAppTableId, mode);
}
Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode) {
    return openFixed(dict, mGroupDictionaryId, mode);
}
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dict,
                                                          AcDb::OpenMode mode) {
    return openFixed(dict, mNamedObjectsDictionaryId, mode);
}

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layerId) {
    if (layerId.database() != this || !layerId.isValid() || layerId.isErased() ||
        !layerId.objectClass()->isDerivedFrom(AcDbLayerTableRecord::desc()))
        return Acad::eInvalidInput;
    mClayer = layerId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId styleId) {
    if (styleId.database() != this || !styleId.isValid() || styleId.isErased() ||
        !styleId.objectClass()->isDerivedFrom(AcDbTextStyleTableRecord::desc()))
        return Acad::eInvalidInput;
    mTextstyle = styleId;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::addFixed(AcDbObject* obj, AcDbObjectId owner) {
    AcDbObjectId id;
    addAcDbObject(id, obj);
    obj->setOwnerId(owner);
    obj->close();
    return id;
}

namespace {

// Adds a record to a table held open for write and closes the record.
AcDbObjectId addRecord(AcDbSymbolTable* table, AcDbSymbolTableRecord* record, const ACHAR* name) {
    record->setName(name);
    AcDbObjectId id;
    table->add(id, record);
    record->close();
    return id;
}

template <typename Table>
Table* openForWrite(AcDbObjectId id) {
    Table* table = nullptr;
    acdbOpenObject(table, id, AcDb::kForWrite);
    return table;
}

}  // namespace

void AcDbDatabase::buildDefaultDrawing() {
    mNamedObjectsDictionaryId = addFixed(new AcDbDictionary, AcDbObjectId::kNull);
    auto* groups = new AcDbDictionary;
    groups->setNamesAnonymously(true);
    AcDbDictionary* nod = openForWrite<AcDbDictionary>(mNamedObjectsDictionaryId);
    nod->setAt(ACDB_GROUP_DICTIONARY, groups, mGroupDictionaryId);
    groups->close();
    nod->close();

    mBlockTableId = addFixed(new AcDbBlockTable, AcDbObjectId::kNull);
    mLayerTableId = addFixed(new AcDbLayerTable, AcDbObjectId::kNull);
    mTextStyleTableId = addFixed(new AcDbTextStyleTable, AcDbObjectId::kNull);
    mRegAppTableId = addFixed(new AcDbRegAppTable, AcDbObjectId::kNull);

    AcDbBlockTable* blocks = openForWrite<AcDbBlockTable>(mBlockTableId);
    mModelSpaceId = addRecord(blocks, new AcDbBlockTableRecord, ACDB_MODEL_SPACE);
    mPaperSpaceId = addRecord(blocks, new AcDbBlockTableRecord, ACDB_PAPER_SPACE);
    blocks->close();

    AcDbLayerTable* layers = openForWrite<AcDbLayerTable>(mLayerTableId);
    mClayer = addRecord(layers, new AcDbLayerTableRecord, L"0");
    layers->close();

    AcDbTextStyleTable* styles = openForWrite<AcDbTextStyleTable>(mTextStyleTableId);
    auto* standard = new AcDbTextStyleTableRecord;
    standard->setFileName(L"txt");
    mTextstyle = addRecord(styles, standard, L"Standard");
    styles->close();

    AcDbRegAppTable* apps = openForWrite<AcDbRegAppTable>(mRegAppTableId);
    addRecord(apps, new AcDbRegAppTableRecord, L"ACAD");
    apps->close();
}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    if (mEmpty) {
        mMin = mMax = p;
        mEmpty = false;
        return;
    }
    mMin.set(std::min(mMin.x, p.x), std::min(mMin.y, p.y), std::min(mMin.z, p.z));
    mMax.set(std::max(mMax.x, p.x), std::max(mMax.y, p.y), std::max(mMax.z, p.z));
}

void AcDbExtents::addExt(const AcDbExtents& ext) {
    if (ext.mEmpty) return;
    addPoint(ext.mMin);
    addPoint(ext.mMax);
}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& minPoint, const AcGePoint3d& maxPoint) {
    if (minPoint.x > maxPoint.x || minPoint.y > maxPoint.y || minPoint.z > maxPoint.z)
        return Acad::eInvalidExtents;
    mMin = minPoint;
    mMax = maxPoint;
    mEmpty = false;
    return Acad::eOk;
}

void AcDbExtents::transformBy(const AcGeMatrix3d& mat) {
    if (mEmpty) return;
    const AcGePoint3d lo = mMin, hi = mMax;
    mEmpty = true;
    for (int corner = 0; corner < 8; ++corner) {
        AcGePoint3d p((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y,
                      (corner & 4) ? hi.z : lo.z);
        addPoint(p.transformBy(mat));
    }
}
