#include "db_stub.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_MEMBERS(AcDbEntity, AcDbObject, nullptr, L"")

namespace {

AcDbDatabase* databaseOf(const AcDbEntity& ent) {
    return ent.database() != nullptr ? ent.database()
                                     : acdbHostApplicationServices()->workingDatabase();
}

// The layer table of a database, looked at without opening it: callers may hold it open.
const AcDbLayerTable* peekLayerTable(AcDbDatabase* db) {
    if (db == nullptr || !db->layerTableId().isValid()) return nullptr;
    return AcDbLayerTable::cast(db->layerTableId().stub()->object.get());
}

// The id of a named layer, created with colour 7 when a drawing read from a file refers
// to a layer its table does not list (the host does the same).
AcDbObjectId layerForDxf(AcDbDatabase* db, const ACHAR* name) {
    AcDbObjectId id;
    const AcDbLayerTable* table = peekLayerTable(db);
    if (table == nullptr || name == nullptr || *name == 0) return id;
    if (table->getAt(name, id) == Acad::eOk) return id;
    AcDbLayerTable* writable = nullptr;
    if (db->getLayerTable(writable, AcDb::kForWrite) != Acad::eOk) return id;
    auto* record = new AcDbLayerTableRecord;
    if (record->setName(name) == Acad::eOk && writable->add(id, record) == Acad::eOk)
        record->close();
    else
        delete record;
    writable->close();
    return id;
}

}  // namespace

AcDbEntity::AcDbEntity() = default;

std::wstring AcDbEntity::layerName() const {
    if (!mLayerId.isValid()) return L"";
    const auto* record = AcDbSymbolTableRecord::cast(mLayerId.stub()->object.get());
    return record != nullptr ? record->nameText() : L"";
}

ACHAR* AcDbEntity::layer() const {
    ACHAR* copy = nullptr;
    acutNewString(layerName().c_str(), copy);
    return copy;
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, Adesk::Boolean) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    const AcDbLayerTable* table = peekLayerTable(databaseOf(*this));
    if (table == nullptr) return Acad::eNoDatabase;
    AcDbObjectId id;
    if (name == nullptr || table->getAt(name, id) != Acad::eOk) return Acad::eKeyNotFound;
    mLayerId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, Adesk::Boolean) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (layerId.isNull()) return Acad::eNullObjectId;
    if (!layerId.isValid() || !layerId.objectClass()->isDerivedFrom(AcDbLayerTableRecord::desc()))
        return Acad::eInvalidInput;
    mLayerId = layerId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, Adesk::Boolean) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    return mColor.setColorIndex(color);
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, Adesk::Boolean) {
    return setColorIndex(color.colorIndex());
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility v, Adesk::Boolean) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mVisibility = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* entity, Adesk::Boolean) {
    if (entity == nullptr) return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mLayerId = entity->mLayerId;
    mColor = entity->mColor;
    mVisibility = entity->mVisibility;
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* database) {
    AcDbDatabase* db = database != nullptr ? database : databaseOf(*this);
    if (db == nullptr) return;
    mLayerId = db->clayer();
    mColor.setByLayer();
}

Adesk::Boolean AcDbEntity::worldDraw(AcGiWorldDraw* mode) {
    return mode != nullptr && subWorldDraw(mode);
}
void AcDbEntity::list() const { subList(); }

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& xform) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = subTransformBy(xform);
    if (es == Acad::eOk) assertWriteEnabled();
    return es;
}

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& xform,
                                                 AcDbEntity*& ent) const {
    ent = AcDbEntity::cast(clone());
    if (ent == nullptr) return Acad::eNotApplicable;
    Acad::ErrorStatus es = ent->transformBy(xform);
    if (es != Acad::eOk) {
        delete ent;
        ent = nullptr;
    }
    return es;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
    return subGetGeomExtents(extents);
}
Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray& entitySet) const {
    return subExplode(entitySet);
}

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const {
    return subGetGripPoints(gripPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray& indices,
                                               const AcGeVector3d& offset) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    return subMoveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(
    AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark, const AcGePoint3d& pickPoint,
    const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
    AcDbIntArray& geomIds) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform,
                             snapPoints, geomIds);
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                            AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                            Adesk::GsMarker otherGsMarker) const {
    if (entity == nullptr) return Acad::eNullEntityPointer;
    return subIntersectWith(entity, intType, points, thisGsMarker, otherGsMarker);
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker,
                                            Adesk::GsMarker otherGsMarker) const {
    if (entity == nullptr) return Acad::eNullEntityPointer;
    return subIntersectWith(entity, intType, projPlane, points, thisGsMarker, otherGsMarker);
}

Acad::ErrorStatus AcDbEntity::highlight() const {
    mHighlighted = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::unhighlight() const {
    mHighlighted = false;
    return Acad::eOk;
}

Adesk::Boolean AcDbEntity::subWorldDraw(AcGiWorldDraw*) { return true; }

void AcDbEntity::subList() const {
    ACHAR handle[17] = L"0";
    objectId().handle().getIntoAsciiBuffer(handle);
    const std::wstring dxfName =
        isA() != nullptr && *isA()->dxfName() != 0 ? isA()->dxfName() : L"ENTITY";
    acutPrintf(L"\n%18s  Layer: \"%s\"", dxfName.c_str(), layerName().c_str());
    acutPrintf(L"\n%18s  Space: Model space", L"");
    if (!mColor.isByLayer())
        acutPrintf(L"\n%18s  Color: %d", L"", static_cast<int>(mColor.colorIndex()));
    acutPrintf(L"\n%18s  Handle = %s", L"", handle);
}

Acad::ErrorStatus AcDbEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbEntity::subGetGeomExtents(AcDbExtents&) const {
    return Acad::eInvalidExtents;
}
Acad::ErrorStatus AcDbEntity::subExplode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbEntity::subGetGripPoints(AcGePoint3dArray&, AcDbIntArray&,
                                               AcDbIntArray&) const {
    return Acad::eOk;
}
Acad::ErrorStatus AcDbEntity::subMoveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&) {
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::subGetOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker,
                                                const AcGePoint3d&, const AcGePoint3d&,
                                                const AcGeMatrix3d&, AcGePoint3dArray&,
                                                AcDbIntArray&) const {
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity*, AcDb::Intersect,
                                               AcGePoint3dArray&, Adesk::GsMarker,
                                               Adesk::GsMarker) const {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity*, AcDb::Intersect, const AcGePlane&,
                                               AcGePoint3dArray&, Adesk::GsMarker,
                                               Adesk::GsMarker) const {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeHardPointerId(mLayerId);
    filer->writeUInt16(mColor.colorIndex());
    filer->writeInt16(static_cast<Adesk::Int16>(mVisibility));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId layer;
    Adesk::UInt16 color = AcDb::kColorByLayer;
    Adesk::Int16 visibility = 0;
    filer->readHardPointerId(&layer);
    filer->readUInt16(&color);
    filer->readInt16(&visibility);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    mLayerId = layer;
    mColor.setColorIndex(color);
    mVisibility = visibility != 0 ? AcDb::kInvisible : AcDb::kVisible;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbEntity");
    const std::wstring layer = layerName();
    filer->writeString(8, layer.empty() ? L"0" : layer.c_str());
    if (!mColor.isByLayer()) filer->writeInt16(62, static_cast<Adesk::Int16>(mColor.colorIndex()));
    if (mVisibility == AcDb::kInvisible) filer->writeInt16(60, 1);
    writeUnknownDxfItems(filer, L"AcDbEntity");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbEntity"))
        return filer->setError(Acad::eBadDxfSequence,
                               L"entity without the subclass marker AcDbEntity");
    AcDbDatabase* db = filer->database() != nullptr ? filer->database() : databaseOf(*this);
    return readDxfSubclass(filer, L"AcDbEntity", [&](const resbuf& item) {
        switch (item.restype) {
            case 8:
                mLayerId = layerForDxf(db, item.resval.rstring);
                return true;
            case 62: {
                const int index = item.resval.rint;
                return index >= 0 && index <= 256 &&
                       mColor.setColorIndex(static_cast<Adesk::UInt16>(index)) == Acad::eOk;
            }
            case 60:
                mVisibility = item.resval.rint != 0 ? AcDb::kInvisible : AcDb::kVisible;
                return true;
            default:
                return false;
        }
    });
}
