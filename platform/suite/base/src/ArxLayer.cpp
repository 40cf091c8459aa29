#include "ArxLayer.h"

#include "ScopedOpen.h"
#include "dbgroup.h"
#include "dbsymtb.h"
#include "wcrt.h"

namespace {

// The host's default layer colour, used when a caller's index is not a
// colour a layer can have (0 "by block", 256 "by layer", out of range).
constexpr int kDefaultLayerColor = 7;

AcDbObjectId FindLayer(AcDbDatabase* db, const ACHAR* name) {
    AcDbObjectId id;
    if (db == nullptr || name == nullptr || *name == 0) return id;
    ScopedOpen<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    if (table && table->getAt(name, id) != Acad::eOk) id.setNull();
    return id;
}

AcDbObjectId AddLayer(AcDbDatabase* db, const ACHAR* name, int colorIndex) {
    ScopedOpen<AcDbLayerTable> table(db->layerTableId(), AcDb::kForWrite);
    if (!table) return {};
    auto record = std::make_unique<AcDbLayerTableRecord>();
    AcCmColor color;
    color.setColorIndex(static_cast<Adesk::UInt16>(
        colorIndex >= 1 && colorIndex <= 255 ? colorIndex : kDefaultLayerColor));
    AcDbObjectId id;
    if (record->setName(name) != Acad::eOk || record->setColor(color) != Acad::eOk ||
        table->add(id, record.get()) != Acad::eOk)
        return {};
    record.release()->close();
    return id;
}

}  // namespace

int ArxLayer::Arx_CreateLayer(const ACHAR* name, int colorIndex, AcDbObjectId& layerId) {
    AcDbDatabase* db = WorkingDatabase();
    layerId = FindLayer(db, name);
    if (layerId.isNull() && db != nullptr && name != nullptr && *name != 0)
        layerId = AddLayer(db, name, colorIndex);
    return layerId.isNull() ? 0 : 1;
}

AcDbObjectId ArxLayer::Arx_setLayer(const ACHAR* name) {
    AcDbDatabase* db = WorkingDatabase();
    AcDbObjectId layerId;
    if (db == nullptr || Arx_CreateLayer(name, kDefaultLayerColor, layerId) == 0) return {};
    const AcDbObjectId previous = db->clayer();
    return db->setClayer(layerId) == Acad::eOk ? previous : AcDbObjectId();
}

int ArxLayer::Arx_FindLayerFromName(const ACHAR* name, AcDbObjectId& layerId) {
    layerId = FindLayer(WorkingDatabase(), name);
    return layerId.isNull() ? 0 : 1;
}

int ArxLayer::Arx_GetLayerEnt(const ACHAR* name, AcDbObjectIdArray& ids) {
    AcDbDatabase* db = WorkingDatabase();
    const AcDbObjectId layerId = FindLayer(db, name);
    if (layerId.isNull()) return 0;
    int found = 0;
    for (const AcDbObjectId& id : ModelSpaceEntities(db)) {
        ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity && entity->layerId() == layerId) {
            ids.append(id);
            ++found;
        }
    }
    return found;
}

int ArxSelectEntity::Arx_GetEntFromLayer(const ACHAR* name, AcDbObjectIdArray& ids) {
    return ArxLayer::Arx_GetLayerEnt(name, ids);
}

int ArxGroup::Arx_CreateGroup(const ACHAR* name, AcDbObjectId& groupId) {
    groupId.setNull();
    AcDbDatabase* db = WorkingDatabase();
    if (db == nullptr || name == nullptr || *name == 0) return 0;
    ScopedOpen<AcDbDictionary> groups(db->groupDictionaryId(), AcDb::kForWrite);
    if (!groups) return 0;
    const bool anonymous = name[0] == L'*';
    if (!anonymous && groups->getAt(name, groupId) == Acad::eOk) return 1;
    auto group = std::make_unique<AcDbGroup>(L"", true);
    if (anonymous) group->setAnonymous();
    if (groups->setAt(name, group.get(), groupId) != Acad::eOk) {
        groupId.setNull();
        return 0;
    }
    group.release()->close();
    return 1;
}

int ArxGroup::Arx_addEntToGroup(AcDbObjectId entityId, AcDbObjectId groupId) {
    ScopedOpen<AcDbGroup> group(groupId, AcDb::kForWrite);
    if (!group) return 0;
    if (group->has(entityId)) return 1;
    return group->append(entityId) == Acad::eOk ? 1 : 0;
}
