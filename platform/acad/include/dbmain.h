// The drawing database: objects, entities, their open modes, and the database itself.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acarray.h"
#include "acdb.h"
#include "acge.h"
#include "acgi.h"
#include "acutads.h"
#include "dbfiler.h"
#include "dbid.h"
#include "rxobject.h"

class AcDbDatabase;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbTextStyleTable;
class AcDbRegAppTable;
class AcDbDictionary;
class AcDbSymbolTable;

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;
typedef AcArray<int> AcDbIntArray;
typedef AcArray<void*> AcDbVoidPtrArray;

// A colour given by index: 0 by block, 1..255 the palette, 256 by layer.
class AcCmColor {
  public:
    AcCmColor() = default;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index) {
        if (index > 257) return Acad::eOutOfRange;
        mIndex = index;
        return Acad::eOk;
    }
    Adesk::UInt16 colorIndex() const { return mIndex; }
    bool isByLayer() const { return mIndex == AcDb::kColorByLayer; }
    bool isByBlock() const { return mIndex == AcDb::kColorByBlock; }
    void setByLayer() { mIndex = AcDb::kColorByLayer; }
    void setByBlock() { mIndex = AcDb::kColorByBlock; }
    bool operator==(const AcCmColor& c) const { return mIndex == c.mIndex; }
    bool operator!=(const AcCmColor& c) const { return mIndex != c.mIndex; }

  private:
    Adesk::UInt16 mIndex = AcDb::kColorByLayer;
};

// An axis-aligned box; empty until a point is added.
class AcDbExtents {
  public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& minPoint, const AcGePoint3d& maxPoint)
        : mMin(minPoint), mMax(maxPoint), mEmpty(false) {}
    const AcGePoint3d& minPoint() const { return mMin; }
    const AcGePoint3d& maxPoint() const { return mMax; }
    bool isEmpty() const { return mEmpty; }
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& ext);
    Acad::ErrorStatus set(const AcGePoint3d& minPoint, const AcGePoint3d& maxPoint);
    void transformBy(const AcGeMatrix3d& mat);

  private:
    AcGePoint3d mMin;
    AcGePoint3d mMax;
    bool mEmpty = true;
};

// An owned chain of result buffers.
struct AcRbChainDeleter {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using AcRbChain = std::unique_ptr<resbuf, AcRbChainDeleter>;

// Stand-in internals: a chain of result buffers an object keeps, held in one
// allocation (the buffers, then their texts and bytes), so that keeping,
// copying out and freeing a pane's hundred groups costs one allocation, not
// two per group. A null text is kept as "", as acutCopyRb copies it.
class AcRbBlock {
  public:
    AcRbBlock() = default;
    // A copy of the items from first up to, not including, end.
    explicit AcRbBlock(const resbuf* first, const resbuf* end = nullptr);
    resbuf* get() const { return reinterpret_cast<resbuf*>(mData.get()); }
    explicit operator bool() const { return mData != nullptr; }

  private:
    std::unique_ptr<std::byte[]> mData;
};

// The largest string of one 1000 group, in UTF-8 bytes, and of one object's extended
// data in bytes as measured by acdbXdataSize; the host's limits.
constexpr size_t kMaxXdataStringBytes = 255;
constexpr size_t kMaxXdataBinaryBytes = 127;
constexpr size_t kMaxXdataBytes = 16384;

// Size of an extended-data chain as counted against kMaxXdataBytes: for each group 2
// bytes of code plus its value: strings their UTF-8 length + 2, reals 8, points 24,
// 16-bit integers 2, 32-bit integers 4, handles 8, binary chunks their length + 1.
size_t acdbXdataSize(const resbuf* chain);

// Every object of a database. Objects are created with new, given to the database
// (which owns them from then on) and reached by id through the open functions.
class AcDbObject : public AcRxObject {
  public:
    static AcRxClass* desc();
    static AcDbObject* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    ~AcDbObject() override;

    AcDbObjectId objectId() const { return mId; }
    AcDbObjectId ownerId() const { return mOwnerId; }
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
    AcDbDatabase* database() const;
    AcDbHandle getAcDbHandle() const { return mId.handle(); }
    void getAcDbHandle(AcDbHandle& handle) const { handle = mId.handle(); }

    // Open state.
    bool isReadEnabled() const { return mReaders > 0 || mWriter || mFiling > 0; }
    bool isWriteEnabled() const { return mWriter || mId.isNull(); }
    bool isNotifyEnabled() const { return false; }
    bool isErased() const { return mErased; }
    bool isNewObject() const { return mId.isNull(); }
    int numReaders() const { return mReaders; }
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus close();
    Acad::ErrorStatus cancel() { return close(); }
    // Erases (or with false unerases) the object; it must be open for write.
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);
    // In the host these stop with an assertion when the mode is wrong.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);
    bool isModified() const { return mModified; }

    // Extended data. xData(app) is a new chain (free with acutRelRb) with the 1001 group
    // of that application and its data; xData() gives every application's in stored
    // order; null when there is none.
    virtual resbuf* xData(const ACHAR* regappName = nullptr) const;
    // Each 1001 group replaces that application's data, or removes it when nothing
    // follows it. Refused as a whole, with nothing changed, when the object is not open
    // for write (eNotOpenForWrite), the chain does not start with 1001 or its braces
    // (1002) do not match (eInvalidInput), a code is not an extended-data code
    // (eInvalidDxfCode), an application is not in the registered-application table
    // (eRegappIdNotFound), a string exceeds 255 bytes, a binary chunk 127 bytes or the
    // object's data kMaxXdataBytes (eXdataSizeExceeded).
    virtual Acad::ErrorStatus setXData(const resbuf* xdata);
    Acad::ErrorStatus xDataTransformBy(const AcGeMatrix3d& xform);

    // Filing. The DWG fields of AcDbObject are its extended data. Its DXF fields are
    // none: the DXF writer writes the type, handle and owner before dxfOutFields and the
    // extended data after it, and the reader reads them itself.
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;

    // A new non-resident object of the same class and contents (through the DWG filer).
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

    Acad::ErrorStatus getObjectBirthVersion(AcDb::DwgVersion& version,
                                            AcDb::MaintenanceReleaseVersion& maintenance) const;

    // DXF groups an older or other program wrote that this class does not read, kept per
    // subclass marker and written back at the end of that subclass's data.
    void keepUnknownDxfItem(const ACHAR* subclass, const resbuf& item);
    // Keeps an item a subclass's reader declined. A y or z coordinate group
    // without its x is refused instead: written back at the end of the
    // subclass, it would join whatever point came last.
    Acad::ErrorStatus keepDeclinedDxfItem(AcDbDxfFiler* filer, const ACHAR* subclass,
                                          const resbuf& item);
    Acad::ErrorStatus writeUnknownDxfItems(AcDbDxfFiler* filer, const ACHAR* subclass) const;
    // Every application's extended data, as xData() gives it, without a copy.
    Acad::ErrorStatus writeXdataItems(AcDbDxfFiler* filer) const;

    // Stand-in internals used by the database.
    void attachToDatabase(AcDbObjectId id) { mId = id; }
    void setErasedFlag(bool erased) { mErased = erased; }
    void openedFor(AcDb::OpenMode mode);
    // Saving a drawing reads every object as it stands, whether or not a
    // caller holds it open; while it is filed it counts as readable.
    void setFiling(bool filing) const { mFiling += filing ? 1 : -1; }

  protected:
    AcDbObject();
    // Reads items up to the next subclass marker (pushed back) or the end, giving each
    // to the handler; items it declines are kept as unknown items of the subclass.
    template <typename Handler>
    Acad::ErrorStatus readDxfSubclass(AcDbDxfFiler* filer, const ACHAR* subclass, Handler handle);

  private:
    struct XdataApp {
        std::wstring name;
        AcRbBlock items;  // the whole group, starting with its 1001 item
    };
    struct UnknownItem {
        std::wstring subclass;
        AcRbChain item;
    };

    AcDbObjectId mId;
    AcDbObjectId mOwnerId;
    int mReaders = 0;
    bool mWriter = false;
    mutable int mFiling = 0;
    bool mErased = false;
    bool mModified = false;
    std::vector<XdataApp> mXdata;
    std::vector<UnknownItem> mUnknownDxf;
};

template <typename Handler>
Acad::ErrorStatus AcDbObject::readDxfSubclass(AcDbDxfFiler* filer, const ACHAR* subclass,
                                              Handler handle) {
    resbuf item{};
    while (!filer->atEOF()) {
        Acad::ErrorStatus es = filer->readItem(&item);
        if (es != Acad::eOk) return es;
        if (item.restype == 100) {
            filer->pushBackItem();
            break;
        }
        if (handle(item)) continue;
        es = keepDeclinedDxfItem(filer, subclass, item);
        if (es != Acad::eOk) return es;
    }
    return filer->filerStatus();
}

// Drawable objects: layer, colour, geometry queries and edits, drawing.
class AcDbEntity : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbEntity* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;

    // Layer: by name (the layer must exist in the entity's database, or in the working
    // database while the entity is not in one; eKeyNotFound otherwise) or by id.
    AcDbObjectId layerId() const { return mLayerId; }
    // A new copy of the layer's name (free with acutDelString); empty when none is set.
    ACHAR* layer() const;
    std::wstring layerName() const;
    Acad::ErrorStatus setLayer(const ACHAR* layerName, Adesk::Boolean doSubents = true);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId, Adesk::Boolean doSubents = true);
    // Colour index: 256 (the default) is "by layer".
    Adesk::UInt16 colorIndex() const { return mColor.colorIndex(); }
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, Adesk::Boolean doSubents = true);
    AcCmColor color() const { return mColor; }
    Acad::ErrorStatus setColor(const AcCmColor& color, Adesk::Boolean doSubents = true);
    AcDb::Visibility visibility() const { return mVisibility; }
    Acad::ErrorStatus setVisibility(AcDb::Visibility v, Adesk::Boolean doSubents = true);
    // Layer, colour and visibility of another entity.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* entity, Adesk::Boolean doSubents = true);
    // Current layer and colour of the database (or of the working database).
    void setDatabaseDefaults(AcDbDatabase* database = nullptr);
    // The block table record that owns the entity.
    AcDbObjectId blockId() const { return ownerId(); }

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode);
    void list() const;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& ent) const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const;
    // Intersection points, on this entity, with another entity, optionally after
    // projecting both onto a plane. See dbcurve.h for the curves that take part.
    Acad::ErrorStatus intersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const;
    Acad::ErrorStatus intersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                    const AcGePlane& projPlane, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const;
    Acad::ErrorStatus highlight() const;
    Acad::ErrorStatus unhighlight() const;
    bool isHighlighted() const { return mHighlighted; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    // 100 "AcDbEntity", 8 layer, 62 colour (omitted when by layer), 60 visibility when
    // invisible; other common groups (linetype, lineweight, ...) are carried through.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

  protected:
    AcDbEntity();
    virtual Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode);
    // The common listing: class, layer, colour, handle.
    virtual void subList() const;
    virtual Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints,
                                               AcDbIntArray& osnapModes,
                                               AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                                  const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subGetOsnapPoints(
        AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark, const AcGePoint3d& pickPoint,
        const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
        AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                               AcGePoint3dArray& points,
                                               Adesk::GsMarker thisGsMarker,
                                               Adesk::GsMarker otherGsMarker) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                               const AcGePlane& projPlane, AcGePoint3dArray& points,
                                               Adesk::GsMarker thisGsMarker,
                                               Adesk::GsMarker otherGsMarker) const;

  private:
    AcDbObjectId mLayerId;
    AcCmColor mColor;
    AcDb::Visibility mVisibility = AcDb::kVisible;
    mutable bool mHighlighted = false;
};

// Opening objects by id. Read opens may be many at once; a write open excludes every
// other open. Results: eNullObjectId for a null id, ePermanentlyErased when no object
// stands behind the id, eWasErased for an erased object unless openErased,
// eWasOpenForWrite when it is open for write, eWasOpenForRead when a write open meets
// readers, eNotThatKindOfClass for another class (eNotAnEntity from
// acdbOpenAcDbEntity). On failure obj is null.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
Acad::ErrorStatus acdbOpenObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false);

// Opens only when the object is of the class (or derived from it).
Acad::ErrorStatus acdbOpenAcDbObjectOfClass(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                            bool openErased, const AcRxClass* requiredClass);

template <typename T>
Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) {
    obj = nullptr;
    AcDbObject* base = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObjectOfClass(base, id, mode, openErased, T::desc());
    if (es == Acad::eOk) obj = static_cast<T*>(base);
    return es;
}

// The drawing database. It owns all its objects; ids and handles stay valid as long as
// it lives. Built with the default drawing: block table with "*Model_Space" and
// "*Paper_Space", layer "0", text style "Standard", registered application "ACAD", the
// named objects dictionary with the group dictionary "ACAD_GROUP".
class AcDbDatabase : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table,
                                        AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead) {
        return getBlockTable(table, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead) {
        return getLayerTable(table, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table,
                                     AcDb::OpenMode mode = AcDb::kForRead) {
        return getTextStyleTable(table, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table,
                                     AcDb::OpenMode mode = AcDb::kForRead) {
        return getRegAppTable(table, mode);
    }
    Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& dict,
                                         AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict,
                                                AcDb::OpenMode mode = AcDb::kForRead);

    AcDbObjectId blockTableId() const { return mBlockTableId; }
    AcDbObjectId layerTableId() const { return mLayerTableId; }
    AcDbObjectId textStyleTableId() const { return mTextStyleTableId; }
    AcDbObjectId regAppTableId() const { return mRegAppTableId; }
    AcDbObjectId groupDictionaryId() const { return mGroupDictionaryId; }
    AcDbObjectId namedObjectsDictionaryId() const { return mNamedObjectsDictionaryId; }
    AcDbObjectId currentSpaceId() const { return mModelSpaceId; }
    AcDbObjectId modelSpaceId() const { return mModelSpaceId; }
    AcDbObjectId paperSpaceId() const { return mPaperSpaceId; }

    // Current layer (CLAYER) and text style (TEXTSTYLE); the setters take the id of a
    // record of that table (eInvalidInput otherwise).
    AcDbObjectId clayer() const { return mClayer; }
    Acad::ErrorStatus setClayer(AcDbObjectId layerId);
    AcDbObjectId textstyle() const { return mTextstyle; }
    Acad::ErrorStatus setTextstyle(AcDbObjectId styleId);

    // Adds an object without owner; the database owns it and it stays open for write.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* obj);
    // The id of a handle; with createIfNotFound an empty id is made for a handle not yet
    // used (a reference read before its object), filled when the object is added.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                      const AcDbHandle& handle, Adesk::UInt32 xRefId = 0);
    AcDbHandle handseed() const { return mHandseed; }
    Acad::ErrorStatus setHandseed(const AcDbHandle& seed);

    // DXF files (see docs/dxf.md).
    Acad::ErrorStatus dxfIn(const ACHAR* fileName);
    Acad::ErrorStatus dxfOut(const ACHAR* fileName);

    // Stand-in additions for the DXF reader and writer and the host program.
    // Adds obj under the given handle (eHandleInUse when an object has it already); it
    // stays open for write. A handle of 0 takes the next free handle.
    Acad::ErrorStatus addObjectWithHandle(AcDbObjectId& id, AcDbObject* obj,
                                          const AcDbHandle& handle);
    // Ids of every object that exists, erased or not, in handle order.
    AcDbObjectIdArray allObjectIds() const;
    // Ids referred to (made by getAcDbObjectId) but never given an object.
    AcDbObjectIdArray unresolvedIds() const;
    // Exchanges the whole contents with another database (objects, tables, current
    // layer and style); ids move with their objects.
    void swapContents(AcDbDatabase& other);
    // Sets the ids of the fixed objects after a reader has filled an empty database.
    void setFixedObjectIds(AcDbObjectId blockTable, AcDbObjectId layerTable,
                           AcDbObjectId textStyleTable, AcDbObjectId regAppTable,
                           AcDbObjectId namedObjects, AcDbObjectId groupDictionary,
                           AcDbObjectId modelSpace, AcDbObjectId paperSpace);

  private:
    friend class AcDbObjectId;
    template <typename T>
    Acad::ErrorStatus openFixed(T*& obj, AcDbObjectId id, AcDb::OpenMode mode);
    void buildDefaultDrawing();
    AcDbObjectId addFixed(AcDbObject* obj, AcDbObjectId owner);
    AcDbStub* stubFor(const AcDbHandle& handle, bool create);
    AcDbHandle nextHandle();

    std::map<AcDbHandle, std::unique_ptr<AcDbStub>> mStubs;
    AcDbHandle mHandseed{1};
    AcDbObjectId mBlockTableId, mLayerTableId, mTextStyleTableId, mRegAppTableId;
    AcDbObjectId mNamedObjectsDictionaryId, mGroupDictionaryId, mModelSpaceId, mPaperSpaceId;
    AcDbObjectId mClayer, mTextstyle;
};

// Database-wide services of the host program.
class AcDbHostApplicationServices : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    // The database commands work on; null until the host program sets one.
    AcDbDatabase* workingDatabase() const { return mWorkingDatabase; }
    void setWorkingDatabase(AcDbDatabase* database) { mWorkingDatabase = database; }

  private:
    AcDbDatabase* mWorkingDatabase = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
inline AcDbDatabase* acdbCurDwg() { return acdbHostApplicationServices()->workingDatabase(); }
