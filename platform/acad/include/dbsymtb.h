// Symbol tables: blocks, layers, text styles, registered applications.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"

class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;
class AcDbSymbolTableRecord;

// A named record of a table. Names compare without regard to case.
class AcDbSymbolTableRecord : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbSymbolTableRecord* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    // A new copy (free with acutDelString).
    Acad::ErrorStatus getName(ACHAR*& name) const;
    // The record's own string, valid while the record is open.
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    Acad::ErrorStatus getName(std::wstring& name) const;
    const std::wstring& nameText() const { return mName; }
    // Refused with eInvalidInput for an empty name or one with characters <>/\":;?*|,=`.
    // An anonymous block name ("*..." in the block table) is allowed.
    Acad::ErrorStatus setName(const ACHAR* name);
    // Stand-in internal: counts the renames of records already named in a
    // table, so that tables know when their index by name is out of date.
    static std::uint64_t renameCount();

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    // 100 "AcDbSymbolTableRecord", then the subclass, 2 name, 70 flags.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

  protected:
    AcDbSymbolTableRecord() = default;
    // The subclass marker of the record's own data ("AcDbLayerTableRecord", ...).
    virtual const ACHAR* dxfSubclassName() const = 0;
    // The 70 flags of the record.
    virtual Adesk::Int16 dxfFlags() const { return 0; }
    virtual void setDxfFlags(Adesk::Int16) {}
    // The record's own groups after 2 and 70; a handler returning false keeps the item.
    virtual Acad::ErrorStatus dxfOutRecordFields(AcDbDxfFiler*) const { return Acad::eOk; }
    virtual bool dxfInRecordItem(const resbuf&) { return false; }

  private:
    void rename(const std::wstring& name);

    std::wstring mName;
};

// A table: its records in the order they were added, found by name.
class AcDbSymbolTable : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbSymbolTable* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id,
                            bool getErasedRecord = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRecord = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // The table must be open for write; the record's name must be new in the table
    // (eDuplicateRecordName). The database takes the record, which stays open for write.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record);
    // Iterates the records in table order; the caller deletes the iterator.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // Ids of the records, erased ones included, in table order.
    const std::vector<AcDbObjectId>& recordIds() const { return mRecords; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

    // Stand-in internal: the DXF reader adds records it created with their handles.
    Acad::ErrorStatus appendRecordId(AcDbObjectId id);

  protected:
    AcDbSymbolTable() = default;
    // Whether a record of the right class was given.
    virtual bool acceptsRecord(const AcDbSymbolTableRecord* record) const = 0;

  private:
    // Brings the index up to date: records added since are indexed, and a
    // rename anywhere rebuilds it.
    void syncIndex() const;

    std::vector<AcDbObjectId> mRecords;
    // Positions in mRecords of the records of every case-folded name, in table
    // order; covers the first mIndexedCount records.
    mutable std::unordered_map<std::wstring, std::vector<size_t>> mIndex;
    mutable size_t mIndexedCount = 0;
    mutable std::vector<size_t> mUnnamed;  // positions of records still without a name
    mutable std::uint64_t mIndexedRenames = 0;
};

// A cursor over a list of ids that can skip erased objects; the table and block
// iterators are built on it.
class AcDbIdCursor {
  public:
    AcDbIdCursor(std::vector<AcDbObjectId> ids, bool skipDeleted);
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const { return mIndex < 0 || mIndex >= static_cast<int>(mIds.size()); }
    void step(bool forward = true, bool skipDeleted = true);

  protected:
    // The current id; null when done.
    AcDbObjectId current() const {
        return done() ? AcDbObjectId::kNull : mIds[static_cast<size_t>(mIndex)];
    }

  private:
    void skip(bool forward, bool skipDeleted);
    std::vector<AcDbObjectId> mIds;
    int mIndex = 0;
};

class AcDbSymbolTableIterator : public AcDbIdCursor {
  public:
    using AcDbIdCursor::AcDbIdCursor;
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErasedRecord = false) const;
};

// A block: model space, paper space or a block definition; owns its entities.
class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
  public:
    static AcRxClass* desc();
    static AcDbBlockTableRecord* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbBlockTableRecord() = default;

    // Appends an entity (the record must be open for write and in a database). The
    // database takes the entity, which stays open for write until its caller closes it.
    // An entity without a layer gets the database's current layer.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    // Iterates the entities in the order they were appended; the caller deletes it.
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // Ids of the entities, erased ones included, in order.
    const std::vector<AcDbObjectId>& entityIds() const { return mEntities; }
    bool isLayout() const;
    bool isAnonymous() const;

    // Stand-in internal: the DXF reader adds entities it created with their handles.
    Acad::ErrorStatus appendEntityId(AcDbObjectId id);

  protected:
    const ACHAR* dxfSubclassName() const override { return L"AcDbBlockTableRecord"; }

  private:
    std::vector<AcDbObjectId> mEntities;
};

class AcDbBlockTableRecordIterator : public AcDbIdCursor {
  public:
    using AcDbIdCursor::AcDbIdCursor;
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                bool openErased = false) const;
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
  public:
    static AcRxClass* desc();
    static AcDbLayerTableRecord* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbLayerTableRecord() { mColor.setColorIndex(7); }

    // Colour index 1..255 (7 by default); 0 and 256 are refused with eInvalidInput.
    AcCmColor color() const { return mColor; }
    Acad::ErrorStatus setColor(const AcCmColor& color);
    bool isOff() const { return mOff; }
    void setIsOff(bool off) { mOff = off; }
    bool isFrozen() const { return mFrozen; }
    Acad::ErrorStatus setIsFrozen(bool frozen) {
        mFrozen = frozen;
        return Acad::eOk;
    }
    bool isLocked() const { return mLocked; }
    void setIsLocked(bool locked) { mLocked = locked; }
    const ACHAR* linetypeName() const { return mLinetype.c_str(); }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

  protected:
    const ACHAR* dxfSubclassName() const override { return L"AcDbLayerTableRecord"; }
    Adesk::Int16 dxfFlags() const override;
    void setDxfFlags(Adesk::Int16 flags) override;
    // 62 colour (negative when off), 6 linetype.
    Acad::ErrorStatus dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordItem(const resbuf& item) override;

  private:
    AcCmColor mColor;  // set to 7 by the constructor
    bool mOff = false;
    bool mFrozen = false;
    bool mLocked = false;
    std::wstring mLinetype = L"Continuous";
};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
  public:
    static AcRxClass* desc();
    static AcDbTextStyleTableRecord* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbTextStyleTableRecord() = default;

    // Fixed text height; 0 means none (the height is asked for each text).
    double textSize() const { return mTextSize; }
    Acad::ErrorStatus setTextSize(double size);
    // Width factor.
    double xScale() const { return mXScale; }
    Acad::ErrorStatus setXScale(double xScale);
    double obliquingAngle() const { return mObliquingAngle; }
    Acad::ErrorStatus setObliquingAngle(double angle);
    double priorSize() const { return mPriorSize; }
    Acad::ErrorStatus setPriorSize(double size);
    Acad::ErrorStatus fileName(const ACHAR*& name) const;
    Acad::ErrorStatus setFileName(const ACHAR* name);
    Acad::ErrorStatus bigFontFileName(const ACHAR*& name) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* name);
    // A font by typeface (a system font); an empty typeface clears it.
    Acad::ErrorStatus setFont(const ACHAR* typeface, bool bold, bool italic, int charset,
                              int pitchAndFamily);
    // typeface is a new copy (free with acutDelString).
    Acad::ErrorStatus font(ACHAR*& typeface, bool& bold, bool& italic, int& charset,
                           int& pitchAndFamily) const;
    const std::wstring& typefaceText() const { return mTypeface; }
    Adesk::UInt8 flagBits() const { return mFlagBits; }
    void setFlagBits(Adesk::UInt8 flags) { mFlagBits = flags; }
    // Also takes the typeface from the "ACAD" data (1000 typeface, 1071 font flags).
    Acad::ErrorStatus setXData(const resbuf* xdata) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

  protected:
    const ACHAR* dxfSubclassName() const override { return L"AcDbTextStyleTableRecord"; }
    // 40 fixed height, 41 width factor, 50 obliquing (degrees), 71 flag bits, 42 prior
    // size, 3 font file, 4 big font file; the typeface in extended data of "ACAD"
    // (1000 typeface, 1071 flags) as the host writes it.
    Acad::ErrorStatus dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordItem(const resbuf& item) override;

  private:
    double mTextSize = 0.0;
    double mXScale = 1.0;
    double mObliquingAngle = 0.0;
    double mPriorSize = 2.5;
    std::wstring mFileName;
    std::wstring mBigFontFileName;
    std::wstring mTypeface;
    bool mBold = false;
    bool mItalic = false;
    int mCharset = 0;
    int mPitchAndFamily = 0;
    Adesk::UInt8 mFlagBits = 0;
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
  public:
    static AcRxClass* desc();
    static AcDbRegAppTableRecord* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    AcDbRegAppTableRecord() = default;

  protected:
    const ACHAR* dxfSubclassName() const override { return L"AcDbRegAppTableRecord"; }
};

#define ACDB_DECLARE_TABLE(TABLE, RECORD)                                                      \
    class TABLE : public AcDbSymbolTable {                                                     \
      public:                                                                                  \
        static AcRxClass* desc();                                                              \
        static TABLE* cast(const AcRxObject* inPtr);                                           \
        AcRxClass* isA() const override;                                                       \
        TABLE() = default;                                                                     \
        using AcDbSymbolTable::getAt;                                                          \
        Acad::ErrorStatus getAt(const ACHAR* name, RECORD*& record, AcDb::OpenMode mode,       \
                                bool openErasedRecord = false) const {                         \
            AcDbSymbolTableRecord* base = nullptr;                                             \
            Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, base, mode, openErasedRecord); \
            record = static_cast<RECORD*>(base);                                               \
            return es;                                                                         \
        }                                                                                      \
                                                                                               \
      protected:                                                                               \
        bool acceptsRecord(const AcDbSymbolTableRecord* record) const override;                \
    };

ACDB_DECLARE_TABLE(AcDbBlockTable, AcDbBlockTableRecord)
ACDB_DECLARE_TABLE(AcDbLayerTable, AcDbLayerTableRecord)
ACDB_DECLARE_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord)
ACDB_DECLARE_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord)

typedef AcDbSymbolTableIterator AcDbBlockTableIterator;
typedef AcDbSymbolTableIterator AcDbLayerTableIterator;
typedef AcDbSymbolTableIterator AcDbTextStyleTableIterator;
typedef AcDbSymbolTableIterator AcDbRegAppTableIterator;

// Registers an application name in the working database's table; true when it is
// registered afterwards (also when it already was).
int acdbRegApp(const ACHAR* appName);
