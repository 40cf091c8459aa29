#include "ArxEntity.h"

#include <algorithm>
#include <memory>

#include "ScopedOpen.h"
#include "aced.h"
#include "dbsymtb.h"

Acad::ErrorStatus ArxEntity::Arx_addToModelSpace(AcDbEntity* entity) {
    AcDbObjectId id;
    return Arx_addToModelSpace(entity, id);
}

Acad::ErrorStatus ArxEntity::Arx_addToModelSpace(AcDbEntity* entity, AcDbObjectId& id) {
    id.setNull();
    if (entity == nullptr) return Acad::eNullEntityPointer;
    AcDbDatabase* db = WorkingDatabase();
    if (db == nullptr) return Acad::eNoDatabase;
    ScopedOpen<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForWrite);
    if (!space) return space.status();
    return space->appendAcDbEntity(id, entity);
}

int ArxEntity::Arx_EraseEntity(AcDbObjectId id) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForWrite);
    return entity && entity->erase() == Acad::eOk ? 1 : 0;
}

int ArxEntity::Arx_ChangeEntLayer(AcDbObjectId id, const ACHAR* layer) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForWrite);
    return entity && entity->setLayer(layer) == Acad::eOk ? 1 : 0;
}

int ArxEntity::Arx_ChangeEntColor(AcDbObjectId id, int colorIndex) {
    if (colorIndex < 0 || colorIndex > 256) return 0;
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForWrite);
    return entity && entity->setColorIndex(static_cast<Adesk::UInt16>(colorIndex)) == Acad::eOk ? 1
                                                                                                : 0;
}

int ArxEntity::Arx_GetEntLayer(AcDbObjectId id, std::wstring& layer) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
    if (!entity) return 0;
    layer = entity->layerName();
    return 1;
}

int ArxEntity::Arx_GetEntityExtent(AcDbObjectId id, AcGePoint3d& minPoint, AcGePoint3d& maxPoint) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
    AcDbExtents extents;
    if (!entity || entity->getGeomExtents(extents) != Acad::eOk || extents.isEmpty()) return 0;
    minPoint = extents.minPoint();
    maxPoint = extents.maxPoint();
    return 1;
}

int ArxEntity::Arx_CopyTranslation(AcDbObjectId id, const AcGeVector3d& offset,
                                   AcDbObjectId& newId) {
    newId.setNull();
    std::unique_ptr<AcDbEntity> copy;
    AcDbObjectId owner;
    {
        ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) return 0;
        copy.reset(AcDbEntity::cast(entity->clone()));
        owner = entity->ownerId();
    }
    if (!copy || copy->transformBy(AcGeMatrix3d::translation(offset)) != Acad::eOk) return 0;
    ScopedOpen<AcDbBlockTableRecord> block(owner, AcDb::kForWrite);
    if (!block || block->appendAcDbEntity(newId, copy.get()) != Acad::eOk) return 0;
    copy.release()->close();
    return 1;
}

int ArxEntity::Arx_HightAllEnt(AcDbObjectId id) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
    return entity && entity->highlight() == Acad::eOk ? 1 : 0;
}

int ArxEntity::Arx_UnHightAllEnt(AcDbObjectId id) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
    return entity && entity->unhighlight() == Acad::eOk ? 1 : 0;
}

int ArxDraw::Arx_RefreshDisplay() {
    acedUpdateDisplay();
    return 1;
}

int ArxView::Arx_DispEntToView(AcDbObjectId id, int marginDivisor, int regen) {
    AcGePoint3d low, high;
    if (ArxEntity::Arx_GetEntityExtent(id, low, high) == 0) return 0;
    const double width = high.x - low.x, height = high.y - low.y;
    const double grow = marginDivisor > 0 ? 1.0 + 2.0 / marginDivisor : 1.0;
    // The host keeps the view as its centre and its height; a window is made
    // tall enough to show the whole width at a square aspect.
    resbuf centre{};
    centre.restype = RT3DPOINT;
    centre.resval.rpoint[0] = (low.x + high.x) / 2.0;
    centre.resval.rpoint[1] = (low.y + high.y) / 2.0;
    centre.resval.rpoint[2] = 0.0;
    resbuf size{};
    size.restype = RTREAL;
    size.resval.rreal = std::max(width, height) * grow;
    acedSetVar(L"VIEWCTR", &centre);
    acedSetVar(L"VIEWSIZE", &size);
    if (regen != 0) acedUpdateDisplay();
    return 1;
}
