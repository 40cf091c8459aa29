#include "SiteLookup.h"

#include <algorithm>
#include <string>

#include "ArxHelpers.h"
#include "ClosedOnExit.h"
#include "DataNames.h"
#include "PaneData.h"
#include "SiteData.h"
#include "aced.h"
#include "dbents.h"
#include "wcrt.h"

namespace {

// An outer outline that contains the point, with the outline's crossing of
// the downward ray nearest to the point.
struct Candidate {
    AcDbObjectId site;
    double distance = 0.0;
};

// The nearest crossing of the ray with the outline; false when there is none.
bool NearestCrossing(AcDbObjectId outline, const AcDbRay& ray, double& distance) {
    ClosedOnExit<AcDbEntity> entity = OpenClosedOnExit<AcDbEntity>(outline, AcDb::kForRead);
    if (!entity) return false;
    const AcGePlane plan(AcGePoint3d(0.0, 0.0, 0.0), AcGeVector3d(1.0, 0.0, 0.0),
                         AcGeVector3d(0.0, 1.0, 0.0));
    AcGePoint3dArray crossings;
    if (entity->intersectWith(&ray, AcDb::kOnBothOperands, plan, crossings) != Acad::eOk ||
        crossings.isEmpty())
        return false;
    // Plan distances: the crossings were found in plan, and outlines of one
    // drawing may lie at different elevations.
    const AcGePoint2d base = ray.basePoint().convert2d();
    distance = base.distanceTo(crossings[0].convert2d());
    for (int i = 1; i < crossings.length(); ++i)
        distance = std::min(distance, base.distanceTo(crossings[i].convert2d()));
    return true;
}

// Inside is decided by the region test rather than by the parity of the
// ray's crossings: a ray through a vertex of the outline counts that vertex
// once or twice depending on the shape, which turns the parity wrong.
bool OuterOutlineCandidate(AcDbObjectId site, const AcDbRay& ray, Candidate& candidate) {
    std::wstring type;
    GetFieldType(site, type);
    if (type != kOuterOutline) return false;
    if (ArxJudgeClass::Arx_JudgePointInRegion(ray.basePoint(), site) == 0) return false;
    candidate.site = site;
    return NearestCrossing(site, ray, candidate.distance);
}

// All entities on the site's layer formed from the format.
void AppendLayerEntities(const std::wstring& number, const ACHAR* layerFormat,
                         AcDbObjectIdArray& ids) {
    ArxLayer::Arx_GetLayerEnt(wcrtFormat(layerFormat, number.c_str()).c_str(), ids);
}

}  // namespace

bool CollectFields(AcDbObjectIdArray& sites) {
    sites.removeAll();
    AcRbChain filter(acutBuildList(-3, 1001, kFieldApp, 0));
    ads_name selection = {0, 0};
    if (acedSSGet(L"X", nullptr, nullptr, filter.get(), selection) != RTNORM) return false;
    Adesk::Int32 count = 0;
    acedSSLength(selection, &count);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name name = {0, 0};
        AcDbObjectId id;
        if (acedSSName(selection, i, name) == RTNORM && acdbGetObjectId(id, name) == Acad::eOk &&
            !id.isErased())
            sites.append(id);
    }
    acedSSFree(selection);
    return !sites.isEmpty();
}

bool FindFieldAtPoint(const AcGePoint3d& point, AcDbObjectId& site) {
    site.setNull();
    AcDbObjectIdArray sites;
    if (!CollectFields(sites)) return false;
    if (sites.length() == 1) {
        site = sites[0];
        return true;
    }
    AcDbRay ray;
    ray.setBasePoint(point);
    ray.setUnitDir(AcGeVector3d(0.0, -1.0, 0.0));
    bool found = false;
    double nearest = 0.0;
    for (int i = 0; i < sites.length(); ++i) {
        Candidate candidate;
        if (!OuterOutlineCandidate(sites[i], ray, candidate)) continue;
        if (found && !(candidate.distance < nearest)) continue;  // ties keep the first
        site = candidate.site;
        nearest = candidate.distance;
        found = true;
    }
    return found;
}

bool CollectFieldPanes(AcDbObjectId site, AcDbObjectIdArray& panes) {
    panes.removeAll();
    std::wstring number;
    if (!GetFieldNumber(site, number)) return false;
    AcDbObjectIdArray onLayer;
    ArxLayer::Arx_GetLayerEnt(wcrtFormat(kPaneLayerFormat, number.c_str(), kPaneApp).c_str(),
                              onLayer);
    for (int i = 0; i < onLayer.length(); ++i)
        if (IsPane(onLayer[i])) panes.append(onLayer[i]);
    return !panes.isEmpty();
}

bool CollectVolumeAnnotations(AcDbObjectId site, AcDbObjectIdArray& annotations) {
    annotations.removeAll();
    std::wstring number;
    GetFieldNumber(site, number);
    if (number.empty()) return false;
    AppendLayerEntities(number, kFillTextLayerFormat, annotations);
    AppendLayerEntities(number, kCutTextLayerFormat, annotations);
    return !annotations.isEmpty();
}

bool CollectCornerElevationTexts(AcDbObjectId site, AcDbObjectIdArray& texts) {
    texts.removeAll();
    std::wstring number;
    GetFieldNumber(site, number);
    AcDbObjectIdArray onLayer;
    ArxSelectEntity::Arx_GetEntFromLayer(wcrtFormat(kCornerTextLayerFormat, number.c_str()).c_str(),
                                         onLayer);
    for (int i = 0; i < onLayer.length(); ++i)
        if (ArxJudgeClass::Arx_JudgeIsAcDbText(onLayer[i]) != 0) texts.append(onLayer[i]);
    return !texts.isEmpty();
}
