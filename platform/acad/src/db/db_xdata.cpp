// Extended data of an object: per registered application, a chain of groups.
#include <algorithm>
#include <cwchar>

#include "db_rbfiling.h"
#include "db_stub.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "wcrt.h"

namespace {

size_t utf8Length(const ACHAR* text) { return wcrtUtf8Length(text); }

// Value size of one group as counted against the object's limit (see acdbXdataSize).
size_t groupSize(const resbuf& rb) {
    switch (acutRbValueKind(rb.restype)) {
        case AcRbValueKind::kString:
            return 2 + utf8Length(rb.resval.rstring);
        case AcRbValueKind::kReal:
            return 8;
        case AcRbValueKind::kPoint:
            return 24;
        case AcRbValueKind::kInt16:
            return 2;
        case AcRbValueKind::kInt32:
            return 4;
        case AcRbValueKind::kBinary:
            return 1 + static_cast<size_t>(rb.resval.rbinary.clen > 0 ? rb.resval.rbinary.clen : 0);
        default:
            return 8;
    }
}

bool isXdataCode(int code) {
    return (code >= 1000 && code <= 1005) || (code >= 1010 && code <= 1013) ||
           (code >= 1040 && code <= 1042) || code == 1070 || code == 1071;
}

// The database whose application table decides which names are registered.
AcDbDatabase* tableDatabase(const AcDbObject& obj) {
    return obj.database() != nullptr ? obj.database()
                                     : acdbHostApplicationServices()->workingDatabase();
}

// Looks at the table without opening it, so that a caller holding it open for write
// (registering the name just before) does not make the name look unknown.
bool isRegistered(AcDbDatabase* db, const ACHAR* appName) {
    if (db == nullptr || appName == nullptr || *appName == 0) return false;
    const AcDbObjectId tableId = db->regAppTableId();
    if (!tableId.isValid()) return false;
    const AcDbSymbolTable* table = AcDbSymbolTable::cast(tableId.stub()->object.get());
    return table != nullptr && table->has(appName);
}

// Checks one group's value against the host's limits.
Acad::ErrorStatus checkGroup(const resbuf& rb, int& braceDepth) {
    if (!isXdataCode(rb.restype)) return Acad::eInvalidDxfCode;
    if (rb.restype == 1000 && utf8Length(rb.resval.rstring) > kMaxXdataStringBytes)
        return Acad::eXdataSizeExceeded;
    if (rb.restype == 1004 && rb.resval.rbinary.clen > static_cast<short>(kMaxXdataBinaryBytes))
        return Acad::eXdataSizeExceeded;
    if (rb.restype == 1002) {
        const ACHAR* s = rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
        if (std::wcscmp(s, L"{") == 0)
            ++braceDepth;
        else if (std::wcscmp(s, L"}") == 0 && braceDepth > 0)
            --braceDepth;
        else
            return Acad::eInvalidInput;
    }
    return Acad::eOk;
}

}  // namespace

size_t acdbXdataSize(const resbuf* chain) {
    size_t total = 0;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) total += 2 + groupSize(*rb);
    return total;
}

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const XdataApp& app : mXdata) {
        if (regappName != nullptr && _wcsicmp(app.name.c_str(), regappName) != 0) continue;
        resbuf* copy = acutCopyRbChain(app.items.get());
        (head == nullptr ? head : tail->rbnext) = copy;
        for (tail = copy; tail->rbnext != nullptr; tail = tail->rbnext) {
        }
    }
    return head;
}

Acad::ErrorStatus AcDbObject::writeXdataItems(AcDbDxfFiler* filer) const {
    for (const XdataApp& app : mXdata)
        for (const resbuf* rb = app.items.get(); rb != nullptr; rb = rb->rbnext) {
            const Acad::ErrorStatus es = filer->writeResBuf(*rb);
            if (es != Acad::eOk) return es;
        }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (xdata == nullptr || xdata->restype != 1001) return Acad::eInvalidInput;
    // Build the new order aside and take it only when every check passed. The
    // applications that stay are moved, not copied: a write costs the groups
    // written, not all the object holds.
    struct Pending {
        std::wstring name;
        size_t kept;     // position in mXdata of an application that stays, or npos
        AcRbBlock made;  // the copy of a group written now
        const resbuf* items(const std::vector<XdataApp>& old) const {
            return kept != std::wstring::npos ? old[kept].items.get() : made.get();
        }
    };
    std::vector<Pending> next;
    for (size_t i = 0; i < mXdata.size(); ++i) next.push_back({mXdata[i].name, i, AcRbBlock()});
    AcDbDatabase* db = tableDatabase(*this);
    for (const resbuf* group = xdata; group != nullptr;) {
        const ACHAR* name = group->resval.rstring != nullptr ? group->resval.rstring : L"";
        if (!isRegistered(db, name)) return Acad::eRegappIdNotFound;
        const resbuf* end = group->rbnext;
        int braces = 0;
        for (; end != nullptr && end->restype != 1001; end = end->rbnext) {
            Acad::ErrorStatus es = checkGroup(*end, braces);
            if (es != Acad::eOk) return es;
        }
        if (braces != 0) return Acad::eInvalidInput;
        std::erase_if(next,
                      [name](const Pending& a) { return _wcsicmp(a.name.c_str(), name) == 0; });
        if (group->rbnext != end) {
            auto at = std::find_if(mXdata.begin(), mXdata.end(), [name](const XdataApp& a) {
                return _wcsicmp(a.name.c_str(), name) == 0;
            });
            // An application keeps its place; a new one goes last.
            size_t position = at == mXdata.end()
                                  ? next.size()
                                  : std::min(static_cast<size_t>(at - mXdata.begin()), next.size());
            next.insert(next.begin() + static_cast<long>(position),
                        Pending{name, std::wstring::npos, AcRbBlock(group, end)});
        }
        group = end;
    }
    size_t total = 0;
    for (const Pending& app : next) total += acdbXdataSize(app.items(mXdata));
    if (total > kMaxXdataBytes) return Acad::eXdataSizeExceeded;
    std::vector<XdataApp> result;
    result.reserve(next.size());
    for (Pending& app : next)
        result.push_back(app.kept != std::wstring::npos
                             ? std::move(mXdata[app.kept])
                             : XdataApp{std::move(app.name), std::move(app.made)});
    mXdata = std::move(result);
    assertWriteEnabled();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::xDataTransformBy(const AcGeMatrix3d& xform) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    // 1011 world positions move with the object, 1012 displacements and 1013 directions
    // turn with it, 1041 distances and 1042 scale factors scale with it.
    const double scale = xform.scale();
    for (XdataApp& app : mXdata) {
        for (resbuf* rb = app.items.get(); rb != nullptr; rb = rb->rbnext) {
            double* p = rb->resval.rpoint;
            if (rb->restype == 1011) {
                AcGePoint3d q(p[0], p[1], p[2]);
                q.transformBy(xform);
                p[0] = q.x, p[1] = q.y, p[2] = q.z;
            } else if (rb->restype == 1012 || rb->restype == 1013) {
                AcGeVector3d v(p[0], p[1], p[2]);
                v.transformBy(xform);
                if (rb->restype == 1013) v.normalize();
                p[0] = v.x, p[1] = v.y, p[2] = v.z;
            } else if (rb->restype == 1041 || rb->restype == 1042) {
                rb->resval.rreal *= scale;
            }
        }
    }
    return Acad::eOk;
}

// DWG fields of every object: its extended data, then the DXF groups kept for it.
Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const {
    filer->writeInt32(static_cast<Adesk::Int32>(mXdata.size()));
    for (const XdataApp& app : mXdata) acdbDwgWriteChain(filer, app.items.get());
    filer->writeInt32(static_cast<Adesk::Int32>(mUnknownDxf.size()));
    for (const UnknownItem& kept : mUnknownDxf) {
        filer->writeString(kept.subclass.c_str());
        acdbDwgWriteChain(filer, kept.item.get());
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer) {
    std::vector<XdataApp> xdata;
    std::vector<UnknownItem> unknown;
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcRbChain chain(acdbDwgReadChain(filer));
        if (chain == nullptr || chain->restype != 1001)
            return filer->filerStatus() != Acad::eOk ? filer->filerStatus() : Acad::eFilerError;
        std::wstring name = chain->resval.rstring != nullptr ? chain->resval.rstring : L"";
        xdata.push_back({std::move(name), AcRbBlock(chain.get())});
    }
    filer->readInt32(&count);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        std::wstring subclass;
        filer->readString(subclass);
        AcRbChain chain(acdbDwgReadChain(filer));
        if (chain != nullptr) unknown.push_back({std::move(subclass), std::move(chain)});
    }
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    mXdata = std::move(xdata);
    mUnknownDxf = std::move(unknown);
    return Acad::eOk;
}
