// Reading the report's content from the working drawing through the
// plug-in's site and pane data access.
#pragma once

#include "ReportModel.h"

// Every outer site outline ("外框") of the working drawing in drawing order
// with its inner outlines and its panes; each pane's problems filled in.
// The precision settings come from the registry in use.
VolumeReport ReadVolumeReport();
