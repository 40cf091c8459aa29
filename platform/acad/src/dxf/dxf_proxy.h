// Objects and entities of types this system does not know, and the parts of a
// DXF file it does not model (tables other than layers, styles, applications
// and blocks; block begin and end markers). They keep the groups read from the
// file and are written back unchanged, so that nothing of a drawing is lost.
#pragma once

#include <string>
#include <vector>

#include "dbmain.h"
#include "dxf_stream.h"

// Where a carried record belongs in the file.
enum class DxfHome { Tables, Blocks, Objects, Entities };

// The record as read: its type (the 0 group) and every group after it, handle,
// owner and extended data included.
struct DxfRawRecord {
    std::string type;
    std::vector<DxfGroup> groups;
    DxfHome home = DxfHome::Objects;

    // The first value of a code, or empty.
    std::string valueOf(int code) const;
    void writeTo(DxfGroupWriter& writer) const;
};

class AcDbProxyObject : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbProxyObject* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbProxyObject() = default;

    const DxfRawRecord& raw() const { return mRaw; }
    void setRaw(DxfRawRecord raw) { mRaw = std::move(raw); }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

  private:
    DxfRawRecord mRaw;
};

class AcDbProxyEntity : public AcDbEntity {
  public:
    static AcRxClass* desc();
    static AcDbProxyEntity* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbProxyEntity() = default;

    const DxfRawRecord& raw() const { return mRaw; }
    void setRaw(DxfRawRecord raw) { mRaw = std::move(raw); }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

  private:
    DxfRawRecord mRaw;
};

// The carried record of a proxy object or entity, or null for other objects.
const DxfRawRecord* dxfRawRecordOf(const AcDbObject* object);
