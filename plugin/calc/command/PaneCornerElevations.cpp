#include "PaneCornerElevations.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "CommandMessages.h"
#include "CornerInterpolation.h"
#include "FieldData.h"
#include "RegistrySettings.h"

bool CalcPaneCornerElevations(AcDbObjectId pane, const ElevationPointList& sitePoints) {
    return CalcPaneCornerElevations(pane, NeighbourIndex(sitePoints), sitePoints,
                                    GetPrecisionDecimals(Setting::ElevationPrecision));
}

bool CalcPaneCornerElevations(AcDbObjectId pane, const NeighbourIndex& index,
                              const ElevationPointList& sitePoints, int decimals,
                              std::optional<PaneCornerLists>* stored) {
    if (stored != nullptr) stored->reset();
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    std::vector<std::vector<double>> values(static_cast<size_t>(corners.length()));
    for (int i = 0; i < corners.length(); ++i) {
        std::vector<double>& corner = values[static_cast<size_t>(i)];
        InterpolateCorner(index, sitePoints, corners[i], corner);
        // Huge elevations or coordinates overflow the weighting.
        if (!std::all_of(corner.begin(), corner.end(), [](double v) { return std::isfinite(v); })) {
            ReportPaneNotFinite(pane);
            return false;
        }
    }
    PaneCornerLists readBack;
    if (SetNewCornerLayerElevations(pane, values, decimals,
                                    stored != nullptr ? &readBack : nullptr)) {
        if (stored != nullptr) *stored = std::move(readBack);
        return true;
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
