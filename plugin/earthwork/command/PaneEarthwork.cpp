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
        result.fill += fill;
        result.cut += cut;
    }
    return result;
}

namespace {

bool AllFinite(const LayerPairVolumes& v) {
    const auto finite = [](double x) { return std::isfinite(x); };
    return std::all_of(v.fills.begin(), v.fills.end(), finite) &&
           std::all_of(v.cuts.begin(), v.cuts.end(), finite) && finite(v.fill) && finite(v.cut);
}

}  // namespace

std::optional<StoredVolumes> CalcPaneEarthwork(AcDbObjectId pane, const SettingsReader& settings,
                                               int decimals) {
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    std::vector<AcGePoint3d> points;
    for (int i = 0; i < corners.length(); ++i) points.push_back(corners[i]);
    // The pane is open for write while the volumes are worked out: nothing
    // here may open it, so a report waits until it is closed.
    bool notFinite = false;
    const PaneVolumesOf volumesOf =
        [&](const std::vector<std::vector<double>>& layers) -> std::optional<PaneVolumeLists> {
        std::optional<LayerPairVolumes> v = LayerPairEarthwork(settings, points, layers);
        notFinite = v && !AllFinite(*v);
        if (notFinite) return std::nullopt;
        return v;
    };
    bool stored = false;
    const std::optional<PaneVolumeLists> volumes =
        StoreNewPaneVolumes(pane, points.size(), volumesOf, decimals, stored);
    if (notFinite) ReportPaneNotFinite(pane);
    if (!volumes) return std::nullopt;
    if (stored) {
        // Read back as the stored texts read.
        return StoredVolumes{_wtof(wcrtFixed(volumes->fill, decimals).c_str()),
                             _wtof(wcrtFixed(volumes->cut, decimals).c_str())};
    }
    const bool written = SetPaneLayerFills(pane, volumes->fills) &&
                         SetPaneLayerCuts(pane, volumes->cuts) &&
                         SetPaneVolumes(pane, volumes->fill, volumes->cut);
    if (!written) {
        ReportPaneNotStored(pane);
        return std::nullopt;
    }
    StoredVolumes read;
    GetPaneVolumes(pane, read.fill, read.cut);
    return read;
}
