#include <algorithm>

#include "db_stub.h"
#include "dbdict.h"
#include "dbgroup.h"
#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_MEMBERS(AcDbDictionary, AcDbObject, ACRX_CONSTRUCTOR(AcDbDictionary), L"DICTIONARY")

std::vector<AcDbDictionary::Entry>::const_iterator AcDbDictionary::find(const ACHAR* name) const {
    if (name == nullptr) return mEntries.end();
    auto it = mIndex.find(wcrtFoldCase(name));
    return it == mIndex.end() ? mEntries.end()
                              : mEntries.begin() + static_cast<ptrdiff_t>(it->second);
}

void AcDbDictionary::pushEntry(Entry entry) {
    mIndex.emplace(wcrtFoldCase(entry.name), mEntries.size());
    mEntries.push_back(std::move(entry));
}

void AcDbDictionary::rebuildIndex() {
    mIndex.clear();
    for (size_t i = 0; i < mEntries.size(); ++i) mIndex.emplace(wcrtFoldCase(mEntries[i].name), i);
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObjectId& id) const {
    auto it = find(entryName);
    if (it == mEntries.end() || it->id.isErased()) {
        id = AcDbObjectId::kNull;
        return Acad::eKeyNotFound;
    }
    id = it->id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObject*& entry,
                                        AcDb::OpenMode mode) const {
    entry = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id);
    return es != Acad::eOk ? es : acdbOpenObject(entry, id, mode);
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, std::wstring& name) const {
    for (const Entry& e : mEntries)
        if (e.id == id) {
            name = e.name;
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

bool AcDbDictionary::has(const ACHAR* entryName) const {
    AcDbObjectId id;
    return getAt(entryName, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
    return std::any_of(mEntries.begin(), mEntries.end(),
                       [id](const Entry& e) { return e.id == id; });
}

Adesk::UInt32 AcDbDictionary::numEntries() const {
    return static_cast<Adesk::UInt32>(std::count_if(
        mEntries.begin(), mEntries.end(), [](const Entry& e) { return !e.id.isErased(); }));
}

// The next "*A<n>" not yet taken; numbers count up from the last one given.
std::wstring AcDbDictionary::nextAnonymousName() {
    for (;;) {
        std::wstring name = L"*A" + std::to_wstring(++mLastAnonymous);
        if (find(name.c_str()) == mEntries.end()) return name;
    }
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* entryName, AcDbObject* newValue,
                                        AcDbObjectId& newId) {
    newId = AcDbObjectId::kNull;
    if (newValue == nullptr) return Acad::eNullObjectPointer;
    if (entryName == nullptr || *entryName == 0) return Acad::eInvalidKey;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (database() == nullptr) return Acad::eNoDatabase;
    const bool anonymous = mAnonymousNaming && entryName[0] == L'*';
    const std::wstring name = anonymous ? nextAnonymousName() : std::wstring(entryName);
    if (newValue->objectId().isNull()) {
        Acad::ErrorStatus es = database()->addAcDbObject(newId, newValue);
        if (es != Acad::eOk) return es;
    } else if (newValue->database() != database()) {
        return Acad::eWrongDatabase;
    }
    newId = newValue->objectId();
    newValue->setOwnerId(objectId());
    if (anonymous)
        if (AcDbGroup* group = AcDbGroup::cast(newValue)) group->setAnonymous();
    auto found = find(name.c_str());
    if (found == mEntries.end()) {
        pushEntry({name, newId});
    } else if (auto it = mEntries.begin() + (found - mEntries.cbegin()); it->id != newId) {
        AcDbObject* old = nullptr;
        if (acdbOpenObject(old, it->id, AcDb::kForWrite) == Acad::eOk) {
            old->erase();
            old->close();
        }
        it->id = newId;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& returnId) {
    returnId = AcDbObjectId::kNull;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto it = find(key);
    if (it == mEntries.end()) return Acad::eKeyNotFound;
    returnId = it->id;
    mEntries.erase(it);
    rebuildIndex();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    auto it = std::find_if(mEntries.begin(), mEntries.end(),
                           [objId](const Entry& e) { return e.id == objId; });
    if (it == mEntries.end()) return Acad::eKeyNotFound;
    mEntries.erase(it);
    rebuildIndex();
    return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const {
    return new AcDbDictionaryIterator(mEntries);
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeBool(mAnonymousNaming);
    filer->writeInt32(mLastAnonymous);
    filer->writeInt32(static_cast<Adesk::Int32>(mEntries.size()));
    for (const Entry& e : mEntries) {
        filer->writeString(e.name.c_str());
        filer->writeSoftOwnershipId(e.id);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readBool(&mAnonymousNaming);
    Adesk::Int32 last = 0, n = 0;
    filer->readInt32(&last);
    filer->readInt32(&n);
    mLastAnonymous = last;
    mEntries.clear();
    mIndex.clear();
    for (Adesk::Int32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        Entry e;
        AcDbSoftOwnershipId id;
        filer->readString(e.name);
        filer->readSoftOwnershipId(&id);
        e.id = id;
        pushEntry(std::move(e));
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbDictionary");
    filer->writeInt16(281, 1);
    for (const Entry& e : mEntries) {
        if (!e.id.isValid() || e.id.isErased()) continue;
        filer->writeString(3, e.name.c_str());
        filer->writeObjectId(350, e.id);
    }
    writeUnknownDxfItems(filer, L"AcDbDictionary");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbDictionary"))
        return filer->setError(Acad::eBadDxfSequence, L"dictionary without its subclass marker");
    mEntries.clear();
    mIndex.clear();
    std::wstring pendingName;
    return readDxfSubclass(filer, L"AcDbDictionary", [&](const resbuf& item) {
        if (item.restype == 3) {
            pendingName = item.resval.rstring != nullptr ? item.resval.rstring : L"";
            return true;
        }
        if (item.restype == 350 || item.restype == 360) {
            AcDbObjectId id;
            acdbGetObjectId(id, item.resval.rlname);
            if (!pendingName.empty() && !id.isNull()) pushEntry({pendingName, id});
            pendingName.clear();
            return true;
        }
        return item.restype == 281 || item.restype == 280;
    });
}

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<AcDbDictionary::Entry> entries)
    : mEntries(std::move(entries)) {
    skipErased();
}

void AcDbDictionaryIterator::skipErased() {
    while (!done() && (!mEntries[mIndex].id.isValid() || mEntries[mIndex].id.isErased())) ++mIndex;
}

bool AcDbDictionaryIterator::next() {
    if (!done()) ++mIndex;
    skipErased();
    return !done();
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& object,
                                                    AcDb::OpenMode mode) const {
    object = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenObject(object, mEntries[mIndex].id, mode);
}
