#include <cassert>

#include "db_stub.h"
#include "dbmain.h"
#include "dxf_filer.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbObject, AcRxObject, nullptr, L"")

// The host allows this many simultaneous read opens of one object.
constexpr int kMaxReaders = 256;

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

AcDbDatabase* AcDbObject::database() const { return mId.database(); }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId ownerId) {
    mOwnerId = ownerId;
    return Acad::eOk;
}

void AcDbObject::openedFor(AcDb::OpenMode mode) {
    if (mode == AcDb::kForWrite) {
        mWriter = true;
        mModified = true;
    } else {
        ++mReaders;
    }
}

Acad::ErrorStatus AcDbObject::close() {
    if (mId.isNull()) return Acad::eOk;  // not in a database: nothing is open
    if (mWriter) {
        mWriter = false;
        return Acad::eOk;
    }
    if (mReaders > 0) {
        --mReaders;
        return Acad::eOk;
    }
    return Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (mWriter) return Acad::eWasOpenForWrite;
    if (mReaders == 0) return Acad::eNotOpenForRead;
    if (mReaders > 1) return Acad::eHadMultipleReaders;
    mReaders = 0;
    mWriter = true;
    mModified = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (!mWriter) return Acad::eWasNotOpenForWrite;
    mWriter = false;
    mReaders = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (erasing && mErased) return Acad::eWasErased;
    if (!erasing && !mErased) return Acad::eWasNotErased;
    mErased = erasing;
    return Acad::eOk;
}

void AcDbObject::assertReadEnabled() const { assert(isReadEnabled() || mId.isNull()); }

void AcDbObject::assertWriteEnabled(Adesk::Boolean, Adesk::Boolean) {
    assert(isWriteEnabled());
    mModified = true;
}

Acad::ErrorStatus AcDbObject::getObjectBirthVersion(
    AcDb::DwgVersion& version, AcDb::MaintenanceReleaseVersion& maintenance) const {
    // Every object is born in the one release the stand-in writes.
    version = AcDb::kDHL_CURRENT;
    maintenance = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

AcRxObject* AcDbObject::clone() const {
    AcRxClass* cls = isA();
    if (cls == nullptr) return nullptr;
    AcRxObject* created = cls->create();
    AcDbObject* copy = AcDbObject::cast(created);
    if (copy == nullptr || copy->copyFrom(this) != Acad::eOk) {
        delete created;
        return nullptr;
    }
    return copy;
}

Acad::ErrorStatus AcDbObject::copyFrom(const AcRxObject* other) {
    const AcDbObject* source = AcDbObject::cast(other);
    if (source == nullptr || source->isA() != isA()) return Acad::eNotThatKindOfClass;
    AcDbDwgBufferFiler filer(AcDb::kCopyFiler, source->database());
    Acad::ErrorStatus es = source->dwgOutFields(&filer);
    if (es != Acad::eOk) return es;
    filer.rewind();
    return dwgInFields(&filer);
}

void AcDbObject::keepUnknownDxfItem(const ACHAR* subclass, const resbuf& item) {
    mUnknownDxf.push_back({subclass != nullptr ? subclass : L"", AcRbChain(acutCopyRb(&item))});
}

Acad::ErrorStatus AcDbObject::keepDeclinedDxfItem(AcDbDxfFiler* filer, const ACHAR* subclass,
                                                  const resbuf& item) {
    const int code = item.restype;
    for (int x : {code - 10, code - 20})
        if (dxfIsPointCode(x))
            return filer->setError(Acad::eBadDxfSequence,
                                   L"group code %d without its point (group code %d)", code, x);
    keepUnknownDxfItem(subclass, item);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::writeUnknownDxfItems(AcDbDxfFiler* filer,
                                                   const ACHAR* subclass) const {
    for (const UnknownItem& kept : mUnknownDxf) {
        if (kept.subclass != subclass) continue;
        Acad::ErrorStatus es = filer->writeResBuf(*kept.item);
        if (es != Acad::eOk) return es;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* filer) {
    mUnknownDxf.clear();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* filer) const {
    return filer->filerStatus();
}

Acad::ErrorStatus acdbOpenAcDbObjectOfClass(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                            bool openErased, const AcRxClass* requiredClass) {
    obj = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbObject* target = id.stub()->object.get();
    if (target == nullptr) return Acad::ePermanentlyErased;
    if (target->isErased() && !openErased) return Acad::eWasErased;
    if (requiredClass != nullptr && !target->isKindOf(requiredClass))
        return Acad::eNotThatKindOfClass;
    if (target->isWriteEnabled()) return Acad::eWasOpenForWrite;
    if (mode == AcDb::kForWrite && target->numReaders() > 0) return Acad::eWasOpenForRead;
    if (mode != AcDb::kForWrite && target->numReaders() >= kMaxReaders) return Acad::eAtMaxReaders;
    target->openedFor(mode == AcDb::kForWrite ? AcDb::kForWrite : AcDb::kForRead);
    obj = target;
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    return acdbOpenAcDbObjectOfClass(obj, id, mode, openErased, nullptr);
}

Acad::ErrorStatus acdbOpenObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased) {
    return acdbOpenAcDbObjectOfClass(obj, id, mode, openErased, nullptr);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    ent = nullptr;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObjectOfClass(obj, id, mode, openErased, AcDbEntity::desc());
    if (es == Acad::eNotThatKindOfClass) return Acad::eNotAnEntity;
    ent = static_cast<AcDbEntity*>(obj);
    return es;
}
