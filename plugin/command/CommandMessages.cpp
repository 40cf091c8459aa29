#include "CommandMessages.h"

#include <cmath>

#include "FieldData.h"
#include "aced.h"
#include "wcrt.h"

std::wstring PaneLabel(AcDbObjectId pane) {
    std::wstring site, number;
    GetPaneFieldNumber(pane, site);
    GetPaneNumber(pane, number);
    if (wcrtTrim(number).empty())
        number = wcrtFormat(L"<%llX>", static_cast<unsigned long long>(pane.handle().value()));
    return wcrtFormat(L"场区%s方格%s", wcrtTrim(site).c_str(), wcrtTrim(number).c_str());
}

void ReportPaneNotStored(AcDbObjectId pane) {
    if (LastDataWriteStatus() == Acad::eXdataSizeExceeded)
        acutPrintf(L"\n%s的数据超过扩展数据16KB的上限,未能保存!", PaneLabel(pane).c_str());
    else
        acutPrintf(L"\n%s的数据未能保存!", PaneLabel(pane).c_str());
}

void ReportPaneNotFinite(AcDbObjectId pane) {
    acutPrintf(L"\n%s的计算结果不是有限数,跳过该方格!", PaneLabel(pane).c_str());
}

std::optional<SiteGrid> ReadSiteGrid(AcDbObjectId site) {
    std::wstring number, angleText, spacingText;
    GetFieldNumber(site, number);
    SiteGrid grid;
    if (GetPaneAngle(site, angleText)) grid.angle = _wtof(angleText.c_str());
    if (!std::isfinite(grid.angle)) {
        acutPrintf(L"\n场区%s的方格角度\"%s\"不是有限数,跳过该场区!", number.c_str(),
                   angleText.c_str());
        return std::nullopt;
    }
    if (GetPaneSpacing(site, spacingText) && !wcrtTrim(spacingText).empty()) {
        const double spacing = _wtof(spacingText.c_str());
        if (!std::isfinite(spacing) || spacing <= 0.0) {
            acutPrintf(L"\n场区%s的方格间距\"%s\"不是正数,跳过该场区!", number.c_str(),
                       spacingText.c_str());
            return std::nullopt;
        }
        grid.spacing = spacing;
    }
    return grid;
}
