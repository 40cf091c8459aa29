// One registered application's extended data as a list of named string values.
// Layout in the object (docs/xdata.md): the application's 1001 group, then per
// key in stored order a 1000 group with the key and its value, either one 1000
// group (up to 255 UTF-8 bytes) or 1002 "{", 1000 pieces of at most 255 bytes
// cut at character boundaries, 1002 "}".
#pragma once

#include <memory_resource>
#include <string>
#include <utility>
#include <vector>

#include "ArxDbgRbList.h"
#include "dbmain.h"

class ArxDbgAppXdataX {
  public:
    // Keys and values in stored order. Their texts come from memory kept for
    // this thread, so that reading a pane's data does not take and give back
    // dozens of small blocks of the general heap: an object stays on the
    // thread that made it.
    using Entries = std::pmr::vector<std::pair<std::pmr::wstring, std::pmr::wstring>>;

    ArxDbgAppXdataX(const ACHAR* appName, AcDbDatabase* database);

    const ACHAR* appName() const { return mAppName.c_str(); }
    // Loads the application's data of the object (open for read or write);
    // data of other applications is not touched. Groups that do not follow the
    // layout are kept as they are and written back after the keys.
    void getXdata(const AcDbObject* object);
    // Writes the list back (object open for write), registering the
    // application in the database when needed. An empty list removes the
    // application's data from the object. The host's error status; a refused
    // write (a key longer than 255 bytes, the object's 16 KB limit) changes
    // nothing.
    Acad::ErrorStatus setXdata(AcDbObject* object) const;

    // False when the key is absent (value then empty).
    bool getString(const ACHAR* key, std::wstring& value) const;
    // The value of one key straight from the object (open for read or write),
    // as getXdata and getString would give it, without loading the others.
    bool getString(const AcDbObject* object, const ACHAR* key, std::wstring& value) const;
    // Replaces the value of an existing key or appends the key at the end.
    // False for an empty key or one longer than 255 UTF-8 bytes.
    bool setString(const ACHAR* key, const ACHAR* value);
    // False when the key was absent.
    bool remove(const ACHAR* key);
    // The keys in stored order.
    void GetFlagArray(std::vector<std::wstring>& keys) const;
    // The keys with their values in stored order, for readers that take many
    // keys at once without a lookup per key.
    const Entries& entries() const { return mEntries; }
    bool isEmpty() const { return mEntries.empty() && mTail.isEmpty(); }

    // The chain setXdata writes: the 1001 group and the keyed groups.
    ArxDbgRbList buildChain() const;

  private:
    std::wstring mAppName;
    AcDbDatabase* mDatabase;
    Entries mEntries;
    ArxDbgRbList mTail;  // groups that do not follow the layout
};
