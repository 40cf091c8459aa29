#include "PaneEarthwork.h"

#include <algorithm>
#include <cmath>

#include "CommandMessages.h"
#include "FieldData.h"
#include "PaneVolumes.h"
#include "wcrt.h"

std::optional<LayerPairVolumes> LayerPairEarthwork(const SettingsReader& settings,
                                                   std::span<const AcGePoint3d> corners,
                                                   const std::vector<std::vector<double>>& layers) {
    if (corners.size() < 3 || layers.size() != corners.size()) return std::nullopt;
    const size_t layerCount = layers[0].size();
    if (std::any_of(layers.begin(), layers.end(),
                    [&](const std::vector<double>& l) { return l.size() != layerCount; }))
        return std::nullopt;
    LayerPairVolumes result;
    std::vector<double> upper(corners.size()), lower(corners.size());
    for (size_t k = 0; k + 1 < layerCount; ++k) {
        for (size_t i = 0; i < corners.size(); ++i) {
            upper[i] = layers[i][k];
            lower[i] = layers[i][k + 1];
        }
        double fill = 0.0, cut = 0.0;
        CalcPolygonVolumes(settings, corners, upper, lower, fill, cut);
        result.fills.push_back(fill);
        result.cuts.push_back(cut);
        result.fillSum += fill;
        result.cutSum += cut;
    }
    return result;
}

namespace {

bool AllFinite(const LayerPairVolumes& v) {
    const auto finite = [](double x) { return std::isfinite(x); };
    return std::all_of(v.fills.begin(), v.fills.end(), finite) &&
           std::all_of(v.cuts.begin(), v.cuts.end(), finite) && finite(v.fillSum) &&
           finite(v.cutSum);
}

}  // namespace

std::optional<StoredVolumes> CalcPaneEarthwork(AcDbObjectId pane, const SettingsReader& settings) {
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    std::vector<AcGePoint3d> points;
    std::vector<std::vector<double>> layers(static_cast<size_t>(corners.length()));
    for (int i = 0; i < corners.length(); ++i) points.push_back(corners[i]);
    GetAllCornerLayerElevations(pane, layers);
    const std::optional<LayerPairVolumes> volumes = LayerPairEarthwork(settings, points, layers);
    if (!volumes) return std::nullopt;
    if (!AllFinite(*volumes)) {
        ReportPaneNotFinite(pane);
        return std::nullopt;
    }
    if (SetNewPaneVolumes(pane, volumes->fills, volumes->cuts, volumes->fillSum, volumes->cutSum)) {
        // Read back as the stored texts read.
        const int decimals = GetPrecisionDecimals(Setting::VolumePrecision);
        return StoredVolumes{_wtof(wcrtFixed(volumes->fillSum, decimals).c_str()),
                             _wtof(wcrtFixed(volumes->cutSum, decimals).c_str())};
    }
    const bool stored = SetPaneLayerFills(pane, volumes->fills) &&
                        SetPaneLayerCuts(pane, volumes->cuts) &&
                        SetPaneVolumes(pane, volumes->fillSum, volumes->cutSum);
    if (!stored) {
        ReportPaneNotStored(pane);
        return std::nullopt;
    }
    StoredVolumes read;
    GetPaneVolumes(pane, read.fill, read.cut);
    return read;
}
