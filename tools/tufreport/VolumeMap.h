// The cut/fill map as SVG: every site's panes filled by their net volume per
// area (cut positive, fill negative, m³/m²) on a diverging scale symmetric
// around zero, the site outlines and numbers, a legend with the scale's
// range and the count of panes without results (drawn hatched), and a
// scale bar.
//
// Elements a program can find: polygons of class "pane" (data-site,
// data-pane, data-value) for panes with results, "pane-missing" for those
// without, "site" for outlines; the group of class "legend" carries
// data-min, data-max and data-missing.
#pragma once

#include <string>

#include "ReportModel.h"

struct MapOptions {
    int pair = 0;           // layer pair (from 1); 0 for the pane totals
    double pixels = 900.0;  // the map's longer side
};

std::string MapFromReport(const VolumeReport& report, const MapOptions& options);
