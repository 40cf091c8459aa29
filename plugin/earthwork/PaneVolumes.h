// Panes of any number of corners (three or more): the entry to the per-pane
// earthwork calculation.
#pragma once

#include <span>

#include "PaneVolumeResult.h"
#include "SettingsReader.h"
#include "acge.h"

// Fill and cut volumes of a pane between the first and second surface given
// at its corners (h = first − second, h > 0 cut). Three corners: a triangle;
// four: a quadrilateral; five or more: the sum of triangles cut off one by one.
void CalcPolygonVolumes(const SettingsReader& settings, std::span<const AcGePoint3d> points,
                        std::span<const double> first, std::span<const double> second, double& fill,
                        double& cut);

// The whole result of the same calculation: with five or more corners the
// numbers are the sums over the triangles cut off, and each formula and
// process text joins the triangles' texts of that side with "+" (a triangle
// without a formula on a side adds nothing to that side's texts).
PaneVolumeResult CalcPolygonResult(const SettingsReader& settings,
                                   std::span<const AcGePoint3d> points,
                                   std::span<const double> first, std::span<const double> second);
