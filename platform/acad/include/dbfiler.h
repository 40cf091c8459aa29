// Filers: how objects write and read their data.
//
// AcDbDwgFiler is the binary filer: an object's dwgOutFields writes its members in a
// fixed order and dwgInFields reads them back in the same order. AcDbDwgBufferFiler is
// the concrete one over a byte buffer, used for cloning (AcDbObject::clone) and tests.
// It lives in memory only: ids are filed as references valid within the process.
//
// AcDbDxfFiler is the group-code filer: an object writes (code, value) items and reads
// them back item by item. The concrete filer belongs to the DXF reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "acdb.h"
#include "acge.h"
#include "adsdef.h"
#include "dbid.h"
#include "rxobject.h"

class AcDbDatabase;

class AcDbDwgFiler : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual AcDbDatabase* database() const = 0;

    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) = 0;

    // Strings read into ACHAR** are allocated with acutNewString; free with acutDelString.
    virtual Acad::ErrorStatus readString(ACHAR** value) = 0;
    virtual Acad::ErrorStatus writeString(const ACHAR* value) = 0;
    virtual Acad::ErrorStatus readString(std::wstring& value) = 0;
    virtual Acad::ErrorStatus readBChunk(ads_binary* value) = 0;
    virtual Acad::ErrorStatus writeBChunk(const ads_binary& value) = 0;
    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* value) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& value) = 0;
    virtual Acad::ErrorStatus readInt64(Adesk::Int64* value) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 value) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* value) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* value) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 value) = 0;
    virtual Acad::ErrorStatus readInt8(Adesk::Int8* value) = 0;
    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 value) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* value) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 value) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* value) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 value) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* value) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 value) = 0;
    virtual Acad::ErrorStatus readBoolean(Adesk::Boolean* value) = 0;
    virtual Acad::ErrorStatus writeBoolean(Adesk::Boolean value) = 0;
    virtual Acad::ErrorStatus readBool(bool* value) = 0;
    virtual Acad::ErrorStatus writeBool(bool value) = 0;
    virtual Acad::ErrorStatus readDouble(double* value) = 0;
    virtual Acad::ErrorStatus writeDouble(double value) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* value) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& value) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* value) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* value) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& value) = 0;
    virtual Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr length) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr length) = 0;

    // The SDK's overloaded item calls.
    Acad::ErrorStatus writeItem(const AcDbHardPointerId& id) { return writeHardPointerId(id); }
    Acad::ErrorStatus writeItem(const AcDbSoftPointerId& id) { return writeSoftPointerId(id); }
    Acad::ErrorStatus writeItem(const AcDbHardOwnershipId& id) { return writeHardOwnershipId(id); }
    Acad::ErrorStatus writeItem(const AcDbSoftOwnershipId& id) { return writeSoftOwnershipId(id); }
    Acad::ErrorStatus writeItem(const ACHAR* value) { return writeString(value); }
    Acad::ErrorStatus writeItem(Adesk::Int32 value) { return writeInt32(value); }
    Acad::ErrorStatus writeItem(Adesk::Int16 value) { return writeInt16(value); }
    Acad::ErrorStatus writeItem(Adesk::UInt32 value) { return writeUInt32(value); }
    Acad::ErrorStatus writeItem(Adesk::UInt16 value) { return writeUInt16(value); }
    Acad::ErrorStatus writeItem(bool value) { return writeBool(value); }
    Acad::ErrorStatus writeItem(double value) { return writeDouble(value); }
    Acad::ErrorStatus writeItem(const AcGePoint2d& value) { return writePoint2d(value); }
    Acad::ErrorStatus writeItem(const AcGePoint3d& value) { return writePoint3d(value); }
    Acad::ErrorStatus writeItem(const AcGeVector3d& value) { return writeVector3d(value); }
    Acad::ErrorStatus readItem(AcDbHardPointerId* id) { return readHardPointerId(id); }
    Acad::ErrorStatus readItem(AcDbSoftPointerId* id) { return readSoftPointerId(id); }
    Acad::ErrorStatus readItem(AcDbHardOwnershipId* id) { return readHardOwnershipId(id); }
    Acad::ErrorStatus readItem(AcDbSoftOwnershipId* id) { return readSoftOwnershipId(id); }
    Acad::ErrorStatus readItem(ACHAR** value) { return readString(value); }
    Acad::ErrorStatus readItem(Adesk::Int32* value) { return readInt32(value); }
    Acad::ErrorStatus readItem(Adesk::Int16* value) { return readInt16(value); }
    Acad::ErrorStatus readItem(Adesk::UInt32* value) { return readUInt32(value); }
    Acad::ErrorStatus readItem(Adesk::UInt16* value) { return readUInt16(value); }
    Acad::ErrorStatus readItem(bool* value) { return readBool(value); }
    Acad::ErrorStatus readItem(double* value) { return readDouble(value); }
    Acad::ErrorStatus readItem(AcGePoint2d* value) { return readPoint2d(value); }
    Acad::ErrorStatus readItem(AcGePoint3d* value) { return readPoint3d(value); }
    Acad::ErrorStatus readItem(AcGeVector3d* value) { return readVector3d(value); }
};

// A binary filer over a growable byte buffer: writes append, reads consume from the
// front. Reading past the end, or a value of another type than was written, sets the
// status to eEndOfFile / eFilerError, returns it and yields zero values; later reads
// keep failing. Every value carries a one-byte type tag so that a reader out of step
// with its writer is detected instead of misreading bytes.
class AcDbDwgBufferFiler : public AcDbDwgFiler {
  public:
    explicit AcDbDwgBufferFiler(AcDb::FilerType type = AcDb::kCopyFiler,
                                AcDbDatabase* database = nullptr)
        : mType(type), mDatabase(database) {}

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return mType; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDatabase; }

    // Starts reading again from the first byte.
    void rewind() {
        mReadPos = 0;
        mStatus = Acad::eOk;
    }
    const std::vector<std::uint8_t>& buffer() const { return mBytes; }
    size_t bytesLeft() const { return mBytes.size() - mReadPos; }

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) override;
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override;
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) override;
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override;
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) override;
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) override;
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) override;
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) override;
    Acad::ErrorStatus readString(ACHAR** value) override;
    Acad::ErrorStatus writeString(const ACHAR* value) override;
    Acad::ErrorStatus readString(std::wstring& value) override;
    Acad::ErrorStatus readBChunk(ads_binary* value) override;
    Acad::ErrorStatus writeBChunk(const ads_binary& value) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* value) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& value) override;
    Acad::ErrorStatus readInt64(Adesk::Int64* value) override;
    Acad::ErrorStatus writeInt64(Adesk::Int64 value) override;
    Acad::ErrorStatus readInt32(Adesk::Int32* value) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 value) override;
    Acad::ErrorStatus readInt16(Adesk::Int16* value) override;
    Acad::ErrorStatus writeInt16(Adesk::Int16 value) override;
    Acad::ErrorStatus readInt8(Adesk::Int8* value) override;
    Acad::ErrorStatus writeInt8(Adesk::Int8 value) override;
    Acad::ErrorStatus readUInt32(Adesk::UInt32* value) override;
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 value) override;
    Acad::ErrorStatus readUInt16(Adesk::UInt16* value) override;
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 value) override;
    Acad::ErrorStatus readUInt8(Adesk::UInt8* value) override;
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 value) override;
    Acad::ErrorStatus readBoolean(Adesk::Boolean* value) override;
    Acad::ErrorStatus writeBoolean(Adesk::Boolean value) override;
    Acad::ErrorStatus readBool(bool* value) override;
    Acad::ErrorStatus writeBool(bool value) override;
    Acad::ErrorStatus readDouble(double* value) override;
    Acad::ErrorStatus writeDouble(double value) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* value) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& value) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* value) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* value) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& value) override;
    Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr length) override;
    Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr length) override;

  private:
    Acad::ErrorStatus put(std::uint8_t tag, const void* data, size_t size);
    Acad::ErrorStatus get(std::uint8_t tag, void* data, size_t size);
    Acad::ErrorStatus putId(std::uint8_t tag, const AcDbObjectId& id);
    Acad::ErrorStatus getId(std::uint8_t tag, AcDbObjectId* id);

    AcDb::FilerType mType;
    AcDbDatabase* mDatabase;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::vector<std::uint8_t> mBytes;
    size_t mReadPos = 0;
};

// Default precision of reals written by a DXF filer: the filer's own choice.
constexpr int kDfltPrec = -1;

// The group-code filer. The concrete filer implements the pure virtual calls; the rest
// are built on them.
//
// Reading: readResBuf fills a caller-provided resbuf with the next (code, value) item.
// Strings and binary chunks in it belong to the filer and stay valid until the next
// read; the caller does not free them. Point codes (10..18, 110..112, 210, 1010..1013)
// come as one item with all coordinates (z = 0 when the file has none). Object
// references (codes 320..369, 390..399) come as restype = code and an entity name:
// rlname[0] holds the referenced object's id (see acdbGetObjectId). Handles (code 5,
// 105, 1005) are hexadecimal strings. pushBackItem makes the last item read come again.
// atEOF is true when the current object has no more items.
//
// Writing: one call per item; writeResBuf dispatches on the item's type code.
class AcDbDxfFiler : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual int precision() const { return 16; }
    virtual void setPrecision(int) {}
    virtual bool includesDefaultValues() const { return false; }

    virtual Acad::ErrorStatus readResBuf(resbuf* item) = 0;
    virtual Acad::ErrorStatus pushBackItem() = 0;
    virtual bool atEOF() = 0;

    virtual Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus writeString(int code, const ACHAR* value) = 0;
    virtual Acad::ErrorStatus writeDouble(int code, double value, int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) = 0;
    virtual Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) = 0;
    virtual Acad::ErrorStatus writeBool(int code, bool value) = 0;
    // A 2D point writes only x and y (codes c and c + 10).
    virtual Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& value,
                                           int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value,
                                           int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeBytes(int code, const void* data, Adesk::UIntPtr length) = 0;

    // Records an error with a message; the reader reports it with the file position.
    virtual Acad::ErrorStatus setError(Acad::ErrorStatus status, const ACHAR* format, ...);
    virtual Acad::ErrorStatus setError(const ACHAR* format, ...);
    virtual const ACHAR* errorMessage() const { return mErrorMessage.c_str(); }

    // Built on the calls above.
    Acad::ErrorStatus readItem(resbuf* item) { return readResBuf(item); }
    virtual Acad::ErrorStatus writeResBuf(const resbuf& item);
    // True (and the marker consumed) when the next item is 100 with this subclass name;
    // otherwise the item is pushed back.
    virtual bool atSubclassData(const ACHAR* subClassName);
    // True when the next item starts extended data (1001); it is pushed back either way.
    virtual bool atExtendedData();
    virtual bool atEndOfObject() { return atEOF(); }
    Acad::ErrorStatus writeInt8(int code, Adesk::Int8 value) { return writeInt16(code, value); }
    Acad::ErrorStatus writeUInt8(int code, Adesk::UInt8 value) { return writeInt16(code, value); }
    Acad::ErrorStatus writeUInt16(int code, Adesk::UInt16 value) {
        return writeInt16(code, static_cast<Adesk::Int16>(value));
    }
    Acad::ErrorStatus writeUInt32(int code, Adesk::UInt32 value) {
        return writeInt32(code, static_cast<Adesk::Int32>(value));
    }
    Acad::ErrorStatus writeBoolean(int code, Adesk::Boolean value) {
        return writeBool(code, value);
    }
    Acad::ErrorStatus writeVector3d(int code, const AcGeVector3d& v, int precision = kDfltPrec) {
        return writePoint3d(code, AcGePoint3d(v.x, v.y, v.z), precision);
    }
    // Writes an angle given in radians as degrees, as DXF files hold angles.
    Acad::ErrorStatus writeAngle(int code, double radians, int precision = kDfltPrec);
    Acad::ErrorStatus writeItem(int code, const ACHAR* value) { return writeString(code, value); }
    Acad::ErrorStatus writeItem(int code, const AcDbObjectId& id) {
        return writeObjectId(code, id);
    }
    Acad::ErrorStatus writeItem(int code, double value, int precision = kDfltPrec) {
        return writeDouble(code, value, precision);
    }
    Acad::ErrorStatus writeItem(int code, Adesk::Int32 value) { return writeInt32(code, value); }
    Acad::ErrorStatus writeItem(int code, Adesk::Int16 value) { return writeInt16(code, value); }
    Acad::ErrorStatus writeItem(int code, bool value) { return writeBool(code, value); }
    Acad::ErrorStatus writeItem(int code, const AcGePoint2d& value, int precision = kDfltPrec) {
        return writePoint2d(code, value, precision);
    }
    Acad::ErrorStatus writeItem(int code, const AcGePoint3d& value, int precision = kDfltPrec) {
        return writePoint3d(code, value, precision);
    }
    Acad::ErrorStatus writeItem(int code, const AcGeVector3d& value, int precision = kDfltPrec) {
        return writeVector3d(code, value, precision);
    }
    Acad::ErrorStatus writeItem(const resbuf& item) { return writeResBuf(item); }

  protected:
    std::wstring mErrorMessage;
};
