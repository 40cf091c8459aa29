// Four-corner panes: squares (equal sides) through the square formulas or the
// average of four triangles, other quadrilaterals through two triangles.
#pragma once

#include <array>
#include <span>

#include "PaneVolumeResult.h"
#include "SettingsReader.h"
#include "acge.h"

// A four-corner pane. Its fill and cut volumes are returned as magnitudes.
PaneVolumeResult CalcQuadVolumes(const SettingsReader& settings,
                                 std::span<const AcGePoint3d> points, std::span<const double> first,
                                 std::span<const double> second);

// True when the four plan sides differ by less than 0.001 (a square, or a
// rhombus; angles and diagonals are not looked at).
bool IsSquarePane(std::span<const AcGePoint3d> points);

// Average of the two diagonal splits of a square: the triangles (1, 2, 3),
// (1, 3, 4), (2, 3, 4), (2, 4, 1); every number is half their sum.
PaneVolumeResult CalcSquareByFourTriangles(const SettingsReader& settings,
                                           const std::array<AcGePoint3d, 4>& p,
                                           const std::array<double, 4>& h);

// A quadrilateral that is not a square, as two triangles.
PaneVolumeResult CalcQuadByTwoTriangles(const SettingsReader& settings,
                                        const std::array<AcGePoint3d, 4>& p,
                                        const std::array<double, 4>& h);
