#include "CornerElevationCommand.h"

#include <string>

#include "ArxHelpers.h"
#include "CommandBodies.h"
#include "CommandMessages.h"
#include "CornerTexts.h"
#include "FieldData.h"
#include "PaneCornerElevations.h"
#include "SitePrompt.h"
#include "aced.h"
#include "wcrt.h"

namespace {

// The site's elevation points as in-memory records: every point of the
// drawing, or only those inside the site outline. Points that cannot be read
// are left out.
ElevationPointList SitePoints(const AcDbObjectIdArray& points) {
    ElevationPointList records;
    acedSetStatusBarProgressMeter(L"正在提取标高...", 0, points.length());
    for (int i = 0; i < points.length(); ++i) {
        acedSetStatusBarProgressMeterPos(i);
        MLAYERELEDATA record;
        if (ReadElevationPoint(points[i], record)) records.push_back(std::move(record));
    }
    acedRestoreStatusBar();
    return records;
}

// Text height: a tenth of the grid spacing; 2.5 when the site has none.
double TextHeight(const SiteGrid& grid) { return grid.spacing ? *grid.spacing / 10.0 : 2.5; }

// The new elevations make the site's earthwork annotations stale, and its
// corner texts are all written anew.
void EraseOldResults(AcDbObjectId site) {
    AcDbObjectIdArray old;
    CollectVolumeAnnotations(site, old);
    AcDbObjectIdArray texts;
    CollectCornerElevationTexts(site, texts);
    old.append(texts);
    for (int i = 0; i < old.length(); ++i) ArxEntity::Arx_EraseEntity(old[i]);
}

void CalcPanes(const AcDbObjectIdArray& panes, const ElevationPointList& points, double angle,
               double height, const std::wstring& siteNumber) {
    const NeighbourIndex index(points);
    PointList annotatedCorners;
    SiteCornerTexts look;
    acedSetStatusBarProgressMeter(L"正在计算标高...", 0, panes.length());
    for (int i = 0; i < panes.length(); ++i) {
        if (acedUsrBrk()) break;
        acedSetStatusBarProgressMeterPos(i);
        ArxEntity::Arx_HightAllEnt(panes[i]);
        // A pane whose values were not stored gets no texts of old values.
        std::optional<PaneCornerLists> stored;
        if (CalcPaneCornerElevations(panes[i], index, points, look.decimals(), &stored))
            AnnotatePaneCorners(panes[i], angle, height, annotatedCorners, siteNumber, look,
                                stored ? &*stored : nullptr);
        ArxEntity::Arx_UnHightAllEnt(panes[i]);
        ArxDraw::Arx_RefreshDisplay();
    }
    acedRestoreStatusBar();
}

// "A": every outer outline collected at the start, in drawing order.
void CalcAllSites(const AcDbObjectIdArray& sites, bool onlyInside) {
    for (int i = 0; i < sites.length(); ++i) {
        std::wstring type;
        GetFieldType(sites[i], type);
        if (type == kOuterOutline) CalcFieldCornerElevations(sites[i], onlyInside);
    }
}

}  // namespace

void CalcFieldCornerElevations(AcDbObjectId site, bool onlyInside) {
    ArxView::Arx_DispEntToView(site, 4, 1);
    std::wstring number;
    GetFieldNumber(site, number);
    AcDbObjectIdArray panes;
    if (!CollectFieldPanes(site, panes)) {
        acutPrintf(L"\n在场区%s内选择方格失败!---<可能是该场区内没有布置方格>.", number.c_str());
        return;
    }
    AcDbObjectIdArray pointIds;
    CollectElevationPoints(pointIds);
    if (onlyInside) FilterPointsInField(site, pointIds);
    if (pointIds.isEmpty()) {
        acutPrintf(L"\n场区%s没有标高数据!", number.c_str());
        return;
    }
    const std::optional<SiteGrid> grid = ReadSiteGrid(site);
    if (!grid) return;
    const ElevationPointList points = SitePoints(pointIds);
    EraseOldResults(site);
    CalcPanes(panes, points, grid->angle, TextHeight(*grid), number);
}

void RunCornerElevations() {
    AcDbObjectIdArray sites;
    if (!CollectFields(sites)) {
        acutPrintf(L"\n请先布置场区!");
        return;
    }
    bool onlyInside = false;
    for (;;) {
        const SiteAnswer answer =
            onlyInside ? AskForSite(L"A ", L"\n选择计算场区[所有场区<A>]:")
                       : AskForSite(L"B A ", L"\n选择计算场区[只考虑本场区内标高<B>/所有场区<A>]:");
        if (answer.kind == SiteAnswer::Kind::Other) return;
        if (IsKeyword(answer, L"B")) {
            onlyInside = true;
        } else if (IsKeyword(answer, L"A")) {
            CalcAllSites(sites, onlyInside);
            acutPrintf(L"\n计算标高完成.");
            return;
        } else if (answer.kind == SiteAnswer::Kind::Point) {
            AcDbObjectId site;
            if (!FindFieldAtPoint(answer.point, site)) continue;
            CalcFieldCornerElevations(site, onlyInside);
            acutPrintf(L"\n计算标高完成.");
            return;
        }
    }
}
