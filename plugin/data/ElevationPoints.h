// The multi-layer elevation points of the drawing: finding them, keeping
// those inside a site, and copying one into memory.
#pragma once

#include "ElevationPoint.h"
#include "PointList.h"
#include "dbmain.h"

// The elevation points on the elevation-point layer (setting
// "MLayerELeLayer", default "多层标高"), in the layer's order. True when any.
bool CollectElevationPoints(AcDbObjectIdArray& points);

// Whether the entity is an AcDbMPointEle (or derived from it).
bool IsElevationPoint(AcDbObjectId entity);

// Keeps, in their order, only the points inside the site outline (its arcs
// included). The test runs on coordinates relative to the outline's first
// vertex, which keeps it exact at survey coordinates of large magnitude.
// False, with the list unchanged, when the outline's vertices cannot be read.
bool FilterPointsInField(AcDbObjectId site, AcDbObjectIdArray& points);

// FindPointInList (a point within 0.0001 in a list) is the calculation's own,
// declared in PointList.h.

// Position and layer elevations of one elevation point. False when it cannot
// be opened as one.
bool ReadElevationPoint(AcDbObjectId id, MLAYERELEDATA& record);
