#include "dxf_proxy.h"

#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_MEMBERS(AcDbProxyObject, AcDbObject, ACRX_CONSTRUCTOR(AcDbProxyObject), L"")
ACRX_BUILTIN_MEMBERS(AcDbProxyEntity, AcDbEntity, ACRX_CONSTRUCTOR(AcDbProxyEntity), L"")

namespace {

// A raw record travels through the binary filer (copies, clones) as its type and
// home, then code, line, byte length and bytes of every group.
Acad::ErrorStatus fileOut(const DxfRawRecord& raw, AcDbDwgFiler* filer) {
    filer->writeString(wcrtFromUtf8(raw.type).c_str());
    filer->writeInt32(static_cast<Adesk::Int32>(raw.home));
    filer->writeInt32(static_cast<Adesk::Int32>(raw.groups.size()));
    for (const DxfGroup& g : raw.groups) {
        filer->writeInt32(g.code);
        filer->writeInt32(g.line);
        filer->writeInt32(static_cast<Adesk::Int32>(g.text.size()));
        filer->writeBytes(g.text.data(), g.text.size());
    }
    return filer->filerStatus();
}

Acad::ErrorStatus fileIn(DxfRawRecord& raw, AcDbDwgFiler* filer) {
    std::wstring type;
    Adesk::Int32 home = 0, count = 0;
    filer->readString(type);
    filer->readInt32(&home);
    filer->readInt32(&count);
    raw = DxfRawRecord{wcrtToUtf8(type), {}, static_cast<DxfHome>(home)};
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        DxfGroup g;
        Adesk::Int32 size = 0;
        filer->readInt32(&g.code);
        filer->readInt32(&g.line);
        filer->readInt32(&size);
        if (size < 0 || filer->filerStatus() != Acad::eOk) return Acad::eFilerError;
        g.text.resize(static_cast<size_t>(size));
        filer->readBytes(g.text.data(), g.text.size());
        raw.groups.push_back(std::move(g));
    }
    return filer->filerStatus();
}

}  // namespace

std::string DxfRawRecord::valueOf(int code) const {
    for (const DxfGroup& g : groups)
        if (g.code == code) return std::string(dxfTrim(g.text));
    return {};
}

void DxfRawRecord::writeTo(DxfGroupWriter& writer) const {
    writer.writeRaw(0, type);
    for (const DxfGroup& g : groups) writer.writeRaw(g.code, g.text);
}

Acad::ErrorStatus AcDbProxyObject::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    return es != Acad::eOk ? es : fileIn(mRaw, filer);
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    return es != Acad::eOk ? es : fileOut(mRaw, filer);
}

Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    return es != Acad::eOk ? es : fileIn(mRaw, filer);
}

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    return es != Acad::eOk ? es : fileOut(mRaw, filer);
}

const DxfRawRecord* dxfRawRecordOf(const AcDbObject* object) {
    if (const AcDbProxyEntity* e = AcDbProxyEntity::cast(object)) return &e->raw();
    if (const AcDbProxyObject* o = AcDbProxyObject::cast(object)) return &o->raw();
    return nullptr;
}
