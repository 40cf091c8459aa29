// The layer elevations of one pane's corners, interpolated from the site's
// elevation points and stored with the pane.
#pragma once

#include <optional>

#include "ElevationPoint.h"
#include "FieldData.h"
#include "NeighbourIndex.h"
#include "dbmain.h"

// Interpolates every corner of the pane from the site's points and stores
// the values under "标高组" + corner + "_" + layer, replacing the corner's old
// values (a corner without a value is left with none). False, with a message
// naming the pane, when a value is not finite (nothing is stored) or the
// values could not be stored (the pane is then left without any).
bool CalcPaneCornerElevations(AcDbObjectId pane, const ElevationPointList& sitePoints);
// The same through the site's neighbour index (built over sitePoints) with
// the elevation precision's decimals read once per site. When the values went
// in with one write, `stored` receives the pane's number and lists as they
// now read (SetNewCornerLayerElevations); else it is left empty.
bool CalcPaneCornerElevations(AcDbObjectId pane, const NeighbourIndex& index,
                              const ElevationPointList& sitePoints, int decimals,
                              std::optional<PaneCornerLists>* stored = nullptr);
