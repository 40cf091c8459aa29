#include "ElevationPoints.h"

#include <memory>

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "ClosedOnExit.h"
#include "RegistrySettings.h"
#include "aced.h"
#include "dbpl.h"

namespace {

// The outline through the vertices (relative to the first one), with its
// bulges, as a polyline outside the drawing for the region test.
std::unique_ptr<AcDbPolyline> RelativeOutline(const AcGePoint3dArray& vertices,
                                              const AcGeDoubleArray& bulges) {
    auto outline = std::make_unique<AcDbPolyline>();
    for (int i = 0; i < vertices.length(); ++i)
        outline->addVertexAt(static_cast<unsigned>(i), vertices[i].convert2d(),
                             i < bulges.length() ? bulges[i] : 0.0, 0.0, 0.0);
    outline->setClosed(Adesk::kTrue);
    return outline;
}

// The point's plan position relative to origin; false when it is not an
// elevation point.
bool RelativePosition(AcDbObjectId id, const AcGePoint3d& origin, AcGePoint3d& relative) {
    ClosedOnExit<AcDbMPointEle> point = OpenClosedOnExit<AcDbMPointEle>(id, AcDb::kForRead);
    if (!point) return false;
    const AcGePoint3d position = point->position();
    relative.set(position.x - origin.x, position.y - origin.y, 0.0);
    return true;
}

}  // namespace

bool CollectElevationPoints(AcDbObjectIdArray& points) {
    points.removeAll();
    AcDbObjectIdArray onLayer;
    ArxSelectEntity::Arx_GetEntFromLayer(ReadSetting(Setting::PointLayer).c_str(), onLayer);
    for (int i = 0; i < onLayer.length(); ++i)
        if (IsElevationPoint(onLayer[i])) points.append(onLayer[i]);
    return !points.isEmpty();
}

bool IsElevationPoint(AcDbObjectId entity) {
    if (AcDbMPointEle::desc() == nullptr) return false;
    ClosedOnExit<AcDbEntity> opened = OpenClosedOnExit<AcDbEntity>(entity, AcDb::kForRead);
    return opened && opened->isKindOf(AcDbMPointEle::desc());
}

bool FilterPointsInField(AcDbObjectId site, AcDbObjectIdArray& points) {
    AcGePoint3dArray vertices;
    AcGeDoubleArray bulges;
    if (ArxPolyline::Arx_TakeAllPLinePtArr(site, vertices, bulges) == 0 || vertices.isEmpty())
        return false;
    const AcGePoint3d origin = vertices.first();
    ArxJudgeClass::Arx_AdjustPointXYCoord(origin, vertices);
    const std::unique_ptr<AcDbPolyline> outline = RelativeOutline(vertices, bulges);
    acedSetStatusBarProgressMeter(L"正在提取...", 0, points.length());
    AcDbObjectIdArray kept;
    for (int i = 0; i < points.length(); ++i) {
        acedSetStatusBarProgressMeterPos(i);
        AcGePoint3d relative;
        if (RelativePosition(points[i], origin, relative) &&
            ArxJudgeClass::Arx_JudgePointInRegionPL(relative, vertices, outline.get()) != 0)
            kept.append(points[i]);
    }
    acedRestoreStatusBar();
    points = kept;
    return true;
}

bool ReadElevationPoint(AcDbObjectId id, MLAYERELEDATA& record) {
    ClosedOnExit<AcDbMPointEle> point = OpenClosedOnExit<AcDbMPointEle>(id, AcDb::kForRead);
    if (!point) return false;
    record.position = point->position();
    AcGeDoubleArray elevations;
    point->elevations(elevations);
    record.elevations.assign(elevations.begin(), elevations.end());
    return true;
}
