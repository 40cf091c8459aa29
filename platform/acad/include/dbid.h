// Object ids and handles of the drawing database.
#pragma once

#include <cstdint>
#include <functional>

#include "acadstrc.h"
#include "adesk.h"
#include "adsdef.h"

class AcDbDatabase;
class AcDbStub;
class AcRxClass;

// A 64-bit handle, unique within one database and stable across save and load.
class AcDbHandle {
  public:
    AcDbHandle() = default;
    AcDbHandle(std::uint64_t value) : mValue(value) {}  // NOLINT: the SDK converts freely
    // Parses hexadecimal text such as L"1F"; invalid text gives the null handle.
    explicit AcDbHandle(const ACHAR* hexText);

    bool isNull() const { return mValue == 0; }
    void setNull() { mValue = 0; }
    std::uint64_t value() const { return mValue; }
    void increment() { ++mValue; }
    // Hexadecimal upper-case text without leading zeros, at least one digit.
    // buffer must hold 17 characters.
    void getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength = 17) const;
    bool operator==(const AcDbHandle& h) const { return mValue == h.mValue; }
    bool operator!=(const AcDbHandle& h) const { return mValue != h.mValue; }
    bool operator<(const AcDbHandle& h) const { return mValue < h.mValue; }
    AcDbHandle& operator++() {
        ++mValue;
        return *this;
    }
    AcDbHandle operator+(const AcDbHandle& h) const { return AcDbHandle(mValue + h.mValue); }

  private:
    std::uint64_t mValue = 0;
};

// Identifies one object of one database for as long as the database lives. An id stays
// valid when its object is erased (isErased() then reports it). Equality is identity.
class AcDbObjectId {
  public:
    AcDbObjectId() = default;
    static const AcDbObjectId kNull;

    bool isNull() const { return mStub == nullptr; }
    void setNull() { mStub = nullptr; }
    // True when the id refers to an object that exists (erased or not).
    bool isValid() const;
    bool isErased() const;
    bool isEffectivelyErased() const { return isErased(); }
    AcDbDatabase* database() const;
    AcDbHandle handle() const;
    AcRxClass* objectClass() const;
    Adesk::IntDbId asOldId() const {
        return static_cast<Adesk::IntDbId>(reinterpret_cast<std::intptr_t>(mStub));
    }
    AcDbObjectId& setFromOldId(Adesk::IntDbId oldId) {
        mStub = reinterpret_cast<AcDbStub*>(static_cast<std::intptr_t>(oldId));
        return *this;
    }

    bool operator==(const AcDbObjectId& id) const { return mStub == id.mStub; }
    bool operator!=(const AcDbObjectId& id) const { return mStub != id.mStub; }
    bool operator<(const AcDbObjectId& id) const {
        return std::less<const AcDbStub*>()(mStub, id.mStub);
    }
    bool operator>(const AcDbObjectId& id) const { return id < *this; }

    // Stand-in internals: the database hands out ids over its stubs.
    explicit AcDbObjectId(AcDbStub* stub) : mStub(stub) {}
    AcDbStub* stub() const { return mStub; }

  private:
    AcDbStub* mStub = nullptr;
};

template <>
struct std::hash<AcDbObjectId> {
    size_t operator()(const AcDbObjectId& id) const noexcept {
        return std::hash<const void*>()(id.stub());
    }
};

// Kinds of references, as the filers distinguish them.
class AcDbSoftPointerId : public AcDbObjectId {
  public:
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
};
class AcDbHardPointerId : public AcDbObjectId {
  public:
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
};
class AcDbSoftOwnershipId : public AcDbObjectId {
  public:
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
};
class AcDbHardOwnershipId : public AcDbObjectId {
  public:
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
};

// An entity name of the C interface is the object id in its first slot.
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);
