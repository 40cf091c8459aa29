// Square pane formulas of the grid-square method: cut and fill volumes, areas
// and texts of a square pane between two surfaces. Heights h_k = first −
// second at corner k; h > 0 is cut, h < 0 is fill; volumes use H_k = |h_k|.
#pragma once

#include <span>

#include "PaneSettings.h"
#include "PaneVolumeResult.h"
#include "SettingsReader.h"
#include "SquareCases.h"
#include "SquarePane.h"
#include "acge.h"

// A square pane (four corners, equal sides) in the family that CALTUFMODE
// selects; the four-triangle family is handled by CalcQuadVolumes and is
// computed here as the squared-sum family.
PaneVolumeResult CalcSquareVolumes(const SettingsReader& settings,
                                   std::span<const AcGePoint3d> points,
                                   std::span<const double> first, std::span<const double> second);

// The built-in formulas of one family for an already measured pane.
PaneVolumeResult BuiltInSquareVolumes(const SquarePane& pane, const SquareCase& row,
                                      SquareFamily family);

// The user formulas (CalTuFFormula1 ... CalTuFFormula4) for a measured pane.
PaneVolumeResult UserSquareVolumes(const SettingsReader& settings, const SquarePane& pane,
                                   const SquareCase& row);
