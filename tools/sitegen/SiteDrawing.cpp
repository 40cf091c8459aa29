#include "SiteDrawing.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AcDbMPointEle.h"
#include "QUARNArxApply.h"
#include "QUARNArxBase.h"
#include "dbapserv.h"
#include "wcrt.h"

namespace {

using KeyValues = std::vector<std::pair<std::wstring, std::wstring>>;

// Layer name stems and colours as the base module makes them.
struct LayerKind {
    const wchar_t* suffix;
    int colour;
};
constexpr LayerKind kOutlineLayer{L"", 1};
constexpr LayerKind kPaneLayer{L"方格", 2};
constexpr LayerKind kLabelLayer{L"方格编号", 3};
constexpr const wchar_t* kPointLayer = L"多层标高";
constexpr int kPointColour = 6;

std::wstring LayerOf(const SitePlan& site, const LayerKind& kind) {
    return L"场区" + site.number + kind.suffix;
}

bool MakeLayer(const std::wstring& name, int colour) {
    AcDbObjectId id;
    return ArxLayer::Arx_CreateLayer(name.c_str(), colour, id) != 0;
}

// Adds the entity on the layer and writes the application's keys in order.
bool AddEntity(std::unique_ptr<AcDbEntity> entity, const std::wstring& layer,
               const wchar_t* application, const KeyValues& keys) {
    entity->setLayer(layer.c_str());
    AcDbObjectId id;
    if (ArxEntity::Arx_addToModelSpace(entity.get(), id) != Acad::eOk) return false;
    AcDbEntity* open = entity.release();
    bool ok = true;
    if (application != nullptr) {
        ArxDbgAppXdataX xdata(application, acdbHostApplicationServices()->workingDatabase());
        for (const auto& [key, value] : keys)
            ok = xdata.setString(key.c_str(), value.c_str()) && ok;
        ok = xdata.setXdata(open) == Acad::eOk && ok;
    }
    open->close();
    return ok;
}

std::unique_ptr<AcDbPolyline> ClosedPolyline(const std::vector<AcGePoint2d>& corners) {
    auto polyline = std::make_unique<AcDbPolyline>();
    for (const AcGePoint2d& p : corners) polyline->addVertexAt(polyline->numVerts(), p);
    polyline->setClosed(true);
    return polyline;
}

bool WriteOutlines(const SitePlan& site) {
    const std::wstring layer = LayerOf(site, kOutlineLayer);
    bool ok = MakeLayer(layer, kOutlineLayer.colour);
    if (site.innerOnly)
        return AddEntity(ClosedPolyline(site.outline), layer, L"场区",
                         {{L"场区编号", site.number}, {L"场区类型", L"内框"}}) &&
               ok;
    ok = AddEntity(ClosedPolyline(site.outline), layer, L"场区",
                   {{L"场区编号", site.number},
                    {L"场区类型", L"外框"},
                    {L"方格角度", wcrtFormat(L"%.12G", site.angle)},
                    {L"方格间距", wcrtFormat(L"%G", site.spacing)}}) &&
         ok;
    for (const CellBlock& hole : site.holes)
        ok = AddEntity(ClosedPolyline(HoleOutline(site, hole)), layer, L"场区",
                       {{L"场区编号", site.number}, {L"场区类型", L"内框"}}) &&
             ok;
    return ok;
}

AcGePoint2d Centroid(const std::vector<AcGePoint2d>& corners) {
    AcGePoint2d c;
    for (const AcGePoint2d& p : corners) c.x += p.x / corners.size(), c.y += p.y / corners.size();
    return c;
}

// The pane number, small, below the pane's centre along the grid, where the
// volume annotations and corner elevations leave room.
bool WriteLabel(const SitePlan& site, const PaneShape& pane, AcDbObjectId style) {
    const AcGePoint2d centre = ToGrid(site, Centroid(pane.corners));
    const AcGePoint2d at = ToWorld(site, {centre.x, centre.y - 0.3 * site.spacing});
    AcDbObjectId previous = ArxLayer::Arx_setLayer(LayerOf(site, kLabelLayer).c_str());
    AcDbObjectId text;
    const int ok =
        ArxText::Arx_CreateText(AcGePoint3d(at.x, at.y, 0), std::to_wstring(pane.number).c_str(),
                                site.spacing / 20.0, site.angle, 2, 256, style, text);
    if (!previous.isNull()) acdbHostApplicationServices()->workingDatabase()->setClayer(previous);
    return ok != 0;
}

bool WritePanes(const SitePlan& site) {
    const std::wstring layer = LayerOf(site, kPaneLayer);
    bool ok = MakeLayer(layer, kPaneLayer.colour) &&
              MakeLayer(LayerOf(site, kLabelLayer), kLabelLayer.colour);
    // Labels keep the drawing's current style, as the base module draws them.
    const AcDbObjectId style;
    for (const PaneShape& pane : LayOutPanes(site)) {
        ok = AddEntity(ClosedPolyline(pane.corners), layer, L"方格",
                       {{L"方格类", L"是"},
                        {L"场区编号", site.number},
                        {L"方格编号", std::to_wstring(pane.number)},
                        {L"行数", wcrtFormat(L"%d", pane.row)},
                        {L"列数", wcrtFormat(L"%d", pane.column)}}) &&
             ok;
        ok = WriteLabel(site, pane, style) && ok;
    }
    return ok;
}

// A drawing without points has no point layer: the import makes it when the
// points come in.
bool WritePoints(const std::vector<SurveyPoint>& points) {
    if (points.empty()) return true;
    bool ok = MakeLayer(kPointLayer, kPointColour);
    for (const SurveyPoint& p : points) {
        auto point = std::make_unique<AcDbMPointEle>();
        point->setPosition(p.position);
        AcGeDoubleArray elevations;
        for (double e : p.elevations) elevations.append(e);
        ok = point->setElevations(elevations) == Acad::eOk && ok;
        point->setTextHeight(2.5);
        point->setTextAngle(0.0);
        ok = AddEntity(std::move(point), kPointLayer, nullptr, {}) && ok;
    }
    return ok;
}

}  // namespace

bool WriteSiteDrawing(const SiteDrawingPlan& drawing) {
    bool ok = true;
    for (const SitePlan& site : drawing.sites)
        ok = WriteOutlines(site) && (site.innerOnly || WritePanes(site)) && ok;
    return WritePoints(drawing.points) && ok;
}
