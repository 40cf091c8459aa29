// Closed outlines in the plan for pictures: polyline vertices with their
// bulges turned into straight pieces.
#pragma once

#include <vector>

#include "ReportModel.h"

// The closed outline through the vertices; the segment from vertex i to the
// next carries bulges[i] (tan of a quarter of its arc's angle, positive
// counter-clockwise; missing bulges are 0). An arc becomes short chords, none
// longer than a sixteenth of a half circle's turn. A last vertex equal to
// the first is dropped.
Outline FlattenOutline(std::vector<PlanPoint> vertices, const std::vector<double>& bulges);
