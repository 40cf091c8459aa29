#include "DrawingReport.h"

#include "ArxHelpers.h"
#include "FieldData.h"
#include "PlanOutline.h"
#include "ReportTotals.h"
#include "dbcurve.h"
#include "wcrt.h"

namespace {

StoredValue ToValue(const std::optional<StoredNumber>& n) {
    if (!n) return {};
    return {true, n->wellFormed, n->value, wcrtToUtf8(n->text)};
}

std::vector<StoredValue> ToValues(const std::vector<StoredNumber>& list) {
    std::vector<StoredValue> values;
    for (const StoredNumber& n : list) values.push_back(ToValue(n));
    return values;
}

Outline OutlineOf(AcDbObjectId id) {
    AcGePoint3dArray points;
    AcGeDoubleArray bulges;
    if (ArxPolyline::Arx_TakeAllPLinePtArr(id, points, bulges) == 0) return {};
    std::vector<PlanPoint> vertices;
    for (const AcGePoint3d& p : points) vertices.push_back({p.x, p.y});
    return FlattenOutline(std::move(vertices), {bulges.begin(), bulges.end()});
}

double AreaOf(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return 0.0;
    double area = 0.0;
    if (auto* curve = AcDbCurve::cast(entity);
        curve == nullptr || curve->getArea(area) != Acad::eOk)
        area = 0.0;
    entity->close();
    return area;
}

PaneEntry ReadPane(AcDbObjectId id) {
    PaneEntry p;
    std::wstring text;
    GetPaneNumber(id, text);
    p.number = wcrtToUtf8(text);
    int row = 0, column = 0;
    if (GetPaneRowColumn(id, row, column)) p.row = row, p.column = column;
    AcGePoint3dArray corners;
    if (GetPaneCorners(id, corners)) p.cornerCount = corners.length();
    p.outline = OutlineOf(id);
    p.area = AreaOf(id);
    p.pairFills = ToValues(GetPaneStoredList(id, kLayerFillStem));
    p.pairCuts = ToValues(GetPaneStoredList(id, kLayerCutStem));
    p.fill = ToValue(GetStoredNumber(id, kPaneApp, kFillVolumeKey));
    p.cut = ToValue(GetStoredNumber(id, kPaneApp, kCutVolumeKey));
    std::vector<double> natural, design;
    p.singleLayer = p.pairFills.empty() && p.pairCuts.empty() &&
                    (GetPaneNaturalElevations(id, natural) || GetPaneDesignElevations(id, design));
    if (p.singleLayer) {
        p.fillArea = ToValue(GetStoredNumber(id, kPaneApp, kFillAreaKey));
        p.cutArea = ToValue(GetStoredNumber(id, kPaneApp, kCutAreaKey));
        std::wstring fillFormula, fillProcess, cutFormula, cutProcess;
        GetPaneFormulas(id, fillFormula, fillProcess, cutFormula, cutProcess);
        p.fillFormula = wcrtToUtf8(fillFormula);
        p.cutFormula = wcrtToUtf8(cutFormula);
    }
    return p;
}

bool IsOuter(AcDbObjectId id) {
    std::wstring type;
    GetFieldType(id, type);
    return type == kOuterOutline;
}

SiteEntry ReadSite(AcDbObjectId site, const AcDbObjectIdArray& outlines) {
    SiteEntry s;
    std::wstring number;
    GetFieldNumber(site, number);
    s.number = wcrtToUtf8(number);
    s.outline = OutlineOf(site);
    for (const AcDbObjectId& other : outlines) {
        std::wstring otherNumber;
        GetFieldNumber(other, otherNumber);
        if (!IsOuter(other) && _wcsicmp(otherNumber.c_str(), number.c_str()) == 0)
            s.holes.push_back(OutlineOf(other));
    }
    AcGePoint3d label;
    if (GetFieldLabelPoint(site, label)) s.label = {label.x, label.y};
    s.storedFill = ToValue(GetStoredNumber(site, kFieldApp, kFieldFillKey));
    s.storedCut = ToValue(GetStoredNumber(site, kFieldApp, kFieldCutKey));
    AcDbObjectIdArray panes;
    CollectFieldPanes(site, panes);
    for (const AcDbObjectId& pane : panes) s.panes.push_back(ReadPane(pane));
    s.pairCount = SitePairCount(s.panes);
    for (PaneEntry& p : s.panes) p.problems = PaneProblems(p, s.pairCount);
    return s;
}

}  // namespace

VolumeReport ReadVolumeReport() {
    VolumeReport report;
    report.elevationDecimals = GetPrecisionDecimals(Setting::ElevationPrecision);
    report.volumeDecimals = GetPrecisionDecimals(Setting::VolumePrecision);
    AcDbObjectIdArray outlines;
    CollectFields(outlines);
    for (const AcDbObjectId& site : outlines)
        if (IsOuter(site)) report.sites.push_back(ReadSite(site, outlines));
    return report;
}
