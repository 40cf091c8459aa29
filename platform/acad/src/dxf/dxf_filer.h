// The concrete group-code filers over the DXF group stream: one reads the items
// of one object, the other writes items.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbfiler.h"
#include "dxf_stream.h"

// Reads the items of the current object from a group reader. The object's data
// ends before the next 0 group or before its extended data (1001); atEOF is
// true there. References (320..369, 390..399, 480..481) are resolved to ids of
// the filer's database, made on first sight when the object comes later.
class DxfInFiler : public AcDbDxfFiler {
  public:
    DxfInFiler(DxfGroupReader& reader, AcDbDatabase* database);

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDatabase; }

    Acad::ErrorStatus readResBuf(resbuf* item) override;
    Acad::ErrorStatus pushBackItem() override;
    bool atEOF() override;
    // Whether an item was put back and not read again. The reader of the file
    // clears it before it reads groups itself, so that a stale item can never
    // stand in for the next group.
    bool hasPushedBack() const { return mPushedBack; }
    void clearPushBack() { mPushedBack = false; }
    // Whether a 1001 group ends the data (an object's own fields) or not (its
    // extended data, or the variables of the header).
    void setStopAtExtendedData(bool stop) { mStopAtXdata = stop; }

    Acad::ErrorStatus writeObjectId(int, const AcDbObjectId&) override { return refuseWrite(); }
    Acad::ErrorStatus writeString(int, const ACHAR*) override { return refuseWrite(); }
    Acad::ErrorStatus writeDouble(int, double, int) override { return refuseWrite(); }
    Acad::ErrorStatus writeInt64(int, Adesk::Int64) override { return refuseWrite(); }
    Acad::ErrorStatus writeInt32(int, Adesk::Int32) override { return refuseWrite(); }
    Acad::ErrorStatus writeInt16(int, Adesk::Int16) override { return refuseWrite(); }
    Acad::ErrorStatus writeBool(int, bool) override { return refuseWrite(); }
    Acad::ErrorStatus writePoint2d(int, const AcGePoint2d&, int) override { return refuseWrite(); }
    Acad::ErrorStatus writePoint3d(int, const AcGePoint3d&, int) override { return refuseWrite(); }
    Acad::ErrorStatus writeBytes(int, const void*, Adesk::UIntPtr) override {
        return refuseWrite();
    }

    // Line of the last group read, for messages.
    int line() const { return mReader.line(); }
    // The line where each handle was first referred to, for the message about
    // a reference that points nowhere.
    const std::unordered_map<uint64_t, int>& referenceLines() const { return mReferenceLines; }
    // The id of a handle referred to at a line: null for handle 0, made on
    // first sight when its object comes later in the file.
    AcDbObjectId reference(uint64_t handle, int line);
    // Called with every item read, before the caller sees it.
    void setItemHook(std::function<void(const resbuf&)> hook) { mHook = std::move(hook); }

  private:
    Acad::ErrorStatus refuseWrite() { return mStatus = Acad::eIsReading; }
    Acad::ErrorStatus fail(DxfFault fault, const DxfGroup& group, const std::string& message);
    Acad::ErrorStatus convert(const DxfGroup& group, resbuf& item);
    Acad::ErrorStatus readPointRest(const DxfGroup& first, resbuf& item);
    bool peekCode(int& code);

    DxfGroupReader& mReader;
    AcDbDatabase* mDatabase;
    Acad::ErrorStatus mStatus = Acad::eOk;
    resbuf mLast{};
    bool mPushedBack = false;
    bool mStopAtXdata = true;
    // Storage of the last item's string or binary value, owned by the filer.
    std::wstring mString;
    std::vector<char> mBytes;
    std::unordered_map<uint64_t, int> mReferenceLines;
    std::function<void(const resbuf&)> mHook;
};

// Writes items to a group writer. Reals are written in their shortest exact
// form whatever precision is asked, so that a drawing reads back unchanged.
class DxfOutFiler : public AcDbDxfFiler {
  public:
    DxfOutFiler(DxfGroupWriter& writer, AcDbDatabase* database)
        : mWriter(writer), mDatabase(database) {}

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDatabase; }

    Acad::ErrorStatus readResBuf(resbuf*) override { return mStatus = Acad::eIsWriting; }
    Acad::ErrorStatus pushBackItem() override { return mStatus = Acad::eIsWriting; }
    bool atEOF() override { return true; }

    Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& id) override;
    Acad::ErrorStatus writeString(int code, const ACHAR* value) override;
    Acad::ErrorStatus writeDouble(int code, double value, int precision = kDfltPrec) override;
    Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) override;
    Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) override;
    Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) override;
    Acad::ErrorStatus writeBool(int code, bool value) override;
    Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& value,
                                   int precision = kDfltPrec) override;
    Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value,
                                   int precision = kDfltPrec) override;
    Acad::ErrorStatus writeBytes(int code, const void* data, Adesk::UIntPtr length) override;
    // Dispatches on the same code table the reading filer uses, so that every
    // item read (kept unknown items included) can be written back.
    Acad::ErrorStatus writeResBuf(const resbuf& item) override;

  private:
    // A value of the wrong type for its code would make a file that cannot be
    // read back; it is refused instead of written.
    bool accepts(int code, DxfValueType type);

    DxfGroupWriter& mWriter;
    AcDbDatabase* mDatabase;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::string mUtf8;  // the text being written, kept to spare an allocation per text
};

// True for the codes whose item carries a whole point (x here, y at +10, z at +20).
bool dxfIsPointCode(int code);
