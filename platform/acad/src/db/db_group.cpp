#include <algorithm>

#include "db_stub.h"
#include "dbgroup.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbGroup, AcDbObject, ACRX_CONSTRUCTOR(AcDbGroup), L"GROUP")

AcDbGroup::AcDbGroup(const ACHAR* description, bool selectable)
    : mDescription(description != nullptr ? description : L""), mSelectable(selectable) {}

const ACHAR* AcDbGroup::name() const {
    mNameCache.clear();
    const AcDbObjectId owner = ownerId();
    if (owner.isValid())
        if (const AcDbDictionary* dict = AcDbDictionary::cast(owner.stub()->object.get()))
            dict->nameAt(objectId(), mNameCache);
    return mNameCache.c_str();
}

Acad::ErrorStatus AcDbGroup::getName(ACHAR*& text) const {
    acutNewString(name(), text);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setDescription(const ACHAR* description) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mDescription = description != nullptr ? description : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setSelectable(bool selectable) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mSelectable = selectable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::setAnonymous() {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mAnonymous = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::append(AcDbObjectId id) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (id.isNull()) return Acad::eNullObjectId;
    if (!id.isValid() || !id.objectClass()->isDerivedFrom(AcDbEntity::desc()))
        return Acad::eNotAnEntity;
    if (database() != nullptr && id.database() != database()) return Acad::eWrongDatabase;
    if (std::find(mIds.begin(), mIds.end(), id) != mIds.end()) return Acad::eAlreadyInDb;
    mIds.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::append(const AcDbObjectIdArray& ids) {
    for (const AcDbObjectId& id : ids) {
        Acad::ErrorStatus es = append(id);
        if (es != Acad::eOk) return es;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::prepend(AcDbObjectId id) {
    Acad::ErrorStatus es = append(id);
    if (es == Acad::eOk) std::rotate(mIds.begin(), mIds.end() - 1, mIds.end());
    return es;
}

Acad::ErrorStatus AcDbGroup::remove(AcDbObjectId id) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto it = std::find(mIds.begin(), mIds.end(), id);
    if (it == mIds.end()) return Acad::eNotInGroup;
    mIds.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::clear() {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mIds.clear();
    return Acad::eOk;
}

bool AcDbGroup::has(const AcDbEntity* entity) const {
    return entity != nullptr && has(entity->objectId());
}

bool AcDbGroup::has(AcDbObjectId id) const {
    return !id.isNull() && std::find(mIds.begin(), mIds.end(), id) != mIds.end();
}

std::vector<AcDbObjectId> AcDbGroup::liveIds() const {
    std::vector<AcDbObjectId> live;
    for (AcDbObjectId id : mIds)
        if (id.isValid() && !id.isErased()) live.push_back(id);
    return live;
}

Adesk::UInt32 AcDbGroup::numEntities() const {
    return static_cast<Adesk::UInt32>(liveIds().size());
}

Adesk::UInt32 AcDbGroup::allEntityIds(AcDbObjectIdArray& ids) const {
    ids.removeAll();
    for (AcDbObjectId id : liveIds()) ids.append(id);
    return static_cast<Adesk::UInt32>(ids.length());
}

Acad::ErrorStatus AcDbGroup::getIndex(AcDbObjectId id, Adesk::UInt32& index) const {
    const std::vector<AcDbObjectId> live = liveIds();
    auto it = std::find(live.begin(), live.end(), id);
    if (it == live.end()) return Acad::eNotInGroup;
    index = static_cast<Adesk::UInt32>(it - live.begin());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbGroup::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mDescription.c_str());
    filer->writeBool(mSelectable);
    filer->writeBool(mAnonymous);
    filer->writeInt32(static_cast<Adesk::Int32>(mIds.size()));
    for (AcDbObjectId id : mIds) filer->writeHardPointerId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbGroup::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readString(mDescription);
    filer->readBool(&mSelectable);
    filer->readBool(&mAnonymous);
    Adesk::Int32 n = 0;
    filer->readInt32(&n);
    mIds.clear();
    for (Adesk::Int32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHardPointerId id;
        filer->readHardPointerId(&id);
        mIds.push_back(id);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbGroup::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbGroup");
    filer->writeString(300, mDescription.c_str());
    filer->writeInt16(70, mAnonymous ? 1 : 0);
    filer->writeInt16(71, mSelectable ? 1 : 0);
    for (AcDbObjectId id : liveIds()) filer->writeObjectId(340, id);
    writeUnknownDxfItems(filer, L"AcDbGroup");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbGroup::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbGroup"))
        return filer->setError(Acad::eBadDxfSequence, L"group without its subclass marker");
    mIds.clear();
    return readDxfSubclass(filer, L"AcDbGroup", [this](const resbuf& item) {
        switch (item.restype) {
            case 300:
                mDescription = item.resval.rstring != nullptr ? item.resval.rstring : L"";
                return true;
            case 70:
                mAnonymous = item.resval.rint != 0;
                return true;
            case 71:
                mSelectable = item.resval.rint != 0;
                return true;
            case 340: {
                AcDbObjectId id;
                acdbGetObjectId(id, item.resval.rlname);
                if (!id.isNull() && std::find(mIds.begin(), mIds.end(), id) == mIds.end())
                    mIds.push_back(id);
                return true;
            }
            default:
                return false;
        }
    });
}
