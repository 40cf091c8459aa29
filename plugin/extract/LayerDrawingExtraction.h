// The command MLayerPickTufDraw: the earthwork drawing of one layer pair of a
// site, as a new site placed where the user drags it.
#pragma once

#include "dbmain.h"

// Drags the site with its panes to the insertion point and builds the new
// site for layer pair k (from 0) there. Nothing changes when the drag ends
// without a point.
void ExtractLayerDrawing(AcDbObjectId site, const AcDbObjectIdArray& panes, int pair);
