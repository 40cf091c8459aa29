#include "EarthworkCommand.h"

#include <string>
#include <vector>

#include "ArxHelpers.h"
#include "CommandBodies.h"
#include "FieldData.h"
#include "PaneEarthwork.h"
#include "RegistrySettings.h"
#include "SitePrompt.h"
#include "VolumeAnnotations.h"
#include "aced.h"
#include "wcrt.h"

namespace {

double GridAngle(AcDbObjectId site) {
    std::wstring angle;
    return GetPaneAngle(site, angle) ? _wtof(angle.c_str()) : 0.0;
}

// The earthwork needs the layer elevations of the corner calculation; the
// first pane stands for the site.
bool HasLayerElevations(AcDbObjectId pane) {
    AcGePoint3dArray corners;
    std::vector<double> layers;
    return GetPaneCorners(pane, corners) && !corners.isEmpty() &&
           GetCornerLayerElevations(pane, 0, layers);
}

void EraseVolumeAnnotations(AcDbObjectId site) {
    AcDbObjectIdArray old;
    CollectVolumeAnnotations(site, old);
    for (int i = 0; i < old.length(); ++i) ArxEntity::Arx_EraseEntity(old[i]);
}

void CalcAllSites() {
    AcDbObjectIdArray sites;
    CollectFields(sites);
    for (int i = 0; i < sites.length(); ++i) {
        std::wstring type;
        GetFieldType(sites[i], type);
        if (type == kOuterOutline) CalcFieldEarthwork(sites[i]);
    }
}

}  // namespace

void CalcFieldEarthwork(AcDbObjectId site) {
    ArxView::Arx_DispEntToView(site, 4, 1);
    const double angle = GridAngle(site);
    AcDbObjectIdArray panes;
    if (!CollectFieldPanes(site, panes) && panes.isEmpty()) {
        acutPrintf(L"\n在场区内选择方格失败!---<可能是该场区内没有布置方格>.");
        return;
    }
    if (!HasLayerElevations(panes[0])) {
        acutPrintf(L"\n请先进行<计算多层标高>!");
        return;
    }
    EraseVolumeAnnotations(site);
    const RegistrySettings settings;
    acedSetStatusBarProgressMeter(L"正在计算土方量...", 0, panes.length());
    double fillTotal = 0.0, cutTotal = 0.0;
    for (int i = 0; i < panes.length(); ++i) {
        if (acedUsrBrk() == 1) break;
        acedSetStatusBarProgressMeterPos(i);
        ArxEntity::Arx_HightAllEnt(panes[i]);
        if (CalcPaneEarthwork(panes[i], settings)) {
            // The stored values, rounded to their precision, make the totals.
            double fill = 0.0, cut = 0.0;
            GetPaneVolumes(panes[i], fill, cut);
            fillTotal += fill;
            cutTotal += cut;
            AnnotatePaneVolumes(panes[i], angle, site);
        }
        ArxEntity::Arx_UnHightAllEnt(panes[i]);
        ArxDraw::Arx_RefreshDisplay();
    }
    acedRestoreStatusBar();
    SetFieldVolumes(site, fillTotal, cutTotal);
}

void RunEarthwork() {
    for (;;) {
        const SiteAnswer answer = AskForSite(L"A ", L"\n选择计算场区[所有场区<A>]:");
        if (answer.kind == SiteAnswer::Kind::Keyword) {
            CalcAllSites();
            break;
        }
        if (answer.kind != SiteAnswer::Kind::Point) return;
        AcDbObjectId site;
        if (!FindFieldAtPoint(answer.point, site)) continue;
        CalcFieldEarthwork(site);
        break;
    }
    acutPrintf(L"\n计算土方量完成.");
}
