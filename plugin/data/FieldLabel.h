// Where the label of a site outline goes.
#pragma once

#include "dbmain.h"

// The centre of the outline's extents when that lies inside the outline;
// otherwise the midpoint between the outline point nearest to the centre and
// the farthest crossing of the outline on the same ray from the centre. Only
// x and y are set then (the caller's z stays). When the outline has no
// extents, its start point. False when nothing of the outline can be read.
bool GetFieldLabelPoint(AcDbObjectId outline, AcGePoint3d& point);
