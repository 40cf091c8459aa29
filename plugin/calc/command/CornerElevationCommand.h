// The command MLayerCalPaneEle: layer elevations at every pane corner of a
// site, interpolated from the drawing's multi-layer elevation points.
#pragma once

#include "dbmain.h"

// The whole calculation of one site: its point list, the erasure of its old
// corner texts and earthwork annotations, then every pane in turn (stopping at
// a user break). onlyInside keeps the points inside the site outline only.
void CalcFieldCornerElevations(AcDbObjectId site, bool onlyInside);
