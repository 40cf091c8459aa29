// Cut and fill of one pane between every pair of adjacent elevation layers,
// from the layer elevations stored at its corners.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "PaneLists.h"
#include "SettingsReader.h"
#include "dbmain.h"

// Per-layer-pair volumes of a pane, in the form they are stored: pair k lies
// between layer k and k + 1 (height h = layer k − layer k + 1 at a corner;
// h > 0 is cut); `fill` and `cut` are the sums.
using LayerPairVolumes = PaneVolumeLists;

// The volumes of all layer pairs from the corners and their layer elevations
// (layers[i] belongs to corners[i]). Nothing when the pane has fewer than
// three corners or its corners hold different numbers of layers. With fewer
// than two layers the lists are empty and the sums 0.
std::optional<LayerPairVolumes> LayerPairEarthwork(const SettingsReader& settings,
                                                   std::span<const AcGePoint3d> corners,
                                                   const std::vector<std::vector<double>>& layers);

// Reads the pane's corners and layer elevations, computes every layer pair
// and stores the lists "填方组"/"挖方组" and the sums "填方量"/"挖方量".
// False (nothing stored) when LayerPairEarthwork gives nothing; false with a
// message naming the pane when a volume is not finite (nothing stored) or
// the values could not be stored. Otherwise the sums as stored, rounded to
// their precision, the volume precision's decimals (read once per site).
struct StoredVolumes {
    double fill = 0.0, cut = 0.0;
};
std::optional<StoredVolumes> CalcPaneEarthwork(AcDbObjectId pane, const SettingsReader& settings,
                                               int decimals);
