#include <cstring>

#include "acutads.h"
#include "dbfiler.h"
#include "rx_builtin.h"

ACRX_BUILTIN_DESC(AcDbDwgFiler, AcRxObject::desc(), nullptr, L"")

namespace {

// Type tags: each value is preceded by the tag of its filer call.
enum Tag : std::uint8_t {
    kTagHardOwner = 1,
    kTagSoftOwner,
    kTagHardPointer,
    kTagSoftPointer,
    kTagString,
    kTagBChunk,
    kTagHandle,
    kTagInt64,
    kTagInt32,
    kTagInt16,
    kTagInt8,
    kTagUInt32,
    kTagUInt16,
    kTagUInt8,
    kTagBool,
    kTagDouble,
    kTagPoint2d,
    kTagPoint3d,
    kTagVector3d,
    kTagBytes,
};

// A string longer than this is not something an object writes; a larger length means
// the buffer is out of step with its reader.
constexpr std::uint32_t kMaxStringLength = 1u << 24;

}  // namespace

Acad::ErrorStatus AcDbDwgBufferFiler::put(std::uint8_t tag, const void* data, size_t size) {
    if (mStatus != Acad::eOk) return mStatus;
    mBytes.push_back(tag);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    mBytes.insert(mBytes.end(), bytes, bytes + size);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::get(std::uint8_t tag, void* data, size_t size) {
    std::memset(data, 0, size);
    if (mStatus != Acad::eOk) return mStatus;
    if (mReadPos >= mBytes.size() || bytesLeft() < size + 1) return mStatus = Acad::eEndOfFile;
    if (mBytes[mReadPos] != tag) return mStatus = Acad::eFilerError;
    std::memcpy(data, mBytes.data() + mReadPos + 1, size);
    mReadPos += size + 1;
    return Acad::eOk;
}

// Ids are filed as the id's own value: valid only within this process, which is all an
// in-memory copy needs.
Acad::ErrorStatus AcDbDwgBufferFiler::putId(std::uint8_t tag, const AcDbObjectId& id) {
    const Adesk::IntDbId raw = id.asOldId();
    return put(tag, &raw, sizeof raw);
}

Acad::ErrorStatus AcDbDwgBufferFiler::getId(std::uint8_t tag, AcDbObjectId* id) {
    Adesk::IntDbId raw = 0;
    Acad::ErrorStatus es = get(tag, &raw, sizeof raw);
    id->setFromOldId(raw);
    return es;
}

Acad::ErrorStatus AcDbDwgBufferFiler::readHardOwnershipId(AcDbHardOwnershipId* id) {
    return getId(kTagHardOwner, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::writeHardOwnershipId(const AcDbHardOwnershipId& id) {
    return putId(kTagHardOwner, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::readSoftOwnershipId(AcDbSoftOwnershipId* id) {
    return getId(kTagSoftOwner, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::writeSoftOwnershipId(const AcDbSoftOwnershipId& id) {
    return putId(kTagSoftOwner, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::readHardPointerId(AcDbHardPointerId* id) {
    return getId(kTagHardPointer, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::writeHardPointerId(const AcDbHardPointerId& id) {
    return putId(kTagHardPointer, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::readSoftPointerId(AcDbSoftPointerId* id) {
    return getId(kTagSoftPointer, id);
}
Acad::ErrorStatus AcDbDwgBufferFiler::writeSoftPointerId(const AcDbSoftPointerId& id) {
    return putId(kTagSoftPointer, id);
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeString(const ACHAR* value) {
    const std::wstring text = value != nullptr ? value : L"";
    const auto n = static_cast<std::uint32_t>(text.size());
    if (put(kTagString, &n, sizeof n) != Acad::eOk) return mStatus;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    mBytes.insert(mBytes.end(), bytes, bytes + n * sizeof(wchar_t));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::readString(std::wstring& value) {
    value.clear();
    std::uint32_t n = 0;
    if (get(kTagString, &n, sizeof n) != Acad::eOk) return mStatus;
    if (n > kMaxStringLength) return mStatus = Acad::eFilerError;
    if (bytesLeft() < n * sizeof(wchar_t)) return mStatus = Acad::eEndOfFile;
    value.resize(n);
    std::memcpy(value.data(), mBytes.data() + mReadPos, n * sizeof(wchar_t));
    mReadPos += n * sizeof(wchar_t);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::readString(ACHAR** value) {
    *value = nullptr;
    std::wstring text;
    if (readString(text) != Acad::eOk) return mStatus;
    acutNewString(text.c_str(), *value);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeBChunk(const ads_binary& value) {
    const short n = value.clen > 0 ? value.clen : 0;
    if (put(kTagBChunk, &n, sizeof n) != Acad::eOk) return mStatus;
    if (n > 0) mBytes.insert(mBytes.end(), value.buf, value.buf + n);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::readBChunk(ads_binary* value) {
    value->clen = 0;
    value->buf = nullptr;
    short n = 0;
    if (get(kTagBChunk, &n, sizeof n) != Acad::eOk) return mStatus;
    if (n < 0) return mStatus = Acad::eFilerError;
    if (bytesLeft() < static_cast<size_t>(n)) return mStatus = Acad::eEndOfFile;
    value->buf = new char[static_cast<size_t>(n) + 1];
    std::memcpy(value->buf, mBytes.data() + mReadPos, static_cast<size_t>(n));
    value->clen = n;
    mReadPos += static_cast<size_t>(n);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::readAcDbHandle(AcDbHandle* value) {
    std::uint64_t raw = 0;
    get(kTagHandle, &raw, sizeof raw);
    *value = AcDbHandle(raw);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeAcDbHandle(const AcDbHandle& value) {
    const std::uint64_t raw = value.value();
    return put(kTagHandle, &raw, sizeof raw);
}

#define PLAIN_VALUE(NAME, TYPE, TAG)                                \
    Acad::ErrorStatus AcDbDwgBufferFiler::read##NAME(TYPE* value) { \
        return get(TAG, value, sizeof *value);                      \
    }                                                               \
    Acad::ErrorStatus AcDbDwgBufferFiler::write##NAME(TYPE value) { \
        return put(TAG, &value, sizeof value);                      \
    }

PLAIN_VALUE(Int64, Adesk::Int64, kTagInt64)
PLAIN_VALUE(Int32, Adesk::Int32, kTagInt32)
PLAIN_VALUE(Int16, Adesk::Int16, kTagInt16)
PLAIN_VALUE(Int8, Adesk::Int8, kTagInt8)
PLAIN_VALUE(UInt32, Adesk::UInt32, kTagUInt32)
PLAIN_VALUE(UInt16, Adesk::UInt16, kTagUInt16)
PLAIN_VALUE(UInt8, Adesk::UInt8, kTagUInt8)
PLAIN_VALUE(Double, double, kTagDouble)
#undef PLAIN_VALUE

Acad::ErrorStatus AcDbDwgBufferFiler::readBool(bool* value) {
    std::uint8_t b = 0;
    get(kTagBool, &b, 1);
    *value = b != 0;
    return mStatus;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeBool(bool value) {
    const std::uint8_t b = value ? 1 : 0;
    return put(kTagBool, &b, 1);
}

Acad::ErrorStatus AcDbDwgBufferFiler::readBoolean(Adesk::Boolean* value) { return readBool(value); }
Acad::ErrorStatus AcDbDwgBufferFiler::writeBoolean(Adesk::Boolean value) {
    return writeBool(value);
}

Acad::ErrorStatus AcDbDwgBufferFiler::readPoint2d(AcGePoint2d* value) {
    double xy[2];
    get(kTagPoint2d, xy, sizeof xy);
    *value = AcGePoint2d(xy[0], xy[1]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writePoint2d(const AcGePoint2d& value) {
    const double xy[2] = {value.x, value.y};
    return put(kTagPoint2d, xy, sizeof xy);
}

Acad::ErrorStatus AcDbDwgBufferFiler::readPoint3d(AcGePoint3d* value) {
    double xyz[3];
    get(kTagPoint3d, xyz, sizeof xyz);
    *value = AcGePoint3d(xyz[0], xyz[1], xyz[2]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writePoint3d(const AcGePoint3d& value) {
    const double xyz[3] = {value.x, value.y, value.z};
    return put(kTagPoint3d, xyz, sizeof xyz);
}

Acad::ErrorStatus AcDbDwgBufferFiler::readVector3d(AcGeVector3d* value) {
    double xyz[3];
    get(kTagVector3d, xyz, sizeof xyz);
    *value = AcGeVector3d(xyz[0], xyz[1], xyz[2]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeVector3d(const AcGeVector3d& value) {
    const double xyz[3] = {value.x, value.y, value.z};
    return put(kTagVector3d, xyz, sizeof xyz);
}

Acad::ErrorStatus AcDbDwgBufferFiler::readBytes(void* buffer, Adesk::UIntPtr length) {
    std::uint64_t n = 0;
    if (get(kTagBytes, &n, sizeof n) != Acad::eOk) return mStatus;
    if (n != length) return mStatus = Acad::eFilerError;
    if (bytesLeft() < length) return mStatus = Acad::eEndOfFile;
    std::memcpy(buffer, mBytes.data() + mReadPos, length);
    mReadPos += length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDwgBufferFiler::writeBytes(const void* buffer, Adesk::UIntPtr length) {
    const std::uint64_t n = length;
    if (put(kTagBytes, &n, sizeof n) != Acad::eOk) return mStatus;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    mBytes.insert(mBytes.end(), bytes, bytes + length);
    return Acad::eOk;
}
