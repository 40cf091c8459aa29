// Picking entities and selection sets.
#include <algorithm>
#include <cwctype>

#include "acutads.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "ed_state.h"
#include "giRenderRecord.h"

namespace {

// Marks the second slot of a selection-set name, so that an entity name
// (object id in the first slot, zero in the second) is never taken for one.
constexpr Adesk::LongPtr kSetTag = 0x5353;

std::vector<AcDbObjectId>* findSet(const ads_name ss) {
    if (ss == nullptr || ss[1] != kSetTag) return nullptr;
    auto& sets = acedState().selectionSets;
    auto it = sets.find(ss[0]);
    return it == sets.end() ? nullptr : &it->second;
}

void newSet(std::vector<AcDbObjectId> ids, ads_name result) {
    AcEdState& s = acedState();
    const Adesk::LongPtr key = s.nextSelectionSet++;
    s.selectionSets[key] = std::move(ids);
    result[0] = key;
    result[1] = kSetTag;
}

bool entityOf(const ads_name ename, AcDbObjectId& id) {
    if (ename == nullptr || ename[1] == kSetTag) return false;
    return acdbGetObjectId(id, ename) == Acad::eOk && id.isValid() && !id.isErased();
}

void entityName(AcDbObjectId id, ads_name out) {
    ads_name name;
    acdbGetAdsName(name, id);
    ads_name_set(name, out);
}

AcDbDatabase* workingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

double pickBox() {
    resbuf rb{};
    if (acedGetVar(L"PICKBOX", &rb) != RTNORM) return 3.0;
    return rb.resval.rint;
}

// The entity drawn nearest to a world point, within the pick box; on equal
// distance the one drawn later (on top) wins.
AcDbObjectId pickNearest(const AcGePoint3d& world) {
    AcGiRecordingDraw draw;
    acgiDrawModelSpace(workingDatabase(), draw);
    const double box = pickBox();
    double best = HUGE_VAL;
    AcDbObjectId found;
    for (const AcGiPrimitive& p : draw.primitives()) {
        const double d = acgiDistanceTo(p, world);
        if (d <= box && d <= best) {
            best = d;
            found = p.entityId;
        }
    }
    return found;
}

std::wstring upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return s;
}

// The selection filter: entity type (0 / RTDXF0), layer (8), colour (62) and
// extended-data applications (-3 then 1001 names). All given conditions must hold.
struct Filter {
    std::vector<std::wstring> types;
    std::vector<std::wstring> layers;
    std::vector<int> colors;
    std::vector<std::wstring> apps;
    bool supported = true;
};

// Entity type: group 0, written RTDXF0 in lists built with acutBuildList (where 0 ends the list).
bool isType(short code) { return code == 0 || code == RTDXF0; }

Filter readFilter(const resbuf* rb) {
    Filter f;
    bool inXdata = false;
    for (; rb != nullptr; rb = rb->rbnext) {
        const short code = rb->restype;
        if (code == 62) {
            f.colors.push_back(rb->resval.rint);
        } else if (code == -3) {
            inXdata = true;
        } else if ((isType(code) || code == 8 || (code == 1001 && inXdata)) &&
                   rb->resval.rstring != nullptr) {
            const std::wstring text = rb->resval.rstring;
            (isType(code) ? f.types
             : code == 8  ? f.layers
                          : f.apps)
                .push_back(code == 1001 ? text : upper(text));
        } else {
            f.supported = false;
        }
    }
    return f;
}

bool allMatch(const std::vector<std::wstring>& patterns, const std::wstring& value) {
    const std::wstring v = upper(value);
    return std::all_of(patterns.begin(), patterns.end(), [&](const std::wstring& p) {
        return acutWcMatch(v.c_str(), p.c_str()) == RTNORM;
    });
}

bool hasXdata(const AcDbEntity* entity, const std::wstring& app) {
    resbuf* data = entity->xData(app.c_str());
    if (data == nullptr) return false;
    acutRelRb(data);
    return true;
}

bool passes(AcDbObjectId id, const Filter& f) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
    const AcRxClass* cls = entity->isA();
    const std::wstring type = cls == nullptr ? L"" : *cls->dxfName() ? cls->dxfName() : cls->name();
    bool ok = allMatch(f.types, type) && allMatch(f.layers, entity->layerName());
    for (int c : f.colors) ok = ok && entity->colorIndex() == c;
    for (const std::wstring& app : f.apps) ok = ok && hasXdata(entity, app);
    entity->close();
    return ok;
}

// Objects picked one point per answer until Enter.
int pickObjects(const Filter& f, std::vector<AcDbObjectId>& ids) {
    for (;;) {
        ads_point pt;
        const int rc = acedGetPoint(nullptr, L"\nSelect objects: ", pt);
        if (rc == RTNONE) return RTNORM;
        if (rc != RTNORM) return rc;
        AcDbObjectId id = pickNearest(acedHostUcsToWcs({pt[X], pt[Y], pt[Z]}));
        const bool add =
            !id.isNull() && passes(id, f) && std::find(ids.begin(), ids.end(), id) == ids.end();
        if (add) ids.push_back(id);
        acutPrintf(L"%d found", add ? 1 : 0);
    }
}

}  // namespace

int acedEntSel(const ACHAR* str, ads_name entres, ads_point ptres) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    AcGePoint3d picked;
    const int rc = acedRequest(str != nullptr ? str : L"\nSelect object: ", options,
                               [&](const std::wstring& text) -> const wchar_t* {
                                   auto p = acedParsePoint(text, acedState().lastPoint);
                                   if (!p) return L"Invalid point.";
                                   picked = *p;
                                   return nullptr;
                               });
    if (rc == RTNONE) return RTERROR;  // Enter selects nothing
    if (rc != RTNORM) return rc;
    acedState().lastPoint = picked;
    const AcDbObjectId id = pickNearest(acedHostUcsToWcs(picked));
    if (id.isNull() || entres == nullptr) return RTERROR;
    entityName(id, entres);
    if (ptres != nullptr) {
        ptres[X] = picked.x;
        ptres[Y] = picked.y;
        ptres[Z] = picked.z;
    }
    return RTNORM;
}

int acedSSGet(const ACHAR* str, const void* /*pt1*/, const void* /*pt2*/, const resbuf* filter,
              ads_name ss) {
    if (ss == nullptr) return RTERROR;
    const Filter f = readFilter(filter);
    if (!f.supported) return RTERROR;
    std::vector<AcDbObjectId> ids;
    const std::wstring mode = str == nullptr ? L"" : upper(str);
    if (mode == L"X" || mode == L"_X") {
        for (const AcDbObjectId& id : acgiModelSpaceEntities(workingDatabase()))
            if (passes(id, f)) ids.push_back(id);
    } else if (mode.empty()) {
        const int rc = pickObjects(f, ids);
        if (rc != RTNORM) return rc;
    } else {
        return RTERROR;
    }
    if (ids.empty()) return RTERROR;
    newSet(std::move(ids), ss);
    return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
    if (result == nullptr) return RTERROR;
    AcDbObjectId id;
    const bool withEntity = ename != nullptr;
    if (withEntity && !entityOf(ename, id)) return RTERROR;
    if (sname == nullptr) {
        newSet(withEntity ? std::vector<AcDbObjectId>{id} : std::vector<AcDbObjectId>{}, result);
        return RTNORM;
    }
    std::vector<AcDbObjectId>* set = findSet(sname);
    if (set == nullptr) return RTERROR;
    if (withEntity && std::find(set->begin(), set->end(), id) == set->end()) set->push_back(id);
    result[0] = sname[0];
    result[1] = sname[1];
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
    std::vector<AcDbObjectId>* set = findSet(ss);
    AcDbObjectId id;
    if (set == nullptr || ename == nullptr || acdbGetObjectId(id, ename) != Acad::eOk)
        return RTERROR;
    auto it = std::find(set->begin(), set->end(), id);
    if (it == set->end()) return RTERROR;
    set->erase(it);
    return RTNORM;
}

int acedSSFree(const ads_name sname) {
    if (findSet(sname) == nullptr) return RTERROR;
    acedState().selectionSets.erase(sname[0]);
    return RTNORM;
}

int acedSSLength(const ads_name sname, Adesk::Int32* len) {
    std::vector<AcDbObjectId>* set = findSet(sname);
    if (set == nullptr || len == nullptr) return RTERROR;
    *len = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres) {
    std::vector<AcDbObjectId>* set = findSet(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<size_t>(i) >= set->size())
        return RTERROR;
    entityName((*set)[static_cast<size_t>(i)], entres);
    return RTNORM;
}

int acedSSMemb(const ads_name ename, const ads_name ss) {
    std::vector<AcDbObjectId>* set = findSet(ss);
    AcDbObjectId id;
    if (set == nullptr || ename == nullptr || acdbGetObjectId(id, ename) != Acad::eOk)
        return RTERROR;
    return std::find(set->begin(), set->end(), id) != set->end() ? RTNORM : RTERROR;
}

int acedDragGen(const ads_name ss, const ACHAR* pmt, int /*cursor*/,
                int (*scnf)(ads_point pt, ads_matrix mt), ads_point p) {
    const AcEdRequestOptions options = acedTakeRequestOptions();
    if (findSet(ss) == nullptr) return RTERROR;
    AcGePoint3d drop;
    const int rc = acedRequest(pmt, options, [&](const std::wstring& text) -> const wchar_t* {
        auto q = acedParsePoint(text, acedState().lastPoint);
        if (!q) return L"Invalid point.";
        drop = *q;
        return nullptr;
    });
    if (rc != RTNORM) return rc;
    ads_point pt = {drop.x, drop.y, drop.z};
    if (scnf != nullptr) {
        ads_matrix matrix = {};
        scnf(pt, matrix);  // the preview a moving cursor would show; the result only moves it
    }
    acedState().lastPoint = drop;
    if (p != nullptr) {
        p[X] = drop.x;
        p[Y] = drop.y;
        p[Z] = drop.z;
    }
    return RTNORM;
}
