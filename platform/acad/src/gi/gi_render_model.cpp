// Drawing a database's model space through the recording context.
#include "dbmain.h"
#include "dbsymtb.h"
#include "giRenderRecord.h"

namespace {

bool layerShown(AcDbObjectId layerId) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return true;
    const bool shown = !layer->isOff() && !layer->isFrozen();
    layer->close();
    return shown;
}

}  // namespace

std::vector<AcDbObjectId> acgiModelSpaceEntities(AcDbDatabase* database) {
    std::vector<AcDbObjectId> ids;
    if (database == nullptr) return ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, database->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return ids;
    for (const AcDbObjectId& id : space->entityIds())
        if (!id.isErased()) ids.push_back(id);
    space->close();
    return ids;
}

void acgiDrawModelSpace(AcDbDatabase* database, AcGiRecordingDraw& draw) {
    for (const AcDbObjectId& id : acgiModelSpaceEntities(database)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        if (entity->visibility() == AcDb::kVisible && layerShown(entity->layerId())) {
            draw.beginEntity(id, entity->colorIndex(), entity->layerId());
            entity->worldDraw(&draw);
        }
        entity->close();
    }
}
