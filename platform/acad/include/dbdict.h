// Dictionaries of the drawing database: named objects and the group dictionary.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"

class AcDbDictionaryIterator;

// Maps names to the objects it owns, in the order they were added. Names compare
// without regard to case. A dictionary that names anonymously (the group dictionary)
// gives an entry added under a name starting with "*" the next free name "*A1", "*A2", ...
class AcDbDictionary : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbDictionary* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbDictionary() = default;

    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& id) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObject*& entry, AcDb::OpenMode mode) const;
    // The name of an entry (eKeyNotFound when the id is not an entry).
    Acad::ErrorStatus nameAt(AcDbObjectId id, std::wstring& name) const;
    bool has(const ACHAR* entryName) const;
    bool has(AcDbObjectId id) const;
    Adesk::UInt32 numEntries() const;
    // Adds or replaces an entry (the dictionary must be open for write). A new object is
    // added to the database and stays open for write. Replacing erases the old object.
    Acad::ErrorStatus setAt(const ACHAR* entryName, AcDbObject* newValue, AcDbObjectId& newId);
    // Removes the entry; the object stays, without owner.
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);
    // Iterates the entries whose objects are not erased; the caller deletes it.
    AcDbDictionaryIterator* newIterator() const;

    bool namesAnonymously() const { return mAnonymousNaming; }
    void setNamesAnonymously(bool on) { mAnonymousNaming = on; }
    int hardOwnershipFlag() const { return 1; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    // 100 "AcDbDictionary", 281 duplicate record cloning (1), then per entry 3 name and
    // 350 the entry's id. Entries whose objects are erased are not written.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Entry {
        std::wstring name;
        AcDbObjectId id;
    };
    const std::vector<Entry>& entries() const { return mEntries; }

  private:
    std::vector<Entry>::const_iterator find(const ACHAR* name) const;
    std::wstring nextAnonymousName();
    void pushEntry(Entry entry);
    void rebuildIndex();

    std::vector<Entry> mEntries;
    // Position of the first entry of every name, by its case-folded text.
    std::unordered_map<std::wstring, size_t> mIndex;
    bool mAnonymousNaming = false;
    int mLastAnonymous = 0;
};

class AcDbDictionaryIterator {
  public:
    explicit AcDbDictionaryIterator(std::vector<AcDbDictionary::Entry> entries);
    bool done() const { return mIndex >= mEntries.size(); }
    bool next();
    const ACHAR* name() const { return mEntries[mIndex].name.c_str(); }
    AcDbObjectId objectId() const { return mEntries[mIndex].id; }
    Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode) const;

  private:
    void skipErased();
    std::vector<AcDbDictionary::Entry> mEntries;
    size_t mIndex = 0;
};
