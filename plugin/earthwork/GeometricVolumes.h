// The geometric variant of triangle and quadrilateral panes (CALTUFTriMODE 1):
// the cut and fill volumes are measured as solids between the two surfaces,
// each surface taken as plane over every triangle. Only the four numbers of the
// result are filled; the texts stay empty.
#pragma once

#include <array>

#include "PaneVolumeResult.h"
#include "acge.h"

// Corners carry the second surface's value as z; h_k = first − second at
// corner k (h > 0 cut). All four numbers of the result are non-negative.
PaneVolumeResult GeometricTriangleVolumes(const std::array<AcGePoint3d, 3>& corners,
                                          const std::array<double, 3>& h);

// A quadrilateral split into two triangles along a diagonal that lies inside
// it; exact, like each triangle, for heights varying linearly over the pane.
PaneVolumeResult GeometricQuadVolumes(const std::array<AcGePoint3d, 4>& corners,
                                      const std::array<double, 4>& h);

// Volume of the tetrahedron a, b, c, apex: the Heron area of the face a, b, c
// (in space) times the distance of the apex from that face's plane, over 3.
// 0 for a flat face.
double TetrahedronVolume(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c,
                         const AcGePoint3d& apex);

// The diagonal a quadrilateral is split along: 1 for corners 1-3, 2 for 2-4.
int GeometricQuadDiagonal(const std::array<AcGePoint3d, 4>& corners,
                          const std::array<double, 4>& h);
