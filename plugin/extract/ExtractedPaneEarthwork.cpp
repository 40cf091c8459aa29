#include "ExtractedPaneEarthwork.h"

#include <optional>
#include <string>
#include <vector>

#include "ArxHelpers.h"
#include "FieldData.h"
#include "PaneVolumes.h"
#include "aced.h"
#include "wcrt.h"

namespace {

struct FailureText {
    PaneEarthworkFailure failure;
    const ACHAR* byNumber;     // with the pane number
    const ACHAR* byRowColumn;  // with its row and column
};

const FailureText kFailureTexts[] = {
    {PaneEarthworkFailure::Vertices, L"\n方格编号[%s]计算土方失败,原因为其端点时失败!",
     L"\n第[%d]行,第[%d]列方格计算土方失败,原因为其端点时失败!"},
    {PaneEarthworkFailure::Natural, L"\n方格编号[%s]计算土方失败,原因为其自然标高失败!",
     L"\n第[%d]行,第[%d]列方格计算土方失败,原因为其自然标高失败!"},
    {PaneEarthworkFailure::Design, L"\n方格编号[%s]计算土方失败,原因为其设计标高失败!",
     L"\n第[%d]行,第[%d]列方格计算土方失败,原因为其设计标高失败!"},
    {PaneEarthworkFailure::NaturalCount,
     L"\n方格编号[%s]计算土方失败,原因为其端点数与自然标高数不一样!",
     L"\n第[%d]行,第[%d]列方格计算土方失败,原因为其端点数与自然标高数不一样!"},
    {PaneEarthworkFailure::DesignCount,
     L"\n方格编号[%s]计算土方失败,原因为其端点数与设计标高数不一样!",
     L"\n第[%d]行,第[%d]列方格计算土方失败,原因为其端点数与设计标高数不一样!"},
};

const FailureText& TextOf(PaneEarthworkFailure failure) {
    for (const FailureText& t : kFailureTexts)
        if (t.failure == failure) return t;
    return kFailureTexts[0];
}

void Report(AcDbObjectId pane, PaneEarthworkFailure failure) {
    std::wstring number;
    int row = 0, column = 0;
    const bool numbered = GetPaneNumber(pane, number) && !number.empty();
    if (!numbered && !GetPaneRowColumn(pane, row, column)) return;
    acutPrintf(L"%s", PaneEarthworkMessage(failure, numbered ? number : L"", row, column).c_str());
}

struct PaneSurfaces {
    std::vector<AcGePoint3d> corners;  // plan, z = 0
    std::vector<double> natural, design;
};

// The pane's corners and both elevation lists, or the first failure.
std::optional<PaneEarthworkFailure> ReadPane(AcDbObjectId pane, PaneSurfaces& s) {
    AcGePoint3dArray vertices;
    if (!ArxPolyline::Arx_TakeAllPLinePtArr(pane, vertices)) return PaneEarthworkFailure::Vertices;
    if (!GetPaneNaturalElevations(pane, s.natural)) return PaneEarthworkFailure::Natural;
    if (!GetPaneDesignElevations(pane, s.design)) return PaneEarthworkFailure::Design;
    const int n = vertices.length();
    const bool closingRepeat = n > 1 && vertices[n - 1].isEqualTo(vertices[0]);
    for (int i = 0; i < n - (closingRepeat ? 1 : 0); ++i)
        s.corners.emplace_back(vertices[i].x, vertices[i].y, 0.0);
    if (s.corners.size() != s.natural.size()) return PaneEarthworkFailure::NaturalCount;
    if (s.corners.size() != s.design.size()) return PaneEarthworkFailure::DesignCount;
    return std::nullopt;
}

}  // namespace

std::wstring PaneEarthworkMessage(PaneEarthworkFailure failure, const std::wstring& paneNumber,
                                  int row, int column) {
    const FailureText& t = TextOf(failure);
    return paneNumber.empty() ? wcrtFormat(t.byRowColumn, row, column)
                              : wcrtFormat(t.byNumber, paneNumber.c_str());
}

bool CalcExtractedPaneEarthwork(AcDbObjectId pane, const SettingsReader& settings) {
    PaneSurfaces s;
    if (const std::optional<PaneEarthworkFailure> failure = ReadPane(pane, s)) {
        Report(pane, *failure);
        return false;
    }
    if (s.corners.size() < 3) return false;
    const PaneVolumeResult r = CalcPolygonResult(settings, s.corners, s.natural, s.design);
    SetPaneAreas(pane, r.fill.area, r.cut.area);
    SetPaneFormulas(pane, r.fill.formula.c_str(), r.fill.process.c_str(), r.cut.formula.c_str(),
                    r.cut.process.c_str());
    SetPaneVolumes(pane, r.fill.volume, r.cut.volume);
    return true;
}
