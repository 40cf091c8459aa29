// An entity's own data as a table: each row binds a DXF group code to a member. The
// same table drives DXF output and input and the binary filer, so the three cannot
// drift apart.
#pragma once

#include <cmath>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

#include "dbfiler.h"
#include "dbmain.h"

template <typename T>
struct DxfField {
    enum Kind {
        kPlain,     // written always
        kOptional,  // written only when not its default (0, or the z axis for a vector)
        kAngle,     // radians in memory, degrees in the file; written always
        kOptionalAngle,
    };
    short code;
    std::variant<AcGePoint3d T::*, AcGeVector3d T::*, double T::*, std::wstring T::*> member;
    Kind kind = kPlain;
};

template <typename T>
using DxfFieldTable = std::vector<DxfField<T>>;

namespace dxffields {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

template <typename T>
bool isDefault(const T& obj, const DxfField<T>& f) {
    if (auto m = std::get_if<double T::*>(&f.member)) return obj.**m == 0.0;
    if (auto m = std::get_if<AcGeVector3d T::*>(&f.member))
        return (obj.**m).isEqualTo(AcGeVector3d::kZAxis);
    return false;
}

template <typename T>
void writeOne(AcDbDxfFiler* filer, const T& obj, const DxfField<T>& f) {
    const bool optional = f.kind == DxfField<T>::kOptional || f.kind == DxfField<T>::kOptionalAngle;
    const bool angle = f.kind == DxfField<T>::kAngle || f.kind == DxfField<T>::kOptionalAngle;
    if (optional && isDefault(obj, f)) return;
    if (auto m = std::get_if<AcGePoint3d T::*>(&f.member))
        filer->writePoint3d(f.code, obj.**m);
    else if (auto v = std::get_if<AcGeVector3d T::*>(&f.member))
        filer->writeVector3d(f.code, obj.**v);
    else if (auto d = std::get_if<double T::*>(&f.member))
        filer->writeDouble(f.code, angle ? obj.**d * kDegreesPerRadian : obj.**d);
    else if (auto s = std::get_if<std::wstring T::*>(&f.member))
        filer->writeString(f.code, (obj.**s).c_str());
}

template <typename T>
void write(AcDbDxfFiler* filer, const T& obj, const DxfFieldTable<T>& table) {
    for (const DxfField<T>& f : table) writeOne(filer, obj, f);
}

// Stores the item in the member its code is bound to; false for a code not in the table.
template <typename T>
bool read(T& obj, const DxfFieldTable<T>& table, const resbuf& item) {
    for (const DxfField<T>& f : table) {
        if (f.code != item.restype) continue;
        const bool angle = f.kind == DxfField<T>::kAngle || f.kind == DxfField<T>::kOptionalAngle;
        const double* p = item.resval.rpoint;
        if (auto m = std::get_if<AcGePoint3d T::*>(&f.member))
            obj.** m = AcGePoint3d(p[0], p[1], p[2]);
        else if (auto v = std::get_if<AcGeVector3d T::*>(&f.member))
            obj.** v = AcGeVector3d(p[0], p[1], p[2]);
        else if (auto d = std::get_if<double T::*>(&f.member))
            obj.** d = angle ? item.resval.rreal / kDegreesPerRadian : item.resval.rreal;
        else if (auto s = std::get_if<std::wstring T::*>(&f.member))
            obj.** s = item.resval.rstring != nullptr ? item.resval.rstring : L"";
        return true;
    }
    return false;
}

template <typename T>
void dwgOut(AcDbDwgFiler* filer, const T& obj, const DxfFieldTable<T>& table) {
    for (const DxfField<T>& f : table) {
        if (auto m = std::get_if<AcGePoint3d T::*>(&f.member))
            filer->writePoint3d(obj.**m);
        else if (auto v = std::get_if<AcGeVector3d T::*>(&f.member))
            filer->writeVector3d(obj.**v);
        else if (auto d = std::get_if<double T::*>(&f.member))
            filer->writeDouble(obj.**d);
        else if (auto s = std::get_if<std::wstring T::*>(&f.member))
            filer->writeString((obj.**s).c_str());
    }
}

// The filer status tells the caller whether every value arrived.
template <typename T>
void dwgIn(AcDbDwgFiler* filer, T& obj, const DxfFieldTable<T>& table) {
    for (const DxfField<T>& f : table) {
        if (auto m = std::get_if<AcGePoint3d T::*>(&f.member))
            filer->readPoint3d(&(obj.**m));
        else if (auto v = std::get_if<AcGeVector3d T::*>(&f.member))
            filer->readVector3d(&(obj.**v));
        else if (auto d = std::get_if<double T::*>(&f.member))
            filer->readDouble(&(obj.**d));
        else if (auto s = std::get_if<std::wstring T::*>(&f.member))
            filer->readString(obj.**s);
    }
}

// The filing methods of an entity whose own data is one field table: the
// common entity data first, then the table; in DXF behind the subclass marker
// and followed by the groups kept from reading.
template <typename T>
Acad::ErrorStatus dwgOutEntity(AcDbDwgFiler* filer, const T& obj, const DxfFieldTable<T>& table) {
    Acad::ErrorStatus es = obj.AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    dwgOut(filer, obj, table);
    return filer->filerStatus();
}

template <typename T>
Acad::ErrorStatus dwgInEntity(AcDbDwgFiler* filer, T& obj, const DxfFieldTable<T>& table) {
    Acad::ErrorStatus es = obj.AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    dwgIn(filer, obj, table);
    return filer->filerStatus();
}

template <typename T>
Acad::ErrorStatus dxfOutEntity(AcDbDxfFiler* filer, const T& obj, const ACHAR* subclass,
                               const DxfFieldTable<T>& table) {
    Acad::ErrorStatus es = obj.AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, subclass);
    write(filer, obj, table);
    obj.writeUnknownDxfItems(filer, subclass);
    return filer->filerStatus();
}

// The common entity data and the subclass marker; the entity reads its own
// groups after it. `what` names the entity in the message ("line").
template <typename T>
Acad::ErrorStatus dxfInEntityStart(AcDbDxfFiler* filer, T& obj, const ACHAR* subclass,
                                   const ACHAR* what) {
    Acad::ErrorStatus es = obj.AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(subclass))
        return filer->setError(Acad::eBadDxfSequence, L"%s without its subclass marker", what);
    return Acad::eOk;
}

}  // namespace dxffields
