// Writes a generated site drawing into the working drawing the way the
// suite's base module leaves it: outlines, panes and pane numbers on the
// site's layers with their extended data, survey points as multi-layer
// elevation points. Keys and layers: docs/sitegen.md.
#pragma once

#include "ExampleSites.h"

// False when an entity could not be added or its data not written.
bool WriteSiteDrawing(const SiteDrawingPlan& drawing);
