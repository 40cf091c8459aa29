// Dictionaries of the runtime: the system registry and the class dictionary.
#pragma once

#include <map>
#include <string>

#include "rxobject.h"

#define ACRX_CLASS_DICTIONARY L"ClassDictionary"

class AcRxDictionaryIterator;

// Maps names to runtime objects. It does not own what it holds: whoever puts an object
// in removes it and frees it (the class dictionary's classes belong to the runtime).
class AcRxDictionary : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcRxDictionary* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    AcRxObject* at(const ACHAR* key) const;
    // Stores obj under key and returns the object it replaces (or null).
    AcRxObject* atPut(const ACHAR* key, AcRxObject* obj);
    // Removes key and returns its object (or null).
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const { return at(key) != nullptr; }
    Adesk::UInt32 numEntries() const { return static_cast<Adesk::UInt32>(mEntries.size()); }
    // Iterates in key order; the caller deletes the iterator.
    AcRxDictionaryIterator* newIterator() const;

  private:
    friend class AcRxDictionaryIterator;
    std::map<std::wstring, AcRxObject*> mEntries;
};

class AcRxDictionaryIterator {
  public:
    explicit AcRxDictionaryIterator(const AcRxDictionary& dict)
        : mDict(dict), mIt(dict.mEntries.begin()) {}
    bool done() const { return mIt == mDict.mEntries.end(); }
    bool next() {
        if (!done()) ++mIt;
        return !done();
    }
    const ACHAR* key() const { return mIt->first.c_str(); }
    AcRxObject* object() const { return mIt->second; }

  private:
    const AcRxDictionary& mDict;
    std::map<std::wstring, AcRxObject*>::const_iterator mIt;
};

// The system registry: "ClassDictionary", "DynamicLinker", "ACAD_REGISTERED_COMMANDS" ...
AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionaryPtr();
#define acrxClassDictionary acrxClassDictionaryPtr()
