// The corner texts: the stored layer-1 elevation written as a text at each
// corner of a pane.
#pragma once

#include <string>

#include "PointList.h"
#include "dbmain.h"

// Writes the stored layer-1 value of every corner not yet in annotatedCorners
// as a text (height, rotation angle in radians) on the layer
// "场区<n>方格标高标注", n being the pane's site number (siteNumber when the
// pane has none), and adds the corner to annotatedCorners.
void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         PointList& annotatedCorners, const std::wstring& siteNumber);
