// Panes of any number of corners (three or more): the entry to the per-pane
// earthwork calculation.
#pragma once

#include <span>

#include "SettingsReader.h"
#include "acge.h"

// Fill and cut volumes of a pane between the first and second surface given
// at its corners (h = first − second, h > 0 cut). Three corners: a triangle;
// four: a quadrilateral; five or more: the sum of triangles cut off one by one.
void CalcPolygonVolumes(const SettingsReader& settings, std::span<const AcGePoint3d> points,
                        std::span<const double> first, std::span<const double> second,
                        double& fill, double& cut);
