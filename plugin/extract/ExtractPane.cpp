#include "ExtractPane.h"

#include <vector>

#include "ArxHelpers.h"
#include "ExtractAnnotations.h"
#include "ExtractedPaneEarthwork.h"
#include "FieldData.h"

namespace {

constexpr int kByLayer = 256;

// The source pane's outline moved by the offset, without a closing repeat.
struct MovedOutline {
    AcGePoint3dArray vertices;
    AcGeDoubleArray bulges;
};

MovedOutline MoveOutline(AcDbObjectId pane, const AcGeVector3d& offset) {
    MovedOutline o;
    ArxPolyline::Arx_TakeAllPLinePtArr(pane, o.vertices, o.bulges);
    for (int i = 0; i < o.vertices.length(); ++i) o.vertices[i] += offset;
    const int n = o.vertices.length();
    if (n > 1 && o.vertices[n - 1].isEqualTo(o.vertices[0])) {
        o.vertices.removeLast();
        if (o.bulges.length() >= n) o.bulges.removeLast();
    }
    return o;
}

AcDbObjectId MakeNewPane(AcDbObjectId source, const MovedOutline& outline,
                         const std::wstring& paneLayer, const std::wstring& siteNumber) {
    const AcDbObjectId pane = ArxPolyline::Arx_CreateClosePolyine(outline.vertices, outline.bulges);
    if (pane.isNull()) return pane;
    int row = 0, column = 0;
    GetPaneRowColumn(source, row, column);
    std::wstring number;
    GetPaneNumber(source, number);
    SetPaneRowColumn(pane, row, column);
    SetPaneNumber(pane, number.c_str());
    SetPaneFieldNumber(pane, siteNumber.c_str());
    ArxEntity::Arx_ChangeEntLayer(pane, paneLayer.c_str());
    ArxEntity::Arx_ChangeEntColor(pane, kByLayer);
    return pane;
}

// Natural and design elevations of the new pane from the source's layers,
// each corner dimensioned once per run.
void TakeLayerPair(AcDbObjectId source, AcDbObjectId pane, const MovedOutline& outline,
                   const ExtractionTarget& target, AnnotatedCorners& annotatedCorners) {
    const size_t k = static_cast<size_t>(target.pair);
    std::vector<double> natural, design;
    for (int i = 0; i < outline.vertices.length(); ++i) {
        std::vector<double> layers;
        GetCornerLayerElevations(source, i, layers);
        if (layers.size() < k + 2) continue;
        natural.push_back(layers[k]);
        design.push_back(layers[k + 1]);
        const AcGePoint3d corner(outline.vertices[i].x, outline.vertices[i].y, 0.0);
        if (annotatedCorners.AddIfNew(corner))
            DrawCornerElevationDim(target.siteNumber, layers[k], layers[k + 1], corner,
                                   target.angle, target.height);
    }
    SetPaneNaturalElevations(pane, natural);
    SetPaneDesignElevations(pane, design);
}

}  // namespace

AcDbObjectId ExtractPane(const std::wstring& paneLayer, AcDbObjectId sourcePane,
                         const ExtractionTarget& target, AnnotatedCorners& annotatedCorners,
                         const SettingsReader& settings) {
    const MovedOutline outline = MoveOutline(sourcePane, target.offset);
    const AcDbObjectId pane = MakeNewPane(sourcePane, outline, paneLayer, target.siteNumber);
    if (pane.isNull()) return pane;
    TakeLayerPair(sourcePane, pane, outline, target, annotatedCorners);
    // A pane whose earthwork failed has no volumes: zeros in its texts would
    // read as a result, so it gets none (as in the multi-layer earthwork).
    if (!CalcExtractedPaneEarthwork(pane, settings)) return pane;
    std::vector<AcGePoint3d> corners(outline.vertices.asArrayPtr(),
                                     outline.vertices.asArrayPtr() + outline.vertices.length());
    AnnotatePaneEarthwork(pane, target.siteNumber, corners, target.angle, target.height);
    return pane;
}
