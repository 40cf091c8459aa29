#include "dxf_filer.h"

#include <cstring>

#include "dbmain.h"
#include "wcrt.h"

namespace {

struct PointCodes {
    int first;
    int last;
};

// Codes whose x starts a point; y and z follow at +10 and +20.
constexpr PointCodes kPointCodes[] = {{10, 18}, {110, 112}, {210, 210}, {1010, 1013}};

// Handle codes whose value is the object's own handle (or a handle kept as
// text in extended data), not a reference to another object.
bool isHandleText(int code) { return code == 5 || code == 105 || code == 1005; }

// Binary chunks travel in a resbuf with a 16-bit length.
constexpr size_t kMaxChunkBytes = 32767;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

}  // namespace

bool dxfIsPointCode(int code) {
    for (const PointCodes& p : kPointCodes)
        if (code >= p.first && code <= p.last) return true;
    return false;
}

DxfInFiler::DxfInFiler(DxfGroupReader& reader, AcDbDatabase* database)
    : mReader(reader), mDatabase(database) {}

Acad::ErrorStatus DxfInFiler::fail(DxfFault fault, const DxfGroup& group,
                                   const std::string& message) {
    mReader.fail(fault, group.line, message);
    return mStatus = Acad::eBadDxfSequence;
}

AcDbObjectId DxfInFiler::reference(uint64_t handle, int line) {
    AcDbObjectId id;
    if (handle == 0 || mDatabase == nullptr) return id;
    mDatabase->getAcDbObjectId(id, true, AcDbHandle(handle));
    mReferenceLines.emplace(handle, line);
    return id;
}

bool DxfInFiler::peekCode(int& code) {
    const DxfGroup* next = mReader.nextRef();
    if (next == nullptr) return false;
    code = next->code;
    mReader.pushBack();
    return true;
}

bool DxfInFiler::atEOF() {
    if (mStatus != Acad::eOk) return true;
    if (mPushedBack) return false;
    int code = 0;
    if (!peekCode(code)) return true;
    return code == 0 || (mStopAtXdata && code == 1001);
}

Acad::ErrorStatus DxfInFiler::pushBackItem() {
    mPushedBack = true;
    return Acad::eOk;
}

Acad::ErrorStatus DxfInFiler::readResBuf(resbuf* item) {
    if (mStatus != Acad::eOk) return mStatus;
    if (item == nullptr) return mStatus = Acad::eInvalidInput;
    if (mPushedBack) {
        mPushedBack = false;
        *item = mLast;
        return Acad::eOk;
    }
    if (atEOF()) return mStatus = Acad::eEndOfObject;
    std::optional<DxfGroup> group = mReader.next();
    if (!group) return mStatus = Acad::eEndOfFile;
    mLast = resbuf{};
    Acad::ErrorStatus es = convert(*group, mLast);
    if (es != Acad::eOk) return es;
    if (mHook) mHook(mLast);
    *item = mLast;
    return Acad::eOk;
}

Acad::ErrorStatus DxfInFiler::convert(const DxfGroup& group, resbuf& item) {
    item.restype = static_cast<short>(group.code);
    int64_t i = 0;
    switch (dxfValueType(group.code)) {
        case DxfValueType::String:
            if (dxfHasEscapes(group.text))
                wcrtAssignFromUtf8(mString, dxfUnescapeString(group.text));
            else
                wcrtAssignFromUtf8(mString, group.text);
            item.resval.rstring = mString.data();
            return Acad::eOk;
        case DxfValueType::Double:
            if (dxfIsPointCode(group.code)) return readPointRest(group, item);
            dxfParseDouble(group.text, item.resval.rreal);
            return Acad::eOk;
        case DxfValueType::Int16:
        case DxfValueType::Bool:
            dxfParseInteger(group.text, INT16_MIN, INT16_MAX, i);
            item.resval.rint = static_cast<short>(i);
            return Acad::eOk;
        case DxfValueType::Int32:
            dxfParseInteger(group.text, INT32_MIN, INT32_MAX, i);
            item.resval.rlong = static_cast<Adesk::Int32>(i);
            return Acad::eOk;
        case DxfValueType::Int64:
            dxfParseInteger(group.text, INT64_MIN, INT64_MAX, i);
            item.resval.mnInt64 = i;
            return Acad::eOk;
        case DxfValueType::Handle: {
            uint64_t handle = 0;
            dxfParseHandle(group.text, handle);
            if (isHandleText(group.code)) {
                mString = wcrtFromUtf8(dxfFormatHandle(handle));
                item.resval.rstring = mString.data();
                return Acad::eOk;
            }
            AcDbObjectId id = reference(handle, group.line);
            item.resval.rlname[0] = static_cast<Adesk::LongPtr>(id.asOldId());
            item.resval.rlname[1] = 0;
            return Acad::eOk;
        }
        case DxfValueType::Binary: {
            std::string_view hex = dxfTrim(group.text);
            if (hex.size() / 2 > kMaxChunkBytes)
                return fail(DxfFault::BadValue, group, "binary chunk longer than 32767 bytes");
            mBytes.assign(hex.size() / 2, 0);
            for (size_t k = 0; k < mBytes.size(); ++k)
                mBytes[k] = static_cast<char>(hexValue(hex[2 * k]) * 16 + hexValue(hex[2 * k + 1]));
            item.resval.rbinary.clen = static_cast<short>(mBytes.size());
            item.resval.rbinary.buf = mBytes.data();
            return Acad::eOk;
        }
        case DxfValueType::Unknown:
            break;
    }
    return fail(DxfFault::UnknownCode, group, "unknown group code " + std::to_string(group.code));
}

// A point is x under its code, y under code + 10 and, when present, z under
// code + 20; a missing z is 0 (two-dimensional points).
Acad::ErrorStatus DxfInFiler::readPointRest(const DxfGroup& first, resbuf& item) {
    double* p = item.resval.rpoint;
    dxfParseDouble(first.text, p[0]);
    std::optional<DxfGroup> y = mReader.next();
    if (!y || y->code != first.code + 10) {
        if (mReader.failed()) return mStatus = Acad::eBadDxfSequence;
        return fail(DxfFault::BadStructure, y ? *y : first,
                    "point of group code " + std::to_string(first.code) + " has no y (group code " +
                        std::to_string(first.code + 10) + ")");
    }
    dxfParseDouble(y->text, p[1]);
    p[2] = 0.0;
    std::optional<DxfGroup> z = mReader.next();
    if (z && z->code == first.code + 20) {
        dxfParseDouble(z->text, p[2]);
    } else if (z) {
        mReader.pushBack();
    }
    return mReader.failed() ? (mStatus = Acad::eBadDxfSequence) : Acad::eOk;
}

bool DxfOutFiler::accepts(int code, DxfValueType type) {
    DxfValueType expected = dxfValueType(code);
    bool integer = type == DxfValueType::Int64;  // any integer write
    bool ok = expected == type ||
              (integer && (expected == DxfValueType::Int16 || expected == DxfValueType::Int32 ||
                           expected == DxfValueType::Bool));
    if (!ok) mStatus = Acad::eInvalidDxfCode;
    return ok && mStatus == Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeObjectId(int code, const AcDbObjectId& id) {
    if (!accepts(code, DxfValueType::Handle)) return mStatus;
    mWriter.writeHandle(code, id.isNull() ? 0 : id.handle().value());
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeString(int code, const ACHAR* value) {
    std::string& text = mUtf8;
    text.clear();
    wcrtAppendUtf8(text, value);
    if (dxfValueType(code) == DxfValueType::Handle && isHandleText(code)) {
        uint64_t handle = 0;
        if (!dxfParseHandle(text, handle)) return mStatus = Acad::eInvalidInput;
        mWriter.writeHandle(code, handle);
        return Acad::eOk;
    }
    if (!accepts(code, DxfValueType::String)) return mStatus;
    mWriter.writeString(code, text);
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeDouble(int code, double value, int) {
    if (!accepts(code, DxfValueType::Double)) return mStatus;
    mWriter.writeDouble(code, value);
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeInt64(int code, Adesk::Int64 value) {
    if (!accepts(code, DxfValueType::Int64)) return mStatus;
    DxfValueType type = dxfValueType(code);
    bool fits = type == DxfValueType::Int64 ||
                (type == DxfValueType::Int32 ? value >= INT32_MIN && value <= INT32_MAX
                                             : value >= INT16_MIN && value <= INT16_MAX);
    if (!fits) return mStatus = Acad::eOutOfRange;
    mWriter.writeInt(code, value);
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeInt32(int code, Adesk::Int32 value) {
    return writeInt64(code, value);
}

Acad::ErrorStatus DxfOutFiler::writeInt16(int code, Adesk::Int16 value) {
    return writeInt64(code, value);
}

Acad::ErrorStatus DxfOutFiler::writeBool(int code, bool value) {
    return writeInt64(code, value ? 1 : 0);
}

Acad::ErrorStatus DxfOutFiler::writePoint2d(int code, const AcGePoint2d& value, int) {
    if (!accepts(code, DxfValueType::Double)) return mStatus;
    mWriter.writeDouble(code, value.x);
    mWriter.writeDouble(code + 10, value.y);
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writePoint3d(int code, const AcGePoint3d& value, int) {
    if (!accepts(code, DxfValueType::Double)) return mStatus;
    mWriter.writePoint(code, value.x, value.y, value.z);
    return Acad::eOk;
}

// Bytes are written as hexadecimal in chunks of 127 bytes, one group each, the
// size the format's own writers use.
Acad::ErrorStatus DxfOutFiler::writeBytes(int code, const void* data, Adesk::UIntPtr length) {
    if (!accepts(code, DxfValueType::Binary)) return mStatus;
    static const char kHex[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    constexpr size_t kChunk = 127;
    for (size_t start = 0; start < length || start == 0; start += kChunk) {
        std::string hex;
        for (size_t k = start; k < length && k < start + kChunk; ++k) {
            hex += kHex[bytes[k] >> 4];
            hex += kHex[bytes[k] & 15];
        }
        mWriter.writeRaw(code, hex);
        if (length == 0) break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeResBuf(const resbuf& item) {
    const int code = item.restype;
    const ads_u_val& v = item.resval;
    switch (dxfValueType(code)) {
        case DxfValueType::String:
            return writeString(code, v.rstring);
        case DxfValueType::Double:
            if (dxfIsPointCode(code))
                return writePoint3d(code, AcGePoint3d(v.rpoint[0], v.rpoint[1], v.rpoint[2]));
            return writeDouble(code, v.rreal);
        case DxfValueType::Int16:
        case DxfValueType::Bool:
            return writeInt16(code, v.rint);
        case DxfValueType::Int32:
            return writeInt32(code, v.rlong);
        case DxfValueType::Int64:
            return writeInt64(code, v.mnInt64);
        case DxfValueType::Handle: {
            if (isHandleText(code)) return writeString(code, v.rstring);
            AcDbObjectId id;
            id.setFromOldId(static_cast<Adesk::IntDbId>(v.rlname[0]));
            return writeObjectId(code, id);
        }
        case DxfValueType::Binary:
            return writeBytes(code, v.rbinary.buf,
                              static_cast<Adesk::UIntPtr>(v.rbinary.clen > 0 ? v.rbinary.clen : 0));
        case DxfValueType::Unknown:
            break;
    }
    return AcDbDxfFiler::writeResBuf(item);
}
