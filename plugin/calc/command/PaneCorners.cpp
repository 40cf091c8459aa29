#include "PaneCorners.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "AnnotationText.h"
#include "CommandMessages.h"
#include "CommandSettings.h"
#include "CornerInterpolation.h"
#include "FieldData.h"
#include "TextStyles.h"
#include "wcrt.h"

namespace {

// Corner texts keep the colour the user chose for elevation dimensions.
constexpr const ACHAR* kCornerColourSetting = L"DimPtEleColor";
constexpr const ACHAR* kCornerColourDefault = L"173";

}  // namespace

bool CalcPaneCornerElevations(AcDbObjectId pane, const ElevationPointList& sitePoints) {
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    std::vector<std::vector<double>> values(static_cast<size_t>(corners.length()));
    for (int i = 0; i < corners.length(); ++i) {
        std::vector<double>& corner = values[static_cast<size_t>(i)];
        InterpolateCorner(sitePoints, corners[i], corner);
        // Huge elevations or coordinates overflow the weighting.
        if (!std::all_of(corner.begin(), corner.end(), [](double v) { return std::isfinite(v); })) {
            ReportPaneNotFinite(pane);
            return false;
        }
    }
    for (int i = 0; i < corners.length(); ++i) {
        if (SetCornerLayerElevations(pane, i, values[static_cast<size_t>(i)])) continue;
        ReportPaneNotStored(pane);
        // Half a pane's corners would pass for a pane with elevations.
        for (int done = 0; done < i; ++done) SetCornerLayerElevations(pane, done, {});
        return false;
    }
    return true;
}

void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         AcGePoint3dArray& annotatedCorners, const std::wstring& siteNumber) {
    std::wstring number;
    GetPaneFieldNumber(pane, number);
    number = wcrtTrim(number);
    // A pane without its own number writes onto its site's layer, where the
    // next run finds and erases the texts.
    if (number.empty()) number = siteNumber;
    const std::wstring layer = wcrtFormat(kCornerTextLayerFormat, number.c_str());

    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    for (int i = 0; i < corners.length(); ++i) {
        const AcGePoint3d at(corners[i].x, corners[i].y, 0.0);
        if (FindPointInList(at, annotatedCorners) >= 0) continue;
        std::vector<double> values;
        GetCornerLayerElevations(pane, i, values);
        AnnotationText text;
        text.position = at;
        text.text = values.empty() ? L"" : FormatWithPrecision(kElevationPrecisionSetting, values[0]);
        text.height = height;
        text.rotation = angle;
        text.colour = ReadColourSetting(kCornerColourSetting, kCornerColourDefault);
        MakeTextStyle(kAnnotationStyleName, text.style);
        CreateAnnotationText(layer, 0, text);
        annotatedCorners.append(at);
    }
}
