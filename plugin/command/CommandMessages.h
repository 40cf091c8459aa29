// What both calculation commands tell the user about a site or pane whose
// numbers cannot be used or stored, and the site grid they check first.
#pragma once

#include <optional>
#include <string>

#include "dbmain.h"

// "场区1方格5": the pane's site number and pane number; its handle when it
// has no pane number.
std::wstring PaneLabel(AcDbObjectId pane);

// After a write of pane data failed: why (the 16 KB limit of an entity's
// extended data, or another failure), naming the pane.
void ReportPaneNotStored(AcDbObjectId pane);

// A pane whose calculated numbers are not all finite is skipped.
void ReportPaneNotFinite(AcDbObjectId pane);

// The grid of a site: its angle in radians ("方格角度", 0 when missing) and
// its spacing ("方格间距", nothing when missing or empty).
struct SiteGrid {
    double angle = 0.0;
    std::optional<double> spacing;
};

// Nothing, with a message naming the site, when the angle is not finite or
// the spacing is present but not a positive finite number: the texts placed
// with them would hold coordinates no drawing can store.
std::optional<SiteGrid> ReadSiteGrid(AcDbObjectId site);
