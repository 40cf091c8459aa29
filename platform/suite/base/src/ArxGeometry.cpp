#include "ArxGeometry.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "ArxEntity.h"
#include "PlanRegion.h"
#include "ScopedOpen.h"
#include "aced.h"
#include "rxdlinkr.h"

namespace {

std::vector<AcGePoint2d> Plan(const AcGePoint3dArray& points) {
    std::vector<AcGePoint2d> plan;
    plan.reserve(static_cast<size_t>(points.length()));
    for (const AcGePoint3d& p : points) plan.push_back(p.convert2d());
    return plan;
}

// The boundary of a polyline in world plan coordinates. Seen from below (a
// normal pointing down) its arcs turn the other way.
std::vector<PlanSegment> PolylineBoundary(const AcDbPolyline& polyline) {
    std::vector<AcGePoint2d> corners;
    std::vector<double> bulges;
    const double flip = polyline.normal().z < 0.0 ? -1.0 : 1.0;
    for (unsigned int i = 0; i < polyline.numVerts(); ++i) {
        AcGePoint3d p;
        double bulge = 0.0;
        polyline.getPointAt(i, p);
        polyline.getBulgeAt(i, bulge);
        corners.push_back(p.convert2d());
        bulges.push_back(bulge * flip);
    }
    return PlanBoundary(corners, bulges);
}

// A circle as two half arcs.
std::vector<PlanSegment> CircleBoundary(const AcDbCircle& circle) {
    const AcGePoint2d c = circle.center().convert2d();
    const double r = circle.radius();
    const AcGePoint2d east(c.x + r, c.y), west(c.x - r, c.y);
    return {{east, west, 1.0}, {west, east, 1.0}};
}

bool InRegion(const AcGePoint3d& point, const std::vector<PlanSegment>& boundary) {
    return PointInPlanRegion(point.convert2d(), boundary);
}

}  // namespace

// ------------------------------------------------------------------ polylines

int ArxPolyline::Arx_TakeAllPLinePtArr(AcDbObjectId id, AcGePoint3dArray& points) {
    AcGeDoubleArray bulges;
    return Arx_TakeAllPLinePtArr(id, points, bulges);
}

int ArxPolyline::Arx_TakeAllPLinePtArr(AcDbObjectId id, AcGePoint3dArray& points,
                                       AcGeDoubleArray& bulges) {
    points.removeAll();
    bulges.removeAll();
    ScopedOpen<AcDbPolyline> polyline(id, AcDb::kForRead);
    if (!polyline) return 0;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
        AcGePoint3d p;
        double bulge = 0.0;
        polyline->getPointAt(i, p);
        polyline->getBulgeAt(i, bulge);
        points.append(p);
        bulges.append(bulge);
    }
    return 1;
}

int ArxPolyline::Arx_getPLinePointOfLBRT(AcDbObjectId id, AcGePoint3d& leftBottom,
                                         AcGePoint3d& rightTop) {
    ScopedOpen<AcDbPolyline> polyline(id, AcDb::kForRead);
    AcDbExtents extents;
    if (!polyline || polyline->getGeomExtents(extents) != Acad::eOk || extents.isEmpty()) return 0;
    leftBottom = extents.minPoint();
    rightTop = extents.maxPoint();
    return 1;
}

AcDbObjectId ArxPolyline::Arx_CreateClosePolyine(const AcGePoint3dArray& points,
                                                 const AcGeDoubleArray& bulges) {
    if (points.isEmpty()) return {};
    auto polyline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(points.length()));
    for (int i = 0; i < points.length(); ++i)
        polyline->addVertexAt(static_cast<unsigned int>(i), points[i].convert2d(),
                              i < bulges.length() ? bulges[i] : 0.0);
    polyline->setElevation(points[0].z);
    polyline->setClosed(true);
    AcDbObjectId id;
    if (ArxEntity::Arx_addToModelSpace(polyline.get(), id) != Acad::eOk) return {};
    polyline.release()->close();
    return id;
}

// ------------------------------------------------------------------ regions

int ArxJudgeClass::Arx_JudgePointInRegion(const AcGePoint3d& point,
                                          const AcGePoint3dArray& polygon) {
    const std::vector<AcGePoint2d> corners = Plan(polygon);
    const std::vector<PlanSegment> boundary = PlanBoundary(corners);
    if (boundary.size() < 3) return 0;
    return InRegion(point, boundary) ? 1 : 0;
}

int ArxJudgeClass::Arx_JudgePointInRegion(const AcGePoint3d& point, AcDbObjectId curveId) {
    ScopedOpen<AcDbEntity> entity(curveId, AcDb::kForRead);
    if (!entity) return 0;
    if (const AcDbPolyline* polyline = AcDbPolyline::cast(entity.get()))
        return Arx_JudgePointInRegionPL(point, {}, polyline);
    if (const AcDbCircle* circle = AcDbCircle::cast(entity.get()))
        return InRegion(point, CircleBoundary(*circle)) ? 1 : 0;
    return 0;
}

int ArxJudgeClass::Arx_JudgePointInRegionPL(const AcGePoint3d& point,
                                            const AcGePoint3dArray& polygon,
                                            const AcDbPolyline* polyline) {
    if (polyline == nullptr) return Arx_JudgePointInRegion(point, polygon);
    const std::vector<PlanSegment> boundary = PolylineBoundary(*polyline);
    if (boundary.size() < 2) return 0;
    return InRegion(point, boundary) ? 1 : 0;
}

void ArxJudgeClass::Arx_AdjustPointXYCoord(const AcGePoint3d& origin, AcGePoint3dArray& points) {
    for (AcGePoint3d& p : points) {
        p.x -= origin.x;
        p.y -= origin.y;
    }
}

int ArxJudgeClass::Arx_JudgeIsAcDbText(AcDbObjectId id) {
    ScopedOpen<AcDbEntity> entity(id, AcDb::kForRead);
    return entity && AcDbText::cast(entity.get()) != nullptr ? 1 : 0;
}

int ArxJudgeClass::Arx_JudgeisModuleLoaded(const ACHAR* moduleName) {
    if (moduleName == nullptr || *moduleName == 0) return 0;
    return acrxDynamicLinker->isModuleLoaded(moduleName) ? 1 : 0;
}

// ------------------------------------------------------------------ curves

int ArxCurve::Arx_GetCurveSEPoint(AcDbObjectId id, AcGePoint3d& start, AcGePoint3d& end) {
    ScopedOpen<AcDbCurve> curve(id, AcDb::kForRead);
    return curve && curve->getStartPoint(start) == Acad::eOk && curve->getEndPoint(end) == Acad::eOk
               ? 1
               : 0;
}

int ArxCurve::Arx_getClosestPointTo(AcDbObjectId id, const AcGePoint3d& point,
                                    AcGePoint3d& closest) {
    ScopedOpen<AcDbCurve> curve(id, AcDb::kForRead);
    return curve && curve->getClosestPointTo(point, closest) == Acad::eOk ? 1 : 0;
}

int ArxLine::Arx_GetInterOfLineThis(const AcGePoint3d& p1, const AcGePoint3d& p2,
                                    AcDbObjectId curveId, AcGePoint3dArray& points, int extend) {
    ScopedOpen<AcDbEntity> curve(curveId, AcDb::kForRead);
    if (!curve || p1.isEqualTo(p2)) return 0;
    const AcDbLine line(p1, p2);
    AcGePoint3dArray found;
    const AcDb::Intersect mode = extend != 0 ? AcDb::kExtendThis : AcDb::kOnBothOperands;
    if (line.intersectWith(curve.get(), mode, AcGePlane::kXYPlane, found) != Acad::eOk) return 0;
    points.append(found);
    return found.length();
}

// ------------------------------------------------------------------ coordinates

namespace {

AcGePoint3d Translate(const AcGePoint3d& point, int from, int to) {
    resbuf fromRb{}, toRb{};
    fromRb.restype = toRb.restype = RTSHORT;
    fromRb.resval.rint = static_cast<short>(from);
    toRb.resval.rint = static_cast<short>(to);
    const ads_point in = {point.x, point.y, point.z};
    ads_point out = {point.x, point.y, point.z};
    if (acedTrans(in, &fromRb, &toRb, 0, out) != RTNORM) return point;
    return {out[0], out[1], out[2]};
}

// acedTrans codes of the coordinate systems.
constexpr int kWorld = 0;
constexpr int kUser = 1;

}  // namespace

AcGePoint3d ArxTransClass::Arx_UcsToWcsPoint(const AcGePoint3d& point) {
    return Translate(point, kUser, kWorld);
}

void ArxTransClass::Arx_UcsToWcsPoint(AcGePoint3dArray& points) {
    for (AcGePoint3d& p : points) p = Arx_UcsToWcsPoint(p);
}

AcGePoint3d ArxTransClass::Arx_WcsToUcsPoint(const AcGePoint3d& point) {
    return Translate(point, kWorld, kUser);
}

int ArxUCS::Arx_getcCoordinateXangle(double& angle) {
    angle = 0.0;
    resbuf rb{};
    if (acedGetVar(L"UCSXDIR", &rb) != RTNORM || rb.restype != RT3DPOINT) return 1;
    const double x = rb.resval.rpoint[0], y = rb.resval.rpoint[1];
    if (x == 0.0 && y == 0.0) return 1;
    angle = std::atan2(y, x);
    if (angle < 0.0) angle += 2.0 * std::numbers::pi;
    return 1;
}
