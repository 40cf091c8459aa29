// The drawings the generator makes: the bundled example (two sites, one with
// an inner outline, and their survey points) and square test grids of any
// size for benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "SiteLayout.h"
#include "SurveyLog.h"

struct SiteDrawingPlan {
    std::vector<SitePlan> sites;
    std::vector<SurveyPoint> points;
};

// The example: site 1, a seven-sided outline of about 2.8 ha under a grid
// turned by 15 degrees with a spacing of 20 and a 40 x 40 building footprint
// as inner outline; site 2, a five-sided outline east of it, grid angle 0 and
// spacing 10; 78 survey points of four layers over and around both sites.
SiteDrawingPlan ExampleDrawing();

// One site of rows x columns square panes of spacing 20 at the origin, grid
// angle 0, and count survey points of layerCount layers spread over it.
SiteDrawingPlan GridDrawing(int rows, int columns, int pointCount, int layerCount,
                            std::uint32_t seed);
