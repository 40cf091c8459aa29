// The drag preview transform of the layer drawing extraction.
#pragma once

#include "adsdef.h"

// For acedDragGen: the translation from DocVars.dragBasePoint to the drag point
// (both in user coordinates, converted to world coordinates) in column 3 of
// the matrix, 1.0 at (0,0), (1,1), (2,2), every other element 0.0 (the (3,3)
// element as well, as the host's callers expect it). Always RTNORM.
int DragTransform(ads_point dragPoint, ads_matrix matrix);
