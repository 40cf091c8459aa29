#include "EarthworkCommand.h"

#include <string>
#include <vector>

#include "ArxHelpers.h"
#include "CommandBodies.h"
#include "CommandMessages.h"
#include "FieldData.h"
#include "PaneEarthwork.h"
#include "RegistrySettings.h"
#include "RegistrySettingsReader.h"
#include "SitePrompt.h"
#include "VolumeAnnotations.h"
#include "aced.h"
#include "wcrt.h"

namespace {

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

void CalcAllSites(const SettingsReader& settings) {
    AcDbObjectIdArray sites;
    CollectFields(sites);
    for (int i = 0; i < sites.length(); ++i) {
        std::wstring type;
        GetFieldType(sites[i], type);
        if (type == kOuterOutline) CalcFieldEarthwork(sites[i], settings);
    }
}

// Totals that are not finite are not stored; the old ones would pretend.
void StoreSiteTotals(AcDbObjectId site, double fill, double cut) {
    if (SetFieldVolumes(site, fill, cut)) return;
    std::wstring number;
    GetFieldNumber(site, number);
    if (LastDataWriteStatus() == Acad::eInvalidInput)
        acutPrintf(L"\n场区%s的土方量合计不是有限数,未能保存!", number.c_str());
    else
        acutPrintf(L"\n场区%s的土方量合计未能保存!", number.c_str());
}

}  // namespace

void CalcFieldEarthwork(AcDbObjectId site, const SettingsReader& settings) {
    ArxView::Arx_DispEntToView(site, 4, 1);
    const std::optional<SiteGrid> grid = ReadSiteGrid(site);
    if (!grid) return;
    const double angle = grid->angle;
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
    acedSetStatusBarProgressMeter(L"正在计算土方量...", 0, panes.length());
    double fillTotal = 0.0, cutTotal = 0.0;
    SiteVolumeTexts texts(site);
    const int decimals = GetPrecisionDecimals(Setting::VolumePrecision);
    for (int i = 0; i < panes.length(); ++i) {
        if (acedUsrBrk() == 1) break;
        acedSetStatusBarProgressMeterPos(i);
        ArxEntity::Arx_HightAllEnt(panes[i]);
        // The stored values, rounded to their precision, make the totals.
        if (const std::optional<StoredVolumes> stored =
                CalcPaneEarthwork(panes[i], settings, decimals)) {
            fillTotal += stored->fill;
            cutTotal += stored->cut;
            AnnotatePaneVolumes(panes[i], angle, stored->fill, stored->cut, texts);
        }
        ArxEntity::Arx_UnHightAllEnt(panes[i]);
        ArxDraw::Arx_RefreshDisplay();
    }
    acedRestoreStatusBar();
    StoreSiteTotals(site, fillTotal, cutTotal);
}

void RunEarthwork() {
    const RegistrySettingsReader settings;
    for (;;) {
        const SiteAnswer answer = AskForSite(L"A ", L"\n选择计算场区[所有场区<A>]:");
        if (answer.kind == SiteAnswer::Kind::Keyword) {
            CalcAllSites(settings);
            break;
        }
        if (answer.kind != SiteAnswer::Kind::Point) return;
        AcDbObjectId site;
        if (!FindFieldAtPoint(answer.point, site)) continue;
        CalcFieldEarthwork(site, settings);
        break;
    }
    acutPrintf(L"\n计算土方量完成.");
}
