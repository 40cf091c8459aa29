// The plug-in's one access layer to site, pane and slope data in the
// drawing, and the shared look-ups of sites, panes and elevation points.
#pragma once

#include "DataNames.h"
#include "DataWrite.h"
#include "ElevationPoints.h"
#include "FieldLabel.h"
#include "PaneData.h"
#include "PaneLists.h"
#include "RegistrySettings.h"
#include "SiteData.h"
#include "SiteLookup.h"
#include "StoredValues.h"
