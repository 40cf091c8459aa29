// The command MLayerCalPaneTuf: cut and fill of every pane of a site between
// adjacent elevation layers, stored with the panes and the site and annotated.
#pragma once

#include "SettingsReader.h"
#include "dbmain.h"

// The earthwork of one site: old annotations erased, every pane computed,
// stored and annotated (up to a user break), then the site totals, formed
// from the stored pane values, written. `settings` serves the whole command
// run.
void CalcFieldEarthwork(AcDbObjectId site, const SettingsReader& settings);
