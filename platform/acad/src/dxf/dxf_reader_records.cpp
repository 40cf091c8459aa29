// Reading one record: its header groups, its own data through its class, its
// extended data; records of unknown types are kept whole.
#include <memory>

#include "dbdict.h"
#include "dbgroup.h"
#include "dbsymtb.h"
#include "dxf_database.h"
#include "dxf_layout.h"
#include "dxf_reader.h"
#include "wcrt.h"

namespace dxfread {

AcRxClass* Reader::classOfType(const std::string& type) {
    auto found = mClassOfType.find(type);
    if (found == mClassOfType.end())
        found = mClassOfType.emplace(type, acrxFindClassByDxfName(wide(type).c_str())).first;
    return found->second;
}

AcDbObject* Reader::create(const std::string& type, DxfHome home) {
    if (home == DxfHome::Tables) {
        const DxfTableKind* kind = dxfFindTableKind(type);
        return kind != nullptr && kind->newRecord != nullptr ? kind->newRecord() : nullptr;
    }
    if (home == DxfHome::Blocks) return nullptr;  // block markers are kept whole
    AcRxClass* cls = classOfType(type);
    if (cls == nullptr || cls->constructor() == nullptr) return nullptr;
    // A module's class may make objects of its own in the drawing being read
    // while it is constructed (a text style it draws with); they take handles
    // from the seed.
    if (!cls->isBuiltIn()) makeRoomForOwnObjects();
    AcRxObject* made = cls->create();
    AcDbObject* obj = AcDbObject::cast(made);
    bool entity = AcDbEntity::cast(obj) != nullptr;
    // Tables and their records belong to the TABLES section, where their
    // table takes them; found elsewhere they would belong to no table.
    bool tableLike =
        AcDbSymbolTable::cast(obj) != nullptr || AcDbSymbolTableRecord::cast(obj) != nullptr;
    if (obj == nullptr || entity != (home == DxfHome::Entities) || tableLike) {
        delete made;  // a type in the wrong section is carried as it stands
        return nullptr;
    }
    return obj;
}

// record = "0 <type>" header-groups data-groups xdata
bool Reader::readRecord(const DxfGroup& typeGroup, DxfHome home, AcDbObjectId defaultOwner,
                        AcDbObjectId* madeId) {
    AcDbObjectId id;
    std::unique_ptr<AcDbObject> obj(create(std::string(dxfTrim(typeGroup.text)), home));
    bool ok = false;
    if (obj) {
        RecordHead head;
        ok = readRecordHead(head);
        if (ok && handlesOptional() && home != DxfHome::Objects) impliedSubclasses(typeGroup);
        ok = ok && readKnown(obj.release(), typeGroup, head, home, defaultOwner, id);
    } else {
        ok = readProxy(typeGroup, home, defaultOwner, id);
    }
    if (madeId != nullptr) *madeId = id;
    return ok;
}

struct Release12Subclass {
    const char* type;
    const char* subclass;
};

// The entities of release 12 the database models, with their subclass.
constexpr Release12Subclass kRelease12Subclasses[] = {
    {"LINE", "AcDbLine"}, {"CIRCLE", "AcDbCircle"}, {"TEXT", "AcDbText"}};

void Reader::impliedSubclasses(const DxfGroup& typeGroup) {
    for (const Release12Subclass& r : kRelease12Subclasses)
        if (dxfTrim(typeGroup.text) == r.type) mIn.impliedSubclasses("AcDbEntity", r.subclass);
}

// header-groups = ["5"|"105" handle] ("102 {<name>" group* "102 }")* ["330" owner]
// The owner of a kept record: its first 330 group, the one the writer fills
// in with the record's owner.
AcDbObjectId Reader::rawOwner(const DxfRawRecord& raw) {
    for (const DxfGroup& g : raw.groups) {
        if (g.code != 330) continue;
        uint64_t handle = 0;
        dxfParseHandle(g.text, handle);
        return mFiler.reference(handle, g.line);
    }
    return AcDbObjectId();
}

// An item the object's own reading put back and left is data it did not take.
bool Reader::dataAllRead(const DxfGroup& typeGroup) {
    if (!mFiler.hasPushedBack()) return true;
    resbuf item{};
    mFiler.readResBuf(&item);
    return fail(DxfFault::BadStructure, mFiler.line() > 0 ? mFiler.line() : typeGroup.line,
                "group code " + std::to_string(item.restype) + " after the " +
                    std::string(dxfTrim(typeGroup.text)) + " record's data");
}

bool Reader::readRecordHead(RecordHead& head) {
    mFiler.clearPushBack();
    while (auto g = mIn.next()) {
        if (g->code == 5 || g->code == 105) {
            dxfParseHandle(g->text, head.handle);
        } else if (g->code == 102) {
            if (dxfTrim(g->text).substr(0, 1) != "{")
                return fail(DxfFault::BadStructure, g->line, "102 group does not open with \"{\"");
            mIn.pushBack();
            mFiler.setStopAtExtendedData(false);
            bool closed = false;
            while (!closed && !mFiler.atEOF()) {
                resbuf item{};
                if (mFiler.readResBuf(&item) != Acad::eOk) return false;
                closed = item.restype == 102 && std::wstring(item.resval.rstring) == L"}";
                head.appData.emplace_back(acutCopyRb(&item));
            }
            mFiler.setStopAtExtendedData(true);
            if (!closed)
                return fail(DxfFault::BadStructure, g->line, "102 group not closed by \"}\"");
        } else if (g->code == 330 && !head.hasOwner) {
            mIn.pushBack();
            resbuf item{};
            if (mFiler.readResBuf(&item) != Acad::eOk) return false;
            acdbGetObjectId(head.owner, item.resval.rlname);
            head.hasOwner = true;
        } else {
            mIn.pushBack();
            return true;
        }
    }
    return !failed();
}

bool Reader::add(AcDbObject* obj, uint64_t handle, int line, AcDbObjectId& id) {
    std::unique_ptr<AcDbObject> owned(obj);
    if (handle == 0) makeRoomForOwnObjects();  // it takes the seed's next handle
    if (handle > kDxfMaxObjectHandle) return tooHigh("handle", handle, line);
    if (handle != 0 && mLineOfObject.count(handle) != 0)
        return fail(DxfFault::DuplicateHandle, line,
                    "handle " + dxfFormatHandle(handle) + " already used at line " +
                        std::to_string(mLineOfObject[handle]));
    Acad::ErrorStatus es = mDb.addObjectWithHandle(id, owned.get(), AcDbHandle(handle));
    if (es != Acad::eOk)
        return fail(
            DxfFault::DuplicateHandle, line,
            "handle " + dxfFormatHandle(handle) + ": " + wcrtToUtf8(acadErrorStatusText(es)));
    owned.release();
    mLineOfObject[id.handle().value()] = line;
    return true;
}

// Puts a new object where it belongs: a record in its table, an entity in its
// block, any object under its owner.
bool Reader::place(AcDbObject* obj, AcDbObjectId id, const RecordHead& head, DxfHome home,
                   AcDbObjectId defaultOwner, int line) {
    AcDbObjectId owner = head.hasOwner && !head.owner.isNull() ? head.owner : defaultOwner;
    if (home == DxfHome::Tables) owner = defaultOwner;
    obj->setOwnerId(owner);
    Acad::ErrorStatus es = Acad::eOk;
    if (home == DxfHome::Tables && AcDbSymbolTableRecord::cast(obj) != nullptr) {
        AcDbSymbolTable* table = nullptr;
        es = acdbOpenObject(table, owner, AcDb::kForWrite);
        if (es == Acad::eOk) {
            es = table->appendRecordId(id);
            table->close();
        }
    } else if (home == DxfHome::Entities) {
        AcDbBlockTableRecord* block = nullptr;
        es = acdbOpenObject(block, owner, AcDb::kForWrite);
        if (es == Acad::eOk) {
            es = block->appendEntityId(id);
            block->close();
        }
    }
    if (es != Acad::eOk)
        return fail(DxfFault::BadStructure, line,
                    "owner " + dxfFormatHandle(owner.isNull() ? 0 : owner.handle().value()) +
                        " cannot take this record: " + wcrtToUtf8(acadErrorStatusText(es)));
    return true;
}

bool Reader::readKnown(AcDbObject* raw, const DxfGroup& typeGroup, RecordHead& head, DxfHome home,
                       AcDbObjectId defaultOwner, AcDbObjectId& id) {
    if (!add(raw, head.handle, typeGroup.line, id)) return false;
    AcDbObject* obj = raw;  // owned by the database, open for write
    bool ok = place(obj, id, head, home, defaultOwner, typeGroup.line);
    if (ok) {
        mFiler.resetFilerStatus();
        if (home == DxfHome::Entities)
            mFiler.setItemHook([this](const resbuf& item) {
                if (item.restype == 8 && item.resval.rstring != nullptr)
                    ensureLayer(item.resval.rstring);
            });
        Acad::ErrorStatus es = obj->dxfInFields(&mFiler);
        mFiler.setItemHook(nullptr);
        if (es == Acad::eOk) es = mFiler.filerStatus();
        if (es != Acad::eOk && !failed()) {
            std::wstring why = mFiler.errorMessage();
            fail(DxfFault::BadData, mFiler.line() > 0 ? mFiler.line() : typeGroup.line,
                 std::string(dxfTrim(typeGroup.text)) +
                     " refused its data: " + wcrtToUtf8(acadErrorStatusText(es)) +
                     (why.empty() ? "" : " (" + wcrtToUtf8(why) + ")"));
        }
        ok = !failed() && dataAllRead(typeGroup) && readXdata(obj);
        if (ok) {
            for (AcRbChain& item : head.appData) obj->keepUnknownDxfItem(kDxfKeptAppData, *item);
        }
    }
    obj->close();
    return ok && !failed();
}

// xdata = ("1001 <application>" group*)*
bool Reader::readXdata(AcDbObject* obj) {
    std::optional<DxfGroup> first = mIn.next();
    if (!first) return !failed();
    if (first->code == 0) {
        mIn.pushBack();
        return true;
    }
    if (first->code != 1001)
        return fail(DxfFault::BadStructure, first->line,
                    "group code " + std::to_string(first->code) + " after the record's data");
    mIn.pushBack();
    mFiler.clearPushBack();
    resbuf* headItem = nullptr;
    resbuf** tail = &headItem;
    mFiler.setStopAtExtendedData(false);
    while (!mFiler.atEOF()) {
        resbuf item{};
        if (mFiler.readResBuf(&item) != Acad::eOk) break;
        if (item.restype < 1000) {
            fail(DxfFault::BadStructure, mFiler.line(),
                 "group code " + std::to_string(item.restype) + " inside extended data");
            break;
        }
        if (item.restype == 1001 && mTablesReady && !ensureRegApp(item.resval.rstring)) break;
        *tail = acutCopyRb(&item);
        tail = &(*tail)->rbnext;
    }
    mFiler.setStopAtExtendedData(true);
    AcRbChain chain(headItem);
    if (failed()) return false;
    // Records of the tables before APPID get their extended data once the
    // applications are known.
    if (!mTablesReady) {
        mPendingXdata.push_back({obj->objectId(), std::move(chain), first->line});
        return true;
    }
    return setXdata(obj, chain.get(), first->line);
}

bool Reader::setXdata(AcDbObject* obj, const resbuf* chain, int line) {
    Acad::ErrorStatus es = obj->setXData(chain);
    if (es != Acad::eOk)
        return fail(DxfFault::BadData, line,
                    "extended data refused: " + wcrtToUtf8(acadErrorStatusText(es)));
    return true;
}

bool Reader::applyPendingXdata() {
    for (PendingXdata& pending : mPendingXdata) {
        for (const resbuf* rb = pending.chain.get(); rb != nullptr; rb = rb->rbnext)
            if (rb->restype == 1001 && !ensureRegApp(rb->resval.rstring)) return false;
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, pending.id, AcDb::kForWrite) != Acad::eOk) continue;
        bool ok = setXdata(obj, pending.chain.get(), pending.line);
        obj->close();
        if (!ok) return false;
    }
    mPendingXdata.clear();
    return true;
}

bool Reader::readProxy(const DxfGroup& typeGroup, DxfHome home, AcDbObjectId defaultOwner,
                       AcDbObjectId& id) {
    DxfRawRecord raw{std::string(dxfTrim(typeGroup.text)), {}, home};
    RecordHead head;
    while (auto g = mIn.next()) {
        if (g->code == 0) {
            mIn.pushBack();
            break;
        }
        if ((g->code == 5 || g->code == 105) && head.handle == 0)
            dxfParseHandle(g->text, head.handle);
        raw.groups.push_back(std::move(*g));
    }
    if (failed()) return false;
    // Drawings can hold millions of carried records: no spare room in each.
    raw.groups.shrink_to_fit();
    head.owner = rawOwner(raw);
    head.hasOwner = !head.owner.isNull();
    std::unique_ptr<AcDbObject> proxy;
    if (home == DxfHome::Entities) {
        auto e = std::make_unique<AcDbProxyEntity>();
        e->setRaw(std::move(raw));
        proxy = std::move(e);
    } else {
        auto o = std::make_unique<AcDbProxyObject>();
        o->setRaw(std::move(raw));
        proxy = std::move(o);
    }
    AcDbObject* obj = proxy.get();
    if (!add(proxy.release(), head.handle, typeGroup.line, id)) return false;
    bool ok = place(obj, id, head, home, defaultOwner, typeGroup.line);
    obj->close();
    return ok;
}

}  // namespace dxfread
