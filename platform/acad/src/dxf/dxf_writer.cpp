#include <algorithm>
#include <map>
#include <unordered_map>

#include "db_stub.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dxf_database.h"
#include "dxf_filer.h"
#include "dxf_layout.h"
#include "wcrt.h"

namespace {

// Proxies of the file's structure (table heads and records, block markers)
// found by their owner, for writing them where they belong.
struct StructureIndex {
    std::map<std::string, AcDbObjectId> tableHeads;  // by table name
    std::map<AcDbObjectId, std::vector<AcDbObjectId>> ownedRecords;
    std::map<AcDbObjectId, AcDbObjectId> blockBegin, blockEnd;  // by block table record
};

// The object behind an id, or null when there is none or it is erased. The
// writer only reads, and reads objects whatever their open state: a drawing
// saved while a command holds an object open for write still saves it.
const AcDbObject* peek(AcDbObjectId id) {
    if (id.isNull()) return nullptr;
    const AcDbObject* obj = id.stub()->object.get();
    return obj != nullptr && !obj->isErased() ? obj : nullptr;
}

StructureIndex indexStructure(const AcDbDatabase& db) {
    StructureIndex index;
    for (AcDbObjectId id : db.allObjectIds()) {
        const AcDbObject* obj = peek(id);
        const DxfRawRecord* raw = dxfRawRecordOf(obj);
        if (raw == nullptr) continue;
        if (raw->home == DxfHome::Tables && raw->type == "TABLE")
            index.tableHeads[raw->valueOf(2)] = id;
        else if (raw->home == DxfHome::Tables)
            index.ownedRecords[obj->ownerId()].push_back(id);
        else if (raw->home == DxfHome::Blocks && raw->type == "BLOCK")
            index.blockBegin[obj->ownerId()] = id;
        else if (raw->home == DxfHome::Blocks)
            index.blockEnd[obj->ownerId()] = id;
    }
    return index;
}

Acad::ErrorStatus addProxy(AcDbDatabase& db, DxfRawRecord raw, AcDbObjectId owner,
                           AcDbObjectId& id) {
    auto proxy = std::make_unique<AcDbProxyObject>();
    proxy->setRaw(std::move(raw));
    proxy->setOwnerId(owner);
    Acad::ErrorStatus es = db.addObjectWithHandle(id, proxy.get(), AcDbHandle());
    if (es != Acad::eOk) return es;
    proxy.release()->close();  // the database owns it now
    return Acad::eOk;
}

// Adds the standard tables and block markers a drawing needs but lacks.
Acad::ErrorStatus completeStructure(AcDbDatabase& db) {
    StructureIndex index = indexStructure(db);
    for (const DxfTableKind& kind : dxfTableKinds()) {
        if (kind.tableId != nullptr || index.tableHeads.count(kind.name) != 0) continue;
        AcDbObjectId head, unused;
        Acad::ErrorStatus es = addProxy(db, dxfDefaultTableHead(kind.name), AcDbObjectId(), head);
        for (DxfRawRecord& r : dxfDefaultTableRecords(kind.name))
            if (es == Acad::eOk) es = addProxy(db, std::move(r), head, unused);
        if (es != Acad::eOk) return es;
    }
    AcDbBlockTable* blocks = nullptr;
    Acad::ErrorStatus es = db.getBlockTable(blocks, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    std::vector<AcDbObjectId> records = blocks->recordIds();
    blocks->close();
    for (AcDbObjectId btr : records) {
        const auto* record = AcDbBlockTableRecord::cast(peek(btr));
        if (record == nullptr) continue;
        const std::string name = wcrtToUtf8(record->nameText());
        const bool paper = btr == db.paperSpaceId();
        AcDbObjectId unused;
        if (index.blockBegin.count(btr) == 0)
            es = addProxy(db, dxfDefaultBlockBegin(name, paper), btr, unused);
        if (es == Acad::eOk && index.blockEnd.count(btr) == 0)
            es = addProxy(db, dxfDefaultBlockEnd(paper), btr, unused);
        if (es != Acad::eOk) return es;
    }
    return Acad::eOk;
}

class Writer {
  public:
    Writer(AcDbDatabase& db, DxfError& error) : mDb(db), mFiler(mOut, &db), mError(error) {}
    Acad::ErrorStatus run(std::string& text);

  private:
    void section(const char* name) {
        mOut.writeRaw(0, "SECTION");
        mOut.writeRaw(2, name);
    }
    void endSection() { mOut.writeRaw(0, "ENDSEC"); }
    bool writeHeader();
    void writeClasses();
    bool writeTables();
    bool writeTable(const DxfTableKind& kind);
    bool writeCarriedTable(AcDbObjectId head);
    bool writeBlocks();
    bool writeEntitiesOf(AcDbObjectId btr);
    bool writeObjects();
    bool writeObject(AcDbObjectId id);
    void writeRaw(const AcDbObject& obj, const DxfRawRecord& raw);
    bool fail(const AcDbObject* obj, Acad::ErrorStatus es, const std::string& what);
    bool written(const AcDbObject* obj, const std::string& what);
    std::string nameOf(AcDbObjectId recordId);

    AcDbDatabase& mDb;
    DxfGroupWriter mOut;
    DxfOutFiler mFiler;
    DxfError& mError;
    StructureIndex mIndex;
    // Custom classes written, in order of first use, with their instance counts.
    std::vector<std::pair<AcRxClass*, int>> mClasses;
};

bool Writer::fail(const AcDbObject* obj, Acad::ErrorStatus es, const std::string& what) {
    std::string handle = obj != nullptr ? dxfFormatHandle(obj->objectId().handle().value()) : "0";
    mError = DxfError{DxfFault::BadData, 0,
                      what + " (object " + handle + "): " + wcrtToUtf8(acadErrorStatusText(es))};
    return false;
}

// False, naming the object, when a value written for it was refused: the file
// would not read back.
bool Writer::written(const AcDbObject* obj, const std::string& what) {
    if (mOut.refusal().empty()) return true;
    std::string handle = obj != nullptr ? dxfFormatHandle(obj->objectId().handle().value()) : "0";
    mError = DxfError{DxfFault::BadData, 0,
                      "cannot write " + what + " (object " + handle + "): " + mOut.refusal()};
    return false;
}

std::string Writer::nameOf(AcDbObjectId recordId) {
    const auto* record = AcDbSymbolTableRecord::cast(peek(recordId));
    return record != nullptr ? wcrtToUtf8(record->nameText()) : std::string();
}

bool Writer::writeHeader() {
    section("HEADER");
    mOut.writeRaw(9, kDxfAcadVer);
    mOut.writeString(1, kDxfRelease);
    mOut.writeRaw(9, "$HANDSEED");
    mOut.writeHandle(5, mDb.handseed().value());
    if (!written(nullptr, "$HANDSEED")) return false;
    mOut.writeRaw(9, "$CLAYER");
    mOut.writeString(8, nameOf(mDb.clayer()));
    mOut.writeRaw(9, "$TEXTSTYLE");
    mOut.writeString(7, nameOf(mDb.textstyle()));
    const AcDbObject* blocks = peek(mDb.blockTableId());
    if (blocks == nullptr) return fail(nullptr, Acad::eMissingSymbolTable, "no block table");
    Acad::ErrorStatus es = blocks->writeUnknownDxfItems(&mFiler, kDxfKeptHeader);
    if (es != Acad::eOk) return fail(blocks, es, "header variables");
    if (mOut.text().find("$DWGCODEPAGE") == std::string::npos) {
        mOut.writeRaw(9, "$DWGCODEPAGE");
        mOut.writeString(3, "ANSI_936");
    }
    endSection();
    return true;
}

void Writer::writeClasses() {
    section("CLASSES");
    for (const auto& [cls, count] : mClasses) {
        mOut.writeRaw(0, "CLASS");
        mOut.writeString(1, wcrtToUtf8(cls->dxfName()));
        mOut.writeString(2, wcrtToUtf8(cls->name()));
        mOut.writeString(3, wcrtToUtf8(cls->appName()));
        mOut.writeInt(90, cls->proxyFlags());
        mOut.writeInt(91, count);
        mOut.writeInt(280, 0);
        mOut.writeInt(281, cls->isDerivedFrom(AcDbEntity::desc()) ? 1 : 0);
    }
    if (const AcDbObject* blocks = peek(mDb.blockTableId()))
        blocks->writeUnknownDxfItems(&mFiler, kDxfKeptClasses);
    endSection();
}

// Writes the raw record with its current handle and owner: a proxy that was
// copied or made for a new drawing has placeholders there.
void Writer::writeRaw(const AcDbObject& obj, const DxfRawRecord& raw) {
    mOut.writeRaw(0, raw.type);
    // A record read without a handle got one from the database; it is written
    // so that the next load finds the same handle.
    bool hasHandle = std::any_of(raw.groups.begin(), raw.groups.end(),
                                 [](const DxfGroup& g) { return g.code == 5 || g.code == 105; });
    if (!hasHandle) mOut.writeHandle(5, obj.objectId().handle().value());
    bool ownerDone = false;
    for (const DxfGroup& g : raw.groups) {
        if (g.code == 5 || g.code == 105) {
            mOut.writeHandle(g.code, obj.objectId().handle().value());
        } else if (g.code == 330 && !ownerDone) {
            ownerDone = true;
            mOut.writeHandle(330, obj.ownerId().isNull() ? 0 : obj.ownerId().handle().value());
        } else {
            mOut.writeRaw(g.code, g.text);
        }
    }
}

bool Writer::writeObject(AcDbObjectId id) {
    const AcDbObject* obj = peek(id);
    if (obj == nullptr) return true;  // erased objects are not written
    struct FilingScope {
        const AcDbObject* obj;
        ~FilingScope() { obj->setFiling(false); }
    } filing{obj};
    obj->setFiling(true);
    if (const DxfRawRecord* raw = dxfRawRecordOf(obj)) {
        writeRaw(*obj, *raw);
        return written(obj, raw->type);
    }
    AcRxClass* cls = obj->isA();
    if (cls == nullptr || *cls->dxfName() == 0)
        return fail(obj, Acad::eNotApplicable, "class without DXF name");
    if (!cls->isBuiltIn()) {
        auto it =
            std::find_if(mClasses.begin(), mClasses.end(), [&](auto& c) { return c.first == cls; });
        if (it == mClasses.end())
            mClasses.emplace_back(cls, 1);
        else
            ++it->second;
    }
    mOut.writeRaw(0, wcrtToUtf8(cls->dxfName()));
    mOut.writeHandle(5, id.handle().value());
    Acad::ErrorStatus es = obj->writeUnknownDxfItems(&mFiler, kDxfKeptAppData);
    if (es == Acad::eOk) es = mFiler.writeObjectId(330, obj->ownerId());
    if (es == Acad::eOk) es = obj->dxfOutFields(&mFiler);
    if (es == Acad::eOk) es = obj->writeXdataItems(&mFiler);
    if (es == Acad::eOk) es = mFiler.filerStatus();
    if (es != Acad::eOk) return fail(obj, es, "cannot write " + wcrtToUtf8(cls->dxfName()));
    return written(obj, wcrtToUtf8(cls->dxfName()));
}

// A table the database does not model, written as it was read: its head and
// the records it owns.
bool Writer::writeCarriedTable(AcDbObjectId head) {
    const AcDbObject* obj = peek(head);
    if (obj == nullptr) return true;
    writeRaw(*obj, *dxfRawRecordOf(obj));
    if (!written(obj, "table")) return false;
    for (AcDbObjectId record : mIndex.ownedRecords[head])
        if (!writeObject(record)) return false;
    mOut.writeRaw(0, "ENDTAB");
    return true;
}

bool Writer::writeTable(const DxfTableKind& kind) {
    if (kind.tableId == nullptr) {
        auto head = mIndex.tableHeads.find(kind.name);
        return head == mIndex.tableHeads.end() || writeCarriedTable(head->second);
    }
    const auto* table = AcDbSymbolTable::cast(peek((mDb.*kind.tableId)()));
    if (table == nullptr)
        return fail(nullptr, Acad::eMissingSymbolTable, std::string("no table ") + kind.name);
    std::vector<AcDbObjectId> live;
    for (AcDbObjectId id : table->recordIds())
        if (!id.isErased()) live.push_back(id);
    mOut.writeRaw(0, "TABLE");
    mOut.writeRaw(2, kind.name);
    mOut.writeHandle(5, table->objectId().handle().value());
    mOut.writeHandle(330, 0);
    mOut.writeRaw(100, "AcDbSymbolTable");
    mOut.writeInt(70, static_cast<int64_t>(live.size()));
    if (!written(table, std::string(kind.name) + " table")) return false;
    for (AcDbObjectId id : live)
        if (!writeObject(id)) return false;
    mOut.writeRaw(0, "ENDTAB");
    return true;
}

bool Writer::writeTables() {
    section("TABLES");
    for (const DxfTableKind& kind : dxfTableKinds())
        if (!writeTable(kind)) return false;
    // Tables of other programs follow the standard ones, in name order.
    for (const auto& [name, head] : mIndex.tableHeads)
        if (dxfFindTableKind(name) == nullptr && !writeCarriedTable(head)) return false;
    endSection();
    return true;
}

bool Writer::writeEntitiesOf(AcDbObjectId btr) {
    const auto* record = AcDbBlockTableRecord::cast(peek(btr));
    if (record == nullptr) return true;
    for (AcDbObjectId id : record->entityIds())
        if (!writeObject(id)) return false;
    return true;
}

// Every block with its begin and end markers; the entities of model and paper
// space go to the ENTITIES section instead.
bool Writer::writeBlocks() {
    section("BLOCKS");
    const auto* blocks = AcDbSymbolTable::cast(peek(mDb.blockTableId()));
    for (AcDbObjectId btr : blocks->recordIds()) {
        if (btr.isErased()) continue;
        if (!writeObject(mIndex.blockBegin[btr])) return false;
        bool layout = btr == mDb.modelSpaceId() || btr == mDb.paperSpaceId();
        if (!layout && !writeEntitiesOf(btr)) return false;
        if (!writeObject(mIndex.blockEnd[btr])) return false;
    }
    endSection();
    return true;
}

bool isOfObjectsSection(const AcDbObject* obj) {
    if (obj == nullptr || AcDbEntity::cast(obj) != nullptr) return false;
    if (AcDbSymbolTable::cast(obj) != nullptr || AcDbSymbolTableRecord::cast(obj) != nullptr)
        return false;
    const DxfRawRecord* raw = dxfRawRecordOf(obj);
    return raw == nullptr || raw->home == DxfHome::Objects;
}

// The root dictionary first, as readers expect, then every other object in
// handle order.
bool Writer::writeObjects() {
    section("OBJECTS");
    AcDbObjectId root = mDb.namedObjectsDictionaryId();
    if (!writeObject(root)) return false;
    for (AcDbObjectId id : mDb.allObjectIds())
        if (id != root && isOfObjectsSection(peek(id)) && !writeObject(id)) return false;
    endSection();
    return true;
}

Acad::ErrorStatus Writer::run(std::string& text) {
    Acad::ErrorStatus es = completeStructure(mDb);
    if (es != Acad::eOk) {
        fail(nullptr, es, "cannot complete the drawing's tables");
        return es;
    }
    mIndex = indexStructure(mDb);
    // CLASSES lists the custom classes in use, known only once every object is
    // written: the body is written first and the head put before it.
    bool ok = writeTables() && writeBlocks();
    if (ok) section("ENTITIES");
    ok = ok && writeEntitiesOf(mDb.modelSpaceId()) && writeEntitiesOf(mDb.paperSpaceId());
    if (ok) endSection();
    ok = ok && writeObjects();
    if (!ok) return dxfErrorStatus(mError.fault);
    mOut.writeRaw(0, "EOF");
    std::string body = mOut.take();
    ok = writeHeader();
    if (!ok) return dxfErrorStatus(mError.fault);
    writeClasses();
    text = mOut.take() + body;
    return Acad::eOk;
}

}  // namespace

Acad::ErrorStatus dxfWriteDatabase(AcDbDatabase& database, std::string& text, DxfError& error) {
    error = DxfError{};
    Writer writer(database, error);
    return writer.run(text);
}
