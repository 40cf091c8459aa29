// Numbered lists of a grid pane: per-corner natural and design elevations,
// per-corner layer elevations and per-layer-pair volumes. A list is stored as
// one key per item, the list's stem followed by the item number from 1, in
// ascending order; it is read back in stored key order.
//
// Corners are the pane's polyline vertices in stored order without a closing
// duplicate. Natural and design elevations count corners from 1; layer
// elevations use the stem "标高组" + corner index from 0 + "_", so layer k of
// the first corner is "标高组0_k".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "StoredValues.h"
#include "dbmain.h"

// The pane's corners: its vertices, a last vertex equal to the first dropped.
// False when the vertices cannot be read.
bool GetPaneCorners(AcDbObjectId pane, AcGePoint3dArray& corners);

// Writers remove every key of the list first, so a shorter list leaves no
// stale items; other keys of the pane are untouched. Elevations are stored in
// the elevation precision, layer volumes in the volume precision. The two
// corner-elevation writers also mark the entity as a pane ("方格类" = "是").
bool SetPaneNaturalElevations(AcDbObjectId pane, const std::vector<double>& elevations);
bool SetPaneDesignElevations(AcDbObjectId pane, const std::vector<double>& elevations);
bool SetCornerLayerElevations(AcDbObjectId pane, int corner, const std::vector<double>& elevations);
bool SetPaneLayerFills(AcDbObjectId pane, const std::vector<double>& volumes);
bool SetPaneLayerCuts(AcDbObjectId pane, const std::vector<double>& volumes);

// A pane's site number ("" when it has none) and its corner lists.
struct PaneCornerLists {
    std::wstring number;
    std::vector<std::vector<double>> layers;
};

// The lists of every corner (corners[i] for corner i) in one write, as the
// corner-by-corner writes would store them. False, and nothing written, when
// the pane already holds corner lists or the write is refused: the caller then
// writes corner by corner, which tells which corner failed. decimals is the
// elevation precision's (GetPrecisionDecimals), read once by callers that
// write many panes. When written and readBack is given, it receives what
// GetPaneNumberAndCornerLayers would now read, without another read of the pane.
bool SetNewCornerLayerElevations(AcDbObjectId pane, const std::vector<std::vector<double>>& corners,
                                 int decimals, PaneCornerLists* readBack = nullptr);
// The volumes of a pane as they are stored: per layer pair and their sums.
struct PaneVolumeLists {
    std::vector<double> fills, cuts;
    double fill = 0.0, cut = 0.0;
};
using PaneVolumesOf =
    std::function<std::optional<PaneVolumeLists>(const std::vector<std::vector<double>>& layers)>;

// The corner lists read and the volumes written in one opening of the pane.
// volumesOf gets the lists of cornerCount corners, as
// GetAllCornerLayerElevations reads them, while the pane is open for write (it
// must not open the pane). What it gives is written in one write, as the
// writers of the fills, the cuts and the sums would store it, when the pane
// holds none of them yet and every value is finite; `stored` tells whether it
// was. decimals is the volume precision's. Returns what volumesOf gave.
std::optional<PaneVolumeLists> StoreNewPaneVolumes(AcDbObjectId pane, size_t cornerCount,
                                                   const PaneVolumesOf& volumesOf, int decimals,
                                                   bool& stored);

// Readers empty the list, then append the items in stored order; true when at
// least one item was read.
bool GetPaneNaturalElevations(AcDbObjectId pane, std::vector<double>& elevations);
bool GetPaneDesignElevations(AcDbObjectId pane, std::vector<double>& elevations);
bool GetCornerLayerElevations(AcDbObjectId pane, int corner, std::vector<double>& elevations);
// GetCornerLayerElevations of corners 0 ... layers.size() - 1 from one read of
// the pane's data; true when some corner has a value.
bool GetAllCornerLayerElevations(AcDbObjectId pane, std::vector<std::vector<double>>& layers);
// The pane's site number ("" when it has none) and, as
// GetAllCornerLayerElevations, its corner lists, from one read of the pane.
bool GetPaneNumberAndCornerLayers(AcDbObjectId pane, std::wstring& number,
                                  std::vector<std::vector<double>>& layers);
bool GetPaneLayerFills(AcDbObjectId pane, std::vector<double>& volumes);
bool GetPaneLayerCuts(AcDbObjectId pane, std::vector<double>& volumes);

// The stored texts of the list with the stem (kLayerFillStem, ...), the
// same keys in the same order as the readers above take them.
std::vector<StoredNumber> GetPaneStoredList(AcDbObjectId pane, const ACHAR* stem);

// True when the pane's vertices can be read and its first corner has at least
// one layer elevation.
bool HasCornerLayerElevations(AcDbObjectId pane);
