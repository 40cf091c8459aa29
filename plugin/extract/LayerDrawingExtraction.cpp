#include "LayerDrawingExtraction.h"

#include <string>
#include <vector>

#include "ArxHelpers.h"
#include "CommandBodies.h"
#include "DocData.h"
#include "DragTransform.h"
#include "ExtractNames.h"
#include "ExtractPane.h"
#include "FieldData.h"
#include "FieldOutlineCopy.h"
#include "LayerChoice.h"
#include "RegistrySettingsReader.h"
#include "SitePrompt.h"
#include "aced.h"
#include "wcrt.h"

namespace {

// Annotation height when the site has no grid spacing.
constexpr double kDefaultTextHeight = 2.5;

ExtractionTarget TargetFor(AcDbObjectId site, int pair) {
    ExtractionTarget target;
    std::wstring number, angle, spacing;
    GetFieldNumber(site, number);
    target.siteNumber = NewSiteNumber(number, pair);
    target.pair = pair;
    target.angle = GetPaneAngle(site, angle) ? _wtof(angle.c_str()) : 0.0;
    target.height =
        GetPaneSpacing(site, spacing) ? _wtof(spacing.c_str()) / 10 : kDefaultTextHeight;
    return target;
}

// The site and its panes as the drag's selection.
void SelectForDrag(AcDbObjectId site, const AcDbObjectIdArray& panes, ads_name selection) {
    ads_name name;
    acdbGetAdsName(name, site);
    acedSSAdd(name, nullptr, selection);
    for (int i = 0; i < panes.length(); ++i) {
        acdbGetAdsName(name, panes[i]);
        acedSSAdd(name, selection, selection);
    }
}

// The user's insertion point in world coordinates, with the site dragged
// from its outline's start point B (world); nothing when the drag ended
// without a point.
bool DragToInsertionPoint(AcDbObjectId site, const AcDbObjectIdArray& panes,
                          const AcGePoint3d& base, AcGePoint3d& insertion) {
    ads_name selection = {0, 0};
    SelectForDrag(site, panes, selection);
    DocVars.dragBasePoint = ArxTransClass::Arx_WcsToUcsPoint(base);
    ads_point picked = {0.0, 0.0, 0.0};
    const int result = acedDragGen(selection, L"\n指定插入点:", 0, DragTransform, picked);
    acedSSFree(selection);
    if (result != RTNORM) return false;
    insertion = ArxTransClass::Arx_UcsToWcsPoint(AcGePoint3d(picked[X], picked[Y], picked[Z]));
    return true;
}

// The new site's totals: the sum of its panes' stored volumes, so that the
// copy does not keep the source site's totals of every layer pair.
void SumNewSite(AcDbObjectId outline, const std::vector<AcDbObjectId>& newPanes) {
    double fillTotal = 0.0, cutTotal = 0.0;
    for (const AcDbObjectId& pane : newPanes) {
        double fill = 0.0, cut = 0.0;
        GetPaneVolumes(pane, fill, cut);
        fillTotal += fill;
        cutTotal += cut;
    }
    SetFieldVolumes(outline, fillTotal, cutTotal);
}

// Layer choice for the site, then the extraction.
void ExtractFromSite(AcDbObjectId site) {
    ArxView::Arx_DispEntToView(site, 4, 1);
    AcDbObjectIdArray panes;
    CollectFieldPanes(site, panes);
    if (panes.isEmpty()) {
        acutPrintf(L"\n在场区内选择方格失败!---<可能是该场区内没有布置方格>.");
        return;
    }
    std::vector<double> fills;
    GetPaneLayerFills(panes[0], fills);
    const int pairCount = static_cast<int>(fills.size());
    if (pairCount == 0) {
        acutPrintf(L"\n请先进行<计算多层土方>!");
        return;
    }
    // Enter and Escape keep the default pair 1.
    int answer = 1;
    acedGetInt(wcrtFormat(L"\n一共%d层,提取哪层<%d>:", pairCount, 1).c_str(), &answer);
    ExtractLayerDrawing(site, panes, ClampLayerPair(answer, pairCount) - 1);
}

}  // namespace

void ExtractLayerDrawing(AcDbObjectId site, const AcDbObjectIdArray& panes, int pair) {
    ExtractionTarget target = TargetFor(site, pair);
    AcGePoint3d base, end, insertion;
    ArxCurve::Arx_GetCurveSEPoint(site, base, end);
    if (!DragToInsertionPoint(site, panes, base, insertion)) return;
    target.offset = AcGeVector3d(insertion.x - base.x, insertion.y - base.y, 0.0);

    const AcDbObjectId outline = CopyFieldOutline(site, target);
    CopyPaneNumberLabels(site, target);
    const std::wstring paneLayer =
        wcrtFormat(kPaneLayerFormat, target.siteNumber.c_str(), kPaneLayerStem);
    AcDbObjectId layerId;
    ArxLayer::Arx_CreateLayer(paneLayer.c_str(), ReadIntegerSetting(Setting::PaneColour), layerId);
    const RegistrySettingsReader settings;
    AnnotatedCorners annotatedCorners;
    std::vector<AcDbObjectId> newPanes;
    for (int i = 0; i < panes.length(); ++i) {
        const AcDbObjectId pane =
            ExtractPane(paneLayer, panes[i], target, annotatedCorners, settings);
        if (!pane.isNull()) newPanes.push_back(pane);
    }
    if (!outline.isNull()) SumNewSite(outline, newPanes);
}

void RunLayerDrawingExtraction() {
    for (;;) {
        const SiteAnswer answer = AskForSite(L"", L"\n选择提取场区:");
        if (answer.kind != SiteAnswer::Kind::Point) return;
        AcDbObjectId site;
        if (!FindFieldAtPoint(answer.point, site)) continue;
        ExtractFromSite(site);
        return;
    }
}
