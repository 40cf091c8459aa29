// Symbol tables and the block table record's entity list.
#include <algorithm>
#include <cwchar>

#include "db_stub.h"
#include "dbsymtb.h"
#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_MEMBERS(AcDbSymbolTable, AcDbObject, nullptr, L"TABLE")
ACRX_BUILTIN_MEMBERS(AcDbBlockTable, AcDbSymbolTable, ACRX_CONSTRUCTOR(AcDbBlockTable), L"")
ACRX_BUILTIN_MEMBERS(AcDbLayerTable, AcDbSymbolTable, ACRX_CONSTRUCTOR(AcDbLayerTable), L"")
ACRX_BUILTIN_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, ACRX_CONSTRUCTOR(AcDbTextStyleTable), L"")
ACRX_BUILTIN_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, ACRX_CONSTRUCTOR(AcDbRegAppTable), L"")

bool AcDbBlockTable::acceptsRecord(const AcDbSymbolTableRecord* r) const {
    return AcDbBlockTableRecord::cast(r) != nullptr;
}
bool AcDbLayerTable::acceptsRecord(const AcDbSymbolTableRecord* r) const {
    return AcDbLayerTableRecord::cast(r) != nullptr;
}
bool AcDbTextStyleTable::acceptsRecord(const AcDbSymbolTableRecord* r) const {
    return AcDbTextStyleTableRecord::cast(r) != nullptr;
}
bool AcDbRegAppTable::acceptsRecord(const AcDbSymbolTableRecord* r) const {
    return AcDbRegAppTableRecord::cast(r) != nullptr;
}

namespace {

// The record behind an id, without opening it (names are compared while the caller
// may hold records open).
const AcDbSymbolTableRecord* peekRecord(AcDbObjectId id) {
    return id.isValid() ? AcDbSymbolTableRecord::cast(id.stub()->object.get()) : nullptr;
}

}  // namespace

void AcDbSymbolTable::syncIndex() const {
    if (mIndexedRenames != AcDbSymbolTableRecord::renameCount()) {
        mIndex.clear();
        mUnnamed.clear();
        mIndexedCount = 0;
        mIndexedRenames = AcDbSymbolTableRecord::renameCount();
    }
    // A record is named after it is placed in the table (the DXF reader);
    // until then it waits, and takes its place in table order once named.
    auto indexAt = [this](size_t position) {
        const AcDbSymbolTableRecord* record = peekRecord(mRecords[position]);
        if (record == nullptr) return true;
        if (record->nameText().empty()) return false;
        std::vector<size_t>& positions = mIndex[wcrtFoldCase(record->nameText())];
        positions.insert(std::upper_bound(positions.begin(), positions.end(), position), position);
        return true;
    };
    std::erase_if(mUnnamed, indexAt);
    for (; mIndexedCount < mRecords.size(); ++mIndexedCount)
        if (!indexAt(mIndexedCount)) mUnnamed.push_back(mIndexedCount);
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id,
                                         bool getErasedRecord) const {
    id = AcDbObjectId::kNull;
    if (name == nullptr) return Acad::eInvalidInput;
    syncIndex();
    auto it = mIndex.find(wcrtFoldCase(name));
    if (it == mIndex.end()) return Acad::eKeyNotFound;
    for (size_t position : it->second) {
        const AcDbObjectId recordId = mRecords[position];
        const AcDbSymbolTableRecord* record = peekRecord(recordId);
        if (record == nullptr || (record->isErased() && !getErasedRecord)) continue;
        if (_wcsicmp(record->nameText().c_str(), name) == 0) {
            id = recordId;
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErasedRecord) const {
    record = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErasedRecord);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(record, id, mode, openErasedRecord);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    for (AcDbObjectId recordId : mRecords)
        if (recordId == id) return !id.isErased();
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record) {
    recordId = AcDbObjectId::kNull;
    if (record == nullptr) return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (database() == nullptr) return Acad::eNoDatabase;
    if (!acceptsRecord(record)) return Acad::eWrongObjectType;
    if (record->nameText().empty()) return Acad::eInvalidSymbolTableName;
    if (has(record->nameText().c_str())) return Acad::eDuplicateRecordName;
    Acad::ErrorStatus es = database()->addAcDbObject(recordId, record);
    if (es != Acad::eOk) return es;
    record->setOwnerId(objectId());
    mRecords.push_back(recordId);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::appendRecordId(AcDbObjectId id) {
    if (id.isNull()) return Acad::eNullObjectId;
    mRecords.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
    iterator = new AcDbSymbolTableIterator(mRecords, skipDeleted);
    iterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(static_cast<Adesk::Int32>(mRecords.size()));
    for (AcDbObjectId id : mRecords) filer->writeSoftOwnershipId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 n = 0;
    filer->readInt32(&n);
    mRecords.clear();
    mIndex.clear();
    mUnnamed.clear();
    mIndexedCount = 0;
    for (Adesk::Int32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbSoftOwnershipId id;
        filer->readSoftOwnershipId(&id);
        mRecords.push_back(id);
    }
    return filer->filerStatus();
}

AcDbIdCursor::AcDbIdCursor(std::vector<AcDbObjectId> ids, bool skipDeleted) : mIds(std::move(ids)) {
    start(true, skipDeleted);
}

void AcDbIdCursor::skip(bool forward, bool skipDeleted) {
    while (!done() && (!mIds[static_cast<size_t>(mIndex)].isValid() ||
                       (skipDeleted && mIds[static_cast<size_t>(mIndex)].isErased())))
        mIndex += forward ? 1 : -1;
}

void AcDbIdCursor::start(bool atBeginning, bool skipDeleted) {
    mIndex = atBeginning ? 0 : static_cast<int>(mIds.size()) - 1;
    skip(atBeginning, skipDeleted);
}

void AcDbIdCursor::step(bool forward, bool skipDeleted) {
    if (done()) return;
    mIndex += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eIteratorDone;
    id = current();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record,
                                                     AcDb::OpenMode mode,
                                                     bool openErasedRecord) const {
    record = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenObject(record, current(), mode, openErasedRecord);
}

// Block table record: the entities it owns.

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
    id = AcDbObjectId::kNull;
    if (entity == nullptr) return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    AcDbDatabase* db = database();
    if (db == nullptr) return Acad::eNoDatabase;
    if (!entity->layerId().isNull() && entity->layerId().database() != db)
        return Acad::eWrongDatabase;
    Acad::ErrorStatus es = db->addAcDbObject(id, entity);
    if (es != Acad::eOk) return es;
    if (entity->layerId().isNull()) entity->setLayer(db->clayer());
    entity->setOwnerId(objectId());
    mEntities.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendEntityId(AcDbObjectId id) {
    if (id.isNull()) return Acad::eNullObjectId;
    mEntities.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
    iterator = new AcDbBlockTableRecordIterator(mEntities, skipDeleted);
    iterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
    return _wcsicmp(nameText().c_str(), ACDB_MODEL_SPACE) == 0 ||
           _wcsnicmp(nameText().c_str(), L"*Paper_Space", 12) == 0;
}

bool AcDbBlockTableRecord::isAnonymous() const {
    return !nameText().empty() && nameText()[0] == L'*' && !isLayout();
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done()) return Acad::eIteratorDone;
    id = current();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErased) const {
    entity = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenAcDbEntity(entity, current(), mode, openErased);
}

int acdbRegApp(const ACHAR* appName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr || appName == nullptr || *appName == 0) return 0;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return 0;
    bool ok = table->has(appName);
    if (!ok) {
        auto* record = new AcDbRegAppTableRecord;
        ok = record->setName(appName) == Acad::eOk && table->add(record) == Acad::eOk;
        if (ok)
            record->close();
        else
            delete record;
    }
    table->close();
    return ok ? 1 : 0;
}
