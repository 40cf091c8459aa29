// The outline of an extracted site: copies of the source site's outer and
// inner outlines marked as the new site, its label and circle, and copies of
// the source's pane-number labels.
#pragma once

#include "ExtractionTarget.h"
#include "dbmain.h"

// Height of the site label: 13, or 5 for a site whose extents' diagonal is
// shorter than 60.
double SiteLabelHeight(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight);

// Copies the site and every inner outline ("内框") with the same site number
// (case ignored) by the target's offset onto the layer FieldLayer + number
// (colour FieldColor), marks them as the new site, and adds the label (the
// number) with a circle round it; all of it in one anonymous group. The new
// outer outline's id, null when the site could not be copied.
AcDbObjectId CopyFieldOutline(AcDbObjectId site, const ExtractionTarget& target);

// Copies every entity on "场区<source>" + PaneLayer + "编号" by the offset
// onto "场区<new>" + PaneLayer + "编号" (colour PaneColor); the copies keep
// their own colour.
void CopyPaneNumberLabels(AcDbObjectId site, const ExtractionTarget& target);
