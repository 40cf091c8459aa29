// Finding sites and what belongs to them in the working drawing: all site
// outlines, the site under a point, the panes of a site and the annotation
// entities on the site's layers. Id lists are emptied first.
#pragma once

#include "dbmain.h"

// Every entity of the drawing carrying site data ("场区"), outer and inner
// outlines alike, erased ones left out. True when any was found.
bool CollectFields(AcDbObjectIdArray& sites);

// The outer site outline ("外框") containing the point (world coordinates).
// With a single site entity in the drawing that entity is the answer without
// any test. Of nested outer outlines the innermost wins: the one whose
// outline the downward ray from the point crosses nearest to the point.
bool FindFieldAtPoint(const AcGePoint3d& point, AcDbObjectId& site);

// The panes of the site: the entities on the layer "场区<number>方格" that
// carry the pane mark, in the layer's order. False when the site has no site
// number of its own or no pane was found.
bool CollectFieldPanes(AcDbObjectId site, AcDbObjectIdArray& panes);

// Every entity on "场区<number>填方标注" followed by every entity on
// "场区<number>挖方标注". True when the list is not empty.
bool CollectVolumeAnnotations(AcDbObjectId site, AcDbObjectIdArray& annotations);

// The single-line texts on "场区<number>方格标高标注". True when the list is
// not empty.
bool CollectCornerElevationTexts(AcDbObjectId site, AcDbObjectIdArray& texts);
