// Triangle panes: prism formulas, the user formula for triangles of one sign
// and the split of a triangle of mixed sign at its zero line. Heights are
// h_k = first − second at corner k (h > 0 cut); volumes use H_k = |h_k|.
#pragma once

#include <array>
#include <span>

#include "PaneVolumeResult.h"
#include "SettingsReader.h"
#include "acge.h"

// A triangle pane. When two consecutive corners, raised to the second
// surface, lie closer than 0.0001 in space, the result is all zero.
PaneVolumeResult CalcTriangleVolumes(const SettingsReader& settings,
                                     std::span<const AcGePoint3d> points,
                                     std::span<const double> first, std::span<const double> second);

// The formula calculation of one triangle with corners p (plan) and signed
// heights h: built-in formulas, or the user formula CalTuFFormula5 for a
// triangle of one sign when CALTUFTriMODE asks for it. (The geometric mode
// is chosen by the callers; here it computes like the built-in formulas.)
PaneVolumeResult CalcTriangleByFormula(const SettingsReader& settings,
                                       const std::array<AcGePoint3d, 3>& p,
                                       const std::array<double, 3>& h);

// A triangle whose corner `oddCorner` (1..3) lies alone on side `oddSide`.
PaneVolumeResult CalcTriangleMixed(const std::array<AcGePoint3d, 3>& p,
                                   const std::array<double, 3>& h, int oddCorner, PaneSide oddSide);

// True when two consecutive corners lie closer than 0.0001 in space.
bool IsDegenerateTriangle(const std::array<AcGePoint3d, 3>& p);
