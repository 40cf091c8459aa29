// System variables: a table of names, types and defaults; a few are views
// of the working drawing or of the editor.
#include <map>

#include "acutads.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "ed_state.h"
#include "wcrt.h"

namespace {

struct Value {
    short type = RTSHORT;
    double number = 0.0;  // RTSHORT and RTREAL
    AcGePoint3d point;    // RT3DPOINT
    std::wstring text;    // RTSTR
};

using Getter = bool (*)(Value&);
using Setter = bool (*)(const Value&);

struct VarDef {
    const wchar_t* name;
    short type;
    double number;
    const wchar_t* text;
    Getter get;  // null: the stored value
    Setter set;  // null: stored; kReadOnly: refused
};

bool refuse(const Value&) { return false; }
constexpr Setter kReadOnly = &refuse;

AcDbDatabase* drawing() { return acdbHostApplicationServices()->workingDatabase(); }

template <typename Record>
bool recordName(AcDbObjectId id, Value& v) {
    Record* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return false;
    record->getName(v.text);
    record->close();
    return true;
}

template <typename Table>
bool recordId(Acad::ErrorStatus (AcDbDatabase::*getTable)(Table*&, AcDb::OpenMode),
              const std::wstring& name, AcDbObjectId& id) {
    Table* table = nullptr;
    if (drawing() == nullptr || (drawing()->*getTable)(table, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool found = table->getAt(name.c_str(), id) == Acad::eOk;
    table->close();
    return found;
}

bool getClayer(Value& v) {
    return drawing() != nullptr && recordName<AcDbLayerTableRecord>(drawing()->clayer(), v);
}

bool setClayer(const Value& v) {
    AcDbObjectId id;
    return recordId(&AcDbDatabase::getLayerTable, v.text, id) &&
           drawing()->setClayer(id) == Acad::eOk;
}

bool getTextstyle(Value& v) {
    return drawing() != nullptr && recordName<AcDbTextStyleTableRecord>(drawing()->textstyle(), v);
}

bool setTextstyle(const Value& v) {
    AcDbObjectId id;
    return recordId(&AcDbDatabase::getTextStyleTable, v.text, id) &&
           drawing()->setTextstyle(id) == Acad::eOk;
}

bool getLastPoint(Value& v) {
    v.point = acedState().lastPoint;
    return true;
}

bool setLastPoint(const Value& v) {
    acedState().lastPoint = v.point;
    return true;
}

bool getUcsOrg(Value& v) {
    v.point = acedState().ucs.origin;
    return true;
}
bool getUcsXDir(Value& v) {
    v.point = AcGePoint3d::kOrigin + acedState().ucs.xAxis;
    return true;
}
bool getUcsYDir(Value& v) {
    v.point = AcGePoint3d::kOrigin + acedState().ucs.yAxis;
    return true;
}

bool getWorldUcs(Value& v) {
    const AcEdUcs& u = acedState().ucs;
    const bool world = u.origin.isEqualTo(AcGePoint3d::kOrigin) &&
                       u.xAxis.isEqualTo(AcGeVector3d::kXAxis) &&
                       u.yAxis.isEqualTo(AcGeVector3d::kYAxis);
    v.number = world ? 1 : 0;
    return true;
}

// OSMODE's default is the host's (end point, centre, intersection, extension).
const VarDef kVars[] = {
    {L"OSMODE", RTSHORT, 4133, nullptr, nullptr, nullptr},
    {L"PICKBOX", RTSHORT, 3, nullptr, nullptr, nullptr},
    {L"CMDECHO", RTSHORT, 1, nullptr, nullptr, nullptr},
    {L"FILEDIA", RTSHORT, 1, nullptr, nullptr, nullptr},
    {L"CLAYER", RTSTR, 0, L"0", getClayer, setClayer},
    {L"TEXTSTYLE", RTSTR, 0, L"Standard", getTextstyle, setTextstyle},
    {L"LASTPOINT", RT3DPOINT, 0, nullptr, getLastPoint, setLastPoint},
    {L"UCSORG", RT3DPOINT, 0, nullptr, getUcsOrg, kReadOnly},
    {L"UCSXDIR", RT3DPOINT, 0, nullptr, getUcsXDir, kReadOnly},
    {L"UCSYDIR", RT3DPOINT, 0, nullptr, getUcsYDir, kReadOnly},
    {L"WORLDUCS", RTSHORT, 1, nullptr, getWorldUcs, kReadOnly},
};

const VarDef* findVar(const ACHAR* name) {
    if (name == nullptr) return nullptr;
    for (const VarDef& s : kVars)
        if (_wcsicmp(s.name, name) == 0) return &s;
    return nullptr;
}

Value defaultOf(const VarDef& s) {
    Value v;
    v.type = s.type;
    v.number = s.number;
    if (s.text != nullptr) v.text = s.text;
    return v;
}

std::map<std::wstring, Value>& stored() {
    static std::map<std::wstring, Value> values;
    return values;
}

Value current(const VarDef& s) {
    auto it = stored().find(s.name);
    Value v = it != stored().end() ? it->second : defaultOf(s);
    if (s.get != nullptr && !s.get(v)) v = defaultOf(s);
    return v;
}

bool fromResbuf(const resbuf& rb, short type, Value& v) {
    v.type = type;
    switch (type) {
        case RTSHORT:
            if (rb.restype == RTSHORT)
                v.number = rb.resval.rint;
            else if (rb.restype == RTLONG && rb.resval.rlong >= -32768 && rb.resval.rlong <= 32767)
                v.number = rb.resval.rlong;
            else
                return false;
            return true;
        case RTREAL:
            if (rb.restype != RTREAL) return false;
            v.number = rb.resval.rreal;
            return true;
        case RT3DPOINT:
            if (rb.restype != RT3DPOINT && rb.restype != RTPOINT) return false;
            v.point = {rb.resval.rpoint[X], rb.resval.rpoint[Y],
                       rb.restype == RT3DPOINT ? rb.resval.rpoint[Z] : 0.0};
            return true;
        case RTSTR:
            if (rb.restype != RTSTR || rb.resval.rstring == nullptr) return false;
            v.text = rb.resval.rstring;
            return true;
    }
    return false;
}

void toResbuf(const Value& v, resbuf& rb) {
    rb.restype = v.type;
    switch (v.type) {
        case RTSHORT:
            rb.resval.rint = static_cast<short>(v.number);
            break;
        case RTREAL:
            rb.resval.rreal = v.number;
            break;
        case RT3DPOINT:
            rb.resval.rpoint[X] = v.point.x;
            rb.resval.rpoint[Y] = v.point.y;
            rb.resval.rpoint[Z] = v.point.z;
            break;
        case RTSTR:
            acutNewString(v.text.c_str(), rb.resval.rstring);
            break;
    }
}

}  // namespace

int acedGetVar(const ACHAR* sym, resbuf* result) {
    const VarDef* def = findVar(sym);
    if (def == nullptr || result == nullptr) return RTERROR;
    toResbuf(current(*def), *result);
    return RTNORM;
}

int acedSetVar(const ACHAR* sym, const resbuf* val) {
    const VarDef* def = findVar(sym);
    Value v;
    if (def == nullptr || val == nullptr || !fromResbuf(*val, def->type, v)) return RTERROR;
    if (def->set != nullptr) return def->set(v) ? RTNORM : RTERROR;
    stored()[def->name] = v;
    return RTNORM;
}

void acedResetSysVars() { stored().clear(); }
