// The layer elevations of one pane's corners: computing and storing them, and
// writing the layer-1 value as a text at each corner.
#pragma once

#include <string>

#include "ElevationPoint.h"
#include "NeighbourIndex.h"
#include "PointList.h"
#include "dbmain.h"

// Interpolates every corner of the pane from the site's points and stores
// the values under "标高组" + corner + "_" + layer, replacing the corner's old
// values (a corner without a value is left with none).
void CalcPaneCornerElevations(AcDbObjectId pane, const ElevationPointList& sitePoints);
// The same through the site's neighbour index (built over sitePoints).
void CalcPaneCornerElevations(AcDbObjectId pane, const NeighbourIndex& index,
                              const ElevationPointList& sitePoints);

// Writes the stored layer-1 value of every corner not yet in annotatedCorners
// as a text (height, rotation angle in radians) on the layer
// "场区<n>方格标高标注", n being the pane's site number (siteNumber when the
// pane has none), and adds the corner to annotatedCorners.
void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         PointList& annotatedCorners, const std::wstring& siteNumber);
