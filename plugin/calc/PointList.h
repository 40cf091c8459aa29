// Look-up of a point in a list of plan positions (the corners already
// annotated during one run of the corner calculation).
#pragma once

#include <span>

#include "acge.h"

// Two positions closer than this are the same corner. Pane corners come from
// the same grid, so a shared corner repeats to far better than 0.1 mm.
inline constexpr double kSamePointDistance = 0.0001;

// Index of the first point of the list whose distance to point is below
// kSamePointDistance, -1 when there is none.
int FindPointInList(const AcGePoint3d& point, std::span<const AcGePoint3d> list);
int FindPointInList(const AcGePoint3d& point, const AcGePoint3dArray& list);
